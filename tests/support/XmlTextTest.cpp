// The rule for characters XML cannot hold, shared by the XLIFF and TMX files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/XmlText.h"

namespace {

TEST(XmlText, EscapesWhatXmlCannotHoldAndReadsItBack) {
  struct Case {
    std::u16string text;
    std::string safe;
  };
  const std::vector<Case> cases = {
      {u"plain \u043f\u0440\u0438\u0432\u0435\u0442 \U0001F600",
       "plain \xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80"},
      {u"tab\tCR LF\r\nlone CR\rlone LF\n", "tab\tCR LF\r\nlone CR\rlone LF\n"},  // line breaks are the caller's
      {std::u16string(u"nul ") + u'\0' + u" bell\a esc\x1B", "nul \\u{0000} bell\\u{0007} esc\\u{001B}"},
      {u"\uFFFE\uFFFF\uFFFD", "\\u{FFFE}\\u{FFFF}\xEF\xBF\xBD"},
      {std::u16string(u"high ") + u'\xD83D' + u" low " + u'\xDE00', "high \\u{D83D} low \\u{DE00}"},
      {std::u16string(u"high at the end ") + u'\xDBFF', "high at the end \\u{DBFF}"},
      {u"\\u{0041} \\u \\x", "\\u{005C}u{0041} \\u \\x"},  // only a backslash before u{ is escaped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.safe);
    EXPECT_EQ(XmlSafeText(c.text), c.safe);
    EXPECT_EQ(TextFromXmlSafe(c.safe), c.text);
  }
}

TEST(XmlText, ReadingTakesEscapesInEitherCaseAndKeepsIncompleteOnes) {
  struct Case {
    std::string safe;
    std::u16string text;
  };
  const std::vector<Case> cases = {
      {"\\u{001b}\\u{dc01}", std::u16string(u"\x1B") + u'\xDC01'},
      {"\\u{12G4} \\u{123} \\u{1234", u"\\u{12G4} \\u{123} \\u{1234"},
      {"\xEF\xBF\xBD", u"\uFFFD"},  // what an earlier TMX writer put in their place
  };
  for (const Case& c : cases) EXPECT_EQ(TextFromXmlSafe(c.safe), c.text) << c.safe;
  EXPECT_THROW(TextFromXmlSafe("\xC3"), ENotUtf8);
}

}  // namespace
