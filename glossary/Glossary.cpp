#include "glossary/Glossary.h"

#include <filesystem>
#include <system_error>

#include "project/ProjectClass.h"
#include "support/Utf8.h"

EGlossaryError::EGlossaryError(const std::string& fileName, int64_t line, const std::string& cause)
    : std::runtime_error(cause) {
  FileName = fileName;
  Line = line;
}

void AddGlossaryEntry(const std::string& fileName, const TGlossaryEntry& entry, const std::string& sourceLanguage,
                      const std::string& targetLanguage) {
  TGlossary glossary;
  std::error_code error;
  // Anything but a missing file (a folder, a file we may not read) is the reader's to report.
  if (std::filesystem::symlink_status(fileName, error).type() != std::filesystem::file_type::not_found) {
    TGlossaryReport report;
    glossary = LoadTbx(fileName, report);
  } else {
    glossary.SourceLanguage = sourceLanguage;
    glossary.TargetLanguage = targetLanguage;
  }
  glossary.Entries.push_back(entry);
  SaveTbx(glossary, fileName);
}

std::vector<std::string> ProjectGlossaryFiles(const TtxgProject& project) {
  return project.FileListSetting(u"glossaries");
}

void SetProjectGlossaryFiles(TtxgProject& project, const std::vector<std::string>& files) {
  project.SetFileListSetting(u"glossaries", files);
}
