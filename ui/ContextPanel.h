#pragma once
// TContextPanel: the siblings of the shown message (same path, questions of paths with the same
// Value2, same location, same parameter) with their translations. Clicking an entry asks the window
// to show that message.
#include <QTreeWidget>

#include <cstdint>
#include <functional>

#include "ui/CatalogueText.h"

class TtxgProject;

class TContextPanel : public QTreeWidget {
 public:
  TContextPanel(const TtxgProject& project, TCatalogueText text, QWidget* parent = nullptr);

  std::function<void(int32_t message)> OnMessageChosen;
  void ShowContext(int32_t message);
  // Reads the translations again (after an edit), keeping the same message.
  void Refresh() { ShowContext(shown_); }
  int32_t ShownMessage() const { return shown_; }
  // The message an entry stands for; 0 for a group heading.
  static int32_t MessageOfItem(const QTreeWidgetItem* item);

 private:
  const TtxgProject& project_;
  TCatalogueText text_;
  int32_t shown_ = 0;
};
