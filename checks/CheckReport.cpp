#include "checks/CheckReport.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "checks/ConsistencyCheck.h"
#include "checks/Spelling.h"
#include "checks/TermsCheck.h"
#include "formats/TranslationUnits.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/JD_Str.h"
#include "support/Utf8.h"
#include "support/XmlText.h"

namespace {

constexpr std::string_view HtmlHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<style>
body { font-family: sans-serif; margin: 1em; color: #222; }
table { border-collapse: collapse; margin: 0 0 1.5em; }
th, td { border: 1px solid #ccc; padding: 0.2em 0.4em; text-align: left; vertical-align: top; }
th { background: #eee; }
td { white-space: pre-wrap; overflow-wrap: anywhere; }
td.number { text-align: right; }
td.text { font-family: monospace; max-width: 40em; }
strong.found { background: #fd6; font-weight: normal; }
</style>
)";

// A text as HTML: the markup characters as references, CR LF and CR as LF (the cells keep line
// breaks), and what HTML cannot hold (control characters, lone surrogates) as the XML files'
// escapes. Inside a found stretch a line break is shown by an arrow before it.
void AppendHtmlText(std::string& out, std::u16string_view text, bool found = false) {
  for (std::size_t i = 0; i < text.size();) {
    const char16_t unit = text[i];
    if (NeedsXmlEscape(text, i)) {
      AppendXmlEscape(out, unit);
      ++i;
      continue;
    }
    switch (unit) {
      case u'&':
        out += "&amp;";
        break;
      case u'<':
        out += "&lt;";
        break;
      case u'>':
        out += "&gt;";
        break;
      case u'"':
        out += "&quot;";
        break;
      case u'\'':
        out += "&#39;";
        break;
      case u'\r':
        if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        [[fallthrough]];
      case u'\n':
        if (found) out += "\xE2\x86\xB5";  // U+21B5
        out += '\n';
        break;
      default:
        AppendUtf8(out, NextCodePoint(text, i));
        continue;
    }
    ++i;
  }
}

void AppendHtmlText(std::string& out, std::string_view utf8) { AppendHtmlText(out, Utf8ToUtf16(utf8)); }

// The text with the stretches of its side highlighted; overlapping stretches count once.
void AppendMarkedText(std::string& out, std::u16string_view text, const std::vector<TTextSpan>& spans, bool inSource) {
  std::vector<std::pair<std::size_t, std::size_t>> marks;
  for (const TTextSpan& span : spans) {
    const auto begin = std::min(static_cast<std::size_t>(std::max(span.Begin, 0)), text.size());
    const auto end = std::min(static_cast<std::size_t>(std::max(span.End, 0)), text.size());
    if (span.InSource == inSource && begin < end) marks.emplace_back(begin, end);
  }
  std::sort(marks.begin(), marks.end());
  std::size_t at = 0;
  for (auto [begin, end] : marks) {
    if (end <= at) continue;
    begin = std::max(begin, at);
    AppendHtmlText(out, text.substr(at, begin - at));
    out += "<strong class=\"found\">";
    AppendHtmlText(out, text.substr(begin, end - begin), true);
    out += "</strong>";
    at = end;
  }
  AppendHtmlText(out, text.substr(at));
}

void AppendCell(std::string& out, std::string_view utf8, const char* cellClass = nullptr) {
  if (cellClass == nullptr) {
    out += "<td>";
  } else {
    out.append("<td class=\"").append(cellClass).append("\">");
  }
  AppendHtmlText(out, utf8);
  out += "</td>";
}

void AppendCell(std::string& out, std::u16string_view text) {
  out += "<td>";
  AppendHtmlText(out, text);
  out += "</td>";
}

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes doubled.
void AppendCsvField(std::string& out, std::string_view utf8, bool last = false) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += utf8;
  } else {
    out += '"';
    for (char c : utf8) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  out += last ? "\r\n" : ",";
}

void AppendCsvField(std::string& out, std::u16string_view text, bool last = false) {
  AppendCsvField(out, Utf16ToUtf8(text), last);
}

}  // namespace

std::vector<std::size_t> TCheckReport::Counts() const {
  std::vector<std::size_t> counts(Checks.size(), 0);
  for (const TReportRow& row : Rows)
    for (std::size_t i = 0; i < Checks.size(); ++i)
      if (Checks[i].Code == row.Finding.Code) ++counts[i];
  return counts;
}

TReportRows::TReportRows(const TtxgProject& project, TSpellChecker* speller, const TTermMatcher* terms,
                         const TConsistencyIndex* consistency, std::u16string quest)
    : project_(project), speller_(speller), terms_(terms), consistency_(consistency), quest_(std::move(quest)) {}

std::vector<TCheckCode> TReportRows::Checks() const {
  std::vector<TCheckCode> checks = CheckCodes();
  if (terms_ != nullptr) checks.push_back(TermsCheck);
  if (consistency_ != nullptr) checks.push_back(InconsistentCheck);
  if (speller_ != nullptr) checks.push_back(SpellingCheck());
  return checks;
}

void TReportRows::AppendPosition(int32_t position, std::vector<TReportRow>& rows) {
  const int32_t n = project_.MessageAtPosition(position);
  std::vector<TCheckFinding> findings = CheckMessage(project_, n);
  if (terms_ != nullptr)
    for (TCheckFinding& finding : CheckMessageTerms(project_, n, *terms_)) findings.push_back(std::move(finding));
  if (consistency_ != nullptr)
    for (TCheckFinding& finding : CheckMessageInconsistent(project_, n, *consistency_, quest_))
      findings.push_back(std::move(finding));
  if (speller_ != nullptr)
    for (TCheckFinding& finding : CheckSpelling(project_, n, *speller_)) findings.push_back(std::move(finding));
  if (findings.empty()) return;
  const auto index = static_cast<std::size_t>(n);
  const int32_t type = index < project_.SourceTypes.size() ? project_.SourceTypes[index] : 0;
  auto kind = kinds_.find(type);
  if (kind == kinds_.end()) kind = kinds_.emplace(type, MessageKindLabel(project_, type)).first;
  for (TCheckFinding& finding : findings) {
    TReportRow& row = rows.emplace_back();
    row.Position = position;
    row.Message = n;
    row.Id = project_.SourceIds[index];
    row.Kind = kind->second;
    row.Finding = std::move(finding);
    row.Source = project_.GetSourceText(n);
    row.Translation = project_.GetTargetText(n);
  }
}

TCheckReport MakeCheckReport(const TtxgProject& project, TSpellChecker* speller, const TTermMatcher* terms,
                             const TConsistencyIndex* consistency, const std::u16string& quest) {
  TReportRows rows(project, speller, terms, consistency, quest);
  TCheckReport report;
  report.Checks = rows.Checks();
  for (int32_t position = 1; position <= project.PositionCount; ++position) rows.AppendPosition(position, report.Rows);
  return report;
}

std::optional<TReportFormat> ReportFormatOf(const std::string& fileName) {
  if (EndsWithIgnoringCase(fileName, ".html") || EndsWithIgnoringCase(fileName, ".htm")) return TReportFormat::Html;
  if (EndsWithIgnoringCase(fileName, ".csv")) return TReportFormat::Csv;
  return std::nullopt;
}

const char* ReportDialogFilter() { return "HTML page|*.html;*.htm|CSV table|*.csv"; }

namespace {

// A report is written into `out`, which `passOn` is given after each row: a save hands what is
// there to the file, so the text of a report of every message never lies in memory whole.
using TPassOn = std::function<void(std::string& out)>;

void WriteHtml(const TCheckReport& report, std::string& out, const TPassOn& passOn) {
  out += HtmlHead;
  const std::string title = "Check report: " + report.Title;
  out += "<title>";
  AppendHtmlText(out, title);
  out += "</title>\n</head>\n<body>\n<h1>";
  AppendHtmlText(out, title);
  out += "</h1>\n<table>\n<thead><tr><th>Check</th><th>Description</th><th>Findings</th></tr></thead>\n<tbody>\n";
  const std::vector<std::size_t> counts = report.Counts();
  for (std::size_t i = 0; i < report.Checks.size(); ++i) {
    out += "<tr>";
    AppendCell(out, report.Checks[i].Code);
    AppendCell(out, report.Checks[i].Description);
    AppendCell(out, std::to_string(counts[i]), "number");
    out += "</tr>\n";
  }
  out += "<tr><th colspan=\"2\">All checks</th>";
  AppendCell(out, std::to_string(report.Rows.size()), "number");
  out +=
      "</tr>\n</tbody>\n</table>\n<table>\n<thead><tr><th>Position</th><th>Message</th><th>Id</th><th>Kind</th>"
      "<th>Check</th><th>Detail</th><th>Source</th><th>Translation</th></tr></thead>\n<tbody>\n";
  for (const TReportRow& row : report.Rows) {
    out += "<tr>";
    AppendCell(out, std::to_string(row.Position), "number");
    AppendCell(out, std::to_string(row.Message), "number");
    AppendCell(out, row.Id);
    AppendCell(out, row.Kind);
    AppendCell(out, row.Finding.Code);
    AppendCell(out, row.Finding.Detail);
    for (const bool inSource : {true, false}) {
      out += "<td class=\"text\">";
      AppendMarkedText(out, inSource ? row.Source : row.Translation, row.Finding.Spans, inSource);
      out += "</td>";
    }
    out += "</tr>\n";
    if (passOn) passOn(out);
  }
  out += "</tbody>\n</table>\n</body>\n</html>\n";
}

void WriteCsv(const TCheckReport& report, std::string& out, const TPassOn& passOn) {
  out += "\xEF\xBB\xBFPosition,Message,Id,Kind,Check,Detail,Source,Translation\r\n";
  for (const TReportRow& row : report.Rows) {
    AppendCsvField(out, std::to_string(row.Position));
    AppendCsvField(out, std::to_string(row.Message));
    AppendCsvField(out, row.Id);
    AppendCsvField(out, row.Kind);
    AppendCsvField(out, row.Finding.Code);
    AppendCsvField(out, row.Finding.Detail);
    AppendCsvField(out, row.Source);
    AppendCsvField(out, row.Translation, true);
    if (passOn) passOn(out);
  }
}

}  // namespace

std::string ReportHtml(const TCheckReport& report) {
  std::string out;
  WriteHtml(report, out, {});
  return out;
}

std::string ReportCsv(const TCheckReport& report) {
  std::string out;
  WriteCsv(report, out, {});
  return out;
}

void SaveCheckReport(const TCheckReport& report, const std::string& fileName) {
  const std::optional<TReportFormat> format = ReportFormatOf(fileName);
  if (!format) throw std::invalid_argument(fileName + ": a report is an .html, .htm or .csv file");
  constexpr std::size_t PieceSize = std::size_t{1} << 16;
  TBlockFileWriter file(fileName, TPieces::Streamed);
  std::string out;
  out.reserve(2 * PieceSize);
  const TPassOn passOn = [&file](std::string& piece) {
    if (piece.size() < PieceSize) return;
    file.WriteBytes(piece.data(), piece.size());
    piece.clear();
  };
  (*format == TReportFormat::Html ? WriteHtml : WriteCsv)(report, out, passOn);
  file.WriteBytes(out.data(), out.size());
  file.Commit();
}
