#pragma once
// Tools → Pre-translate…: how many untranslated messages the memory would fill, band by band, for
// the minimum similarity chosen. Counting changes nothing (it is the dry run); the Pre-translate
// button accepts, and the window then stores the fills as one undo step.
#include <QDialog>

#include <functional>

#include "memory/Pretranslation.h"
#include "ui/CatalogueText.h"

class QDialogButtonBox;
class QLabel;
class QSpinBox;
class QTimer;

class TPretranslateDialog : public QDialog {
 public:
  using TCount = std::function<TPretranslationCounts(int minimumPercent)>;
  TPretranslateDialog(const TCatalogueText& text, TCount count, QWidget* parent = nullptr);

  QSpinBox* Minimum = nullptr;
  // Exact, 95–99, 85–94, minimum–84, none.
  QLabel* Counts[5] = {};
  QLabel* FromMinimumLabel = nullptr;
  QDialogButtonBox* Buttons = nullptr;

  // The counts for the minimum shown now (the spin box counts again shortly after each change).
  void Recount();
  const TPretranslationCounts& Shown() const { return shown_; }

 private:
  TCatalogueText text_;
  TCount count_;
  QTimer* recount_ = nullptr;
  TPretranslationCounts shown_;
};
