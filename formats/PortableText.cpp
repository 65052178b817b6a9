#include "formats/PortableText.h"

#include <cstdint>
#include <utility>

#include "quest/QuestMarkup.h"

namespace {

constexpr std::string_view EscapeStart = "\\u{";
constexpr std::size_t EscapeLength = 8;  // \u{XXXX}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendEscape(std::string& out, char16_t unit) {
  static const char* hex = "0123456789ABCDEF";
  out += EscapeStart;
  for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
  out += '}';
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
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

// One UTF-8 sequence at `at`: the code point, and `at` moved past it. Overlong forms, encoded
// surrogates and values above U+10FFFF are not UTF-8.
uint32_t DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int length = 0;
  uint32_t code = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    throw ENotUtf8();
  }
  if (text.size() - at < static_cast<std::size_t>(length)) throw ENotUtf8();
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) throw ENotUtf8();
    code = (code << 6) | (next & 0x3F);
  }
  static const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) throw ENotUtf8();
  at += static_cast<std::size_t>(length);
  return code;
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
  for (std::size_t i = begin; i < end; ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r' && i + 1 < length && text[i + 1] == u'\n') {
      plain() += '\n';
      ++i;
    } else if ((unit < 0x20 && unit != u'\t') || unit == 0xFFFE || unit == 0xFFFF) {
      escape(unit);
    } else if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(plain(), 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      escape(unit);
    } else if (unit == u'\\' && text.substr(i + 1, 2) == u"u{") {
      escape(unit);
    } else {
      AppendUtf8(plain(), unit);
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
      const uint32_t code = DecodeUtf8(portable, at);
      if (code >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        out += static_cast<char16_t>(code);
      }
    }
  }
  return out;
}
