#pragma once
// The window's central area: the tool bar, the source and translation boxes with the status line
// between them, and the track bar with the position and the picture buttons under them, placed
// by the layout rules of the original window. The menu bar, the review bar, the status bar and the
// docks are around it.
#include <QIcon>
#include <QLabel>
#include <QSize>
#include <QToolButton>
#include <QWidget>

#include <vector>

#include "ui/Controls.h"

class TCentralArea : public QWidget {
 public:
  // The smallest size the layout rules are written for.
  static constexpr int SmallestWidth = 480;
  static constexpr int SmallestHeight = 300;
  // The size of the area when the window is first created.
  static constexpr int InitialWidth = 547;
  static constexpr int InitialHeight = 385;
  // The least room between the position and the back arrow.
  static constexpr int NumberGap = 6;

  explicit TCentralArea(QWidget* parent);

  QWidget* ToolBar1 = nullptr;
  QToolButton* NewProjectButton = nullptr;
  QToolButton* LoadProjectButton = nullptr;
  QToolButton* SaveProjectButton = nullptr;
  QToolButton* QuickSaveProjectButton = nullptr;
  QToolButton* ExportSourceBtn = nullptr;
  QToolButton* ExportTargetBtn = nullptr;
  QToolButton* LoadMsgsButton = nullptr;
  QToolButton* SaveMsgsButton = nullptr;
  QToolButton* ToolButton7 = nullptr;
  TMemo* SourceMemo = nullptr;
  QLabel* StatusLabel = nullptr;
  TMemo* TargetMemo = nullptr;
  TTrackBar* MessagesListTrackBar = nullptr;
  QLabel* MessageNumberLabel = nullptr;
  TPictureButton* BackImage = nullptr;
  TPictureButton* FindNotEditedImage = nullptr;
  TPictureButton* ForwardImage = nullptr;
  TPictureButton* CopyImage = nullptr;
  TPictureButton* ClearImage = nullptr;
  std::vector<QIcon> ButtonsImageList;

  // The translation box as the shown message needs it: read-only with no message, grey while the
  // translation is still the source, coloured when flagged for review, disabled (and without Copy
  // and Clear) for a linked duplicate, which follows its question.
  void ShowMessageState(bool hasMessage, bool stillSource, bool flagged, bool linked);

  // Places the controls for the area's size (never below the smallest) and returns the size the
  // area must keep.
  QSize LayOut();
};

// The window's font: "MS Sans Serif" 8 pt, or the system's sans-serif font where it is missing.
QFont WindowFont();
