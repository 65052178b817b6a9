#include "ui/ContextPanel.h"

#include <QHeaderView>

#include <string>

#include "project/MessageContext.h"
#include "project/ProjectClass.h"

namespace {

const char16_t* GroupKey(TContextGroup group) {
  switch (group) {
    case TContextGroup::SamePath:
      return u"ContextSamePath";
    case TContextGroup::SameValue2:
      return u"ContextSameValue2";
    case TContextGroup::SameLocation:
      return u"ContextSameLocation";
    case TContextGroup::SameParameter:
      return u"ContextSameParameter";
  }
  return u"ContextSamePath";
}

}  // namespace

TContextPanel::TContextPanel(const TtxgProject& project, TCatalogueText text, QWidget* parent)
    : QTreeWidget(parent), project_(project), text_(std::move(text)) {
  setColumnCount(2);
  setHeaderLabels({text_(u"ListColumnId"), text_(u"ListColumnTranslation")});
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const int32_t message = MessageOfItem(item);
    if (message != 0 && OnMessageChosen) OnMessageChosen(message);
  });
  // The keyboard's Enter works like a click.
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const int32_t message = MessageOfItem(item);
    if (message != 0 && OnMessageChosen) OnMessageChosen(message);
  });
}

int32_t TContextPanel::MessageOfItem(const QTreeWidgetItem* item) {
  return item == nullptr ? 0 : item->data(0, Qt::UserRole).toInt();
}

void TContextPanel::ShowContext(int32_t message) {
  shown_ = message;
  clear();
  QTreeWidgetItem* group = nullptr;
  TContextGroup groupKind{};
  for (const TContextEntry& entry : MessageContext(project_, message)) {
    if (group == nullptr || entry.Group != groupKind) {
      groupKind = entry.Group;
      group = new QTreeWidgetItem(this, {text_(GroupKey(entry.Group))});
      group->setFirstColumnSpanned(true);
      QFont bold = font();
      bold.setBold(true);
      group->setFont(0, bold);
      group->setFlags(Qt::ItemIsEnabled);
    }
    const auto n = static_cast<std::size_t>(entry.Message);
    std::u16string translation = project_.GetTargetText(entry.Message);
    const QString whole = QString::fromStdU16String(translation).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* item = new QTreeWidgetItem(
        group, {QString::fromStdU16String(project_.TargetIds[n]), whole.section(QLatin1Char('\n'), 0, 0)});
    item->setToolTip(1, whole);
    item->setData(0, Qt::UserRole, entry.Message);
  }
  expandAll();
}
