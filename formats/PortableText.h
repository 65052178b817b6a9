#pragma once
// The one mapping between a quest's texts and the UTF-8 texts that PO and XLIFF carry.
//
// Out (PortableText):
//  - CR LF becomes LF: a line break as PO and XML write it.
//  - A lone CR and a lone LF become "\u{000D}" and "\u{000A}": neither survives PO's and XML's own
//    line handling as it is.
//  - What XML cannot hold is escaped by support/XmlText.h's rule, which TMX shares: every other
//    code unit below U+0020 but the tab, U+FFFE, U+FFFF, every lone surrogate, and a backslash
//    before "u{" become "\u{XXXX}" (four upper-case hex digits of the code unit).
//  - Everything else is written as its UTF-8 form.
// Back (QuestTextFromPortable): LF becomes CR LF, "\u{XXXX}" (four hex digits, either case)
// becomes that code unit, anything else is kept (ENotUtf8 for bytes that are not UTF-8). So
// QuestTextFromPortable(PortableText(t)) == t for every t.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/XmlText.h"

std::string PortableText(std::u16string_view text);
std::u16string QuestTextFromPortable(std::string_view portable);

// PortableText(text) cut into runs of plain text and markup: the tags and formulas that the
// quest's markup reader finds, and the escapes above, each a piece of its own. Joining the
// pieces gives Text, which is PortableText(text). A form is filled again for every text of an
// export, keeping its storage.
struct TPortableForm {
  struct TPiece {
    std::size_t End;  // a piece runs from the end of the one before it
    bool Markup;
  };
  std::string Text;
  std::vector<TPiece> Pieces;
  std::string_view PieceText(std::size_t i) const;
};
void MakePortableForm(std::u16string_view text, TPortableForm& form);
