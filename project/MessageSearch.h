#pragma once
// The one rule for finding messages and rewriting translations: which texts are searched (source,
// translation, id), how a pattern matches (case, whole words, regular expression) and what a
// replacement makes of a translation. The window and xgtool both call it. Every pattern, plain or
// not, is compiled by PCRE2 in UTF-16 mode, the engine QRegularExpression is built on, so a
// regular expression means the same in the window and on the command line.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TtxgProject;

// An invalid regular expression or replacement. The text names the offset and PCRE2's reason,
// e.g. "Invalid regular expression at offset 3: missing closing parenthesis".
class ESearchPatternError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSearchOptions {
  // Where to look; with none of the three nothing matches.
  bool InSource = true;
  bool InTarget = true;
  bool InId = false;
  bool IgnoreCase = false;
  // A match must not touch a letter, digit or underscore on either side (Unicode classes).
  bool WholeWords = false;
  // The pattern is a PCRE2 expression; otherwise every character stands for itself.
  bool RegularExpression = false;
};

// A compiled pattern. An empty pattern matches every text once, at its start. Not safe to use
// from two threads at once (the match buffer is shared).
class TTextMatcher {
 public:
  TTextMatcher(std::u16string_view pattern, bool ignoreCase, bool wholeWords, bool regularExpression);
  ~TTextMatcher();
  TTextMatcher(const TTextMatcher&) = delete;
  TTextMatcher& operator=(const TTextMatcher&) = delete;

  bool IsEmpty() const { return empty_; }
  bool Contains(std::u16string_view text) const;
  // The first match starting at or after `from`: [start, end) in code units.
  bool Find(std::u16string_view text, std::size_t from, std::size_t& start, std::size_t& end) const;
  // The last match that starts before `before` (for searching backwards), or false.
  bool FindLast(std::u16string_view text, std::size_t before, std::size_t& start, std::size_t& end) const;
  // Every match of `text` replaced; returns how many. With a regular expression, \0 to \9 in the
  // replacement stand for the match and its groups and \\ for one backslash; a plain pattern's
  // replacement is taken as it is. Raises ESearchPatternError for a group the expression lacks.
  int32_t Replace(std::u16string_view text, std::u16string_view replacement, std::u16string& result) const;
  // Raises ESearchPatternError when `replacement` names a group the expression does not have.
  void CheckReplacement(std::u16string_view replacement) const;

 private:
  struct Compiled;
  std::unique_ptr<Compiled> compiled_;
  bool empty_ = false;
  bool regularExpression_ = false;
  bool MatchAt(std::u16string_view text, std::size_t offset, uint32_t flags, std::size_t& start,
               std::size_t& end) const;
};

// A search over the project's messages.
class TMessageSearch {
 public:
  TMessageSearch(std::u16string_view pattern, const TSearchOptions& options);
  // Message n (1..SourceCount) matches in one of the chosen texts.
  bool Matches(const TtxgProject& project, int32_t n) const;
  // The same rule over texts kept apart from their project (the quests of a workspace).
  bool MatchesTexts(std::u16string_view source, std::u16string_view target, std::u16string_view id) const;
  // The positions (1..PositionCount, increasing) whose message matches.
  std::vector<int32_t> MatchingPositions(const TtxgProject& project) const;
  const TSearchOptions& Options() const { return options_; }

 private:
  TSearchOptions options_;
  TTextMatcher matcher_;
};

// One translation a replace changes: the text before and after, and whether it was kept as it is
// before (the new text drops the mark; undoing the replace puts it back).
struct TReplacement {
  int32_t Message = 0;
  std::u16string OldText;
  std::u16string NewText;
  bool WasTranslatedAsIs = false;
};

// The translations that replacing `matcher` by `replacement` would change, among `messages`, in
// the order given. Only target texts are rewritten. Messages that are linked duplicates are left
// out (they follow the path they fold into), and so is a target holding the deleted-message mark,
// which is no translation to edit. Results are what the project stores for them
// (TranslationToStore: a blank one becomes the deleted-message text). Raises ESearchPatternError for a replacement
// naming a missing group.
std::vector<TReplacement> PlanReplacements(const TtxgProject& project, const TTextMatcher& matcher,
                                           std::u16string_view replacement, const std::vector<int32_t>& messages);
// Every message shown at a position, in position order: the candidates of a replace-all.
std::vector<int32_t> MessagesAtPositions(const TtxgProject& project);
// Stores NewText (or, with `undo`, OldText) of every replacement.
void ApplyReplacements(TtxgProject& project, const std::vector<TReplacement>& replacements, bool undo = false);
