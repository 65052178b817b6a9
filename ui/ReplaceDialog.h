#pragma once
// TReplaceDialog: replace in translations, never in sources: in the shown message or in all
// messages. The count of translations that would change is shown before anything changes; the
// window turns a confirmed replace into one undo step (OnReplace).
#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

#include "project/MessageSearch.h"
#include "ui/CatalogueText.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TtxgProject;

class TReplaceDialog : public QDialog {
 public:
  TReplaceDialog(const TtxgProject& project, TCatalogueText text, QWidget* parent = nullptr);

  QLineEdit* FindEdit = nullptr;
  QLineEdit* ReplaceEdit = nullptr;
  QCheckBox* CaseBox = nullptr;
  QCheckBox* WordsBox = nullptr;
  QCheckBox* RegexBox = nullptr;
  QRadioButton* ShownButton = nullptr;
  QRadioButton* AllButton = nullptr;
  QLabel* PreviewLabel = nullptr;
  QPushButton* ReplaceButton = nullptr;
  QPushButton* CloseButton = nullptr;

  // The message the window shows (the scope "shown message").
  std::function<int32_t()> ShownMessage;
  // A confirmed replace; the plan is not empty.
  std::function<void(std::vector<TReplacement> plan)> OnReplace;

  // What the fields would change now; raises ESearchPatternError for an invalid expression.
  std::vector<TReplacement> Plan() const;
  // Shows the count (or the reason the fields are not valid) and enables Replace accordingly.
  void UpdatePreview();

 private:
  const TtxgProject& project_;
  TCatalogueText text_;
};
