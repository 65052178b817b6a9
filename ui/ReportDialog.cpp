#include "ui/ReportDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

#include "ui/QtText.h"

namespace {

constexpr int IdRole = Qt::UserRole;

// The entry under its group's header needs no kind: its id, and the tags for a tag entry.
QString EntryText(const TReportEntry& entry) {
  QString text = FromWide(entry.Id);
  if (!entry.Detail.empty()) text += QLatin1Char(':') + FromWide(entry.Detail);
  return text;
}

}  // namespace

QString TReportDialog::GroupTitle(const TConversionReport::TGroup& group) {
  return QStringLiteral("%1: %2").arg(FromWide(TConversionReport::KindName(group.Kind))).arg(group.Entries.size());
}

TReportDialog::TReportDialog(const QString& caption, const TConversionReport& report, TReportIdHandler showId,
                             const TCatalogueText& text, QWidget* parent)
    : QDialog(parent), lines_(FromWide(report.Lines())), showId_(std::move(showId)) {
  setObjectName(QStringLiteral("ReportDialog"));
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  const std::size_t count = report.Entries().size();
  Summary = new QLabel(
      (count == 1 ? text(u"ReportOneEntry") : text(u"ReportEntriesFormat").arg(count)) + text(u"ReportClickHint"),
      this);
  layout->addWidget(Summary);

  Entries = new QTreeWidget(this);
  Entries->setObjectName(QStringLiteral("ReportEntries"));
  Entries->setHeaderHidden(true);
  Entries->setUniformRowHeights(true);  // a report can name every message of a quest
  QFont headerFont = Entries->font();
  headerFont.setBold(true);
  QList<QTreeWidgetItem*> groups;
  for (const TConversionReport::TGroup& group : report.Groups()) {
    auto* header = new QTreeWidgetItem(QStringList{GroupTitle(group)});
    header->setFont(0, headerFont);
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(group.Entries.size()));
    for (const TReportEntry* entry : group.Entries) {
      auto* item = new QTreeWidgetItem(QStringList{EntryText(*entry)});
      item->setData(0, IdRole, FromWide(entry->Id));
      children.append(item);
    }
    header->addChildren(children);
    groups.append(header);
  }
  Entries->addTopLevelItems(groups);
  Entries->expandAll();
  layout->addWidget(Entries);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  CopyButton = buttons->addButton(text(u"ReportCopyButton"), QDialogButtonBox::ActionRole);
  CopyButton->setToolTip(text(u"ReportCopyHint"));
  layout->addWidget(buttons);
  resize(420, 360);

  connect(CopyButton, &QPushButton::clicked, this, [this] { CopyClick(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(Entries, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { EntryPicked(item); });
  connect(Entries, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { EntryPicked(item); });
}

void TReportDialog::SetHeading(const QString& heading) {
  Summary->setText(heading + QLatin1Char(' ') + Summary->text());
}

void TReportDialog::CopyClick() { QApplication::clipboard()->setText(lines_); }

void TReportDialog::EntryPicked(const QTreeWidgetItem* item) {
  if (item == nullptr || item->parent() == nullptr || !showId_) return;
  showId_(item->data(0, IdRole).toString().toStdU16String());
}
