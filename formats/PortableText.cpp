#include "formats/PortableText.h"

#include <cstdint>
#include <utility>

#include "quest/QuestMarkup.h"
#include "support/Utf8.h"

namespace {

constexpr std::string_view EscapeStart = "\\u{";
constexpr std::size_t EscapeLength = 8;  // \u{XXXX}

void AppendEscape(std::string& out, char16_t unit) {
  static const char* hex = "0123456789ABCDEF";
  out += EscapeStart;
  for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
  out += '}';
}

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

namespace {

// Appends the portable form of text[begin, end) to the pieces: a markup range as one markup piece,
// a plain range as plain pieces with every escape a markup piece of its own. Lookahead (CR LF, a
// surrogate pair, a backslash before "u{") sees the whole text, so the pieces join to exactly
// PortableText(text) as long as no range cuts a CR LF or a pair, which the markup reader never does.
void AppendPortable(std::u16string_view text, std::size_t begin, std::size_t end, bool markup,
                    std::vector<TTextPiece>& pieces) {
  // A markup range pushes nothing but its own piece, so this pointer stays valid.
  std::string* out = nullptr;
  if (markup) {
    pieces.push_back({true, {}});
    out = &pieces.back().Text;
  }
  auto plain = [&]() -> std::string& {
    if (markup) return *out;
    if (pieces.empty() || pieces.back().Markup) pieces.push_back({false, {}});
    return pieces.back().Text;
  };
  auto escape = [&](char16_t unit) {
    if (markup) {
      AppendEscape(*out, unit);
    } else {
      pieces.push_back({true, {}});
      AppendEscape(pieces.back().Text, unit);
    }
  };
  const std::size_t length = text.size();
  for (std::size_t i = begin; i < end;) {
    const char16_t unit = text[i];
    if (unit == u'\r' && i + 1 < length && text[i + 1] == u'\n') {
      plain() += '\n';
      i += 2;
    } else if ((unit < 0x20 && unit != u'\t') || unit == 0xFFFE || unit == 0xFFFF ||
               (unit == u'\\' && text.substr(i + 1, 2) == u"u{")) {
      escape(unit);
      ++i;
    } else if (const char32_t code = NextCodePoint(text, i); code >= 0xD800 && code <= 0xDFFF) {
      escape(unit);  // a lone surrogate
    } else {
      AppendUtf8(plain(), code);
    }
  }
}

}  // namespace

std::string PortableText(std::u16string_view text) {
  std::vector<TTextPiece> pieces;
  AppendPortable(text, 0, text.size(), true, pieces);
  return pieces.empty() ? std::string() : std::move(pieces.front().Text);
}

std::vector<TTextPiece> PortablePieces(std::u16string_view text) {
  std::vector<TTextPiece> pieces;
  std::size_t plainStart = 0;
  TMarkupScanner scanner(text);
  for (TMarkupToken token; scanner.Next(token);) {
    if (!token.IsTag() && token.Kind != TMarkupKind::Formula) continue;
    AppendPortable(text, plainStart, token.Begin, false, pieces);
    AppendPortable(text, token.Begin, token.End, true, pieces);
    plainStart = token.End;
  }
  AppendPortable(text, plainStart, text.size(), false, pieces);
  return pieces;
}

std::u16string QuestTextFromPortable(std::string_view portable) {
  std::u16string out;
  out.reserve(portable.size());
  std::size_t at = 0;
  while (at < portable.size()) {
    const char c = portable[at];
    if (c == '\n') {
      out += u"\r\n";
      ++at;
    } else if (c == '\\' && EscapeAt(portable, at) >= 0) {
      out += static_cast<char16_t>(EscapeAt(portable, at));
      at += EscapeLength;
    } else {
      const int32_t code = DecodeUtf8(portable, at);
      if (code < 0) throw ENotUtf8();
      AppendUtf16(out, static_cast<char32_t>(code));
    }
  }
  return out;
}
