#include "ui/StatusBar.h"

#include <QLabel>
#include <QStatusBar>

#include "project/ProjectClass.h"
#include "project/WordCount.h"

namespace {

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

QString ProgressText(const TCatalogueText& text, int translated, int count, int review) {
  if (count <= 0) return {};
  const qint64 percent = static_cast<qint64>(translated) * 100 / count;
  QString progress = text(u"StatusProgressFormat").arg(translated).arg(count).arg(percent);
  if (review == 1) progress += text(u"StatusReviewOne");
  if (review > 1) progress += text(u"StatusReviewFormat").arg(review);
  return progress;
}

QString WordsLeftText(const TCatalogueText& text, const TWorkSizes& sizes) {
  const int64_t total = sizes.Total().Words;
  if (total <= 0) return {};
  return text(u"StatusWordsLeftFormat")
      .arg(sizes.Left().Words)
      .arg(total)
      .arg(sizes.Untranslated.Words)
      .arg(sizes.Review.Words);
}

TWindowStatusBar::TWindowStatusBar(QStatusBar* bar, TCatalogueText text) : text_(std::move(text)) {
  Position = AddLabel(bar, "StatusPosition", false);
  Id = AddLabel(bar, "StatusId", false);
  Kind = AddLabel(bar, "StatusKind", false);
  Progress = AddLabel(bar, "StatusProgress", true);
}

void TWindowStatusBar::ShowMessage(int position, int count, const QString& id, const QString& kind) {
  Position->setText(position >= 1 ? text_(u"StatusPositionFormat").arg(position).arg(count) : QString());
  Id->setText(id);
  Kind->setText(kind);
}

void TWindowStatusBar::ShowProgress(int translated, int count, int review) {
  Progress->setText(ProgressText(text_, translated, count, review));
}

void TWindowStatusBar::ShowProject(const TtxgProject& project, const TWorkSizes& sizes, int position,
                                   const QString& kind) {
  const int32_t shown = project.MessageAtPosition(position);
  const bool hasId = shown >= 1 && static_cast<std::size_t>(shown) < project.SourceIds.size();
  ShowMessage(position, project.PositionCount,
              hasId ? QString::fromStdU16String(project.SourceIds[static_cast<std::size_t>(shown)]) : QString(), kind);
  ShowProgress(project.TranslatedPositions(), project.PositionCount, project.ReviewPositions());
  Progress->setToolTip(WordsLeftText(text_, sizes));
}
