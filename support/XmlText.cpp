#include "support/XmlText.h"

namespace {

constexpr std::string_view EscapeStart = "\\u{";
constexpr std::size_t EscapeLength = 8;  // \u{XXXX}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of the escape at `at`, or -1 when no complete escape starts there.
int32_t EscapeAt(std::string_view text, std::size_t at) {
  if (text.size() - at < EscapeLength || text.substr(at, 3) != EscapeStart || text[at + 7] != '}') return -1;
  int32_t unit = 0;
  for (std::size_t i = at + 3; i < at + 7; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

}  // namespace

ENotUtf8::ENotUtf8() : std::runtime_error("the text is not UTF-8") {}

void AppendXmlEscape(std::string& out, char16_t unit) {
  static const char* hex = "0123456789ABCDEF";
  out += EscapeStart;
  for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
  out += '}';
}

std::string XmlSafeText(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (NeedsXmlEscape(text, i)) {
      AppendXmlEscape(out, text[i++]);
    } else {
      AppendUtf8(out, NextCodePoint(text, i));
    }
  }
  return out;
}

void AppendTextFromXmlSafe(std::string_view safe, std::u16string& out) {
  for (std::size_t at = 0; at < safe.size();) {
    const int32_t escaped = safe[at] == '\\' ? EscapeAt(safe, at) : -1;
    if (escaped >= 0) {
      out += static_cast<char16_t>(escaped);
      at += EscapeLength;
      continue;
    }
    const int32_t code = DecodeUtf8(safe, at);
    if (code < 0) throw ENotUtf8();
    AppendUtf16(out, static_cast<char32_t>(code));
  }
}

std::u16string TextFromXmlSafe(std::string_view safe) {
  std::u16string out;
  out.reserve(safe.size());
  AppendTextFromXmlSafe(safe, out);
  return out;
}
