#pragma once
// Keeps a bottom dock's share of the window's height as the window is resized. QMainWindow gives
// every new pixel to the central area, which left the message list two to eight rows however tall
// the window grew. The share is read at each resize from the dock's height before it, so a
// splitter the user dragged keeps its place in proportion.
#include <QObject>

class QDockWidget;
class QMainWindow;

class TDockShare : public QObject {
 public:
  TDockShare(QMainWindow& window, QDockWidget& dock);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow& window_;
  QDockWidget& dock_;
};
