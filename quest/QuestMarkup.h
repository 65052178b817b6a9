#pragma once
// Quest markup: the one reader of tags "<...>", colour tags "<clr>" / "<clrEnd>", formulas
// "[...]" and "{...}", words and numbers in a quest text. The exchange file's tag comparison, the
// translation checks, the spelling and the window's highlighting all read texts through it, so
// they agree on what a tag or a formula is.
//
// Tags are cut first, by the exchange file's rule (from "<" through the next ">", or to the end
// when no ">" follows): a formula never swallows a tag, and every "<" starts one. Formulas are read
// in the text between tags.
#include <cstdint>
#include <string_view>
#include <vector>

enum class TMarkupKind : uint8_t {
  Tag,         // "<...>" other than a colour tag; also "<" without its ">" (to the end)
  ColorOpen,   // "<clr>"
  ColorClose,  // "<clrEnd>"
  Formula,     // "[...]" or "{...}", nested brackets included
  Word,        // letters, with an apostrophe between letters
  Number,      // digits, with "." or "," between digits
  Blank,       // spaces, tabs, no-break spaces
  LineBreak,   // CR LF, LF or CR
  Other,       // one character of anything else (punctuation, a stray bracket)
};

struct TMarkupToken {
  TMarkupKind Kind = TMarkupKind::Other;
  uint32_t Begin = 0;  // code units, end exclusive
  uint32_t End = 0;
  bool Closed = true;  // false for a tag or formula cut short by the end of the text or by a tag
  bool IsTag() const {
    return Kind == TMarkupKind::Tag || Kind == TMarkupKind::ColorOpen || Kind == TMarkupKind::ColorClose;
  }
  std::u16string_view In(std::u16string_view text) const { return text.substr(Begin, End - Begin); }
};

// Walks a text token by token; the tokens cover the text without gaps or overlaps.
class TMarkupScanner {
 public:
  explicit TMarkupScanner(std::u16string_view text) : text_(text) {}
  bool Next(TMarkupToken& token);  // false at the end of the text

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

std::vector<TMarkupToken> TokenizeMarkup(std::u16string_view text);

// The tags of a text as the exchange import compares them, in order: every tag token, then a stray
// ">" after the last tag together with the text before it (but not a ">" at the very start).
void AppendExchangeTags(std::u16string_view text, std::vector<std::u16string_view>& tags);

// Letters of the scripts quests are written in (Latin, Greek, Cyrillic and the letters of other
// scripts); not digits, punctuation, symbols or blanks.
bool IsMarkupLetter(char16_t c);
bool IsMarkupBlank(char16_t c);  // space, tab, no-break space (not a line break)
// Lower case for comparing words: Latin, Latin-1, Greek and Cyrillic capitals; others unchanged.
char16_t FoldMarkupCase(char16_t c);
// A small letter that has a capital FoldMarkupCase lowers to it (a capital is one that
// FoldMarkupCase changes).
bool IsMarkupSmall(char16_t c);

enum class TMarkupScript : uint8_t { Other, Latin, Cyrillic };
// The script of a letter (Latin: ASCII, Latin-1 and Latin Extended letters); Other for anything
// else.
TMarkupScript MarkupScript(char16_t c);
