#include "ui/XGTranslator.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <exception>

#include "project/CatalogueKeys.h"
#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/ErrorDescription.h"
#include "support/Installation.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Error.h"
#include "ui/MainMenu.h"
#include "ui/MessageChecks.h"
#include "ui/MessageTools.h"
#include "ui/RecentFiles.h"
#include "ui/ReuseSession.h"
#include "ui/ReviewPanel.h"
#include "ui/StatusBar.h"
#include "ui/WindowSettings.h"

// The icons are compiled into this static library; a program that links it must register them.
static void RegisterWindowIcons() { Q_INIT_RESOURCE(icons); }

namespace {

// Layout numbers of the window as it is first created.
constexpr int InitialLeft = 157;
constexpr int InitialTop = 107;
constexpr int InitialWidth = 547;
constexpr int InitialHeight = 385;
// The message list under the central area at first start: a header and about eight rows.
constexpr int InitialListHeight = 260;
constexpr int SmallestWidth = 480;
constexpr int SmallestHeight = 300;
constexpr int ToolBarHeight = 35;
constexpr int ToolButtonWidth = 38;
constexpr int ToolButtonHeight = 27;
const QSize ToolImageSize(31, 21);
const QSize StepImageSize(35, 32);
const QSize WideImageSize(54, 32);

// Windows' "round": halves go to the even neighbour (the default floating-point rounding mode).
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }
int Truncate(double value) { return static_cast<int>(std::trunc(value)); }

QString FromWide(const std::u16string& text) { return QString::fromStdU16String(text); }
std::u16string ToWide(const QString& text) { return text.toStdU16String(); }

// The text box shows line breaks of any form; the text itself is kept as given.
QString DisplayForm(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

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

QFont WindowFont() {
  // "MS Sans Serif" 8 pt at 96 dpi is 11 pixels high; where it is missing the system's sans-serif
  // font stands in.
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

}  // namespace

std::string FileNameForLibrary(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

TErrorPlace ErrorPlaceOf(const std::exception& error) {
  TErrorPlace place;
  if (const TFileErrorContext* context = FileErrorContextOf(error)) {
    place.FileName = QFile::decodeName(QByteArray::fromStdString(context->FileName));
    place.Offset = context->Offset;
    place.Line = context->Line;
    place.Note = QString::fromStdString(context->Note);
  }
  return place;
}

QString ErrorBoxText(const QString& text, const TErrorPlace& place) {
  TFileErrorContext context;
  context.FileName = FileNameForLibrary(place.FileName);
  context.Offset = place.Offset;
  context.Line = place.Line;
  context.Note = place.Note.toStdString();
  QStringList lines;
  for (const std::string& line : DescribeError(text.toStdString(), &context)) lines << QString::fromStdString(line);
  return lines.join(QLatin1Char('\n'));
}

QStringList DefaultCatalogueCandidates() {
  QStringList candidates;
  for (const std::string& candidate : CatalogueCandidates()) candidates << QFile::decodeName(candidate.c_str());
  return candidates;
}

// ---------------------------------------------------------------------------------------------
// Controls

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

bool TMemo::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && PassesShortcut) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (PassesShortcut(QKeySequence(key->keyCombination()))) {
      event->ignore();
      return true;
    }
  }
  return QPlainTextEdit::event(event);
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

// ---------------------------------------------------------------------------------------------
// The window

TForm1::TForm1(TWindowDialogs& dialogs, const QStringList& catalogueCandidates, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
  RegisterWindowIcons();
  for (const QString& candidate : catalogueCandidates) {
    if (QFileInfo(candidate).isFile()) {
      CatalogueFileName = candidate;
      break;
    }
  }
  // With no catalogue anywhere, the error names the first place looked at.
  if (CatalogueFileName.isEmpty() && !catalogueCandidates.isEmpty()) CatalogueFileName = catalogueCandidates.front();
  LoadCatalogue();
  CreateControls();
  CreateMenu();
  CreateCheckMenus();
  CreateReuse();
  ConnectEvents();
  FormCreate();
  CreateMessageTools();
  // The central area is the window the layout rules speak of; menu, status bar and docks come on top.
  move(InitialLeft, InitialTop);
  resize(width(), height() + InitialListHeight);
  resizeDocks({ListDock}, {InitialListHeight}, Qt::Vertical);
  layout()->activate();
  resize(size() + QSize(InitialWidth, InitialHeight) - CentralArea->size());
}

TForm1::~TForm1() {
  // Children (the undo stack first) are destroyed after this window's own members and would still
  // announce their clearing to handlers of a window that is half gone.
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void TForm1::CreateControls() {
  setObjectName(QStringLiteral("Form1"));
  setFont(WindowFont());
  setAcceptDrops(true);
  CentralArea = new QWidget(this);
  CentralArea->setObjectName(QStringLiteral("CentralArea"));
  CentralArea->setMinimumSize(SmallestWidth, SmallestHeight);
  CentralArea->setBackgroundRole(QPalette::Button);
  CentralArea->setAutoFillBackground(true);
  CentralArea->installEventFilter(this);
  setCentralWidget(CentralArea);
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  Status = std::make_unique<TWindowStatusBar>(statusBar(), CatalogueLookup(*Catalogue));
  auto* reviewBar = new QToolBar(this);
  reviewBar->setObjectName(QStringLiteral("ReviewBar"));
  reviewBar->setMovable(false);
  reviewBar->setFloatable(false);
  ReviewPanel = new TReviewPanel(CatalogueLookup(*Catalogue), reviewBar);
  reviewBar->addWidget(ReviewPanel);
  addToolBar(Qt::BottomToolBarArea, reviewBar);
  Edits = new QUndoStack(this);

  static const char* const imageNames[] = {"new-project",   "load-project",  "save-project",
                                           "export-source", "export-target", "quick-save",
                                           "load-messages", "save-messages", "font"};
  for (const char* name : imageNames)
    ButtonsImageList.push_back(SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), ToolImageSize));

  ToolBar1 = new QWidget(CentralArea);
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

  SourceMemo = new TMemo(CentralArea);
  SourceMemo->setObjectName(QStringLiteral("SourceMemo"));
  SourceMemo->setGeometry(8, 48, 521, 105);

  StatusLabel = new QLabel(CentralArea);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  StatusLabel->setGeometry(8, 158, 521, 13);
  StatusLabel->setAlignment(Qt::AlignCenter);
  StatusLabel->setAutoFillBackground(true);
  StatusLabel->setBackgroundRole(QPalette::Window);
  QPalette statusPalette = StatusLabel->palette();
  statusPalette.setColor(QPalette::Window, QColor(192, 192, 192));
  StatusLabel->setPalette(statusPalette);

  TargetMemo = new TMemo(CentralArea);
  TargetMemo->setObjectName(QStringLiteral("TargetMemo"));
  TargetMemo->setGeometry(8, 184, 521, 105);
  Checks = new TMessageChecks(SourceMemo, TargetMemo, CatalogueLookup(*Catalogue));
  Checks->RunGuarded = [this](const std::function<void()>& command) { RunGuarded(command); };
  Checks->OnSpellingError = [this](const QString& error) { dialogs_.ShowError(this, error, TErrorPlace()); };

  MessagesListTrackBar = new TTrackBar(CentralArea);
  MessagesListTrackBar->setObjectName(QStringLiteral("MessagesListTrackBar"));
  MessagesListTrackBar->setGeometry(0, 304, 207, 25);

  MessageNumberLabel = new QLabel(QStringLiteral("0"), CentralArea);
  MessageNumberLabel->setObjectName(QStringLiteral("MessageNumberLabel"));
  MessageNumberLabel->setGeometry(218, 310, 6, 13);
  MessageNumberLabel->adjustSize();

  auto addPicture = [&](TPictureButton*& picture, const char* name, const char* image, QRect bounds, QSize imageSize) {
    picture = new TPictureButton(CentralArea);
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
  FontDialog1.Font = WindowFont();

  auto setUpDialog = [](TFileDialog& dialog, const char* name, TFileDialog::Kinds kind, const char* filter,
                        const char* extension, bool overwritePrompt) {
    dialog.Name = QLatin1String(name);
    dialog.Kind = kind;
    dialog.Filter = QLatin1String(filter);
    dialog.DefaultExt = QLatin1String(extension);
    dialog.OverwritePrompt = overwritePrompt;
  };
  setUpDialog(SourceOpenDialog, "SourceOpenDialog", TFileDialog::Open, "Xengrav|*.xg", "xg", false);
  setUpDialog(ProjectOpenDialog, "ProjectOpenDialog", TFileDialog::Open, "Translation of Xengrav|*.txg", "txg", false);
  setUpDialog(LoadMsgsOpenDialog, "LoadMsgsOpenDialog", TFileDialog::Open, "Unicode Text Document|*.txt", "txt", false);
  setUpDialog(SourceSaveDialog, "SourceSaveDialog", TFileDialog::Save, "Xengrav|*.xg", "xg", true);
  setUpDialog(TargetSaveDialog, "TargetSaveDialog", TFileDialog::Save, "Xengrav|*.xg", "xg", true);
  setUpDialog(ProjectSaveDialog, "ProjectSaveDialog", TFileDialog::Save, "Translation of Xengrav|*.txg", "txg", false);
  setUpDialog(SaveMsgsSaveDialog, "SaveMsgsSaveDialog", TFileDialog::Save, "Unicode Text Document|*.txt", "txt", false);
  setUpDialog(ToolsExportDialog, "ToolsExportDialog", TFileDialog::Save,
              "gettext PO file|*.po|XLIFF 1.2 file|*.xlf;*.xliff", "po", true);
  setUpDialog(ToolsImportDialog, "ToolsImportDialog", TFileDialog::Open,
              "PO or XLIFF file|*.po;*.xlf;*.xliff|gettext PO file|*.po|XLIFF 1.2 file|*.xlf;*.xliff", "po", false);
  ToolsExportDialog.Title = CatalogueText(u"ToolsExportDialogTitle");
  ToolsImportDialog.Title = CatalogueText(u"ToolsImportDialogTitle");
}

void TForm1::ConnectEvents() {
  auto onClick = [this](QToolButton* button, void (TForm1::*handler)()) {
    connect(button, &QToolButton::clicked, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  };
  onClick(NewProjectButton, &TForm1::NewProjectButtonClick);
  onClick(LoadProjectButton, &TForm1::LoadProjectButtonClick);
  onClick(SaveProjectButton, &TForm1::SaveProjectButtonClick);
  onClick(QuickSaveProjectButton, &TForm1::QuickSaveProjectButtonClick);
  onClick(ExportSourceBtn, &TForm1::ExportSourceBtnClick);
  onClick(ExportTargetBtn, &TForm1::ExportTargetBtnClick);
  onClick(LoadMsgsButton, &TForm1::LoadMsgsButtonClick);
  onClick(SaveMsgsButton, &TForm1::SaveMsgsButtonClick);
  onClick(ToolButton7, &TForm1::ToolButton7Click);

  auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
  };
  CopyImage->OnClick = guarded(&TForm1::CopyImageClick);
  ClearImage->OnClick = guarded(&TForm1::ClearImageClick);
  BackImage->OnClick = guarded(&TForm1::BackImageClick);
  BackImage->OnMouseDown = guarded(&TForm1::BackImageMouseDown);
  ForwardImage->OnClick = guarded(&TForm1::ForwardImageClick);
  ForwardImage->OnMouseDown = guarded(&TForm1::ForwardImageMouseDown);
  FindNotEditedImage->OnMouseDown = guarded(&TForm1::FindNotEditedImageMouseDown);
  MessagesListTrackBar->UserMoved = guarded(&TForm1::MessagesListTrackBarChange);

  // Raised by the program's own changes, inside a command that already runs guarded.
  MessagesListTrackBar->OnChange = [this] { MessagesListTrackBarChange(); };
  TargetMemo->OnChange = [this] { TargetMemoChange(); };
  TargetMemo->OnUserEdit = guarded(&TForm1::TargetMemoChange);
  TargetMemo->PassesShortcut = [this](const QKeySequence& keys) { return Menu->IsMenuShortcut(keys); };
  connect(Edits, &QUndoStack::cleanChanged, this, [this] { UpdateModifiedMarker(); });
  ReviewPanel->OnReviewClicked = guarded(&TForm1::ToggleReviewClick);
  ReviewPanel->OnNoteEdited = guarded(&TForm1::NoteEdited);
  SourceMemo->OnChange = [this] { SourceMemoChange(); };
}

void TForm1::RunGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, QString::fromUtf8(error.what()), ErrorPlaceOf(error));
  } catch (...) {
    dialogs_.ShowError(this, QStringLiteral("Unknown error"), TErrorPlace());
  }
}

QString TForm1::CatalogueText(const char16_t* key) const { return FromWide(CatalogueValue(*Catalogue, key)); }

void TForm1::LoadCatalogue() {
  Catalogue = std::make_unique<TBlockParJD>();
  Catalogue->LoadFromFile(FileNameForLibrary(CatalogueFileName), false);
  // A key missing now would otherwise surface in the middle of some later command. Added keys
  // have their built-in texts.
  WithFileContext(FileNameForLibrary(CatalogueFileName), [this] {
    for (const std::u16string& key : RequiredCatalogueKeys()) Catalogue->Par_Get(key);
  });
  dialogs_.Text = CatalogueLookup(*Catalogue);
}

void TForm1::FormCreate() {
  NewProjectButton->setToolTip(CatalogueText(u"NewProjectButtonHint"));
  LoadProjectButton->setToolTip(CatalogueText(u"LoadProjectButtonHint"));
  SaveProjectButton->setToolTip(CatalogueText(u"SaveProjectButtonHint"));
  QuickSaveProjectButton->setToolTip(CatalogueText(u"QuickSaveProjectButtonHint"));
  ExportSourceBtn->setToolTip(CatalogueText(u"ExportSourceBtnHint"));
  ExportTargetBtn->setToolTip(CatalogueText(u"ExportTargetBtnHint"));
  SourceMemo->setToolTip(CatalogueText(u"SourceMemoHint"));
  TargetMemo->setToolTip(CatalogueText(u"TargetMemoHint"));
  MessagesListTrackBar->setToolTip(CatalogueText(u"MessagesListTrackBarHint"));
  StatusLabel->setToolTip(CatalogueText(u"StatusLabelHint"));
  MessageNumberLabel->setToolTip(CatalogueText(u"MessageNumberLabelHint"));
  CopyImage->setToolTip(CatalogueText(u"CopyImageHint"));
  ClearImage->setToolTip(CatalogueText(u"ClearImageHint"));
  SourceSaveDialog.Title = CatalogueText(u"SourceSaveDialogTitle");
  SourceOpenDialog.Title = CatalogueText(u"SourceOpenDialogTitle");
  TargetSaveDialog.Title = CatalogueText(u"TargetSaveDialogTitle");
  ProjectOpenDialog.Title = CatalogueText(u"ProjectOpenDialogTitle");
  ProjectSaveDialog.Title = CatalogueText(u"ProjectSaveDialogTitle");
  LoadMsgsOpenDialog.Title = CatalogueText(u"LoadMsgsOpenDialogTitle");
  SaveMsgsSaveDialog.Title = CatalogueText(u"SaveMsgsSaveDialogTitle");
  LoadMsgsButton->setToolTip(CatalogueText(u"LoadMsgsButtonHint"));
  SaveMsgsButton->setToolTip(CatalogueText(u"SaveMsgsButtonHint"));
  ForwardImage->setToolTip(CatalogueText(u"ForwardImageHint"));
  BackImage->setToolTip(CatalogueText(u"BackImageHint"));
  FindNotEditedImage->setToolTip(CatalogueText(u"FindNotEditedImageHint"));
  setWindowTitle(CatalogueText(u"DefaultProgramTitle"));

  Project = std::make_unique<TtxgProject>(*Catalogue);

  SourceMemo->SetText(QString());
  TargetMemo->SetText(QString());
  QuickSaveProjectButton->setEnabled(false);
  RememberSavedTranslations();
}

void TForm1::FormResize() {
  // Qt cannot know the window manager's frame before it is drawn, so the central area's own size
  // is the outer size the rules speak of.
  const double W = std::max<double>(CentralArea->width(), SmallestWidth);
  const double H = std::max<double>(CentralArea->height(), SmallestHeight);

  const int bottomRowTop = RoundHalfEven(H - 60);
  MessagesListTrackBar->setGeometry(MessagesListTrackBar->x(), bottomRowTop, RoundHalfEven(W - 320),
                                    MessagesListTrackBar->height());
  for (QWidget* picture :
       {static_cast<QWidget*>(ClearImage), static_cast<QWidget*>(CopyImage), static_cast<QWidget*>(ForwardImage),
        static_cast<QWidget*>(BackImage), static_cast<QWidget*>(FindNotEditedImage)})
    picture->move(picture->x(), bottomRowTop);
  MessageNumberLabel->move(MessagesListTrackBar->x() + MessagesListTrackBar->width() + 12, RoundHalfEven(H - 56));
  ClearImage->move(RoundHalfEven(W - CopyImage->width() - 16), ClearImage->y());
  CopyImage->move(ClearImage->x() - ClearImage->width() - 15, CopyImage->y());
  ForwardImage->move(CopyImage->x() - ForwardImage->width() - 20, ForwardImage->y());
  FindNotEditedImage->move(ForwardImage->x() - FindNotEditedImage->width() - 5, FindNotEditedImage->y());
  BackImage->move(FindNotEditedImage->x() - BackImage->width() - 5, BackImage->y());

  const int memoHeight = RoundHalfEven((H - 48 - 60) / 2 - 20);
  const int memoWidth = RoundHalfEven(W) - 16 - SourceMemo->x();
  SourceMemo->resize(memoWidth, memoHeight);
  StatusLabel->setGeometry(StatusLabel->x(), SourceMemo->y() + SourceMemo->height() + 4, Truncate(W - 25),
                           StatusLabel->height());
  TargetMemo->setGeometry(TargetMemo->x(), SourceMemo->y() + SourceMemo->height() + 20, memoWidth, memoHeight);
  ToolBar1->resize(RoundHalfEven(W), ToolBar1->height());

  const QSize held(RoundHalfEven(W), RoundHalfEven(H));
  if (CentralArea->size() != held) resize(size() + held - CentralArea->size());
}

void TForm1::FormActivate() { FormResize(); }

void TForm1::ProcessEnabledControls() {
  const bool stillSource = TrimQuestText(ToWide(SourceMemo->Text())) == TrimQuestText(ToWide(TargetMemo->Text()));
  QPalette targetPalette = TargetMemo->palette();
  targetPalette.setColor(QPalette::Text, stillSource ? QColor(128, 128, 128) : QColor(0, 0, 0));
  TargetMemo->setPalette(targetPalette);

  QString status;
  int32_t number = 0;
  const int position = MessagesListTrackBar->Position();
  // With no message shown there is nothing to type into.
  TargetMemo->setReadOnly(position < 1);
  if (position >= 1) {
    const int32_t message = Project->MessageAtPosition(position);
    const std::size_t index = static_cast<std::size_t>(message);
    const int32_t code = message >= 1 && index < Project->SourceTypes.size() ? Project->SourceTypes[index] : 0;
    const TMessageType type = DecodeMessageType(code);
    if (const char16_t* key = MessageKindKey(type.Kind)) status = CatalogueText(key);
    number = type.Number;
    if (Project->IsLinked(message)) {
      TargetMemo->setEnabled(false);
      status = CatalogueText(u"EmptyPathLabelTitleAddon");
      CopyImage->hide();
      ClearImage->hide();
    } else {
      TargetMemo->setEnabled(true);
      CopyImage->show();
      ClearImage->show();
    }
  }
  if (!status.isEmpty() && number > 0) status += QStringLiteral(" ( N %1 )").arg(number);
  StatusLabel->setText(status);
  const int32_t shown = Project->MessageAtPosition(position);
  const bool hasId = shown >= 1 && static_cast<std::size_t>(shown) < Project->SourceIds.size();
  Status->ShowMessage(position, Project->PositionCount,
                      hasId ? FromWide(Project->SourceIds[static_cast<std::size_t>(shown)]) : QString(), status);
  ShowMessageState(shown);
  Checks->Refresh(Project.get(), position >= 1 ? shown : 0);
  ShowReuse();
}

int TForm1::PositionToShow(int32_t message) const {
  const int32_t exact = Project->PositionOfMessage(message);
  if (exact >= 1) return exact;
  // A message without a position of its own (none, or folded into an earlier path question):
  // show the nearest position before it.
  int shown = 0;
  for (int32_t position = 1; position <= Project->PositionCount; ++position) {
    if (Project->MessageAtPosition(position) > message) break;
    shown = position;
  }
  return shown;
}

void TForm1::PrepareFormForProject() {
  RebuildMemory();
  MessagesListTrackBar->SetMax(Project->PositionCount);
  MessagesListTrackBar->SetPosition(PositionToShow(Project->CurrentMessage));
  ProcessEnabledControls();
}

void TForm1::KeepShownMessageInView() {
  // Relinking can move messages to other positions; the shown message must stay the one the
  // position stands for, or Copy and Clear would write into another message.
  const int32_t shown = Project->CurrentMessage;
  MessagesListTrackBar->SetMax(Project->PositionCount);
  const int position = PositionToShow(shown);
  if (position != MessagesListTrackBar->Position())
    MessagesListTrackBar->SetPosition(position);
  else if (Project->MessageAtPosition(position) != shown)
    MessagesListTrackBarChange();
}

void TForm1::SetCaptionFromFileName(const QString& fileName) {
  // Qt shows "*" at the marker while there are unsaved changes.
  setWindowTitle(FromWide(TrimQuestText(ToWide(fileName))) + QStringLiteral("[*]") +
                 CatalogueText(u"CommonProgramTitle"));
}

std::vector<std::u16string> TForm1::CurrentTargetTexts() const {
  const TMessageList messages = Project->TargetGame.Messages();
  std::vector<std::u16string> result;
  result.reserve(static_cast<std::size_t>(messages.Count));
  for (int32_t n = 1; n <= messages.Count; ++n) result.push_back(messages.Texts[static_cast<std::size_t>(n)]->Text);
  return result;
}

std::vector<TTextChange> TForm1::ChangesSince(const std::vector<std::u16string>& before) const {
  std::vector<TTextChange> changes;
  const std::vector<std::u16string> after = CurrentTargetTexts();
  // A failed load can leave fewer texts than before; the missing ones are not part of the step.
  const std::size_t common = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < common; ++i)
    if (before[i] != after[i]) changes.push_back({static_cast<int32_t>(i + 1), before[i], after[i]});
  return changes;
}

void TForm1::RememberSavedTranslations() {
  Edits->setClean();
  unrecordedChange_ = false;
  UpdateModifiedMarker();
}

void TForm1::ForgetEdits() {
  Edits->clear();
  RememberSavedTranslations();
}

void TForm1::MarkUnrecordedChange() {
  unrecordedChange_ = true;
  UpdateModifiedMarker();
}

void TForm1::UpdateModifiedMarker() { setWindowModified(HasUnsavedChanges()); }

bool TForm1::HasUnsavedChanges() const { return !Edits->isClean() || unrecordedChange_; }

bool TForm1::MayDiscardChanges() {
  if (!HasUnsavedChanges()) return true;
  switch (dialogs_.AskSaveChanges(this)) {
    case TSaveChangesAnswer::Discard:
      return true;
    case TSaveChangesAnswer::Cancel:
      return false;
    case TSaveChangesAnswer::Save:
      break;
  }
  if (QuickSaveProjectButton->isEnabled())
    QuickSaveProjectButtonClick();
  else
    SaveProjectButtonClick();
  // A cancelled save dialog keeps the changes, and with them the window.
  return !HasUnsavedChanges();
}

// ---------------------------------------------------------------------------------------------
// Project commands

void TForm1::NewProjectButtonClick() {
  if (!MayDiscardChanges()) return;
  if (!dialogs_.ExecuteFileDialog(this, SourceOpenDialog)) return;
  NewProjectFromFile(SourceOpenDialog.FileName);
}

void TForm1::NewProjectFromFile(const QString& fileName) {
  MessagesListTrackBar->SetPosition(0);
  QuickSaveProjectButton->setEnabled(false);
  Project->Clear();
  ForgetEdits();
  try {
    Project->NewFromSource(FileNameForLibrary(fileName));
  } catch (...) {
    // The project is empty again; the track bar must not offer the old positions.
    PrepareFormForProject();
    throw;
  }
  PrepareFormForProject();
  questFileName_ = fileName;
  RecentFiles->Add(fileName);
  MessagesListTrackBar->SetPosition(1);
  setWindowTitle(CatalogueText(u"NewProjectProgramTitle") + QStringLiteral("[*]"));
  RememberSavedTranslations();
}

void TForm1::LoadProjectButtonClick() {
  if (!MayDiscardChanges()) return;
  if (!dialogs_.ExecuteFileDialog(this, ProjectOpenDialog)) return;
  LoadProjectFromFile(ProjectOpenDialog.FileName);
}

void TForm1::LoadProjectFromFile(const QString& fileName) {
  Project->Clear();
  ForgetEdits();
  MessagesListTrackBar->SetPosition(0);
  try {
    Project->LoadFromFile(FileNameForLibrary(fileName));
  } catch (...) {
    PrepareFormForProject();
    throw;
  }
  Project->LinkDuplicatePaths();
  PrepareFormForProject();
  ProjectSaveDialog.FileName = fileName;
  RecentFiles->Add(fileName);
  SetCaptionFromFileName(fileName);
  QuickSaveProjectButton->setEnabled(true);
  RememberSavedTranslations();
  // The quests loaded; what the damaged end of the file held is gone, and the user hears it once.
  if (!Project->LoadWarning().empty()) dialogs_.ShowMessage(this, QString::fromStdString(Project->LoadWarning()));
}

void TForm1::OpenFile(const QString& fileName) {
  if (QFileInfo(fileName).suffix().compare(QStringLiteral("txg"), Qt::CaseInsensitive) == 0) {
    ProjectOpenDialog.FileName = fileName;
    LoadProjectFromFile(fileName);
  } else {
    SourceOpenDialog.FileName = fileName;
    NewProjectFromFile(fileName);
  }
}

namespace {

// The project's save kept the damaged file it replaced: the user hears where, once.
void TellDamagedCopyKept(TWindowDialogs& dialogs, QWidget* owner, const TtxgProject& project) {
  if (project.KeptDamagedCopy().empty()) return;
  // catalogue key: DamagedCopyKept
  dialogs.ShowMessage(owner, QStringLiteral("The damaged project file was kept as %1")
                                 .arg(QFile::decodeName(QByteArray::fromStdString(project.KeptDamagedCopy()))));
}

}  // namespace

void TForm1::SaveProjectButtonClick() {
  if (!dialogs_.ExecuteFileDialog(this, ProjectSaveDialog)) return;
  Project->SaveToFile(FileNameForLibrary(ProjectSaveDialog.FileName));
  TellDamagedCopyKept(dialogs_, this, *Project);
  RecentFiles->Add(ProjectSaveDialog.FileName);
  SetCaptionFromFileName(ProjectSaveDialog.FileName);
  QuickSaveProjectButton->setEnabled(true);
  RememberSavedTranslations();
}

void TForm1::QuickSaveProjectButtonClick() {
  Project->SaveToFile(FileNameForLibrary(ProjectSaveDialog.FileName));
  TellDamagedCopyKept(dialogs_, this, *Project);
  RememberSavedTranslations();
}

void TForm1::ExportSourceBtnClick() {
  if (!dialogs_.ExecuteFileDialog(this, SourceSaveDialog)) return;
  Project->SourceGame.SaveToFile(FileNameForLibrary(SourceSaveDialog.FileName));
}

void TForm1::ExportTargetBtnClick() {
  if (!dialogs_.ExecuteFileDialog(this, TargetSaveDialog)) return;
  Project->TargetGame.SaveToFile(FileNameForLibrary(TargetSaveDialog.FileName));
}

void TForm1::ToolButton7Click() {
  if (!dialogs_.ExecuteFontDialog(this, FontDialog1)) return;
  ApplyFont(FontDialog1.Font);
}

void TForm1::ApplyFont(const QFont& font) {
  FontDialog1.Font = font;
  setFont(font);
  SourceMemo->setFont(font);
  StatusLabel->setFont(font);
  TargetMemo->setFont(font);
}

// ---------------------------------------------------------------------------------------------
// Editing and navigation

void TForm1::SourceMemoChange() { ProcessEnabledControls(); }

void TForm1::MessagesListTrackBarChange() {
  const int position = MessagesListTrackBar->Position();
  MessageNumberLabel->setText(QString::number(position));
  MessageNumberLabel->adjustSize();
  Project->CurrentMessage = Project->MessageAtPosition(position);
  StartTypingRun();
  TargetMemo->SetText(FromWide(Project->GetTargetText(Project->CurrentMessage)));
  SourceMemo->SetText(FromWide(Project->GetSourceText(Project->CurrentMessage)));
  ProcessEnabledControls();
  if (OnMessageShown) OnMessageShown(Project->CurrentMessage);
}

void TForm1::ForwardImageMouseDown() {
  int position = MessagesListTrackBar->Position() + 1;
  while (position <= MessagesListTrackBar->Max() && Project->IsLinked(Project->MessageAtPosition(position))) ++position;
  if (position <= MessagesListTrackBar->Max()) MessagesListTrackBar->SetPosition(position);
}

void TForm1::BackImageMouseDown() {
  int position = MessagesListTrackBar->Position() - 1;
  while (position >= 0 && Project->IsLinked(Project->MessageAtPosition(position))) --position;
  if (position >= 0) MessagesListTrackBar->SetPosition(position);
}

void TForm1::FindNotEditedImageMouseDown() {
  const int32_t found = Project->FindNotEdited(MessagesListTrackBar->Position());
  if (found >= 1)
    MessagesListTrackBar->SetPosition(found);
  else
    dialogs_.ShowMessage(this, CatalogueText(u"CannotFindNotEditedMessage"));
}

// ---------------------------------------------------------------------------------------------
// Window events

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CentralArea && event->type() == QEvent::Resize) RunGuarded([this] { FormResize(); });
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RunGuarded([this] { FormActivate(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  RunGuarded([this, &mayClose] { mayClose = MayDiscardChanges(); });
  if (mayClose) {
    SaveWindowSettings(*this);
    event->accept();
  } else {
    event->ignore();
  }
}
