// xgtool commands for glossaries: a term list kept in a spreadsheet (CSV) made into a TBX file.
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "formats/XliffFormat.h"
#include "glossary/Glossary.h"

namespace {

// A language code as xml:lang takes it ("pt_BR" becomes "pt-BR"); anything else is a usage error.
std::string LanguageOption(const std::string& code) {
  try {
    std::string language = XmlLanguage(code);
    if (language.empty()) throw std::invalid_argument("The language code is empty");
    return language;
  } catch (const std::invalid_argument& error) {
    throw UsageError{error.what()};
  }
}

int GlossaryImportCommand(const std::vector<std::string>& args, CommandContext& context) {
  std::string sourceLanguage = "ru", targetLanguage = "und";
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--source-language" || args[i] == "--target-language") {
      if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a language code"};
      (args[i] == "--source-language" ? sourceLanguage : targetLanguage) = LanguageOption(args[i + 1]);
      ++i;
    } else if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
      throw UsageError{"unknown option " + args[i]};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) throw UsageError{"glossary-import needs a CSV file and a TBX file"};
  TGlossaryReport report;
  // The whole list is read before the TBX file is touched: a bad list leaves it as it was.
  const TGlossary glossary = ImportGlossaryCsv(files[0], sourceLanguage, targetLanguage, report);
  SaveTbx(glossary, files[1]);
  context.out << "entries: " << report.Entries << "\nskipped without source: " << report.WithoutSource << '\n';
  return report.WithoutSource == 0 ? ExitOk : ExitReported;
}

const CommandRegistration glossaryImportRegistration(
    "glossary-import",
    "glossary-import IN.csv OUT.tbx [--source-language CODE] [--target-language CODE]   (make a TBX glossary of "
    "a CSV list: source term, target term, note; languages ru and und unless given; 1 when rows lacked a source)",
    GlossaryImportCommand);

}  // namespace
