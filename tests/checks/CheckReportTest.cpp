// The report of the findings: hostile texts escaped in the HTML page (which a real HTML reader
// takes without an error), found stretches highlighted, CSV fields quoted as RFC 4180 says.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "checks/CheckReport.h"
#include "common/ScratchFolder.h"

namespace {

TReportRow Row(std::u16string source, std::u16string translation, std::vector<TTextSpan> spans = {},
               std::u16string detail = u"missing <Money>") {
  TReportRow row;
  row.Position = 1;
  row.Message = 2;
  row.Id = u"L(1).Text(1)";
  row.Kind = u"Location text (1)";
  row.Finding.Code = "tags";
  row.Finding.Description = "Tags differ from the source";
  row.Finding.Detail = std::move(detail);
  row.Finding.Spans = std::move(spans);
  row.Source = std::move(source);
  row.Translation = std::move(translation);
  return row;
}

TCheckReport ReportOf(std::vector<TReportRow> rows) {
  TCheckReport report;
  report.Title = "<b>quest's \"report\" & more</b>.txg";
  report.Checks = CheckCodes();
  report.Rows = std::move(rows);
  return report;
}

std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  for (char buffer[4096]; fgets(buffer, sizeof buffer, pipe) != nullptr;) output += buffer;
  pclose(pipe);
  return output;
}

const std::string Found = "<strong class=\"found\">";

TEST(CheckReport, HtmlEscapesEveryTextAndHighlightsTheFoundStretches) {
  struct Case {
    std::u16string source;
    std::u16string translation;
    std::vector<TTextSpan> spans;
    std::string sourceCell;
    std::string translationCell;
  };
  const std::vector<Case> cases = {
      {u"<script>alert('x')</script> & \"q\"",
       u"ok",
       {},
       "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;",
       "ok"},
      {u"Pay <Money> now",
       u"Плати сейчас",
       {{true, 4, 11}},
       "Pay " + Found + "&lt;Money&gt;</strong> now",
       "Плати сейчас"},
      {u"one", u"a\r\nb\rc\n", {{false, 1, 3}}, "one", "a" + Found + "\xE2\x86\xB5\n</strong>b\nc\n"},
      {u"x\u0001y", std::u16string(u"z") + char16_t(0xD800), {}, "x\\u{0001}y", "z\\u{D800}"},
      {u"src",
       u"abcdef",
       {{false, 1, 3}, {false, 2, 5}, {false, 4, 99}, {true, 0, 0}},
       "src",
       "a" + Found + "bc</strong>" + Found + "de</strong>" + Found + "f</strong>"},
  };
  for (const Case& c : cases) {
    const std::string html = ReportHtml(ReportOf({Row(c.source, c.translation, c.spans)}));
    const std::string cells =
        "<td class=\"text\">" + c.sourceCell + "</td><td class=\"text\">" + c.translationCell + "</td></tr>";
    EXPECT_NE(html.find(cells), std::string::npos) << cells << "\n" << html;
  }
  const std::string html = ReportHtml(ReportOf({Row(u"a", u"b", {}, u"\"x\" & <y>"), Row(u"c", u"d")}));
  for (const std::string& part :
       {std::string("<title>Check report: &lt;b&gt;quest&#39;s &quot;report&quot; &amp; more&lt;/b&gt;.txg</title>"),
        std::string("<td>tags</td><td>Tags differ from the source</td><td class=\"number\">2</td>"),
        std::string("<td>formulas</td><td>Formulas differ from the source</td><td class=\"number\">0</td>"),
        std::string("<td class=\"number\">1</td><td class=\"number\">2</td><td>L(1).Text(1)</td>"
                    "<td>Location text (1)</td><td>tags</td><td>&quot;x&quot; &amp; &lt;y&gt;</td>")})
    EXPECT_NE(html.find(part), std::string::npos) << part;
}

TEST(CheckReport, AnHtmlReaderTakesTheHostilePageWithoutAnError) {
  std::vector<TReportRow> rows = {Row(u"<script>x</script>", u"\u0002 & ' \" \r\n", {{false, 0, 4}}),
                                  Row(u"\uFFFE\uFFFF", std::u16string(1, char16_t(0xDC00)), {{true, 0, 1}})};
  ScratchFolder folder;
  const std::string file = folder.File("report.html");
  SaveCheckReport(ReportOf(rows), file);
  EXPECT_EQ(Output("xmllint --html --noout '" + file + "' && echo accepted"), "accepted\n");
}

TEST(CheckReport, CsvQuotesFieldsAsRfc4180Says) {
  const std::vector<std::pair<std::u16string, std::string>> fields = {
      {u"plain", "plain"},
      {u"a,b", "\"a,b\""},
      {u"say \"hi\"", "\"say \"\"hi\"\"\""},
      {u"two\r\nlines", "\"two\r\nlines\""},
      {u"one\nbreak", "\"one\nbreak\""},
      {u"Вега", "Вега"},
      {std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD"},
  };
  for (const auto& [text, field] : fields)
    EXPECT_EQ(ReportCsv(ReportOf({Row(u"src", text, {}, text)})),
              "\xEF\xBB\xBFPosition,Message,Id,Kind,Check,Detail,Source,Translation\r\n"
              "1,2,L(1).Text(1),Location text (1),tags," +
                  field + ",src," + field + "\r\n");
}

TEST(CheckReport, TheFormatFollowsTheExtension) {
  const std::vector<std::pair<std::string, std::optional<TReportFormat>>> names = {
      {"a.html", TReportFormat::Html}, {"A.HTM", TReportFormat::Html}, {"r.CSV", TReportFormat::Csv},
      {"r.txt", std::nullopt},         {"html", std::nullopt},         {"r.csv.bak", std::nullopt}};
  for (const auto& [name, format] : names) EXPECT_EQ(ReportFormatOf(name), format) << name;
}

}  // namespace
