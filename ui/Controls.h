#pragma once
// The central area's own kinds of control: the text boxes, the track bar and the picture buttons,
// each raising plain callbacks that the window connects to its handlers.
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QString>

#include <functional>

class QMouseEvent;

// A multi-line text box, read-only unless the window lets the user type. It keeps the exact text it
// was given (line breaks included), since the target box's text is written back into the project.
// OnChange is raised when the program sets a different text, OnUserEdit when the user changed it
// (Text() then holds the typed text, its line breaks as "\r\n").
class TMemo : public QPlainTextEdit {
 public:
  explicit TMemo(QWidget* parent);
  const QString& Text() const { return text_; }
  void SetText(const QString& text);
  // Shows `text` as SetText does, without raising OnChange (the text is already stored).
  void ShowStoredText(const QString& text);
  bool UserEditing() const { return userEditing_; }
  // Typing replaces the whole text (selected) or goes on at its end.
  void PlaceCursor(bool replaceAll);
  std::function<void()> OnChange;
  std::function<void()> OnUserEdit;
  // Room at the right edge that the text never reaches (for a sign drawn there).
  void ReserveRightMargin(int pixels) { setViewportMargins(0, 0, pixels, 0); }

 private:
  void TakeTypedText();
  QString text_;
  bool settingText_ = false;
  bool userEditing_ = false;
};

// The horizontal track bar. Program changes of the position or the maximum raise OnChange directly
// (so a failure travels back to the command that moved it); moves by the user arrive through
// UserMoved, which the window guards.
class TTrackBar : public QSlider {
 public:
  explicit TTrackBar(QWidget* parent);
  int Position() const { return value(); }
  void SetPosition(int position);
  int Max() const { return maximum(); }
  void SetMax(int max);
  std::function<void()> OnChange;
  std::function<void()> UserMoved;

 private:
  void RaiseChangeIfMoved(int oldPosition);
};

// A picture that reacts to the mouse: OnMouseDown on any button press, OnClick when the left
// button is released over it.
class TPictureButton : public QLabel {
 public:
  explicit TPictureButton(QWidget* parent);
  std::function<void()> OnMouseDown;
  std::function<void()> OnClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressedWithLeft_ = false;
};

// A one-line label that never widens its panel: a text longer than the room it is given is drawn
// cut with "…" and shown whole in the tooltip (a search expression's error, for instance). text()
// stays the whole text.
class TElidedLabel : public QLabel {
 public:
  explicit TElidedLabel(QWidget* parent);
  void SetFullText(const QString& text);
  // What the label draws in its present room.
  QString ShownText() const;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateToolTip();
};
