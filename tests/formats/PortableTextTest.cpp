// The one mapping between quest texts and the texts PO and XLIFF carry: golden forms, the way
// back for every odd text, and what the way back refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "formats/PortableText.h"

namespace {

struct PortableCase {
  std::u16string quest;
  std::string portable;
};

TEST(PortableText, GoldenFormsAndTheWayBack) {
  const std::vector<PortableCase> cases = {
      {u"", ""},
      {u"a\r\nb", "a\nb"},
      {u"a\rb", "a\\u{000D}b"},
      {u"a\nb", "a\\u{000A}b"},
      {u"\r\r\n\n", "\\u{000D}\n\\u{000A}"},
      {u"tab\t", "tab\t"},
      {std::u16string(u"nul") + char16_t(0), "nul\\u{0000}"},
      {u"\x1f\x7f", "\\u{001F}\x7f"},
      {u"\xD800x", "\\u{D800}x"},
      {u"x\xDFFF", "x\\u{DFFF}"},
      {u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
      {u"\xFFFE\xFFFF\xFFFD", "\\u{FFFE}\\u{FFFF}\xEF\xBF\xBD"},
      {u"\\u{0041}", "\\u{005C}u{0041}"},
      {u"\\u", "\\u"},
      {u"\\\\u{", "\\\\u{005C}u{"},
      {u"Привет", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
  };
  for (const PortableCase& test : cases) {
    EXPECT_EQ(PortableText(test.quest), test.portable);
    EXPECT_EQ(QuestTextFromPortable(test.portable), test.quest) << test.portable;
  }
}

TEST(PortableText, EveryOddTextComesBack) {
  for (const std::u16string& text : formattest::OddTexts()) {
    EXPECT_EQ(QuestTextFromPortable(PortableText(text)), text);
    for (std::size_t i = 0; i < formattest::OddTexts().size(); ++i)
      EXPECT_EQ(QuestTextFromPortable(PortableText(formattest::OddTranslation(i))), formattest::OddTranslation(i));
  }
}

TEST(PortableText, EveryCodeUnitComesBack) {
  std::u16string all;
  for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    all += static_cast<char16_t>(unit);
    all += u'\\';  // a backslash before every unit, so each "\u{" case is met too
  }
  all += u"u{";
  EXPECT_EQ(QuestTextFromPortable(PortableText(all)), all);
}

TEST(PortableText, TranslatorsTextsComeInAsWritten) {
  const std::vector<PortableCase> cases = {
      {u"\\u{41}", "\\u{41}"},      // too few digits: no escape
      {u"A", "\\u{0041}"},          // written by hand: still the code unit
      {u"\xD800", "\\u{d800}"},     // lower-case digits
      {u"\\u{00G1}", "\\u{00G1}"},  // not hex
      {u"\\u{0041", "\\u{0041"},    // unclosed
      {u"one\r\ntwo\r\n", "one\ntwo\n"},
  };
  for (const PortableCase& test : cases) EXPECT_EQ(QuestTextFromPortable(test.portable), test.quest) << test.portable;
}

TEST(PortableText, BytesThatAreNotUtf8AreRefused) {
  const std::vector<std::string> broken = {
      "\xFF", "a\xC3", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80",
  };
  for (const std::string& bytes : broken) EXPECT_THROW(QuestTextFromPortable(bytes), ENotUtf8) << bytes.size();
}

struct PiecesCase {
  std::u16string text;
  std::vector<std::string> markup;  // the markup pieces, in order
};

TEST(PortableText, MarkupPiecesJoinToThePortableText) {
  const std::vector<PiecesCase> cases = {
      {u"plain", {}},
      {u"<b>bold</b>", {"<b>", "</b>"}},
      {u"[a] and {b}", {"[a]", "{b}"}},
      {u"<clr>red<clrEnd>", {"<clr>", "<clrEnd>"}},
      {u"<unclosed and", {"<unclosed and"}},
      {u"x\ry\x01", {"\\u{000D}", "\\u{0001}"}},
      {u"{nested [x]} after", {"{nested [x]}"}},
      {u"a\\u{0041} b", {"\\u{005C}", "{0041}"}},
      {u"[a\rb]\xD83D\xDE00", {"[a\\u{000D}b]"}},
      {u"two\r\nlines", {}},
  };
  // One form for every text, as an export fills it.
  TPortableForm form;
  for (const PiecesCase& test : cases) {
    std::string joined;
    std::vector<std::string> markup;
    MakePortableForm(test.text, form);
    for (std::size_t i = 0; i < form.Pieces.size(); ++i) {
      joined += form.PieceText(i);
      if (form.Pieces[i].Markup) markup.emplace_back(form.PieceText(i));
    }
    EXPECT_EQ(joined, PortableText(test.text));
    EXPECT_EQ(markup, test.markup) << PortableText(test.text);
  }
  for (const std::u16string& text : formattest::OddTexts()) {
    std::string joined;
    MakePortableForm(text, form);
    for (std::size_t i = 0; i < form.Pieces.size(); ++i) joined += form.PieceText(i);
    EXPECT_EQ(joined, PortableText(text));
  }
}

}  // namespace
