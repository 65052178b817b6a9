// xgtool terms: the glossary terms found in the sources of a project, "N<TAB>ID<TAB>TERM<TAB>
// TRANSLATION" a line, in message order; and the reading of --glossary files that `check` shares.
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

std::vector<TGlossary> LoadGlossaries(const std::vector<std::string>& fileNames, CommandContext& context) {
  std::vector<TGlossary> glossaries;
  for (const std::string& fileName : fileNames) {
    TGlossaryReport report;
    glossaries.push_back(LoadTbx(fileName, report));
    if (report.WithoutSource > 0)
      context.err << "warning: " << fileName << ": " << report.WithoutSource
                  << " entries without a source term skipped\n";
  }
  return glossaries;
}

std::unique_ptr<TTermMatcher> MakeTermMatcher(std::vector<TGlossary> glossaries, const TtxgProject& project) {
  std::string targetLanguage = WideToAnsi(project.Setting(u"language"));
  std::vector<TGlossaryEntry> entries;
  for (TGlossary& glossary : glossaries) {
    if (targetLanguage.empty()) targetLanguage = glossary.TargetLanguage;
    for (TGlossaryEntry& entry : glossary.Entries) entries.push_back(std::move(entry));
  }
  return std::make_unique<TTermMatcher>(std::move(entries), QuestSourceLanguage, targetLanguage);
}

namespace {

int TermsCommand(const std::vector<std::string>& args, CommandContext& context) {
  std::vector<std::string> glossaryFiles;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--glossary") {
      if (i + 1 >= args.size() || args[i + 1].empty()) throw UsageError{"--glossary needs a TBX file"};
      glossaryFiles.push_back(args[++i]);
    } else if (args[i].starts_with("--")) {
      throw UsageError{"terms does not know the option " + args[i]};
    } else {
      files.push_back(args[i]);
    }
  }
  if (glossaryFiles.empty()) throw UsageError{"terms needs at least one --glossary"};
  if (files.size() != 1) throw UsageError{"terms needs one project file"};
  std::vector<TGlossary> glossaries = LoadGlossaries(glossaryFiles, context);
  auto project = LoadProject(files[0], context);
  const auto matcher = MakeTermMatcher(std::move(glossaries), *project);
  const std::vector<TGlossaryEntry>& entries = matcher->Entries();
  const std::u16string deleted = project->DeletedMessageText();
  bool found = false;
  for (int32_t position = 1; position <= project->PositionCount; ++position) {
    const int32_t n = project->MessageAtPosition(position);
    if (n < 1 || n > project->SourceCount || (n <= project->TargetCount && project->GetTargetText(n) == deleted))
      continue;
    // Each term once a message; a forbidden entry names no translation to use.
    std::vector<std::size_t> listed;
    for (const TTermMatch& match : matcher->FindSourceTerms(project->GetSourceText(n))) {
      const TGlossaryEntry& entry = entries[match.Entry];
      if (entry.Status == TTermStatus::Forbidden || std::ranges::find(listed, match.Entry) != listed.end()) continue;
      listed.push_back(match.Entry);
      const std::u16string translation = entry.Status == TTermStatus::DoNotTranslate ? entry.Source
                                         : entry.Targets.empty()                     ? std::u16string()
                                                                                     : entry.Targets.front();
      context.out << n << '\t' << EscapeForOutput(project->SourceIds[static_cast<std::size_t>(n)]) << '\t'
                  << EscapeForOutput(entry.Source) << '\t' << EscapeForOutput(translation) << '\n';
      found = true;
    }
  }
  return found ? ExitOk : ExitReported;
}

const CommandRegistration termsRegistration(
    "terms",
    "terms --glossary FILE.tbx [--glossary FILE.tbx ...] FILE.txg   (the glossary terms in the sources; exit 1 when "
    "none)",
    TermsCommand);

}  // namespace
