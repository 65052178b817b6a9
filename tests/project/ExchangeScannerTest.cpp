// The exchange file's record scanner and the conversion report, driven without a project.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "project/ConversionReport.h"
#include "project/ExchangeFormat.h"

namespace {

using Record = std::pair<std::u16string, std::u16string>;  // ids, body

std::vector<Record> Scan(const std::u16string& text) {
  std::vector<Record> records;
  TExchangeScanner scanner(text);
  for (TExchangeRecord record; scanner.Next(record);) records.emplace_back(record.Ids, record.Body);
  return records;
}

TEST(ExchangeScanner, RecordsAsTheImportReadsThem) {
  struct Case {
    std::u16string text;
    std::vector<Record> records;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u"<Begin a b>\r\nbody\r\n<End>\r\n\r\n", {{u"a b", u"body"}}},
      {u"<Begin a>\r\n\r\n<End>", {{u"a", u""}}},
      {u"<Begin a>\r\nline\r\nline\r\n<End>", {{u"a", u"line\r\nline"}}},
      // Text between records is ignored; "<Begin" needs its space.
      {u"junk<Begin a>\r\nx\r\n<End>junk<Begin>\r\ny\r\n<End><Begin b>\r\nz\r\n<End>", {{u"a", u"x"}, {u"b", u"z"}}},
      // A header ended by a lone LF: the search for ">\r\n" runs on into the next record.
      {u"<Begin a>\ny\r\n<End>\r\n<Begin b>\r\nz\r\n<End>", {{u"a>\ny\r\n<End", u"<Begin b>\r\nz"}}},
      // A missing end marker ends the file: the later record is not read.
      {u"<Begin a>\r\nno end\r\n<Begin b>\r\nz\r\n", {}},
      {u"<Begin a>\r\nx\r\n<End><Begin b>\r\ny<End>", {{u"a", u"x"}}},
      // The body runs to the first "\r\n<End>", even one that a longer marker starts with.
      {u"<Begin a>\r\nx\r\n<End>ed\r\n<End>", {{u"a", u"x"}}},
      {u"<Begin >\r\n\r\n<End>", {{u"", u""}}},
  };
  for (const Case& test : cases)
    EXPECT_EQ(Scan(test.text), test.records) << std::string(test.text.begin(), test.text.end());
}

TEST(ExchangeScanner, HeaderPiecesCountEmptyOnesButSkipThem) {
  struct Case {
    std::u16string ids;
    std::vector<std::pair<int32_t, std::u16string>> pieces;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u"a", {{0, u"a"}}},
      {u"a b", {{0, u"a"}, {1, u"b"}}},
      {u" a", {{1, u"a"}}},
      {u"a  b ", {{0, u"a"}, {2, u"b"}}},
      {u"   ", {}},
  };
  for (const Case& test : cases) {
    std::vector<std::pair<int32_t, std::u16string>> pieces;
    ForEachRecordId(test.ids, [&pieces](int32_t piece, std::u16string_view id) { pieces.emplace_back(piece, id); });
    EXPECT_EQ(pieces, test.pieces);
  }
}

TEST(ConversionReport, ExchangeTextAndLinesOfEveryKind) {
  TConversionReport report;
  report.Add(TReportKind::UnknownId, u"X");
  report.Add(TReportKind::DifferentNumbers, u"Path(1).Start");
  report.Add(TReportKind::DifferentTags, u"GovMsg", u" <a> <b>");
  report.Add(TReportKind::ChangedSource, u"RVagrel");
  report.Add(TReportKind::NotFound, u"L(1).Text(1)");
  report.Add(TReportKind::NotFound, u"L(1).Text(2)");
  EXPECT_EQ(report.ExchangeText(),
            u"Unknown id: X\r\n"
            u"Different sou and des quest. id: Path(1).Start\r\n"
            u"DifTag in GovMsg:  <a> <b>\r\n"
            u"Changed source: RVagrel\r\n"
            u"Not found id:L(1).Text(1)Not found id:L(1).Text(2)");
  EXPECT_EQ(report.Lines(),
            u"Unknown id: X\n"
            u"Different numbers: Path(1).Start\n"
            u"Different tags: GovMsg: <a> <b>\n"
            u"Changed source: RVagrel\n"
            u"Not found: L(1).Text(1)\n"
            u"Not found: L(1).Text(2)\n");
  EXPECT_FALSE(report.Empty());

  // Grouped by kind in the order first met; "Not found" holds both of its entries.
  report.Add(TReportKind::UnknownId, u"Y");
  std::vector<std::pair<std::u16string, std::vector<std::u16string>>> groups;
  for (const TConversionReport::TGroup& group : report.Groups()) {
    groups.push_back({TConversionReport::KindName(group.Kind), {}});
    for (const TReportEntry* entry : group.Entries) groups.back().second.push_back(entry->Id);
  }
  const std::vector<std::pair<std::u16string, std::vector<std::u16string>>> expected = {
      {u"Unknown id", {u"X", u"Y"}},
      {u"Different numbers", {u"Path(1).Start"}},
      {u"Different tags", {u"GovMsg"}},
      {u"Changed source", {u"RVagrel"}},
      {u"Not found", {u"L(1).Text(1)", u"L(1).Text(2)"}},
  };
  EXPECT_EQ(groups, expected);
  report.Clear();
  EXPECT_EQ(report.ExchangeText(), u"");
}

}  // namespace
