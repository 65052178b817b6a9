#pragma once
// Where an installed program finds its shipped data, and which version it is. The window and
// xgtool share these so that both look for the catalogue in the same places.
#include <string>
#include <vector>

// The version given to the build (CMake's project(VERSION ...)), e.g. "0.1".
const char* ProgramVersion();

// The folder of the running executable, or "" when the system does not say.
std::string ExecutableFolder();

// Where the catalogue file is looked for, in order, without duplicates:
//   the current folder;
//   the program's folder (a build tree keeps the catalogue beside the binaries);
//   the data folder relative to the program's folder (an installed tree, also when it was unpacked
//   or moved under another prefix, e.g. a package extracted with dpkg -x);
//   `installedDataFolder`, the data folder of the configured install prefix.
// Empty folders are left out; every entry ends in `fileName`.
std::vector<std::string> DataFileCandidates(const std::string& fileName, const std::string& currentFolder,
                                            const std::string& programFolder, const std::string& installedDataFolder);

// DataFileCandidates for this process: the current directory, ExecutableFolder() and the
// configured install prefix.
std::vector<std::string> CatalogueCandidates();

// The first of `candidates` that is a regular file. When none is, raises TExceptionJD with the
// text "Catalogue not found. Looked in:" followed by one line per candidate ("  PATH").
std::string FindCatalogue(const std::vector<std::string>& candidates);
