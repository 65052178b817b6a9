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
  std::vector<std::string> files;
  const std::string lines = Utf16ToUtf8(project.Setting(u"glossaries"));
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = lines.find('\n', start);
    if (end == std::string::npos) end = lines.size();
    if (end > start) files.push_back(lines.substr(start, end - start));
    start = end + 1;
  }
  return files;
}

void SetProjectGlossaryFiles(TtxgProject& project, const std::vector<std::string>& files) {
  std::string lines;
  for (const std::string& file : files) {
    if (file.empty() || file.find('\n') != std::string::npos) continue;  // one file a line, nothing else
    if (!lines.empty()) lines += '\n';
    lines += file;
  }
  project.SetSetting(u"glossaries", Utf8ToUtf16(lines));
}
