#pragma once
// The suggestions panel: for the message shown, how its source changed since the last update (when
// it did) and the best matches of the translation memory, each with its similarity and the
// differences between its source and the current one. The window inserts a suggestion through
// OnInsert (Ctrl+1 ... Ctrl+5 in the menu). Below them, the concordance: a word or phrase found in
// the sources and translations of the whole memory, each pair with its quest; a click copies the
// pair's translation.
#include <QLabel>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTimer;

#include <functional>
#include <string>
#include <vector>

#include "memory/TranslationMemory.h"
#include "ui/CatalogueText.h"

class TSuggestionsPanel : public QWidget {
 public:
  static constexpr int MaxSuggestions = 5;

  explicit TSuggestionsPanel(TCatalogueText text, QWidget* parent = nullptr);
  // The width a dock starts with; a narrow window may squeeze the panel below it.
  static constexpr int PreferredWidth = 300;
  QSize sizeHint() const override { return {PreferredWidth, QWidget::sizeHint().height()}; }

  // `memory` may be null (no project). Entries whose origin is `messageId` are the message's own
  // translation and are not offered for it.
  void ShowMessage(const TTranslationMemory* memory, const std::u16string& source, const std::u16string& messageId,
                   const std::u16string& previousSource);
  void Clear();

  int Count() const { return static_cast<int>(shown_.size()); }
  const TMemoryEntry& Shown(int index) const { return shown_.at(static_cast<std::size_t>(index)); }
  int PercentOf(int index) const { return percents_.at(static_cast<std::size_t>(index)); }
  // Hands suggestion `index` (0-based) with its similarity to OnInsert; false when there is none.
  bool InsertSuggestion(int index);
  std::function<void(const std::u16string& translation, int percent)> OnInsert;

  QLabel* PreviousSourceLabel = nullptr;  // hidden unless the message has a previous source
  std::vector<QLabel*> Rows;              // MaxSuggestions labels, the unused ones hidden
  QLabel* EmptyLabel = nullptr;           // shown when nothing matches

  static constexpr int MaxConcordance = 50;
  QLineEdit* ConcordanceEdit = nullptr;
  QLabel* ConcordanceCount = nullptr;
  QListWidget* ConcordanceList = nullptr;  // each item's data is the pair's translation
  // The memory the concordance searches (the session's, which the panel does not own).
  std::function<const TTranslationMemory*()> Memory;
  // The pairs holding the concordance field's text listed (typing lists them shortly after).
  void FindConcordance();
  // A pair's translation was put on the clipboard.
  std::function<void(const QString& translation)> OnConcordanceCopied;

 private:
  TCatalogueText text_;
  std::vector<TMemoryEntry> shown_;
  std::vector<int> percents_;
  QTimer* concordanceTimer_ = nullptr;
};
