#pragma once
// The report box: what an import met that did not fit, grouped by kind under a count ("Not found:
// 57"), one entry a line. Copy puts the whole list on the clipboard; clicking an entry shows its
// message in the window. It stays open beside the window while the translator works down the list.
#include <QDialog>
#include <QString>

#include "project/ConversionReport.h"
#include "ui/WindowDialogs.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TReportDialog : public QDialog {
 public:
  TReportDialog(const QString& caption, const TConversionReport& report, TReportIdHandler showId,
                const TCatalogueText& text, QWidget* parent = nullptr);

  // The group headers are the top-level items; their children are the entries.
  QTreeWidget* Entries = nullptr;
  QLabel* Summary = nullptr;
  QPushButton* CopyButton = nullptr;
  void CopyClick();
  // A line put before the count of entries (how many translations came in).
  void SetHeading(const QString& heading);
  // The entry's message is shown; a group header does nothing.
  void EntryPicked(const QTreeWidgetItem* item);

  // The header of a group as the box shows it: "Not found: 57".
  static QString GroupTitle(const TConversionReport::TGroup& group);

 private:
  QString lines_;
  TReportIdHandler showId_;
};
