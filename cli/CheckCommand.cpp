// xgtool check: the findings of the translation checks (and, with --glossary, of the glossary's
// terms; with --spell, of the spelling) for every position of the projects, "N<TAB>ID<TAB>CODE<TAB>
// DETAIL" a line (after "FILE<TAB>" when there are several), in message order; with --report (one
// project), the same findings written as an HTML page or a CSV table too. Several projects are a
// workspace: a translation another of them translates otherwise is an "inconsistent" finding, the
// quest named by its file as given.
#include <exception>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "checks/CheckReport.h"
#include "checks/ConsistencyCheck.h"
#include "checks/Spelling.h"
#include "checks/TermsCheck.h"
#include "checks/TranslationChecks.h"
#include "cli/Commands.h"
#include "glossary/TermMatcher.h"
#include "memory/WorkspaceMemory.h"
#include "project/ProjectClass.h"
#include "support/Utf8.h"

namespace {

void PrintFinding(std::ostream& out, const std::string& prefix, const TtxgProject& project, int32_t n,
                  const TCheckFinding& finding) {
  out << prefix << n << '\t' << EscapeForOutput(project.SourceIds[static_cast<std::size_t>(n)]) << '\t' << finding.Code
      << '\t' << EscapeForOutput(finding.Detail) << '\n';
}

// The translations of every project that loads; one that does not is told by the check itself.
TConsistencyIndex WorkspaceTranslations(const std::vector<std::string>& files, CommandContext& context) {
  TConsistencyIndex index;
  auto project = std::make_unique<TtxgProject>(context.Catalogue());
  for (const std::string& file : files) {
    std::vector<std::string> error;
    if (!TryLoadProject(*project, file, error)) continue;
    AddProjectToConsistencyIndex(*project, Utf8ToUtf16(file), index);
  }
  return index;
}

int CheckCommand(const std::vector<std::string>& args, CommandContext& context) {
  std::string language;
  std::string reportFile;
  std::vector<std::string> glossaryFiles;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--glossary") {
      if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{"--glossary needs a TBX file"};
      glossaryFiles.push_back(args[++i]);
    } else if (args[i] == "--spell") {
      if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{"--spell needs a language"};
      language = args[++i];
    } else if (args[i] == "--report") {
      if (i + 1 >= args.size() || !ReportFormatOf(args[i + 1]))
        throw UsageError{"--report needs an .html or .csv file"};
      reportFile = args[++i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty()) throw UsageError{"check needs one project file or more, or a folder"};
  // Folders are listed before the dictionary is loaded: a folder that cannot be read fails first.
  files = ProjectFilesOf(files, "check");
  if (!reportFile.empty() && files.size() != 1) throw UsageError{"check --report needs one project file"};
  // The dictionary and the glossaries first: an unknown language or a bad glossary fails before
  // the project is read.
  std::unique_ptr<TSpellChecker> speller;
  if (!language.empty()) speller = std::make_unique<TSpellChecker>(language);
  std::vector<TGlossary> glossaries = LoadGlossaries(glossaryFiles, context);

  std::unique_ptr<TConsistencyIndex> consistency;
  if (files.size() > 1) consistency = std::make_unique<TConsistencyIndex>(WorkspaceTranslations(files, context));

  int32_t count = 0;
  const bool allLoaded = ForEachProject(files, context, [&](const std::string& prefix, TtxgProject& project) {
    std::unique_ptr<TTermMatcher> matcher;
    // Each of several projects gets a copy: its languages may differ.
    if (!glossaryFiles.empty())
      matcher =
          MakeTermMatcher(files.size() == 1 ? std::move(glossaries) : std::vector<TGlossary>(glossaries), project);
    auto print = [&](int32_t n, const std::vector<TCheckFinding>& findings) {
      for (const TCheckFinding& finding : findings) PrintFinding(context.out, prefix, project, n, finding);
      count += static_cast<int32_t>(findings.size());
    };
    if (!reportFile.empty()) {
      // Written before anything is printed: a report that cannot be written prints no findings.
      TCheckReport report = MakeCheckReport(project, speller.get(), matcher.get());
      report.Title = files[0].substr(files[0].rfind('/') + 1);
      SaveCheckReport(report, reportFile);
      for (const TReportRow& row : report.Rows) print(row.Message, {row.Finding});
      return;
    }
    for (int32_t position = 1; position <= project.PositionCount; ++position) {
      const int32_t n = project.MessageAtPosition(position);
      print(n, CheckMessage(project, n));
      if (matcher != nullptr) print(n, CheckMessageTerms(project, n, *matcher));
      if (consistency != nullptr)
        print(n, CheckMessageInconsistent(project, n, *consistency, Utf8ToUtf16(prefix.substr(0, prefix.size() - 1))));
      if (speller != nullptr) print(n, CheckSpelling(project, n, *speller));
    }
  });
  if (!allLoaded) return ExitError;
  return count == 0 ? ExitOk : ExitReported;
}

const CommandRegistration checkRegistration(
    "check",
    "check [--glossary FILE.tbx ...] [--spell LANG] [--report OUT.html|OUT.csv] FILE.txg|DIR...   (findings "
    "of the translation checks, each line after its file when there are several projects, which also get "
    "\"inconsistent\" for a source they translate differently; exit 1 when there are any)",
    CheckCommand);

}  // namespace
