// The projects a command of several projects works on: the files and folders given, the folders
// standing for the projects in them (workspace/Workspace.h).
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "project/ProjectClass.h"
#include "support/ErrorDescription.h"
#include "support/JD_Str.h"
#include "workspace/Workspace.h"

bool IsFolderOfProjects(const std::string& operand) {
  std::error_code error;
  return !EndsWithIgnoringCase(operand, ".txg") && std::filesystem::is_directory(operand, error);
}

std::vector<std::string> ProjectFilesOf(const std::vector<std::string>& operands, const std::string& command) {
  std::vector<std::string> files;
  for (const std::string& operand : operands) {
    if (IsFolderOfProjects(operand)) {
      const std::vector<std::string> inFolder = WorkspaceProjectFiles(operand);
      files.insert(files.end(), inFolder.begin(), inFolder.end());
    } else {
      files.push_back(operand);
    }
  }
  std::set<std::string> seen;
  for (const std::string& file : files)
    if (!seen.insert(std::filesystem::path(file).lexically_normal().string()).second)
      throw UsageError{command + " needs one project file or more, each once: " + file + " is given twice"};
  return files;
}

void PrintProjectError(const std::string& fileName, const std::vector<std::string>& lines, std::ostream& err) {
  const std::string named = fileName + ":";
  for (const std::string& line : lines) {
    if (line.compare(0, named.size(), named) == 0)
      err << "xgtool: " << line << '\n';
    else
      err << "xgtool: " << fileName << ": " << line << '\n';
  }
}

bool TryLoadProject(TtxgProject& project, const std::string& file, std::vector<std::string>& error) {
  try {
    project.LoadFromFile(file);
    return true;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& failure) {
    error = DescribeError(failure);
    return false;
  }
}

bool ForEachProject(const std::vector<std::string>& files, CommandContext& context,
                    const std::function<void(const std::string& prefix, TtxgProject& project)>& each) {
  if (files.size() == 1) {
    each("", *LoadProject(files[0], context));
    return true;
  }
  bool allLoaded = true;
  // One project loaded again and again: its quests' records are made once, not once a file.
  auto project = std::make_unique<TtxgProject>(context.Catalogue());
  for (const std::string& file : files) {
    std::vector<std::string> error;
    if (!TryLoadProject(*project, file, error)) {
      PrintProjectError(file, error, context.err);
      allLoaded = false;
      continue;
    }
    std::istringstream warnings(project->LoadWarning());
    for (std::string line; std::getline(warnings, line);) context.err << "warning: " << file << ": " << line << '\n';
    each(file + '\t', *project);
  }
  return allLoaded;
}
