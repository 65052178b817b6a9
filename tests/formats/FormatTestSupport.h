#pragma once
// What the format tests share: a project holding every odd text a quest can carry, and gettext's
// and libxml2's own tools run on the files we write.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "formats/Formats.h"
#include "project/ProjectClass.h"
#include "project/ProjectTestSupport.h"
#include "support/JD_Str.h"

namespace formattest {

// Source texts, one per message, each carrying something that a PO or XML file cannot hold as
// it is, or that a careless mapping would change.
inline const std::vector<std::u16string>& OddTexts() {
  static const std::vector<std::u16string> texts = {
      u"two lines\r\nof text",
      u"lone\rcarriage return",
      u"lone\nline feed",
      u"\r\nleading break and trailing break\r\n",
      u"tab\tinside\tand at the end\t",
      std::u16string(u"control\x01units\x1f and nul ") + char16_t(0) + u" inside",
      u"high \xD800 lone surrogate",
      u"low \xDC00 lone surrogate",
      u"a pair \xD83D\xDE00 stays a pair",
      u"ends with a high surrogate \xDBFF",
      u"<b>tag</b> [expression] {other} <unclosed",
      u"stray > bracket",
      u"looks like an escape \\u{0041} and \\u{zz}",
      u"XML specials & < > \" '",
      u"non-characters \xFFFE \xFFFF",
      u"mixed \r\r\n\n\r\n breaks",
      u"double backslash \\\\u{0041}",
  };
  return texts;
}

// A translation of OddTexts()[i] with odd units of its own that keeps the source's tags (a stray
// ">" counts the text before it, an unclosed "<" the text after it) and its leading and trailing
// line breaks, as gettext's checks ask.
inline std::u16string OddTranslation(std::size_t i) {
  const std::u16string& source = OddTexts()[i];
  const std::u16string mark = u"[T\x02\xDC01] ";
  const bool endsWithBreak = source.size() >= 2 && source.compare(source.size() - 2, 2, u"\r\n") == 0;
  if (source.find(u'<') == std::u16string::npos && !endsWithBreak) return source + u" " + mark;
  const std::size_t at = source.rfind(u"\r\n", 0) == 0 ? 2 : 0;
  return source.substr(0, at) + mark + source.substr(at);
}

// Builds the odd quest into `project` as a new project: odd path questions (paths 101..), a
// parameter with a blank name, two locations with the same number (repeated ids), and two
// paths asking the same question (a linked duplicate). Then translates every second message with
// OddTranslation and leaves the rest untranslated, flags a translated and an untranslated message
// for review, gives notes (odd ones) and previous source texts to some, and keeps one untranslated
// message as it is.
inline void MakeOddProject(TtxgProject& project) {
  TGame& game = project.SourceGame;
  projecttest::MakeBareQuest(game);
  std::vector<projecttest::TestPathTexts> paths;
  for (const std::u16string& text : OddTexts()) paths.push_back({1, text, u""});
  paths.push_back({7, u"Same question?", u"first answer"});
  paths.push_back({7, u"Same question?", u"second answer"});
  projecttest::AddPaths(game, paths);
  game.Parameter(1).Active = 1;
  game.Parameter(1).Name.Text.clear();
  game.LocationCount = 2;
  for (int32_t i = 1; i <= 2; ++i) {
    game.Location(i).Number = 5;
    game.Location(i).Text(1).Text = i == 1 ? u"first of two L(5)" : u"second of two L(5)";
  }
  projecttest::OpenFromSource(project);
  for (std::size_t i = 0; i < OddTexts().size(); i += 2)
    project.SetTargetText(project.FindSourceId(u"Path(" + AnsiToWide(std::to_string(101 + i)) + u").Start"),
                          OddTranslation(i));
  const int32_t first = project.FindSourceId(u"Path(101).Start");   // translated
  const int32_t second = project.FindSourceId(u"Path(102).Start");  // untranslated
  project.SetNeedsReview(first, true);
  project.SetNeedsReview(second, true);
  project.SetNote(first, u"check the <b> tag\r\n second line with a lone\rCR and \\u{0041}");
  project.SetNote(second, u"\r\n\r\nafter two breaks \xD800");
  project.SetNote(project.FindSourceId(u"L(5).Text(1)"), u" leading space");
  project.SetPreviousSource(first, u"the old\r\nquestion \x01");
  project.SetPreviousSource(project.FindSourceId(u"Path(103).Start"), u"old text");
  project.SetTranslatedAsIs(project.FindSourceId(u"Path(112).Start"), true);  // "stray > bracket"
}

// The number of the first message whose source id is `id`.
inline int32_t MessageOf(const TtxgProject& project, const std::u16string& id) { return project.FindSourceId(id); }

struct ToolRun {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

// A shell command line, its output and exit code.
inline ToolRun RunShell(const std::string& command) {
  ToolRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline const TExportOptions Options{"odd.xg", "en"};

}  // namespace formattest
