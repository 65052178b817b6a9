#pragma once
// Shared by the reliability tests: the catalogue, the sample quest, scratch folders and whole-file
// reads.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"

class TBlockParJD;

namespace reliability {

const TBlockParJD& Catalogue();
std::string SampleQuest();
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

using ::ScratchFolder;

}  // namespace reliability
