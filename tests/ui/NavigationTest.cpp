// Stepping through the messages, the status line, copying and clearing, the search for the next
// message not yet edited, and texts that must come back exactly as they went in.
#include <QTest>

#include <gtest/gtest.h>

#include "SampleWindow.h"
#include "support/JD_BlockPar.h"

using namespace uitest;

namespace {

class WindowNavigation : public SampleWindow {
 protected:
  void Press(TPictureButton* picture, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(picture, button); }
  void Show(int32_t message) {
    const int32_t position = project().PositionOfMessage(message);
    ASSERT_GT(position, 0) << "message " << message << " has no position";
    form->MessagesListTrackBar->SetPosition(position);
  }
  int Position() const { return form->MessagesListTrackBar->Position(); }
  QString Text(const char16_t* key) const { return form->CatalogueText(key); }
  std::u16string Deleted() const { return form->Catalogue->Par_Get(u"MessageDeletedMSG"); }
  // Every message whose target text no longer equals its source text.
  void TranslateAllBut(int32_t keep) {
    for (int32_t n = 1; n <= project().SourceCount; ++n)
      if (n != keep) project().TargetTexts[static_cast<std::size_t>(n)]->Text = u"done " + project().GetSourceText(n);
  }
};

TEST_F(WindowNavigation, StepsForwardAndBackOverLinkedMessages) {
  std::vector<int32_t> unlinked;
  for (int32_t n = 1; n <= project().SourceCount; ++n)
    if (!project().IsLinked(n)) unlinked.push_back(n);
  ASSERT_LT(unlinked.size(), static_cast<std::size_t>(project().SourceCount)) << "the sample has no folded question";

  std::vector<int32_t> forward{project().CurrentMessage};
  for (std::size_t i = 1; i < unlinked.size(); ++i) {
    Press(form->ForwardImage);
    forward.push_back(project().CurrentMessage);
    EXPECT_EQ(form->MessageNumberLabel->text(), QString::number(Position()));
    EXPECT_EQ(form->SourceMemo->Text(), Wide(project().GetSourceText(project().CurrentMessage)));
  }
  EXPECT_EQ(forward, unlinked);
  // At the maximum a step forward does nothing.
  Press(form->ForwardImage);
  EXPECT_EQ(Position(), form->MessagesListTrackBar->Max());

  std::vector<int32_t> back;
  for (std::size_t i = 1; i < unlinked.size(); ++i) {
    Press(form->BackImage, Qt::RightButton);  // any mouse button steps
    back.insert(back.begin(), project().CurrentMessage);
  }
  back.push_back(unlinked.back());
  EXPECT_EQ(back, unlinked);

  // From position 1 back to 0: nothing shown.
  Press(form->BackImage);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(project().CurrentMessage, 0);
  EXPECT_EQ(form->SourceMemo->Text(), QString());
  EXPECT_EQ(form->TargetMemo->Text(), QString());
  EXPECT_EQ(form->StatusLabel->text(), QString());
  EXPECT_EQ(form->MessageNumberLabel->text(), QStringLiteral("0"));
  Press(form->BackImage);
  EXPECT_EQ(Position(), 0);
}

TEST_F(WindowNavigation, StatusLineByTypeCode) {
  struct Case {
    const char16_t* id;
    int32_t expectedType;
    QString expectedStatus;
  };
  const Case cases[] = {
      {u"L(3).Text(1)", 3007, Text(u"LocationTextMSGType") + QStringLiteral(" ( N 3 )")},
      {u"L(10).Text(1)", 10007, Text(u"LocationTextMSGType") + QStringLiteral(" ( N 10 )")},
      {u"Path(1).End", 9, Text(u"PathTextMSGType")},
      {u"Path(1).Start", 8, Text(u"PathQuestionMSGType")},
      {u"GovMsg", 6, Text(u"MissionGovMSGType")},
      {u"Par(1).Format(1)", 11, Text(u"ParViewStringMSGType")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Wide(c.id).toStdString());
    const int32_t message = project().FindSourceId(c.id);
    ASSERT_GT(message, 0);
    ASSERT_EQ(project().SourceTypes[static_cast<std::size_t>(message)], c.expectedType);
    Show(message);
    EXPECT_EQ(form->StatusLabel->text(), c.expectedStatus);
    EXPECT_TRUE(form->TargetMemo->isEnabled());
    EXPECT_FALSE(form->CopyImage->isHidden());
  }
}

TEST_F(WindowNavigation, StatusOfALinkedAndOfAnUnknownKind) {
  const int32_t message = project().FindSourceId(u"L(3).Text(1)");
  Show(message);
  // The shown message as if it had been folded into path 1's question.
  project().LinkedPath[static_cast<std::size_t>(message)] = 1;
  form->ProcessEnabledControls();
  EXPECT_EQ(form->StatusLabel->text(), Text(u"EmptyPathLabelTitleAddon") + QStringLiteral(" ( N 3 )"));
  EXPECT_FALSE(form->TargetMemo->isEnabled());
  EXPECT_TRUE(form->CopyImage->isHidden());
  EXPECT_TRUE(form->ClearImage->isHidden());

  project().LinkedPath[static_cast<std::size_t>(message)] = 0;
  for (int32_t code : {12, 0, 5000, -7}) {
    project().SourceTypes[static_cast<std::size_t>(message)] = code;
    form->ProcessEnabledControls();
    EXPECT_EQ(form->StatusLabel->text(), QString()) << code;
    EXPECT_TRUE(form->TargetMemo->isEnabled());
    EXPECT_FALSE(form->ClearImage->isHidden());
  }
}

TEST_F(WindowNavigation, CopyStoresTheTrimmedSourceText) {
  const int32_t message = project().FindSourceId(u"L(1).Text(2)");
  project().SourceTexts[static_cast<std::size_t>(message)]->Text = u"  Line one\r\nline two\r\n\r\n ";
  project().SetTargetText(message, u"something else");
  Show(message);
  EXPECT_EQ(TargetColour(*form), QColor(0, 0, 0));
  Press(form->CopyImage);
  EXPECT_EQ(project().GetTargetText(message), u"Line one\r\nline two");
  EXPECT_EQ(form->TargetMemo->Text(), Wide(u"  Line one\r\nline two\r\n\r\n "));
  EXPECT_EQ(TargetColour(*form), QColor(128, 128, 128));
}

TEST_F(WindowNavigation, ClearMarksTheMessageDeletedEveryTime) {
  Press(form->ForwardImage);
  const int32_t message = project().CurrentMessage;
  Press(form->ClearImage);
  EXPECT_EQ(form->TargetMemo->Text(), QString());
  EXPECT_EQ(project().GetTargetText(message), Deleted());
  EXPECT_EQ(TargetColour(*form), QColor(0, 0, 0));

  // The box is empty already, so no change event: the second press stores the mark itself.
  project().SetTargetText(message, u"typed meanwhile");
  Press(form->ClearImage);
  EXPECT_EQ(project().GetTargetText(message), Deleted());

  // Shown again, the box holds the mark.
  Press(form->BackImage);
  Press(form->ForwardImage);
  EXPECT_EQ(form->TargetMemo->Text(), Wide(Deleted()));
  // Only the mouse button's click clears: a right click does nothing.
  project().SetTargetText(message, u"kept");
  Press(form->BackImage);
  Press(form->ForwardImage);
  Press(form->ClearImage, Qt::RightButton);
  EXPECT_EQ(project().GetTargetText(message), u"kept");
}

TEST_F(WindowNavigation, FindNotEdited) {
  // Found: the next message still equal to its source.
  Press(form->FindNotEditedImage);
  EXPECT_EQ(Position(), 2);

  // A cleared message counts as not edited; the search wraps from the end.
  const int32_t first = project().MessageAtPosition(1);
  TranslateAllBut(0);
  project().SetTargetText(first, Deleted());
  form->MessagesListTrackBar->SetPosition(form->MessagesListTrackBar->Max());
  Press(form->FindNotEditedImage);
  EXPECT_EQ(Position(), 1);
  EXPECT_TRUE(dialogs.Messages.empty());

  // Only the current message is left: the search stays on it.
  const int32_t current = project().MessageAtPosition(5);
  TranslateAllBut(current);
  project().SetTargetText(current, project().GetSourceText(current));
  form->MessagesListTrackBar->SetPosition(5);
  Press(form->FindNotEditedImage);
  EXPECT_EQ(Position(), 5);
  EXPECT_TRUE(dialogs.Messages.empty());

  // Nothing left: the catalogue's message, and the position is kept.
  TranslateAllBut(0);
  Press(form->FindNotEditedImage);
  EXPECT_EQ(Position(), 5);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0], Text(u"CannotFindNotEditedMessage"));
}

TEST_F(WindowNavigation, TextsOutsideTheOldCodePageSurviveNavigation) {
  // Greek, CJK, an emoji (a surrogate pair), a Latin letter with a combining accent, the euro
  // sign and an inner line break: none of them has a place in Windows-1251 except the euro.
  const std::u16string texts[] = {
      u"Ωμέγα — 漢字 😀 e\u0301 €",
      u"first line\r\nsecond ✓ line",
      u"Ä\u00A0ß\u2028end",
  };
  const int32_t message = project().MessageAtPosition(3);
  for (const std::u16string& text : texts) {
    project().SetTargetText(message, text);
    project().SourceTexts[static_cast<std::size_t>(message)]->Text = text;
    form->MessagesListTrackBar->SetPosition(3);
    for (int i = 0; i < 3; ++i) Press(form->ForwardImage);
    for (int i = 0; i < 3; ++i) Press(form->BackImage);
    ASSERT_EQ(Position(), 3);
    EXPECT_EQ(project().GetTargetText(message), text);
    EXPECT_EQ(form->TargetMemo->Text(), Wide(text));
    EXPECT_EQ(form->SourceMemo->Text(), Wide(text));
    EXPECT_EQ(TargetColour(*form), QColor(128, 128, 128));
    Press(form->CopyImage);
    EXPECT_EQ(project().GetTargetText(message), text);
  }
}

TEST_F(WindowNavigation, TrackBarChangeOrderStoresTheNewMessagesText) {
  // Moving the track bar fills the target box first: the change it raises writes the newly shown
  // message's own (trimmed) text, never the previous message's.
  const int32_t a = project().MessageAtPosition(2);
  const int32_t b = project().MessageAtPosition(3);
  project().TargetTexts[static_cast<std::size_t>(b)]->Text = u"\r\n  padded translation \r\n";
  form->MessagesListTrackBar->SetPosition(2);
  const std::u16string textOfA = project().GetTargetText(a);
  form->MessagesListTrackBar->setValue(3);  // as the user drags it
  EXPECT_EQ(project().CurrentMessage, b);
  EXPECT_EQ(project().GetTargetText(b), u"padded translation");
  EXPECT_EQ(project().GetTargetText(a), textOfA);
  EXPECT_EQ(form->MessageNumberLabel->text(), QStringLiteral("3"));
  EXPECT_TRUE(dialogs.Errors.empty());
}

}  // namespace
