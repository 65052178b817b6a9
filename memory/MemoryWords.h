#pragma once
// Words as the translation memory sees them, the similarity of two texts and the word-by-word
// difference between them. One owner for each of these rules: the memory, the update and the
// window all call these functions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One word of a text: its place in the text. A tag `<...>` and an expression `[...]` or `{...}`
// are one word each, however many spaces they hold; a run of letters and digits is a word; a run
// of punctuation is a word; blanks separate words and are no word.
struct TWordSpan {
  std::size_t Start = 0;
  std::size_t Length = 0;
};

std::vector<TWordSpan> SplitWords(std::u16string_view text);
std::vector<std::u16string_view> WordsOf(std::u16string_view text);

// The least number of words inserted, deleted or replaced to turn `a` into `b`.
template <typename Word>
std::size_t WordEditDistance(const std::vector<Word>& a, const std::vector<Word>& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t replace = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min(replace, std::min(above, row[j - 1]) + 1);
      diagonal = above;
    }
  }
  return row[b.size()];
}

// 100 * (1 - distance / the longer word count), rounded down; 100 only for identical texts, so
// two texts that differ in blanks alone score 99.
int SimilarityPercent(std::u16string_view a, std::u16string_view b);
// The same rule over word counts already known (the memory's index keeps words as numbers).
int SimilarityPercent(bool identical, std::size_t distance, std::size_t wordsA, std::size_t wordsB);

// The word-by-word difference from `before` to `after`: pieces in reading order, each a run of
// the original text (with the blanks that follow its words) kept, deleted from `before` or
// inserted from `after`.
enum class DiffKind { Same, Deleted, Inserted };
struct TDiffPiece {
  DiffKind Kind;
  std::u16string Text;
};
std::vector<TDiffPiece> WordDiff(std::u16string_view before, std::u16string_view after);
