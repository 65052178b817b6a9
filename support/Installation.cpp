#include "support/Installation.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "support/InstallationConfig.h"
#include "support/JD_Error.h"

namespace {

const char* const CatalogueFileName = "msg_cfg.txt";

std::string Joined(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).lexically_normal().string();
}

}  // namespace

const char* ProgramVersion() { return XG_VERSION; }

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path()) return {};
  return program.parent_path().string();
}

std::vector<std::string> DataFileCandidates(const std::string& fileName, const std::string& currentFolder,
                                            const std::string& programFolder, const std::string& installedDataFolder) {
  std::vector<std::string> candidates;
  auto add = [&](const std::string& folder) {
    if (folder.empty()) return;
    std::string candidate = Joined(folder, fileName);
    if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end())
      candidates.push_back(std::move(candidate));
  };
  add(currentFolder);
  add(programFolder);
  if (!programFolder.empty()) add(Joined(programFolder, XG_DATA_DIR_FROM_BIN));
  add(installedDataFolder);
  return candidates;
}

std::vector<std::string> CatalogueCandidates() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return DataFileCandidates(CatalogueFileName, error ? std::string() : current.string(), ExecutableFolder(),
                            XG_INSTALLED_DATA_DIR);
}

std::string FindCatalogue(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  std::string message = "Catalogue not found. Looked in:";
  for (const std::string& candidate : candidates) message += "\n  " + candidate;
  throw TExceptionJD(message);
}
