#include "memory/ProjectMemory.h"

#include <exception>

#include "memory/Tmx.h"
#include "memory/UnusedTranslations.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"
#include "support/Utf8.h"

std::vector<TMemoryEntry> TranslatedEntries(const TtxgProject& project) {
  std::vector<TMemoryEntry> entries;
  for (int32_t position = 1; position <= project.PositionCount; ++position) {
    const int32_t n = project.MessageAtPosition(position);
    if (!project.IsTranslated(n)) continue;
    entries.push_back(
        {project.GetSourceText(n), project.GetTargetText(n), project.SourceIds[static_cast<std::size_t>(n)]});
  }
  return entries;
}

void ExportProjectTmx(const TtxgProject& project, const std::string& fileName) {
  TTmxLanguages languages;
  if (const std::u16string language = project.Setting(u"language"); !language.empty())
    languages.Target = Utf16ToUtf8(language);
  WriteTmx(fileName, TranslatedEntries(project), languages);
}

std::vector<std::string> AttachedMemoryFiles(const TtxgProject& project) {
  return project.FileListSetting(u"memories");
}

void SetAttachedMemoryFiles(TtxgProject& project, const std::vector<std::string>& files) {
  project.SetFileListSetting(u"memories", files);
}

void FillProjectMemory(const TtxgProject& project, TTranslationMemory& memory, std::vector<std::string>& problems) {
  memory.Clear();
  for (TMemoryEntry& entry : TranslatedEntries(project)) memory.Add(std::move(entry));
  try {
    for (TMemoryEntry& entry : UnusedTranslations(project)) {
      entry.Origin = u"unused " + entry.Origin;
      memory.Add(std::move(entry));
    }
  } catch (const std::exception& error) {
    problems.push_back(error.what());
  }
  for (const std::string& file : AttachedMemoryFiles(project)) {
    try {
      for (TMemoryEntry& entry : ReadTmx(file)) memory.Add(std::move(entry));
    } catch (const std::exception& error) {
      problems.push_back(DescribeErrorText(error));
    }
  }
}
