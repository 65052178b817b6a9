#include "formats/PortableText.h"

#include <cstdint>
#include <utility>

#include "quest/QuestMarkup.h"
#include "support/Utf8.h"
#include "support/XmlText.h"

namespace {

// Ends the piece that runs from the previous piece's end to the end of the text: no empty plain
// piece, and plain text after plain text stays one piece.
void EndPiece(TPortableForm& form, bool markup) {
  std::vector<TPortableForm::TPiece>& pieces = form.Pieces;
  const std::size_t start = pieces.empty() ? 0 : pieces.back().End;
  if (!markup && form.Text.size() == start) return;
  if (!markup && !pieces.empty() && !pieces.back().Markup) {
    pieces.back().End = form.Text.size();
    return;
  }
  pieces.push_back({form.Text.size(), markup});
}

// Appends the portable form of text[begin, end) to `out`. With a form (whose text `out` is), a
// plain range makes each escape a markup piece of its own. Lookahead (CR LF, a surrogate pair, a
// backslash before "u{") sees the whole text, so ranges join to exactly PortableText(text) as long
// as no range cuts a CR LF or a pair, which the markup reader never does.
void AppendPortable(std::u16string_view text, std::size_t begin, std::size_t end, std::string& out,
                    TPortableForm* plainPieces) {
  const std::size_t length = text.size();
  for (std::size_t i = begin; i < end;) {
    const char16_t unit = text[i];
    if (unit >= 0x20 && unit < 0x80 && unit != u'\\') {
      out += static_cast<char>(unit);
      ++i;
    } else if (unit == u'\r' && i + 1 < length && text[i + 1] == u'\n') {
      out += '\n';
      i += 2;
    } else if (unit == u'\r' || unit == u'\n' || NeedsXmlEscape(text, i)) {
      // A lone CR or LF would not survive PO's and XML's line handling as it is.
      if (plainPieces != nullptr) EndPiece(*plainPieces, false);
      AppendXmlEscape(out, unit);
      if (plainPieces != nullptr) EndPiece(*plainPieces, true);
      ++i;
    } else {
      AppendUtf8(out, NextCodePoint(text, i));
    }
  }
}

}  // namespace

std::string PortableText(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendPortable(text, 0, text.size(), out, nullptr);
  return out;
}

std::string_view TPortableForm::PieceText(std::size_t i) const {
  const std::size_t start = i == 0 ? 0 : Pieces[i - 1].End;
  return std::string_view(Text).substr(start, Pieces[i].End - start);
}

void MakePortableForm(std::u16string_view text, TPortableForm& form) {
  form.Text.clear();
  form.Pieces.clear();
  std::size_t plainStart = 0;
  // Tags and formulas start at one of these, and no other token holds one: the reader is asked
  // only where one stands, and reads the same token there as from the start of the text.
  for (std::size_t at = 0; at < text.size();) {
    const char16_t c = text[at];
    if (c != u'<' && c != u'[' && c != u'{') {
      ++at;
      continue;
    }
    TMarkupToken token;
    TMarkupScanner(text.substr(at)).Next(token);
    AppendPortable(text, plainStart, at, form.Text, &form);
    EndPiece(form, false);
    AppendPortable(text, at, at + token.End, form.Text, nullptr);
    EndPiece(form, true);
    plainStart = at = at + token.End;
  }
  AppendPortable(text, plainStart, text.size(), form.Text, &form);
  EndPiece(form, false);
}

std::u16string QuestTextFromPortable(std::string_view portable) {
  std::u16string out;
  out.reserve(portable.size());
  // No escape holds a line feed, so the text between line feeds is read on its own.
  for (std::size_t at = 0;;) {
    const std::size_t lineFeed = portable.find('\n', at);
    AppendTextFromXmlSafe(portable.substr(at, lineFeed - at), out);  // npos - at still reaches the end
    if (lineFeed == std::string_view::npos) return out;
    out += u"\r\n";
    at = lineFeed + 1;
  }
}
