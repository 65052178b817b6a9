#include "ui/CentralArea.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int ToolBarHeight = 35;
constexpr int ToolButtonWidth = 38;
constexpr int ToolButtonHeight = 27;
const QSize ToolImageSize(31, 21);
const QSize StepImageSize(35, 32);
const QSize WideImageSize(54, 32);

// Windows' "round": halves go to the even neighbour (the default floating-point rounding mode).
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }
int Truncate(double value) { return static_cast<int>(std::trunc(value)); }

QPixmap RenderSvg(const QString& resource, QSize size, qreal pixelRatio) {
  QPixmap pixmap(size * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(resource);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QIcon SvgIcon(const QString& resource, QSize size) {
  QIcon icon;
  icon.addPixmap(RenderSvg(resource, size, 1.0));
  icon.addPixmap(RenderSvg(resource, size, 2.0));
  return icon;
}

}  // namespace

QFont WindowFont() {
  // "MS Sans Serif" 8 pt at 96 dpi is 11 pixels high; where it is missing the system's sans-serif
  // font stands in.
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

TCentralArea::TCentralArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CentralArea"));
  setMinimumSize(SmallestWidth, SmallestHeight);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  static const char* const imageNames[] = {"new-project",   "load-project",  "save-project",
                                           "export-source", "export-target", "quick-save",
                                           "load-messages", "save-messages", "font"};
  for (const char* name : imageNames)
    ButtonsImageList.push_back(SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), ToolImageSize));

  ToolBar1 = new QWidget(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(0, 0, InitialWidth, ToolBarHeight);
  int toolLeft = 0;
  auto addGap = [&](int width) { toolLeft += width; };
  auto addButton = [&](QToolButton*& button, const char* name, int image) {
    button = new QToolButton(ToolBar1);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(ButtonsImageList.at(static_cast<std::size_t>(image)));
    button->setIconSize(ToolImageSize);
    button->setGeometry(toolLeft, (ToolBarHeight - ToolButtonHeight) / 2, ToolButtonWidth, ToolButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    toolLeft += ToolButtonWidth;
  };
  addGap(9);
  addButton(NewProjectButton, "NewProjectButton", 0);
  addButton(LoadProjectButton, "LoadProjectButton", 1);
  addButton(SaveProjectButton, "SaveProjectButton", 2);
  addButton(QuickSaveProjectButton, "QuickSaveProjectButton", 5);
  addGap(27);
  addButton(ExportSourceBtn, "ExportSourceBtn", 3);
  addGap(14);
  addButton(ExportTargetBtn, "ExportTargetBtn", 4);
  addGap(20);
  addButton(LoadMsgsButton, "LoadMsgsButton", 6);
  addGap(8);
  addButton(SaveMsgsButton, "SaveMsgsButton", 7);
  addGap(43);
  addButton(ToolButton7, "ToolButton7", 8);

  SourceMemo = new TMemo(this);
  SourceMemo->setObjectName(QStringLiteral("SourceMemo"));
  SourceMemo->setGeometry(8, 48, 521, 105);

  StatusLabel = new QLabel(this);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  StatusLabel->setGeometry(8, 158, 521, 13);
  StatusLabel->setAlignment(Qt::AlignCenter);
  StatusLabel->setAutoFillBackground(true);
  StatusLabel->setBackgroundRole(QPalette::Window);
  QPalette statusPalette = StatusLabel->palette();
  statusPalette.setColor(QPalette::Window, QColor(192, 192, 192));
  StatusLabel->setPalette(statusPalette);

  TargetMemo = new TMemo(this);
  TargetMemo->setObjectName(QStringLiteral("TargetMemo"));
  TargetMemo->setGeometry(8, 184, 521, 105);

  MessagesListTrackBar = new TTrackBar(this);
  MessagesListTrackBar->setObjectName(QStringLiteral("MessagesListTrackBar"));
  MessagesListTrackBar->setGeometry(0, 304, 207, 25);

  MessageNumberLabel = new QLabel(QStringLiteral("0"), this);
  MessageNumberLabel->setObjectName(QStringLiteral("MessageNumberLabel"));
  MessageNumberLabel->setGeometry(218, 310, 6, 13);
  MessageNumberLabel->adjustSize();

  auto addPicture = [&](TPictureButton*& picture, const char* name, const char* image, QRect bounds, QSize imageSize) {
    picture = new TPictureButton(this);
    picture->setObjectName(QLatin1String(name));
    picture->setGeometry(bounds);
    picture->setPixmap(RenderSvg(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(image)), imageSize,
                                 std::max<qreal>(1.0, devicePixelRatioF())));
  };
  addPicture(BackImage, "BackImage", "back", QRect(261, 304, 35, 32), StepImageSize);
  addPicture(FindNotEditedImage, "FindNotEditedImage", "find-not-edited", QRect(301, 304, 35, 32), StepImageSize);
  addPicture(ForwardImage, "ForwardImage", "forward", QRect(341, 304, 35, 32), StepImageSize);
  addPicture(CopyImage, "CopyImage", "copy", QRect(398, 304, 57, 33), WideImageSize);
  addPicture(ClearImage, "ClearImage", "clear", QRect(473, 304, 55, 33), WideImageSize);

  SourceMemo->setFont(WindowFont());
  TargetMemo->setFont(WindowFont());
}

void TCentralArea::ShowMessageState(bool hasMessage, bool stillSource, bool flagged, bool linked) {
  QPalette palette = TargetMemo->palette();
  palette.setColor(QPalette::Text, stillSource ? QColor(128, 128, 128) : QColor(0, 0, 0));
  palette.setColor(QPalette::Base,
                   flagged ? QColor(255, 236, 196) : QApplication::palette(TargetMemo).color(QPalette::Base));
  TargetMemo->setPalette(palette);
  TargetMemo->setReadOnly(!hasMessage);
  if (!hasMessage) return;
  TargetMemo->setEnabled(!linked);
  CopyImage->setVisible(!linked);
  ClearImage->setVisible(!linked);
}

QSize TCentralArea::LayOut() {
  // Qt cannot know the window manager's frame before it is drawn, so the area's own size is the
  // outer size the rules speak of.
  const double W = std::max<double>(width(), SmallestWidth);
  const double H = std::max<double>(height(), SmallestHeight);

  const int bottomRowTop = RoundHalfEven(H - 60);
  for (QWidget* picture :
       {static_cast<QWidget*>(ClearImage), static_cast<QWidget*>(CopyImage), static_cast<QWidget*>(ForwardImage),
        static_cast<QWidget*>(BackImage), static_cast<QWidget*>(FindNotEditedImage)})
    picture->move(picture->x(), bottomRowTop);
  ClearImage->move(RoundHalfEven(W - CopyImage->width() - 16), ClearImage->y());
  CopyImage->move(ClearImage->x() - ClearImage->width() - 15, CopyImage->y());
  ForwardImage->move(CopyImage->x() - ForwardImage->width() - 20, ForwardImage->y());
  FindNotEditedImage->move(ForwardImage->x() - FindNotEditedImage->width() - 5, FindNotEditedImage->y());
  BackImage->move(FindNotEditedImage->x() - BackImage->width() - 5, BackImage->y());
  // The track bar gives up width when the largest position would not fit before the back arrow.
  const int numberRoom =
      MessageNumberLabel->fontMetrics().horizontalAdvance(QString::number(MessagesListTrackBar->Max()));
  const int trackBarWidth =
      std::min(RoundHalfEven(W - 320), BackImage->x() - NumberGap - numberRoom - 12 - MessagesListTrackBar->x());
  MessagesListTrackBar->setGeometry(MessagesListTrackBar->x(), bottomRowTop, trackBarWidth,
                                    MessagesListTrackBar->height());
  MessageNumberLabel->move(MessagesListTrackBar->x() + MessagesListTrackBar->width() + 12, RoundHalfEven(H - 56));

  const int memoHeight = RoundHalfEven((H - 48 - 60) / 2 - 20);
  const int memoWidth = RoundHalfEven(W) - 16 - SourceMemo->x();
  SourceMemo->resize(memoWidth, memoHeight);
  StatusLabel->setGeometry(StatusLabel->x(), SourceMemo->y() + SourceMemo->height() + 4, Truncate(W - 25),
                           StatusLabel->height());
  TargetMemo->setGeometry(TargetMemo->x(), SourceMemo->y() + SourceMemo->height() + 20, memoWidth, memoHeight);
  ToolBar1->resize(RoundHalfEven(W), ToolBar1->height());
  return {RoundHalfEven(W), RoundHalfEven(H)};
}
