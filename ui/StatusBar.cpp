#include "ui/StatusBar.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("TWindowStatusBar", text); }

QLabel* AddLabel(QStatusBar* bar, const char* name, bool permanent) {
  auto* label = new QLabel(bar);
  label->setObjectName(QLatin1String(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (permanent)
    bar->addPermanentWidget(label);
  else
    bar->addWidget(label);
  return label;
}

}  // namespace

QString ProgressText(int translated, int count, int review) {
  if (count <= 0) return {};
  const qint64 percent = static_cast<qint64>(translated) * 100 / count;
  QString text = Tr("%1 of %2 translated (%3%)").arg(translated).arg(count).arg(percent);
  if (review != 0) text += Tr(", %1 need review").arg(review);
  return text;
}

TWindowStatusBar::TWindowStatusBar(QStatusBar* bar) {
  Position = AddLabel(bar, "StatusPosition", false);
  Id = AddLabel(bar, "StatusId", false);
  Kind = AddLabel(bar, "StatusKind", false);
  Progress = AddLabel(bar, "StatusProgress", true);
}

void TWindowStatusBar::ShowMessage(int position, int count, const QString& id, const QString& kind) {
  Position->setText(position >= 1 ? Tr("Message %1 of %2").arg(position).arg(count) : QString());
  Id->setText(id);
  Kind->setText(kind);
}

void TWindowStatusBar::ShowProgress(int translated, int count, int review) {
  Progress->setText(ProgressText(translated, count, review));
}
