#pragma once
// The settings of a whole workspace, kept in "workspace.ini" in its folder (QSettings' INI
// format): the target language of the game and the memory and glossary files every quest uses.
// A folder without the file has none. Files below the folder are written relative to it, so the
// game's folder can be moved; reading gives every file as a full path.
#include <QString>

#include <stdexcept>
#include <string>
#include <vector>

struct TWorkspaceSettings {
  QString Language;  // "en-US"; empty: not set
  std::vector<std::string> MemoryFiles;
  std::vector<std::string> GlossaryFiles;
  bool operator==(const TWorkspaceSettings&) const = default;
};

// A settings file that cannot be read or written; the text names the file.
class EWorkspaceSettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

QString WorkspaceSettingsFile(const QString& folder);
// Defaults when the file is absent; raises EWorkspaceSettingsError when it exists but cannot be read.
TWorkspaceSettings ReadWorkspaceSettings(const QString& folder);
// Raises EWorkspaceSettingsError, naming the file, when it cannot be written.
void WriteWorkspaceSettings(const QString& folder, const TWorkspaceSettings& settings);
