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
