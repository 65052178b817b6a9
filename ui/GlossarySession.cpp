#include "ui/GlossarySession.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include <exception>

#include "glossary/TermMatcher.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"
#include "support/Utf8.h"

namespace {

TLoadedGlossary ReadGlossary(const std::string& file) {
  TLoadedGlossary loaded;
  loaded.File = file;
  try {
    TGlossaryReport report;
    loaded.Glossary = LoadTbx(file, report);
    loaded.Read = true;
    loaded.Writable = QFileInfo(QFile::decodeName(file.c_str())).isWritable();
  } catch (const std::exception& error) {
    loaded.Problem = DescribeErrorText(error);
  }
  return loaded;
}

}  // namespace

TTermLanguages ProjectTermLanguages(const TtxgProject& project, const std::vector<TLoadedGlossary>& glossaries,
                                    const std::string& workspaceLanguage) {
  TTermLanguages languages{QuestSourceLanguage, Utf16ToUtf8(project.Setting(u"spelling"))};
  if (languages.Target.empty()) languages.Target = Utf16ToUtf8(project.Setting(u"language"));
  if (languages.Target.empty()) languages.Target = workspaceLanguage;
  for (const TLoadedGlossary& glossary : glossaries)
    if (languages.Target.empty() && glossary.Read) languages.Target = glossary.Glossary.TargetLanguage;
  return languages;
}

TGlossarySession::TGlossarySession() = default;
TGlossarySession::~TGlossarySession() = default;

std::vector<std::string> TGlossarySession::Load(const TtxgProject& project,
                                                const std::vector<std::string>& workspaceFiles,
                                                const std::string& workspaceLanguage) {
  glossaries_.clear();
  workspaceLanguage_ = workspaceLanguage;
  std::vector<std::string> problems;
  std::vector<std::string> files = ProjectGlossaryFiles(project);
  for (const std::string& file : workspaceFiles)
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  for (const std::string& file : files) {
    glossaries_.push_back(ReadGlossary(file));
    if (!glossaries_.back().Read) problems.push_back(glossaries_.back().Problem);
  }
  stale_ = true;
  return problems;
}

void TGlossarySession::Reload(const std::string& file) {
  for (TLoadedGlossary& glossary : glossaries_)
    if (glossary.File == file) glossary = ReadGlossary(file);
  stale_ = true;
}

std::string TGlossarySession::WritableFile() const {
  for (const TLoadedGlossary& glossary : glossaries_)
    if (glossary.Writable) return glossary.File;
  return {};
}

const TTermMatcher* TGlossarySession::Matcher(const TtxgProject& project) {
  const TTermLanguages languages = ProjectTermLanguages(project, glossaries_, workspaceLanguage_);
  if (stale_ || languages != matcherLanguages_) {
    std::vector<TGlossaryEntry> entries;
    for (const TLoadedGlossary& glossary : glossaries_)
      entries.insert(entries.end(), glossary.Glossary.Entries.begin(), glossary.Glossary.Entries.end());
    matcher_.reset();
    if (!entries.empty())
      matcher_ = std::make_unique<TTermMatcher>(std::move(entries), languages.Source, languages.Target);
    matcherLanguages_ = languages;
    stale_ = false;
  }
  return matcher_.get();
}
