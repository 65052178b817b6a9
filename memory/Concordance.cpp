#include "memory/Concordance.h"

#include "project/MessageSearch.h"

TConcordance FindInMemory(const TTranslationMemory& memory, std::u16string_view text, std::size_t limit) {
  TConcordance found;
  if (text.find_first_not_of(u" \t\r\n") == std::u16string_view::npos) return found;
  const TTextMatcher matcher(text, /*ignoreCase=*/true, /*wholeWords=*/false, /*regularExpression=*/false);
  for (std::size_t i = 0; i < memory.Size(); ++i) {
    const TMemoryEntry& entry = memory.Entry(i);
    if (!matcher.Contains(entry.Source) && !matcher.Contains(entry.Translation)) continue;
    if (found.Entries.size() < limit) found.Entries.push_back(i);
    ++found.Total;
  }
  return found;
}
