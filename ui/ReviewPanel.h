#pragma once
// Under the central area: the needs-review mark and the note of the shown message. The panel only
// shows what it is given and reports what the user changed; the window stores it in the project.
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "ui/CatalogueText.h"

class QCheckBox;
class QLineEdit;
class QMainWindow;
class TtxgProject;

class TReviewPanel : public QWidget {
 public:
  TReviewPanel(const TCatalogueText& text, QWidget* parent);
  // The panel in a fixed tool bar of its own under the window's central area.
  static TReviewPanel* AddAsToolBar(QMainWindow& window, const TCatalogueText& text);
  QCheckBox* NeedsReview = nullptr;
  QLineEdit* Note = nullptr;

  // Shows the state of a message without reporting it back; `enabled` false: no message to mark.
  void Show(bool enabled, bool needsReview, const QString& note);
  // Shows the review mark and note of `message` of the project (0: none; a linked duplicate follows
  // the question it folds into and cannot be marked itself).
  void ShowMessage(const TtxgProject& project, int32_t message);
  std::function<void()> OnReviewClicked;
  std::function<void()> OnNoteEdited;
};
