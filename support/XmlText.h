#pragma once
// The one rule for characters that XML cannot hold, for every XML file written here (XLIFF, TMX):
//  - a code unit below U+0020 other than tab, LF and CR, U+FFFE, U+FFFF and a lone surrogate is
//    written as "\u{XXXX}" (four upper-case hex digits of the code unit);
//  - so is a backslash that stands before "u{", so every "\u{" of such a text is one of these
//    escapes and a text that happens to hold one comes back as it was.
// Reading turns "\u{XXXX}" (hex digits in either case) back into its code unit, so nothing is lost
// either way. Line breaks are the caller's: PO and XLIFF write CR LF as LF, TMX keeps both.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/Utf8.h"

// Raised for bytes that are not UTF-8 where UTF-8 text was expected.
class ENotUtf8 : public std::runtime_error {
 public:
  ENotUtf8();
};

// True when text[at] is written as an escape.
inline bool NeedsXmlEscape(std::u16string_view text, std::size_t at) {
  const char16_t unit = text[at];
  if (unit < 0x20) return unit != u'\t' && unit != u'\n' && unit != u'\r';
  if (unit == u'\\') return text.substr(at + 1, 2) == u"u{";
  if (unit == 0xFFFE || unit == 0xFFFF || IsLowSurrogate(unit)) return true;
  // A pair's low half is read with its high half.
  return IsHighSurrogate(unit) && (at + 1 == text.size() || !IsLowSurrogate(text[at + 1]));
}

void AppendXmlEscape(std::string& out, char16_t unit);

// UTF-8 of `text` with the escapes; line breaks as they are.
std::string XmlSafeText(std::u16string_view text);

// Appends the text that XmlSafeText wrote as `safe`: escapes become their code units, everything
// else is decoded as UTF-8. Raises ENotUtf8 for bytes that are not UTF-8.
void AppendTextFromXmlSafe(std::string_view safe, std::u16string& out);
std::u16string TextFromXmlSafe(std::string_view safe);
