#pragma once
// What the harnesses share: the catalogue, and a scratch file for the code that reads by name.
#include <cstddef>
#include <cstdint>
#include <string>

class TBlockParJD;

namespace fuzzsupport {

// The shipped catalogue, loaded once.
const TBlockParJD& Catalogue();
// Writes the bytes to this process's scratch file (created once in the temporary folder) and
// returns its name.
const std::string& WriteScratchFile(const uint8_t* data, std::size_t size);
// The shipped sample quest.
std::string SampleQuestPath();

}  // namespace fuzzsupport
