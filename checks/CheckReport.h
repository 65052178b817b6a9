#pragma once
// The findings of a whole project as a report someone else can read: one row per finding, in
// position order (the order of `xgtool check`), with the message's id, kind, source and
// translation and the stretches the finding is about. Written as one self-contained HTML page (a
// summary of counts per check, then the rows with the found stretches highlighted) or as a CSV
// table (RFC 4180, UTF-8 with a byte-order mark, a header row, the same rows). The window's list of
// problems shows the same rows.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "checks/TranslationChecks.h"

class TConsistencyIndex;
class TSpellChecker;
class TTermMatcher;
class TtxgProject;

struct TReportRow {
  int32_t Position = 0;
  int32_t Message = 0;
  std::u16string Id;
  std::u16string Kind;  // the kind's label, as the exported files write it beside each message
  TCheckFinding Finding;
  std::u16string Source;
  std::u16string Translation;
};

struct TCheckReport {
  std::string Title;  // what the report is of (the project file's name)
  // The checks the summary counts, in order: every check, then the spelling when it was asked.
  std::vector<TCheckCode> Checks;
  std::vector<TReportRow> Rows;
  // The number of rows of each of Checks, in that order.
  std::vector<std::size_t> Counts() const;
};

// Makes the rows of one position at a time; a kind's label is looked up once.
class TReportRows {
 public:
  // `terms` (may be nullptr) adds the glossary's findings after the checks' own, `consistency` (may
  // be nullptr; the workspace's translations, the project being the quest `quest`) the
  // "inconsistent" findings after those, `speller` (may be nullptr) the spelling findings last.
  TReportRows(const TtxgProject& project, TSpellChecker* speller, const TTermMatcher* terms = nullptr,
              const TConsistencyIndex* consistency = nullptr, std::u16string quest = {});
  // The rows of the message at `position`: its findings, its terms findings, its inconsistent
  // translations, its misspelled words.
  void AppendPosition(int32_t position, std::vector<TReportRow>& rows);
  // The checks a report of these rows counts.
  std::vector<TCheckCode> Checks() const;

 private:
  const TtxgProject& project_;
  TSpellChecker* speller_;
  const TTermMatcher* terms_;
  const TConsistencyIndex* consistency_;
  std::u16string quest_;
  std::unordered_map<int32_t, std::u16string> kinds_;  // type code -> label
};

// Every position of the project.
TCheckReport MakeCheckReport(const TtxgProject& project, TSpellChecker* speller, const TTermMatcher* terms = nullptr,
                             const TConsistencyIndex* consistency = nullptr, const std::u16string& quest = {});

enum class TReportFormat { Html, Csv };
// By the file's extension, in any case: .html or .htm, .csv; nothing for another.
std::optional<TReportFormat> ReportFormatOf(const std::string& fileName);
// The save dialog's filter: "HTML page|*.html;*.htm|CSV table|*.csv".
const char* ReportDialogFilter();

std::string ReportHtml(const TCheckReport& report);
std::string ReportCsv(const TCheckReport& report);
// Written in the format of its extension through the safe save (a temporary file renamed over the
// target). Raises std::invalid_argument "NAME: a report is an .html, .htm or .csv file" for another
// extension, before anything is written, and the save's error when the file cannot be written.
void SaveCheckReport(const TCheckReport& report, const std::string& fileName);
