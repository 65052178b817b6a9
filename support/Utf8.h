#pragma once
// The one UTF-16 <-> UTF-8 conversion of the core. The pieces let a caller decide what becomes of
// what UTF-8 cannot hold (a lone surrogate) or what is not UTF-8 (a bad byte); the whole-text
// functions replace either by U+FFFD. The pieces are inline: the exports call them for every
// character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point of the surrogate pair starting at text[at], or of the code unit there, which may be
// a lone surrogate; `at` is moved past what was read.
inline char32_t NextCodePoint(std::u16string_view text, std::size_t& at) {
  const char16_t unit = text[at++];
  if (IsHighSurrogate(unit) && at < text.size() && IsLowSurrogate(text[at]))
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at++] - 0xDC00u);
  return unit;
}

// The UTF-8 form of one code point up to U+10FFFF (a surrogate's would not be UTF-8: callers
// replace or escape it first).
inline void AppendUtf8(std::string& out, char32_t code) {
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

// The UTF-16 form of one code point up to U+10FFFF: one code unit or a surrogate pair.
inline void AppendUtf16(std::u16string& out, char32_t code) {
  if (code >= 0x10000) {
    out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  } else {
    out += static_cast<char16_t>(code);
  }
}

// One UTF-8 sequence at text[at] (at < text.size()): its code point, `at` moved past it. Overlong
// forms, encoded surrogates, values above U+10FFFF and cut sequences are not UTF-8: -1, `at`
// unchanged.
inline int32_t DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t code = 0;
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
    return -1;
  }
  if (text.size() - at < length) return -1;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return -1;
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  at += length;
  return static_cast<int32_t>(code);
}

// A lone surrogate becomes U+FFFD: UTF-8 cannot hold it.
std::string Utf16ToUtf8(std::u16string_view text);
// Bytes that are not UTF-8 become U+FFFD each.
std::u16string Utf8ToUtf16(std::string_view text);
