#include "memory/MemoryWords.h"

#include <algorithm>

namespace {

bool IsBlank(char16_t c) {
  return c <= 0x20 || c == 0x00A0 || c == 0x2028 || c == 0x2029 || c == 0x3000 || (c >= 0x2000 && c <= 0x200B);
}

bool IsPunctuation(char16_t c) {
  if (c < 0x80)
    return (c >= u'!' && c <= u'/') || (c >= u':' && c <= u'@') || (c >= u'[' && c <= u'`') || (c >= u'{' && c <= u'~');
  // Guillemets, dashes, quotes and the ellipsis: what quest texts use beside ASCII.
  return c == 0x00AB || c == 0x00BB || (c >= 0x2010 && c <= 0x2027) || c == 0x2039 || c == 0x203A;
}

// The closing mark of a word that runs to it, or 0.
char16_t ClosingMark(char16_t c) {
  switch (c) {
    case u'<':
      return u'>';
    case u'[':
      return u']';
    case u'{':
      return u'}';
    default:
      return 0;
  }
}

}  // namespace

std::vector<TWordSpan> SplitWords(std::u16string_view text) {
  std::vector<TWordSpan> words;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    if (const char16_t closing = ClosingMark(c); closing != 0) {
      // Expressions nest ("[p1 + [p2]]"); an unclosed mark is punctuation like any other.
      std::size_t depth = 1;
      std::size_t end = i + 1;
      for (; end < text.size() && depth > 0; ++end) {
        if (text[end] == c && c != u'<') ++depth;
        if (text[end] == closing) --depth;
      }
      if (depth == 0) {
        i = end;
        words.push_back({start, i - start});
        continue;
      }
    }
    const bool punctuation = IsPunctuation(c);
    ++i;
    while (i < text.size() && !IsBlank(text[i]) && IsPunctuation(text[i]) == punctuation &&
           (!punctuation || ClosingMark(text[i]) == 0))
      ++i;
    words.push_back({start, i - start});
  }
  return words;
}

std::vector<std::u16string_view> WordsOf(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  for (const TWordSpan& span : SplitWords(text)) words.push_back(text.substr(span.Start, span.Length));
  return words;
}

int SimilarityPercent(bool identical, std::size_t distance, std::size_t wordsA, std::size_t wordsB) {
  if (identical) return 100;
  const std::size_t longer = std::max(wordsA, wordsB);
  if (longer == 0) return 0;
  const auto percent = static_cast<int>((100 * (longer - std::min(distance, longer))) / longer);
  return std::min(percent, 99);
}

int SimilarityPercent(std::u16string_view a, std::u16string_view b) {
  if (a == b) return 100;
  const auto wordsA = WordsOf(a);
  const auto wordsB = WordsOf(b);
  return SimilarityPercent(false, WordEditDistance(wordsA, wordsB), wordsA.size(), wordsB.size());
}

std::vector<TDiffPiece> WordDiff(std::u16string_view before, std::u16string_view after) {
  const auto spansA = SplitWords(before);
  const auto spansB = SplitWords(after);
  auto word = [](std::u16string_view text, const TWordSpan& span) { return text.substr(span.Start, span.Length); };
  // The run of a word with the blanks after it, up to the next word (the last runs to the end).
  auto run = [](std::u16string_view text, const std::vector<TWordSpan>& spans, std::size_t k) {
    const std::size_t end = k + 1 < spans.size() ? spans[k + 1].Start : text.size();
    return std::u16string(text.substr(spans[k].Start, end - spans[k].Start));
  };

  // Longest common subsequence of words, table from the end so the walk below goes forward.
  const std::size_t n = spansA.size();
  const std::size_t m = spansB.size();
  std::vector<uint32_t> table((n + 1) * (m + 1), 0);
  auto at = [&](std::size_t i, std::size_t j) -> uint32_t& { return table[i * (m + 1) + j]; };
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      at(i, j) = word(before, spansA[i]) == word(after, spansB[j]) ? at(i + 1, j + 1) + 1
                                                                   : std::max(at(i + 1, j), at(i, j + 1));

  std::vector<TDiffPiece> pieces;
  auto append = [&](DiffKind kind, std::u16string text) {
    if (!pieces.empty() && pieces.back().Kind == kind)
      pieces.back().Text += text;
    else
      pieces.push_back({kind, std::move(text)});
  };
  // Blanks before the first word belong to the text that is kept.
  if (m > 0 && spansB[0].Start > 0) append(DiffKind::Same, std::u16string(after.substr(0, spansB[0].Start)));
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && word(before, spansA[i]) == word(after, spansB[j])) {
      append(DiffKind::Same, run(after, spansB, j));
      ++i;
      ++j;
    } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
      // A replaced word reads as the old one struck through, then the new one.
      append(DiffKind::Deleted, run(before, spansA, i++));
    } else {
      append(DiffKind::Inserted, run(after, spansB, j++));
    }
  }
  return pieces;
}
