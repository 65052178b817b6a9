#include "ui/HelpView.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

#include "support/Installation.h"
#include "ui/WindowDialogs.h"

TShortcutsDialog::TShortcutsDialog(const std::vector<TShortcutEntry>& entries, const TCatalogueText& text,
                                   QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ShortcutsDialog"));
  setWindowTitle(text(u"ShortcutsDialogTitle"));
  auto* layout = new QVBoxLayout(this);
  Table = new QTableWidget(static_cast<int>(entries.size()), 3, this);
  Table->setHorizontalHeaderLabels(
      {text(u"ShortcutsColumnMenu"), text(u"ShortcutsColumnCommand"), text(u"ShortcutsColumnKeys")});
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int row = 0; row < Table->rowCount(); ++row) {
    const TShortcutEntry& entry = entries[static_cast<std::size_t>(row)];
    Table->setItem(row, 0, new QTableWidgetItem(entry.Menu));
    Table->setItem(row, 1, new QTableWidgetItem(entry.Command));
    Table->setItem(row, 2, new QTableWidgetItem(entry.Shortcut));
  }
  Table->resizeColumnsToContents();
  Table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(Table);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(560, 520);
}

QString AboutText(const TCatalogueText& text) { return text(u"AboutText").arg(QString::fromUtf8(ProgramVersion())); }

void AddHelpMenu(TMainMenu& menu, TWindowDialogs& dialogs, const TCatalogueText& text, QWidget* owner) {
  menu.Add(menu.Help, text(u"MenuShortcuts"), {Qt::Key_F1}, [&menu, &dialogs, text, owner] {
    TShortcutsDialog dialog(menu.Shortcuts(), text, owner);
    dialogs.ExecuteDialog(owner, dialog);
  });
  menu.Add(menu.Help, text(u"MenuAbout"), {}, [&dialogs, text, owner] { dialogs.ShowMessage(owner, AboutText(text)); });
}
