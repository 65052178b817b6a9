#include "ui/KeyboardFlow.h"

#include <QAbstractSpinBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <utility>

namespace {

bool IsTextField(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(widget) != nullptr || qobject_cast<const QTextEdit*>(widget) != nullptr;
}

// The window's own fields, a floating dock's included; a dialog's fields keep their bindings.
bool BelongsTo(const QWidget* widget, const QWidget& window) {
  const QWidget* top = widget->window();
  return top == &window || (qobject_cast<const QDockWidget*>(top) != nullptr && top->parentWidget() == &window);
}

bool Contains(const std::vector<QObject*>& objects, const QObject* object) {
  return std::find(objects.begin(), objects.end(), object) != objects.end();
}

}  // namespace

TKeyboardFlow::TKeyboardFlow(QWidget& window, std::function<bool(const QKeySequence&)> isWindowShortcut,
                             std::function<void()> returnToTranslation)
    : QObject(&window),
      isWindowShortcut_(std::move(isWindowShortcut)),
      returnToTranslation_(std::move(returnToTranslation)) {
  for (QWidget* widget : window.findChildren<QWidget*>())
    if (IsTextField(widget) && BelongsTo(widget, window)) widget->installEventFilter(this);
}

void TKeyboardFlow::SetTabOrder(const std::vector<QWidget*>& chain) {
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TKeyboardFlow::ReturnFrom(QWidget* field, bool enterReturns) {
  field->installEventFilter(this);  // once, however often it is asked
  escapeFields_.push_back(field);
  if (enterReturns) enterFields_.push_back(field);
}

bool TKeyboardFlow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Left unaccepted, the key goes to the window's shortcuts before the field sees it.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isWindowShortcut_(QKeySequence(key->keyCombination()))) {
      event->ignore();
      return true;
    }
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool escape = key->key() == Qt::Key_Escape && Contains(escapeFields_, watched);
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && Contains(enterFields_, watched);
    if (plain && (escape || enter)) {
      returnToTranslation_();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
