// TMX files: what we write is well-formed for libxml2's own checker and reads back whole; files
// written by other tools are read by their languages; damaged files fail with their cause.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "memory/Tmx.h"
#include "project/ProjectTestSupport.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"
#include "support/Utf8.h"

namespace {

void WriteText(const std::string& fileName, const std::string& text) { std::ofstream(fileName) << text; }

// What a shell command prints, and whether it succeeded.
std::pair<bool, std::string> RunShell(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {false, ""};
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return {pclose(pipe) == 0, output};
}

TEST(Tmx, WrittenFileIsWellFormedAndReadsBackWhole) {
  ScratchFolder folder;
  const std::string file = folder.File("memory.tmx");
  const std::vector<TMemoryEntry> entries = {
      {u"Open the door", u"Открой дверь", u"L(1).Text(1)"},
      // Markup, an ampersand, quotes and Windows line breaks must survive the trip.
      {u"<clr>Key</clr> & \"card\"\r\nline two", u"<clr>Ключ</clr> & «карта»\r\nвторая", u"Path(7).Start"},
      {u"  blanks at both ends  ", u"\tпробелы ", u""},
      {u"Emoji \U0001F600", u"Эмодзи \U0001F600", u"Par(1).Name"},
  };
  WriteTmx(file, entries, {"en", "ru"});

  const auto [wellFormed, complaint] = RunShell("xmllint --noout '" + file + "'");
  EXPECT_TRUE(wellFormed) << complaint;
  const auto [counted, count] = RunShell("xmllint --xpath 'count(/tmx/body/tu)' '" + file + "'");
  EXPECT_TRUE(counted) << count;
  EXPECT_EQ(count, std::to_string(entries.size()));
  const auto [found, version] = RunShell("xmllint --xpath 'string(/tmx/@version)' '" + file + "'");
  EXPECT_EQ(version, "1.4");

  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(read[i].Source, entries[i].Source) << i;
    EXPECT_EQ(read[i].Translation, entries[i].Translation) << i;
    EXPECT_EQ(read[i].Origin, Utf8ToUtf16(file));
  }
}

TEST(Tmx, CharactersXmlCannotHoldComeBackWhole) {
  ScratchFolder folder;
  const std::string file = folder.File("controls.tmx");
  WriteTmx(file, {{u"bell\a end", std::u16string(u"lone ") + u'\xDC01', u""}});
  EXPECT_TRUE(RunShell("xmllint --noout '" + file + "'").first);
  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Source, u"bell\a end");
  EXPECT_EQ(read[0].Translation, std::u16string(u"lone ") + u'\xDC01');
}

TEST(Tmx, EveryCharacterSurvivesTheRoundTrip) {
  const std::vector<std::u16string> texts = {
      std::u16string(u"nul ") + u'\0' + u" unit separator \x1F escape \x1B",
      std::u16string(u"high ") + u'\xD800' + u" low " + u'\xDFFF' + u" pair \U0001F600",
      u"\uFFFE and \uFFFF and \uFFFD",
      u"a quest's own \\u{0041} and \\u{zz} and \\",
      u"CR LF\r\nlone CR\rlone LF\n\ttab",
      u"  blanks  ",
  };
  ScratchFolder folder;
  const std::string file = folder.File("every.tmx");
  std::vector<TMemoryEntry> entries;
  for (const std::u16string& text : texts) entries.push_back({text, u"\u043f " + text, u"id " + text});
  WriteTmx(file, entries, {"en", "ru"});
  const auto [wellFormed, complaint] = RunShell("xmllint --noout '" + file + "'");
  EXPECT_TRUE(wellFormed) << complaint;
  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(read[i].Source, entries[i].Source) << i;
    EXPECT_EQ(read[i].Translation, entries[i].Translation) << i;
  }
}

TEST(Tmx, FilesOfTheEarlierWriterReadAsBefore) {
  // What the writer made before characters were escaped: U+FFFD in their place, CR as &#13;.
  ScratchFolder folder;
  const std::string file = folder.File("earlier.tmx");
  WriteText(file,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tmx version=\"1.4\">\n"
            "  <header creationtool=\"xgtranslator\" creationtoolversion=\"0.1\" segtype=\"block\" "
            "o-tmf=\"xgtranslator\" adminlang=\"en\" srclang=\"und\" datatype=\"plaintext\"/>\n  <body>\n"
            "    <tu tuid=\"L(1)\">\n      <tuv xml:lang=\"und\">\n        <seg>bell\xEF\xBF\xBD end&#13;\nline</seg>\n"
            "      </tuv>\n      <tuv xml:lang=\"und\">\n        <seg>\xD0\xB7\xD0\xB2\xD0\xBE\xD0\xBD\xD0\xBE\xD0\xBA "
            "&amp; &lt;b&gt;</seg>\n      </tuv>\n    </tu>\n  </body>\n</tmx>\n");
  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Source, u"bell\uFFFD end\r\nline");
  EXPECT_EQ(read[0].Translation, u"\u0437\u0432\u043e\u043d\u043e\u043a & <b>");
}

TEST(Tmx, ReadsOtherToolsFilesByTheirLanguages) {
  ScratchFolder folder;
  const std::string file = folder.File("other.tmx");
  WriteText(file, R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tmx SYSTEM "tmx14.dtd">
<tmx version="1.4">
  <header creationtool="other" creationtoolversion="1" segtype="sentence" o-tmf="x" adminlang="en-US"
          srclang="EN-us" datatype="plaintext"/>
  <body>
    <tu><tuv xml:lang="ru-RU"><seg>Привет</seg></tuv><tuv xml:lang="en-US"><seg>Hello</seg></tuv></tu>
    <tu><tuv xml:lang="en-US"><seg>Press <ph x="1">&lt;b&gt;</ph>OK</seg></tuv>
        <tuv xml:lang="de"><seg>Drücke <ph x="1">&lt;b&gt;</ph>OK</seg></tuv>
        <tuv xml:lang="ru"><seg>Нажми</seg></tuv></tu>
    <tu><tuv xml:lang="en-US"><seg>No translation</seg></tuv></tu>
    <tu><tuv xml:lang="en-US"><seg>Empty one</seg></tuv><tuv xml:lang="ru"><seg/></tuv></tu>
    <tu><tuv lang="EN-US"><seg>Old style</seg></tuv><tuv lang="ru"><seg>Старый</seg></tuv></tu>
  </body>
</tmx>
)");
  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].Source, u"Hello");
  EXPECT_EQ(read[0].Translation, u"Привет");
  EXPECT_EQ(read[1].Source, u"Press <b>OK");
  EXPECT_EQ(read[1].Translation, u"Drücke <b>OK");  // the first other variant
  EXPECT_EQ(read[2].Source, u"Old style");
  EXPECT_EQ(read[2].Translation, u"Старый");
}

TEST(Tmx, DamagedFilesFailWithTheirCause) {
  ScratchFolder folder;
  struct Case {
    std::string text;
    std::string place;  // after FILE: ":LINE" for XML that does not parse, else empty
    std::string cause;  // after "not a TMX file: "; a cause ending in '*' is a prefix
  };
  const std::vector<Case> cases = {
      {"", "", "the file is empty"},
      {"<tmx version=\"1.4\"><body><tu>", ":1", "*"},
      {"<tmx><body></body></tmx><extra/>", ":1", "*"},
      {"<xliff version=\"1.2\"/>", "", "the root element is not <tmx>"},
      {"<tmx version=\"1.4\"><header srclang=\"en\"/></tmx>", "", "no <body>"},
  };
  int index = 0;
  for (const Case& c : cases) {
    const std::string file = folder.File("damaged" + std::to_string(index++) + ".tmx");
    WriteText(file, c.text);
    try {
      ReadTmx(file);
      ADD_FAILURE() << "read without complaint: " << c.text;
    } catch (const ETmxError& error) {
      const std::string expected = file + c.place + ": not a TMX file: " + c.cause;
      const std::string told = DescribeError(error).front();
      if (expected.back() == '*')
        EXPECT_EQ(told.substr(0, expected.size() - 1), expected.substr(0, expected.size() - 1));
      else
        EXPECT_EQ(told, expected);
    }
  }
  EXPECT_THROW(ReadTmx(folder.File("missing.tmx")), EInOutError);
}

TEST(Tmx, ExternalEntitiesAreNotFetched) {
  ScratchFolder folder;
  const std::string secret = folder.File("secret.txt");
  WriteText(secret, "secret words");
  const std::string file = folder.File("entity.tmx");
  WriteText(file, "<?xml version=\"1.0\"?>\n<!DOCTYPE tmx [<!ENTITY leak SYSTEM \"file://" + secret +
                      "\">]>\n<tmx version=\"1.4\"><header srclang=\"en\"/><body><tu>"
                      "<tuv xml:lang=\"en\"><seg>a&leak;</seg></tuv><tuv xml:lang=\"ru\"><seg>b</seg></tuv>"
                      "</tu></body></tmx>");
  const auto read = ReadTmx(file);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Source.find(u"secret"), std::u16string::npos);
}

}  // namespace
