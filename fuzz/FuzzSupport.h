#pragma once
// What the harnesses share: the catalogue, and a scratch file for the code that reads by name.
#include <cstddef>
#include <cstdint>
#include <string>

class TBlockParJD;
class TConversionReport;
class TtxgProject;

namespace fuzzsupport {

// The shipped catalogue, loaded once.
const TBlockParJD& Catalogue();
// Writes the bytes to this process's scratch file (created once in the temporary folder) and
// returns its name.
const std::string& WriteScratchFile(const uint8_t* data, std::size_t size);
// The shipped sample quest.
std::string SampleQuestPath();

using ImportFunction = void (*)(TtxgProject& project, const std::string& fileName, TConversionReport& report);
// Imports the bytes as a file into a project fresh from the sample quest. Aborts when numbering
// falls out of step, or when a refused file changed the target quest.
int ImportIntoSample(const uint8_t* data, std::size_t size, ImportFunction import);

}  // namespace fuzzsupport
