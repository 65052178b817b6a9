#include "quest/QuestMarkup.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019'; }

constexpr std::u16string_view ColorOpenText = u"<clr>";
constexpr std::u16string_view ColorCloseText = u"<clrEnd>";

}  // namespace

bool IsMarkupBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; }

bool IsMarkupLetter(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  if (c >= 0x400 && c < 0x482) return true;  // Cyrillic, the usual case
  if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;
  if (c < 0x250) return c != 0xD7 && c != 0xF7;
  if (c >= 0x2B0 && c < 0x370) return false;   // modifier letters and combining marks
  if (c == 0x37E || c == 0x387) return false;  // Greek question mark and ano teleia
  if (c >= 0x482 && c <= 0x489) return false;  // Cyrillic signs and combining marks
  // Punctuation and symbol blocks, private use and surrogates: not letters.
  if (c >= 0x2000 && c < 0x2C00) return false;
  if (c >= 0x2E00 && c < 0x3040) return false;
  if (c >= 0xD800 && c < 0xF900) return false;
  if (c >= 0xFE10 && c < 0xFE70) return false;
  if (c >= 0xFF00 && c < 0xFF21) return false;
  if ((c >= 0xFF3B && c < 0xFF41) || (c >= 0xFF5B && c < 0xFF66)) return false;
  if (c >= 0xFFF0) return false;
  return true;
}

char16_t FoldMarkupCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : static_cast<char16_t>(c + 0x20);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  // Latin Extended-A and the Cyrillic supplement pair capitals and small letters as even/odd.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
      (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return static_cast<char16_t>(c | 1);
  return c;
}

bool IsMarkupSmall(char16_t c) {
  if (c >= u'a' && c <= u'z') return true;
  if (c < 0xE0) return false;
  if (c <= 0xFE) return c != 0xF7;
  if (c >= 0x3B1 && c <= 0x3CB) return c != 0x3C2;
  if (c >= 0x430 && c <= 0x45F) return true;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
      (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return (c & 1) != 0;
  return false;
}

TMarkupScript MarkupScript(char16_t c) {
  if (!IsMarkupLetter(c)) return TMarkupScript::Other;
  if (c < 0x80 || (c >= 0xC0 && c < 0x250) || (c >= 0x1E00 && c < 0x1F00)) return TMarkupScript::Latin;
  if (c >= 0x400 && c < 0x530) return TMarkupScript::Cyrillic;
  return TMarkupScript::Other;
}

bool TMarkupScanner::Next(TMarkupToken& token) {
  const std::size_t length = text_.size();
  if (pos_ >= length) return false;
  const std::size_t begin = pos_;
  const char16_t c = text_[begin];
  token = TMarkupToken();
  std::size_t end = begin + 1;
  if (c == u'<') {
    const std::size_t close = text_.find(u'>', begin + 1);
    token.Closed = close != std::u16string_view::npos;
    end = token.Closed ? close + 1 : length;
    const std::u16string_view tag = text_.substr(begin, end - begin);
    token.Kind = tag == ColorOpenText    ? TMarkupKind::ColorOpen
                 : tag == ColorCloseText ? TMarkupKind::ColorClose
                                         : TMarkupKind::Tag;
  } else if (c == u'[' || c == u'{') {
    // Nested brackets of the same kind belong to the formula ("{[p1]+{2}}"); a "<" ends it,
    // because tags are cut first.
    const char16_t closing = c == u'[' ? u']' : u'}';
    int depth = 0;
    token.Kind = TMarkupKind::Formula;
    token.Closed = false;
    for (end = begin; end < length && text_[end] != u'<'; ++end) {
      if (text_[end] == c) ++depth;
      if (text_[end] == closing && --depth == 0) {
        ++end;
        token.Closed = true;
        break;
      }
    }
  } else if (IsMarkupLetter(c)) {
    token.Kind = TMarkupKind::Word;
    while (end < length) {
      if (IsMarkupLetter(text_[end])) {
        ++end;
      } else if (IsApostrophe(text_[end]) && end + 1 < length && IsMarkupLetter(text_[end + 1])) {
        end += 2;
      } else {
        break;
      }
    }
  } else if (IsDigit(c)) {
    token.Kind = TMarkupKind::Number;
    while (end < length) {
      if (IsDigit(text_[end])) {
        ++end;
      } else if ((text_[end] == u'.' || text_[end] == u',') && end + 1 < length && IsDigit(text_[end + 1])) {
        end += 2;
      } else {
        break;
      }
    }
  } else if (IsMarkupBlank(c)) {
    token.Kind = TMarkupKind::Blank;
    while (end < length && IsMarkupBlank(text_[end])) ++end;
  } else if (c == u'\r' || c == u'\n') {
    token.Kind = TMarkupKind::LineBreak;
    if (c == u'\r' && end < length && text_[end] == u'\n') ++end;
  }
  token.Begin = static_cast<uint32_t>(begin);
  token.End = static_cast<uint32_t>(end);
  pos_ = end;
  return true;
}

std::vector<TMarkupToken> TokenizeMarkup(std::u16string_view text) {
  std::vector<TMarkupToken> tokens;
  tokens.reserve(text.size() / 4 + 4);  // about one token in four units in prose
  TMarkupScanner scanner(text);
  TMarkupToken token;
  while (scanner.Next(token)) tokens.push_back(token);
  return tokens;
}

void AppendExchangeTags(std::u16string_view text, std::vector<std::u16string_view>& tags) {
  std::size_t lastTagEnd = 0;
  if (text.find(u'<') != std::u16string_view::npos) {
    TMarkupScanner scanner(text);
    TMarkupToken token;
    while (scanner.Next(token)) {
      if (!token.IsTag()) continue;
      tags.push_back(token.In(text));
      lastTagEnd = token.End;
    }
  }
  const std::size_t stray = text.find(u'>', lastTagEnd);
  if (stray != std::u16string_view::npos && stray > 0) tags.push_back(text.substr(lastTagEnd, stray - lastTagEnd + 1));
}
