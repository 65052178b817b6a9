// xgtool commands for the translation tools' formats: export and import of PO and XLIFF files.
#include <future>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "formats/Formats.h"
#include "project/ProjectClass.h"
#include "support/JD_Str.h"

namespace {

int ExportCommand(const char* formatName, const std::vector<std::string>& args, CommandContext& context) {
  TExportOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--language") {
      if (i + 1 >= args.size()) throw UsageError{"--language needs a language code"};
      options.Language = args[++i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2)
    throw UsageError{std::string("export-") + formatName + " needs a project file and an output file"};
  auto project = LoadProject(files[0], context);
  // The references are resolved in memory only, as for the exchange file.
  project->Relink();
  options.QuestName = QuestNameOf(files[0]);
  FindFormat(formatName)->Save(*project, files[1], options);
  return ExitOk;
}

int ImportCommand(const char* formatName, const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2)
    throw UsageError{std::string("import-") + formatName + " needs a project file and an input file"};
  const TFormat& format = *FindFormat(formatName);
  // The file is read on a second thread while the project loads: the two take about as long.
  auto reading = std::async(std::launch::async, format.Read, args[1]);
  std::unique_ptr<TtxgProject> project;
  try {
    project = LoadProject(args[0], context);
  } catch (...) {
    // The project's error is the one reported; the reading's outcome no longer matters.
    reading.wait();
    throw;
  }
  TConversionReport report;
  ApplyIncomingUnits(*project, reading.get(), report);
  project->Relink();
  SaveProject(*project, args[0], context);
  context.out << WideToAnsi(report.Lines());
  return report.Empty() ? ExitOk : ExitReported;
}

int ExportPo(const std::vector<std::string>& args, CommandContext& context) {
  return ExportCommand("po", args, context);
}
int ImportPo(const std::vector<std::string>& args, CommandContext& context) {
  return ImportCommand("po", args, context);
}
int ExportXliff(const std::vector<std::string>& args, CommandContext& context) {
  return ExportCommand("xliff", args, context);
}
int ImportXliff(const std::vector<std::string>& args, CommandContext& context) {
  return ImportCommand("xliff", args, context);
}

const CommandRegistration exportPoRegistration(
    "export-po", "export-po [--language CODE] FILE.txg OUT.po   (write a gettext PO file to translate)", ExportPo);
const CommandRegistration importPoRegistration(
    "import-po", "import-po FILE.txg IN.po   (read a translated PO file into the project; exit 1 with a report)",
    ImportPo);
const CommandRegistration exportXliffRegistration(
    "export-xliff", "export-xliff [--language CODE] FILE.txg OUT.xlf   (write an XLIFF 1.2 file to translate)",
    ExportXliff);
const CommandRegistration importXliffRegistration(
    "import-xliff",
    "import-xliff FILE.txg IN.xlf   (read a translated XLIFF file into the project; exit 1 with a report)",
    ImportXliff);

}  // namespace
