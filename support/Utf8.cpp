#include "support/Utf8.h"

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, at);
    AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? U'\uFFFD' : code);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const int32_t code = DecodeUtf8(text, at);
    if (code < 0) {
      out += u'\uFFFD';
      ++at;
    } else {
      AppendUtf16(out, static_cast<char32_t>(code));
    }
  }
  return out;
}
