#pragma once
// Under the central area: the needs-review mark and the note of the shown message. The panel only
// shows what it is given and reports what the user changed; the window stores it in the project.
#include <QString>
#include <QWidget>

#include <functional>

#include "ui/CatalogueText.h"

class QCheckBox;
class QLineEdit;

class TReviewPanel : public QWidget {
 public:
  TReviewPanel(const TCatalogueText& text, QWidget* parent);
  QCheckBox* NeedsReview = nullptr;
  QLineEdit* Note = nullptr;

  // Shows the state of a message without reporting it back; `enabled` false: no message to mark.
  void Show(bool enabled, bool needsReview, const QString& note);
  std::function<void()> OnReviewClicked;
  std::function<void()> OnNoteEdited;
};
