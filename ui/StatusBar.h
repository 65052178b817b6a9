#pragma once
// The window's status bar: where the translator is ("Message P of N", the id and kind of the
// message) and how far the translation is ("T of N translated (X%)", the needs-review count, and
// as its tooltip the source words left). It only shows what it is given; the counts come from the
// project and the session, which keep them as texts change.
#include <QString>

#include "ui/CatalogueText.h"

class QLabel;
class QStatusBar;
class TtxgProject;
struct TWorkSizes;

class TWindowStatusBar {
 public:
  TWindowStatusBar(QStatusBar* bar, TCatalogueText text);
  QLabel* Position = nullptr;
  QLabel* Id = nullptr;
  QLabel* Kind = nullptr;
  QLabel* Progress = nullptr;

  // position 0: no message is shown.
  void ShowMessage(int position, int count, const QString& id, const QString& kind);
  void ShowProgress(int translated, int count, int review);
  // Both, for the message at `position` of the project, described by `kind`, with the words left
  // of `sizes` as the progress's tooltip.
  void ShowProject(const TtxgProject& project, const TWorkSizes& sizes, int position, const QString& kind);

 private:
  TCatalogueText text_;
};

// "T of N translated (X%)", and ", R need review" when R is not zero; X rounds down, so 100%
// means every message. Empty when there are no messages.
QString ProgressText(const TCatalogueText& text, int translated, int count, int review);
// "Words left: L of T (U untranslated, R to review)"; empty when the sources have no words.
QString WordsLeftText(const TCatalogueText& text, const TWorkSizes& sizes);
