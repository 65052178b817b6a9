#pragma once
// The Terms panel: the glossary terms found in the shown message's source, one row each in the
// order they first occur: the source term, its translations (the preferred one first), the note and
// the status. A click on a row, or Alt+1 ... Alt+9 for rows 1 to 9, hands the row's translation to
// OnInsert, which puts it at the cursor of the translation box.
#include <QWidget>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "glossary/Glossary.h"
#include "ui/CatalogueText.h"

class QLabel;
class QTreeWidget;
class TTermMatcher;

// What a click inserts for an entry: its preferred translation; the source term itself for a term
// kept as it is; nothing for a forbidden one (its translations are the ones not to use).
std::u16string TermToInsert(const TGlossaryEntry& entry);
QString TermStatusText(TTermStatus status, const TCatalogueText& text);
// What the source box's tooltip says of a term: "TERM → TRANSLATIONS", the note, the status.
QString TermTip(const TGlossaryEntry& entry, const TCatalogueText& text);
// The entries whose source terms are in `source`, each once, in the order they first occur.
std::vector<std::size_t> SourceTermEntries(const TTermMatcher& matcher, std::u16string_view source);

class TTermsPanel : public QWidget {
 public:
  static constexpr int ShortcutRows = 9;
  enum Column { NumberColumn, SourceColumn, TranslationsColumn, NoteColumn, StatusColumn, ColumnCount };

  explicit TTermsPanel(TCatalogueText text, QWidget* parent = nullptr);
  QSize sizeHint() const override;

  // The terms of `source`; `matcher` may be null (no glossary).
  void ShowTerms(const TTermMatcher* matcher, std::u16string_view source);
  void Clear();

  int Count() const { return static_cast<int>(shown_.size()); }
  const TGlossaryEntry& Shown(int row) const { return shown_.at(static_cast<std::size_t>(row)); }
  // Hands row `row` (0-based) to OnInsert; false when there is no such row or nothing to insert.
  bool InsertTerm(int row);
  std::function<void(const std::u16string& translation)> OnInsert;

  QTreeWidget* Table = nullptr;
  QLabel* EmptyLabel = nullptr;  // shown when the source has no term

 private:
  TCatalogueText text_;
  std::vector<TGlossaryEntry> shown_;
};
