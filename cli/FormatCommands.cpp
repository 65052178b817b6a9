// xgtool commands for the translation tools' formats: export-NAME and import-NAME for each of them
// in the registry (PO and XLIFF).
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

int ExportCommand(const TFormat& format, const std::vector<std::string>& args, CommandContext& context) {
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
  if (files.size() != 2) throw UsageError{"export-" + format.Name + " needs a project file and an output file"};
  auto project = LoadProject(files[0], context);
  // The references are resolved in memory only, as for the exchange file.
  project->Relink();
  options.QuestName = QuestNameOf(files[0]);
  format.Save(*project, files[1], options);
  return ExitOk;
}

int ImportCommand(const TFormat& format, const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"import-" + format.Name + " needs a project file and an input file"};
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

// The usage lines name the file by its first extension and the format by its titles.
struct FormatCommandRegistrations {
  FormatCommandRegistrations() {
    for (const TFormat* format : TranslationToolsFormats()) {
      const std::string& extension = format->Extensions.front();
      CommandRegistration("export-" + format->Name,
                          "export-" + format->Name + " [--language CODE] FILE.txg OUT" + extension + "   (write " +
                              format->Article + " " + format->Title + " to translate)",
                          [format](const std::vector<std::string>& args, CommandContext& context) {
                            return ExportCommand(*format, args, context);
                          });
      CommandRegistration("import-" + format->Name,
                          "import-" + format->Name + " FILE.txg IN" + extension + "   (read a translated " +
                              format->ShortTitle + " file into the project; exit 1 with a report)",
                          [format](const std::vector<std::string>& args, CommandContext& context) {
                            return ImportCommand(*format, args, context);
                          });
    }
  }
};
const FormatCommandRegistrations formatCommandRegistrations;

}  // namespace
