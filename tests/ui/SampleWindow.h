#pragma once
// The start most window tests share: the window shown, with a new project of the sample quest made
// as the user makes it.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "UiTestSupport.h"

namespace uitest {

class SampleWindow : public testing::Test {
 protected:
  void SetUp() override {
    ShowWindow(false);
    ASSERT_NO_FATAL_FAILURE(NewSampleProject());
  }

  // The window made and shown; `active` makes it the active window too, for tests whose keys must
  // reach the focused widget.
  void ShowWindow(bool active) {
    form = MakeWindow(dialogs);
    form->show();
    if (!active) return;
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // The file dialog answered with the sample quest, then `command` (a click on the New project
  // button unless another way of asking is given).
  void NewSampleProject(const std::function<void()>& command = {}) {
    dialogs.Answer(QStringLiteral("SourceOpenDialog"), SampleQuest());
    if (command)
      command();
    else
      QTest::mouseClick(form->NewProjectButton, Qt::LeftButton);
    ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  }
  TtxgProject& project() { return form->Session->Project(); }

  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

// The sample window made active with the cursor in the translation, for tests that press keys.
class ActiveSampleWindow : public SampleWindow {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ShowWindow(true));
    ASSERT_NO_FATAL_FAILURE(NewSampleProject());
    form->FocusTranslation();
  }
  void Press(const QKeySequence& keys) { QTest::keySequence(QApplication::focusWidget(), keys); }
};

}  // namespace uitest
