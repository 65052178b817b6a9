#include "project/WordCount.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <type_traits>

#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/Utf8.h"
#include "support/XmlText.h"

namespace {

// What Python's str.split() splits at (str.isspace()), as pocount splits a text into words.
bool IsSplitBlank(char32_t c) {
  if (c <= 0x20) return c == 0x20 || (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x1F);
  if (c < 0x85) return false;
  if (c <= 0xA0) return c == 0x85 || c == 0xA0;
  if (c < 0x1680) return false;
  return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// A decimal digit of any script (Unicode's Nd, Python's \d): the first of each run of ten, and
// the one longer run of mathematical digits.
bool IsDecimalDigit(char32_t c) {
  if (c < 0x660) return c >= U'0' && c <= U'9';
  static constexpr std::array<char32_t, 61> RunStarts = {
      0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,   0xC66,   0xCE6,
      0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,  0x19D0,
      0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,  0xA9F0,
      0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450,
      0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0,
      0x16B50, 0x1D7CE, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0};
  if (c >= 0x1D7CE && c <= 0x1D7FF) return true;
  const auto after = std::upper_bound(RunStarts.begin(), RunStarts.end(), c);
  return after != RunStarts.begin() && c - *std::prev(after) < 10;
}

// pocount's punctuation (translate.lang.common.Common.punctuation): stripped from both ends of a
// word, so a piece of nothing else is no word. Blanks, "&", "+", "=", "|", "~" and the dashes
// other than "-" are not in it: a dash standing alone is a word.
bool IsPocountPunctuation(char32_t c) {
  if (c < 0x80) {
    static constexpr std::u32string_view Ascii = U".,;:!?-@#$%^*_()[]{}/\\'`\"<>";
    return Ascii.find(c) != std::u32string_view::npos;
  }
  if (c >= 0x250 && c < 0x600) return false;  // Greek and Cyrillic letters among others
  static constexpr std::u32string_view Others =
      U"\u00A1\u00A3\u00A5\u00A9\u00AB\u00AE\u00B0\u00B1\u00B2\u00B3\u00B7\u00B9\u00BB\u00BF\u00D7\u00F7"
      U"\u060C\u061B\u061F\u0964\u0965\u0970\u1362\u1363\u1364"
      U"\u2018\u2019\u201B\u201C\u201D\u201E\u201F\u2026\u2032\u2033\u2034\u2035\u2036\u2037\u2039\u203A\u20AC"
      U"\u3001\u3002\u300C\u300D\u300E\u300F\u3010\u3011\uFF01\uFF0C\uFF1B\uFF1F";
  return std::binary_search(Others.begin(), Others.end(), c);
}

// Tags dropped and each formula as the digit 0, read as QuestMarkup.h reads them: a tag or a
// formula starts only at one of "<", "[" and "{", and is read the same there as from the start.
std::size_t NextMarkupStart(std::u16string_view text, std::size_t from) {
  while (from < text.size() && text[from] != u'<' && text[from] != u'[' && text[from] != u'{') ++from;
  return from;
}

std::u16string_view WithoutMarkup(std::u16string_view text, std::u16string& plain) {
  std::size_t at = NextMarkupStart(text, 0);
  if (at == text.size()) return text;
  plain.assign(text.substr(0, at));
  while (at < text.size()) {
    TMarkupToken token;
    TMarkupScanner(text.substr(at)).Next(token);
    if (token.Kind == TMarkupKind::Formula) plain += u'0';
    at += token.End;
    const std::size_t next = NextMarkupStart(text, at);
    plain.append(text.substr(at, next - at));
    at = next;
  }
  return plain;
}

// The characters of the text as PoFormat writes it (formats/PortableText.h): CR LF as LF, a lone
// CR or LF and whatever XML cannot hold as "\u{XXXX}".
void AppendPoCharacters(std::u16string_view text, std::u32string& out) {
  static constexpr char HexDigits[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < text.size();) {
    const char16_t unit = text[i];
    if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      out += U'\n';
      i += 2;
    } else if (unit == u'\r' || unit == u'\n' || NeedsXmlEscape(text, i)) {
      out += U"\\u{";
      for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char32_t>(HexDigits[(unit >> shift) & 0xF]);
      out += U'}';
      ++i;
    } else {
      out += NextCodePoint(text, i);
    }
  }
}

// pocount's count of `text` given as the characters of its PO form (Char = char32_t), or as the
// units of a text that the PO file holds unit for unit (Char = char16_t; CR LF, which it holds as
// LF, is a blank either way). A unit that it does not hold so (a lone CR or LF, another control
// but the tab, a surrogate, U+FFFE, U+FFFF) or a "<", "[" or "{" where markup would start ends a
// count of units with -1. `lineBreaks` gets the CR LF pairs of a count of units.
template <typename Char>
int64_t CountPocountWords(std::basic_string_view<Char> text, int64_t& lineBreaks) {
  constexpr bool units = std::is_same_v<Char, char16_t>;
  const std::size_t length = text.size();
  // Whether the unit at `at` is held as it is: asked only off the path of letters.
  const auto heldAsItIs = [&](std::size_t at) {
    const char32_t c = text[at];
    if (c == U'\r') return at + 1 < length && text[at + 1] == u'\n';
    if (c == U'\n') return at > 0 && text[at - 1] == u'\r';
    return (c >= 0x20 || c == U'\t') && c != U'<' && c != U'[' && c != U'{' &&
           (c < 0xD800 || (c >= 0xE000 && c < 0xFFFE));
  };
  int64_t words = 0;
  bool pieceCounts = false;  // the piece read so far holds more than punctuation
  const auto endPiece = [&] {
    words += pieceCounts ? 1 : 0;
    pieceCounts = false;
  };
  for (std::size_t i = 0; i < length;) {
    const char32_t c = text[i];
    // pocount's re.sub("\D\.\D", " ") before the split: the three characters become a blank, and
    // the search goes on after them.
    if (i + 2 < length && text[i + 1] == u'.' && !IsDecimalDigit(c) && !IsDecimalDigit(text[i + 2])) {
      endPiece();
      i += 3;
      if constexpr (units) {
        if (!heldAsItIs(i - 3) || !heldAsItIs(i - 1)) return -1;
        lineBreaks += c == U'\n' ? 1 : 0;
        // A CR LF is one character of the PO form: the match takes the LF with the CR.
        if (text[i - 1] == u'\r') {
          ++lineBreaks;
          ++i;
        }
      }
      continue;
    }
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= 0x400 && c < 0x530)) {
      pieceCounts = true;  // Latin and Cyrillic letters, most of a quest
    } else {
      if constexpr (units) {
        if (!heldAsItIs(i)) return -1;
        lineBreaks += c == U'\n' ? 1 : 0;
      }
      if (IsSplitBlank(c))
        endPiece();
      else
        pieceCounts = pieceCounts || !IsPocountPunctuation(c);
    }
    ++i;
  }
  endPiece();
  return words;
}

int64_t CountCharacters(std::u16string_view text) {
  int64_t characters = static_cast<int64_t>(text.size());
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if ((text[i] == u'\r' && text[i + 1] == u'\n') || (IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1])))
      --characters;
  return characters;
}

}  // namespace

TTextSize TWordCounter::Measure(std::u16string_view text) {
  // Most texts hold neither markup nor a unit that the PO file writes otherwise: they are counted
  // as they are, in one pass.
  int64_t lineBreaks = 0;
  int64_t words = CountPocountWords(text, lineBreaks);
  if (words >= 0) return TTextSize{words, static_cast<int64_t>(text.size()) - lineBreaks};
  const std::u16string_view plain = WithoutMarkup(text, plain_);
  words = CountPocountWords(plain, lineBreaks);
  if (words < 0) {
    points_.clear();
    AppendPoCharacters(plain, points_);
    words = CountPocountWords(std::u32string_view(points_), lineBreaks);
  }
  return TTextSize{words, CountCharacters(text)};
}

TWorkState WorkState(const TtxgProject& project, int32_t message) {
  if (!project.IsTranslated(message)) return TWorkState::Untranslated;
  return project.NeedsReview(message) ? TWorkState::Review : TWorkState::Translated;
}

TWorkSizes MeasureProject(const TtxgProject& project) {
  TWorkSizes sizes;
  TWordCounter counter;
  for (int32_t p = 1; p <= project.PositionCount; ++p) {
    const int32_t n = project.MessageAtPosition(p);
    sizes[WorkState(project, n)] += counter.Measure(project.SourceTextView(n));
  }
  return sizes;
}

TProjectSizes::TProjectSizes(TtxgProject& project) : project_(project) {
  listener_ = project_.AddChangeListener([this](int32_t message) { Changed(message); });
}

TProjectSizes::~TProjectSizes() { project_.RemoveChangeListener(listener_); }

const TWorkSizes& TProjectSizes::Sizes() const {
  if (!stale_) return totals_;
  const auto count = static_cast<std::size_t>(std::max(project_.PositionCount, 0));
  sizes_.assign(count + 1, TTextSize{});
  states_.assign(count + 1, TWorkState::Untranslated);
  totals_ = TWorkSizes{};
  TWordCounter counter;
  for (std::size_t p = 1; p <= count; ++p) {
    const int32_t n = project_.MessageAtPosition(static_cast<int32_t>(p));
    sizes_[p] = counter.Measure(project_.SourceTextView(n));
    states_[p] = WorkState(project_, n);
    totals_[states_[p]] += sizes_[p];
  }
  stale_ = false;
  return totals_;
}

void TProjectSizes::Changed(int32_t message) {
  if (message == 0) stale_ = true;
  if (stale_) return;
  const int32_t position = project_.PositionOfMessage(project_.StateMessage(message));
  if (position < 1 || static_cast<std::size_t>(position) >= states_.size()) return;
  const auto p = static_cast<std::size_t>(position);
  const TWorkState state = WorkState(project_, project_.MessageAtPosition(position));
  if (state == states_[p]) return;
  totals_[states_[p]] -= sizes_[p];
  totals_[state] += sizes_[p];
  states_[p] = state;
}
