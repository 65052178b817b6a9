#pragma once
// The window from the keyboard alone. Window shortcuts win over the text fields' own bindings
// (Ctrl+U in the note field toggles the review mark instead of erasing the note); Tab walks from
// the translation through the note and the review mark to the list; Escape in the search field or
// the list, and Enter on a list row, return to the translation.
#include <QKeySequence>
#include <QObject>

#include <functional>
#include <vector>

class QWidget;

class TKeyboardFlow : public QObject {
 public:
  // Looks after every text field of `window` (its docks included) that exists now.
  TKeyboardFlow(QWidget& window, std::function<bool(const QKeySequence&)> isWindowShortcut,
                std::function<void()> returnToTranslation);

  // Tab goes through `chain` in this order.
  static void SetTabOrder(const std::vector<QWidget*>& chain);
  // Escape in `field` returns to the translation; Enter and Return too when `enterReturns`.
  void ReturnFrom(QWidget* field, bool enterReturns);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(const QKeySequence&)> isWindowShortcut_;
  std::function<void()> returnToTranslation_;
  std::vector<QObject*> escapeFields_;
  std::vector<QObject*> enterFields_;
};
