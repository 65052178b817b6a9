// The status bar, the review mark and the note: what the translator sees of where they are and how
// far the translation is, kept right through any mix of edits, undo and redo.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "SampleWindow.h"
#include "cli/ToolRunner.h"
#include "project/WordCount.h"
#include "support/JD_BlockPar.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/ReviewPanel.h"
#include "ui/StatusBar.h"

using namespace uitest;

namespace {

TEST(StatusBarText, ProgressRoundsDownAndNamesReviewOnlyWhenThere) {
  struct Case {
    int translated, count, review;
    const char* expected;
  };
  const Case cases[] = {
      {0, 0, 0, ""},
      {0, 26095, 0, "0 of 26095 translated (0%)"},
      {26094, 26095, 0, "26094 of 26095 translated (99%)"},  // never 100% with one left
      {26095, 26095, 0, "26095 of 26095 translated (100%)"},
      {1, 3, 2, "1 of 3 translated (33%), 2 need review"},
      {3, 3, 1, "3 of 3 translated (100%), 1 needs review"},
      {2, 3, 0, "2 of 3 translated (66%)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgressText(BuiltInTexts(), c.translated, c.count, c.review), QLatin1String(c.expected)) << c.expected;
}

class WindowProgress : public ActiveSampleWindow {
 protected:
  // The progress as a plain count over every position would give it.
  QString CountedProgress() {
    int translated = 0;
    int review = 0;
    for (int32_t p = 1; p <= project().PositionCount; ++p) {
      const int32_t m = project().MessageAtPosition(p);
      if (!project().IsNotEdited(m)) ++translated;
      if (project().NeedsReview(m)) ++review;
    }
    return ProgressText(CatalogueLookup(*form->Catalogue), translated, project().PositionCount, review);
  }
  int32_t Shown() const { return form->Session->Project().CurrentMessage; }

  Scratch scratch;
};

TEST_F(WindowProgress, WhereTheTranslatorIs) {
  const int32_t message = project().FindSourceId(u"L(3).Text(1)");
  form->MessagesListTrackBar->SetPosition(project().PositionOfMessage(message));
  const int position = form->MessagesListTrackBar->Position();
  EXPECT_EQ(form->Status->Position->text(),
            QStringLiteral("Message %1 of %2").arg(position).arg(project().PositionCount));
  EXPECT_EQ(form->Status->Id->text(), QStringLiteral("L(3).Text(1)"));
  EXPECT_EQ(form->Status->Kind->text(), form->StatusLabel->text());
  EXPECT_EQ(form->Status->Progress->text(), CountedProgress());
  EXPECT_EQ(form->Status->Progress->toolTip(),
            QStringLiteral("Words left: 473 of 473 (473 untranslated, 0 to review)"));
  form->MessagesListTrackBar->SetPosition(0);
  EXPECT_EQ(form->Status->Position->text(), QString());
  EXPECT_EQ(form->Status->Id->text(), QString());
}

TEST_F(WindowProgress, CountsEqualAPlainCountAfterRandomEdits) {
  std::mt19937 random(20261208);
  auto pick = [&random](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
  const int positions = project().PositionCount;
  int mostReviewed = 0;
  for (int step = 0; step < 300; ++step) {
    form->MessagesListTrackBar->SetPosition(1 + pick(positions));
    form->FocusTranslation();
    switch (pick(8)) {
      case 0:
        QTest::keyClicks(form->TargetMemo, QStringLiteral("x"));
        break;
      case 1:
        form->TargetMemo->selectAll();
        QTest::keyClick(form->TargetMemo, Qt::Key_Backspace);
        break;
      case 2:
        Press(QKeySequence(Qt::CTRL | Qt::Key_B));
        break;
      case 3:
        QTest::mouseClick(form->ClearImage, Qt::LeftButton);
        break;
      case 4:
        Press(QKeySequence(Qt::CTRL | Qt::Key_U));
        break;
      case 5:
        Press(QKeySequence(Qt::CTRL | Qt::Key_Return));
        break;
      case 6:
        Press(QKeySequence(Qt::CTRL | Qt::Key_Z));
        break;
      default:
        Press(QKeySequence(Qt::CTRL | Qt::Key_Y));
        break;
    }
    ASSERT_EQ(form->Status->Progress->text(), CountedProgress()) << "step " << step;
    // The words left are kept, not counted again: they follow every edit, undo and redo.
    ASSERT_EQ(form->Status->Progress->toolTip(),
              WordsLeftText(CatalogueLookup(*form->Catalogue), MeasureProject(project())))
        << "step " << step;
    mostReviewed = std::max(mostReviewed, project().ReviewPositions());
  }
  // The keys did reach their commands: steps piled up and marks were set.
  EXPECT_GT(form->Session->Edits().count(), 50);
  EXPECT_GT(mostReviewed, 3);
  // And all the way back: nothing translated, nothing to review, nothing to save.
  while (form->Session->Edits().canUndo()) form->Session->Edits().undo();
  EXPECT_EQ(form->Status->Progress->text(), CountedProgress());
  EXPECT_EQ(project().ReviewPositions(), 0);
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_TRUE(dialogs.Errors.empty());
}

// The status bar, the rows of each filter and `xgtool stats` of the saved project agree with a
// plain count after random edits, flagged untranslated messages and kept translations among them.
TEST_F(WindowProgress, StatusBarFiltersAndStatsAgreeAfterRandomEdits) {
  std::mt19937 random(22);
  TMessageListPanel& list = *form->Tools->ListPanel;
  const int positions = project().PositionCount;
  const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_U), QKeySequence(Qt::CTRL | Qt::Key_Return),
                               QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::Key_X)};
  int flaggedUntranslated = 0, keptAsIs = 0;
  for (int step = 1; step <= 200; ++step) {
    form->MessagesListTrackBar->SetPosition(1 + static_cast<int>(random() % static_cast<unsigned>(positions)));
    form->FocusTranslation();
    Press(keys[random() % 4]);
    if (step % 40 != 0) continue;
    int translated = 0, review = 0;
    for (int32_t p = 1; p <= positions; ++p) {
      const int32_t m = project().MessageAtPosition(p);
      translated += project().IsTranslated(m);
      review += project().NeedsReview(m);
      flaggedUntranslated += project().NeedsReview(m) && !project().IsTranslated(m);
      keptAsIs += project().TranslatedAsIs(m);
    }
    EXPECT_EQ(form->Status->Progress->text(), CountedProgress());
    for (const auto& [filter, rows] : {std::pair{1, positions - translated}, {2, review}, {3, translated}}) {
      list.FilterBox->setCurrentIndex(filter);
      EXPECT_EQ(list.CountLabel->text(), QStringLiteral("%1 of %2").arg(rows).arg(positions)) << step << " " << filter;
    }
    list.FilterBox->setCurrentIndex(0);
    const QString saved = scratch.File(QStringLiteral("counts.txg"));
    form->Session->SaveAs(saved);
    EXPECT_EQ(clitest::RunToolWithShippedCatalogue({"stats", FileNameForLibrary(saved)}).out,
              "positions: " + std::to_string(positions) + "\ntranslated: " + std::to_string(translated) +
                  "\nuntranslated: " + std::to_string(positions - translated) + "\nreview: " + std::to_string(review) +
                  "\n");
  }
  EXPECT_GT(flaggedUntranslated, 2);
  EXPECT_GT(keptAsIs, 2);
}

TEST_F(WindowProgress, ReviewMarkIsAStepAndShownBesideTheTarget) {
  const QColor plain = form->TargetMemo->palette().color(QPalette::Base);
  form->MessagesListTrackBar->SetPosition(3);
  const int32_t message = Shown();
  form->FocusTranslation();
  Press(QKeySequence(Qt::CTRL | Qt::Key_U));
  EXPECT_TRUE(project().NeedsReview(message));
  EXPECT_TRUE(form->ReviewPanel->NeedsReview->isChecked());
  EXPECT_NE(form->TargetMemo->palette().color(QPalette::Base), plain);
  EXPECT_TRUE(form->Status->Progress->text().endsWith(QStringLiteral(", 1 needs review")));
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Mark for review"));

  // Another message shows its own state; undo comes back here first.
  form->MessagesListTrackBar->SetPosition(5);
  EXPECT_FALSE(form->ReviewPanel->NeedsReview->isChecked());
  EXPECT_EQ(form->TargetMemo->palette().color(QPalette::Base), plain);
  form->Session->Edits().undo();
  EXPECT_EQ(Shown(), message);
  EXPECT_FALSE(project().NeedsReview(message));
  EXPECT_FALSE(form->ReviewPanel->NeedsReview->isChecked());
  form->Session->Edits().redo();
  EXPECT_TRUE(project().NeedsReview(message));

  // The box of the panel does the same as the key.
  QTest::mouseClick(form->ReviewPanel->NeedsReview, Qt::LeftButton);
  EXPECT_FALSE(project().NeedsReview(message));
  EXPECT_EQ(form->Session->Edits().undoText(), QStringLiteral("Clear review mark"));
}

TEST_F(WindowProgress, DoneAndNextClearsTheMarkAndGoesOnToTheNextUnfinished) {
  // Positions 2 and 3 translated; 3 also flagged; 4 untranslated.
  for (int p : {2, 3}) project().SetTargetText(project().MessageAtPosition(p), u"translated");
  project().SetNeedsReview(project().MessageAtPosition(3), true);
  form->MessagesListTrackBar->SetPosition(1);
  form->FocusTranslation();
  const QColor grey = form->TargetMemo->palette().color(QPalette::Text);
  Press(QKeySequence(Qt::CTRL | Qt::Key_Return));
  EXPECT_TRUE(project().TranslatedAsIs(project().MessageAtPosition(1)));  // equal to its source
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 3);                   // flagged: unfinished
  EXPECT_EQ(QApplication::focusWidget(), form->TargetMemo);
  Press(QKeySequence(Qt::CTRL | Qt::Key_Return));
  EXPECT_FALSE(project().NeedsReview(project().MessageAtPosition(3)));
  EXPECT_EQ(form->MessagesListTrackBar->Position(), 4);
  EXPECT_TRUE(form->TargetMemo->textCursor().atEnd());
  EXPECT_EQ(form->TargetMemo->palette().color(QPalette::Text), grey);
  form->MessagesListTrackBar->SetPosition(1);
  EXPECT_NE(form->TargetMemo->palette().color(QPalette::Text), grey);  // finished: no longer grey
}

TEST_F(WindowProgress, TheNoteIsStoredAndSaved) {
  form->MessagesListTrackBar->SetPosition(2);
  const int32_t message = Shown();
  QTest::keyClicks(form->ReviewPanel->Note, QStringLiteral("ask the author"));
  EXPECT_EQ(project().Note(message), u"ask the author");
  EXPECT_TRUE(form->isWindowModified());
  form->MessagesListTrackBar->SetPosition(3);
  EXPECT_EQ(form->ReviewPanel->Note->text(), QString());
  form->MessagesListTrackBar->SetPosition(2);
  EXPECT_EQ(form->ReviewPanel->Note->text(), QStringLiteral("ask the author"));

  const QString saved = scratch.File(QStringLiteral("note.txg"));
  dialogs.Answer(QStringLiteral("ProjectSaveDialog"), saved);
  QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_FALSE(form->isWindowModified());
  TtxgProject reread(*form->Catalogue);
  reread.LoadFromFile(FileNameForLibrary(saved));
  EXPECT_EQ(reread.Note(message), u"ask the author");
  // With no message shown there is nothing to mark.
  form->MessagesListTrackBar->SetPosition(0);
  EXPECT_FALSE(form->ReviewPanel->NeedsReview->isEnabled());
  EXPECT_FALSE(form->ReviewPanel->Note->isEnabled());
}

}  // namespace
