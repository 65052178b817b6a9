#include "ui/DockShare.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QResizeEvent>

#include <cmath>

TDockShare::TDockShare(QMainWindow& window, QDockWidget& dock) : QObject(&window), window_(window), dock_(dock) {
  window.installEventFilter(this);
}

bool TDockShare::eventFilter(QObject* watched, QEvent* event) {
  // The filter runs before the window's layout has placed anything for the new size.
  if (watched == &window_ && event->type() == QEvent::Resize && dock_.isVisible() && !dock_.isFloating()) {
    const auto* resize = static_cast<const QResizeEvent*>(event);
    const int oldHeight = resize->oldSize().height();
    if (oldHeight > 0 && oldHeight != resize->size().height()) {
      const double share = static_cast<double>(dock_.height()) / oldHeight;
      window_.resizeDocks({&dock_}, {static_cast<int>(std::lround(share * resize->size().height()))}, Qt::Vertical);
    }
  }
  return QObject::eventFilter(watched, event);
}
