// Search and replace over the project's messages through PCRE2 (16-bit code units).
#include "project/MessageSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <string>

#include "project/ProjectClass.h"

namespace {

// Whole words: nothing of a word may touch the match on either side.
constexpr std::u16string_view WordStart = u"(?<!\\w)(?:";
constexpr std::u16string_view WordEnd = u")(?!\\w)";

std::string Narrow(const PCRE2_UCHAR16* text) {
  std::string result;
  for (; *text != 0; ++text) result += *text < 0x80 ? static_cast<char>(*text) : '?';
  return result;
}

std::string ErrorText(int code) {
  PCRE2_UCHAR16 buffer[256];
  if (pcre2_get_error_message(code, buffer, 256) < 0) return "error " + std::to_string(code);
  return Narrow(buffer);
}

// Every ASCII character that is no letter or digit is escaped: PCRE2 reads an escaped
// punctuation character as itself, and the others have no meaning of their own.
std::u16string LiteralPattern(std::u16string_view text) {
  std::u16string pattern;
  pattern.reserve(text.size() * 2);
  for (char16_t unit : text) {
    const bool alphanumeric =
        (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    if (unit < 0x80 && unit > 0x20 && !alphanumeric) pattern += u'\\';
    pattern += unit;
  }
  return pattern;
}

bool IsSurrogatePairAt(std::u16string_view text, std::size_t i) {
  return i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

const TTextField* FieldOf(const std::vector<TTextField*>& texts, int32_t count, int32_t n) {
  if (n < 1 || n > count || static_cast<std::size_t>(n) >= texts.size()) return nullptr;
  return texts[static_cast<std::size_t>(n)];
}

}  // namespace

struct TTextMatcher::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_data* match = nullptr;
  uint32_t groups = 0;
  ~Compiled() {
    pcre2_match_data_free(match);
    pcre2_code_free(code);
  }
};

TTextMatcher::TTextMatcher(std::u16string_view pattern, bool ignoreCase, bool wholeWords, bool regularExpression)
    : compiled_(std::make_unique<Compiled>()), empty_(pattern.empty()), regularExpression_(regularExpression) {
  std::u16string expression = regularExpression ? std::u16string(pattern) : LiteralPattern(pattern);
  std::size_t prefix = 0;
  if (wholeWords && !empty_) {
    expression = std::u16string(WordStart) + expression + std::u16string(WordEnd);
    prefix = WordStart.size();
  }
  uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF;
  if (ignoreCase) options |= PCRE2_CASELESS;
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  compiled_->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR16>(expression.data()), expression.size(), options, &error,
                                  &errorOffset, nullptr);
  if (compiled_->code == nullptr) {
    // The offset is the user's, not that of the text wrapped around it for whole words.
    std::size_t offset = errorOffset > prefix ? errorOffset - prefix : 0;
    if (offset > pattern.size()) offset = pattern.size();
    throw ESearchPatternError("Invalid regular expression at offset " + std::to_string(offset) + ": " +
                              ErrorText(error));
  }
  // Without the JIT PCRE2 still matches, only slower; its failure is no error.
  pcre2_jit_compile(compiled_->code, PCRE2_JIT_COMPLETE);
  pcre2_pattern_info(compiled_->code, PCRE2_INFO_CAPTURECOUNT, &compiled_->groups);
  compiled_->match = pcre2_match_data_create_from_pattern(compiled_->code, nullptr);
  if (compiled_->match == nullptr) throw std::bad_alloc();
}

TTextMatcher::~TTextMatcher() = default;

bool TTextMatcher::MatchAt(std::u16string_view text, std::size_t offset, uint32_t flags, std::size_t& start,
                           std::size_t& end) const {
  if (offset > text.size()) return false;
  // An empty view may have no data pointer; PCRE2 wants one.
  static const char16_t nothing = 0;
  const char16_t* subject = text.empty() ? &nothing : text.data();
  const int rc = pcre2_match(compiled_->code, reinterpret_cast<PCRE2_SPTR16>(subject), text.size(), offset, flags,
                             compiled_->match, nullptr);
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  if (rc < 0) throw ESearchPatternError("The regular expression could not be matched: " + ErrorText(rc));
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(compiled_->match);
  start = ovector[0];
  end = ovector[1];
  return true;
}

bool TTextMatcher::Contains(std::u16string_view text) const {
  if (empty_) return true;
  std::size_t start = 0;
  std::size_t end = 0;
  return MatchAt(text, 0, 0, start, end);
}

bool TTextMatcher::Find(std::u16string_view text, std::size_t from, std::size_t& start, std::size_t& end) const {
  return MatchAt(text, from, 0, start, end);
}

bool TTextMatcher::FindLast(std::u16string_view text, std::size_t before, std::size_t& start, std::size_t& end) const {
  bool found = false;
  std::size_t from = 0;
  std::size_t matchStart = 0;
  std::size_t matchEnd = 0;
  while (from <= text.size() && MatchAt(text, from, 0, matchStart, matchEnd) && matchStart < before) {
    found = true;
    start = matchStart;
    end = matchEnd;
    from = matchEnd > matchStart ? matchEnd : matchStart + (IsSurrogatePairAt(text, matchStart) ? 2 : 1);
  }
  return found;
}

void TTextMatcher::CheckReplacement(std::u16string_view replacement) const {
  if (!regularExpression_) return;
  for (std::size_t i = 0; i + 1 < replacement.size(); ++i) {
    if (replacement[i] != u'\\') continue;
    const char16_t next = replacement[i + 1];
    if (next >= u'0' && next <= u'9' && static_cast<uint32_t>(next - u'0') > compiled_->groups)
      throw ESearchPatternError("The replacement refers to group " + std::to_string(next - u'0') +
                                ", but the expression has " + std::to_string(compiled_->groups));
    ++i;  // the escaped character is used up
  }
}

int32_t TTextMatcher::Replace(std::u16string_view text, std::u16string_view replacement, std::u16string& result) const {
  CheckReplacement(replacement);
  result.clear();
  int32_t count = 0;
  std::size_t copied = 0;
  std::size_t position = 0;
  bool afterEmptyMatch = false;
  std::size_t start = 0;
  std::size_t end = 0;
  while (true) {
    // After an empty match, a non-empty one at the same place comes first; then move on one
    // character, so the search always advances.
    const uint32_t flags = afterEmptyMatch ? (PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED) : 0;
    if (!MatchAt(text, position, flags, start, end)) {
      if (!afterEmptyMatch || position >= text.size()) break;
      afterEmptyMatch = false;
      position += IsSurrogatePairAt(text, position) ? 2 : 1;
      continue;
    }
    result.append(text.substr(copied, start - copied));
    if (!regularExpression_) {
      result.append(replacement);
    } else {
      const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(compiled_->match);
      for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t unit = replacement[i];
        if (unit != u'\\' || i + 1 == replacement.size()) {
          result += unit;
          continue;
        }
        const char16_t next = replacement[++i];
        if (next >= u'0' && next <= u'9') {
          const auto group = static_cast<std::size_t>(next - u'0');
          const PCRE2_SIZE from = ovector[2 * group];
          if (from != PCRE2_UNSET) result.append(text.substr(from, ovector[2 * group + 1] - from));
        } else if (next == u'\\') {
          result += u'\\';
        } else {
          result += unit;
          result += next;
        }
      }
    }
    ++count;
    copied = end;
    position = end;
    afterEmptyMatch = start == end;
  }
  result.append(text.substr(copied));
  return count;
}

TMessageSearch::TMessageSearch(std::u16string_view pattern, const TSearchOptions& options)
    : options_(options), matcher_(pattern, options.IgnoreCase, options.WholeWords, options.RegularExpression) {}

bool TMessageSearch::Matches(const TtxgProject& project, int32_t n) const {
  if (matcher_.IsEmpty()) return true;
  if (options_.InSource) {
    const TTextField* source = FieldOf(project.SourceTexts, project.SourceCount, n);
    if (source != nullptr && matcher_.Contains(source->Text)) return true;
  }
  if (options_.InTarget) {
    const TTextField* target = FieldOf(project.TargetTexts, project.TargetCount, n);
    if (target != nullptr && matcher_.Contains(target->Text)) return true;
  }
  if (options_.InId && n >= 1 && n <= project.TargetCount && static_cast<std::size_t>(n) < project.TargetIds.size())
    return matcher_.Contains(project.TargetIds[static_cast<std::size_t>(n)]);
  return false;
}

bool TMessageSearch::MatchesTexts(std::u16string_view source, std::u16string_view target,
                                  std::u16string_view id) const {
  if (matcher_.IsEmpty()) return true;
  return (options_.InSource && matcher_.Contains(source)) || (options_.InTarget && matcher_.Contains(target)) ||
         (options_.InId && matcher_.Contains(id));
}

std::vector<int32_t> TMessageSearch::MatchingPositions(const TtxgProject& project) const {
  std::vector<int32_t> positions;
  for (int32_t position = 1; position <= project.PositionCount; ++position)
    if (Matches(project, project.MessageAtPosition(position))) positions.push_back(position);
  return positions;
}

std::vector<int32_t> MessagesAtPositions(const TtxgProject& project) {
  std::vector<int32_t> messages;
  messages.reserve(static_cast<std::size_t>(project.PositionCount > 0 ? project.PositionCount : 0));
  for (int32_t position = 1; position <= project.PositionCount; ++position)
    messages.push_back(project.MessageAtPosition(position));
  return messages;
}

std::vector<TReplacement> PlanReplacements(const TtxgProject& project, const TTextMatcher& matcher,
                                           std::u16string_view replacement, const std::vector<int32_t>& messages) {
  matcher.CheckReplacement(replacement);
  std::vector<TReplacement> plan;
  // An empty pattern would insert the replacement between every two characters.
  if (matcher.IsEmpty()) return plan;
  const std::u16string deletedText = project.SourceCount > 0 ? project.DeletedMessageText() : std::u16string();
  std::u16string changed;
  for (int32_t n : messages) {
    if (project.IsLinked(n)) continue;
    const TTextField* target = FieldOf(project.TargetTexts, project.TargetCount, n);
    if (target == nullptr || target->Text == deletedText) continue;
    if (matcher.Replace(target->Text, replacement, changed) == 0 || changed == target->Text) continue;
    plan.push_back(TReplacement{n, target->Text, project.TranslationToStore(changed), project.TranslatedAsIs(n)});
  }
  return plan;
}

void ApplyReplacements(TtxgProject& project, const std::vector<TReplacement>& replacements, bool undo) {
  for (const TReplacement& replacement : replacements) {
    project.SetTargetText(replacement.Message, undo ? replacement.OldText : replacement.NewText);
    if (undo && replacement.WasTranslatedAsIs) project.SetTranslatedAsIs(replacement.Message, true);
  }
}
