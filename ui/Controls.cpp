#include "ui/Controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCursor>

#include <utility>

namespace {

// The text box shows line breaks of any form; the text itself is kept as given.
QString DisplayForm(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTabChangesFocus(true);
  // The window's undo stack owns every step; the box's own history would undo behind its back.
  setUndoRedoEnabled(false);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!settingText_) TakeTypedText();
  });
}

void TMemo::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  settingText_ = true;
  setPlainText(DisplayForm(text));
  settingText_ = false;
  if (OnChange) OnChange();
}

void TMemo::ShowStoredText(const QString& text) {
  auto onChange = std::exchange(OnChange, nullptr);
  SetText(text);
  OnChange = std::move(onChange);
}

void TMemo::PlaceCursor(bool replaceAll) {
  if (replaceAll)
    selectAll();
  else
    moveCursor(QTextCursor::End);
}

void TMemo::TakeTypedText() {
  // The raw text keeps what the plain text would change (no-break spaces, line separators); the
  // quest's line break is "\r\n".
  QString typed = document()->toRawText();
  typed.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  if (typed == text_) return;
  text_ = typed;
  userEditing_ = true;
  if (OnUserEdit) OnUserEdit();
  userEditing_ = false;
}

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setMinimum(0);
  setMaximum(0);
  setValue(0);
  setPageStep(1);
  setSingleStep(0);
  setTickPosition(QSlider::NoTicks);
  // Program changes block the signal, so valueChanged means the user moved the slider.
  connect(this, &QSlider::valueChanged, this, [this] {
    if (UserMoved) UserMoved();
  });
}

void TTrackBar::RaiseChangeIfMoved(int oldPosition) {
  if (value() != oldPosition && OnChange) OnChange();
}

void TTrackBar::SetPosition(int position) {
  const int oldPosition = value();
  {
    QSignalBlocker blocker(this);
    setValue(position);
  }
  RaiseChangeIfMoved(oldPosition);
}

void TTrackBar::SetMax(int max) {
  const int oldPosition = value();
  {
    QSignalBlocker blocker(this);
    setMaximum(max);
  }
  RaiseChangeIfMoved(oldPosition);
}

TPictureButton::TPictureButton(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setCursor(Qt::PointingHandCursor);
}

void TPictureButton::mousePressEvent(QMouseEvent* event) {
  pressedWithLeft_ = event->button() == Qt::LeftButton;
  event->accept();
  if (OnMouseDown) OnMouseDown();
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressedWithLeft_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressedWithLeft_ = false;
  event->accept();
  if (click && OnClick) OnClick();
}

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TElidedLabel::SetFullText(const QString& text) {
  setText(text);
  UpdateToolTip();
}

QString TElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

// The layout may give the label less than its text: the room the panel has decides, not the text.
QSize TElidedLabel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 3, QLabel::minimumSizeHint().height()};
}

void TElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), ShownText(),
                        foregroundRole());
}

void TElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

void TElidedLabel::UpdateToolTip() { setToolTip(ShownText() == text() ? QString() : text()); }
