#pragma once
// Test-only writer of whole quest files in every version the reader accepts: each header variant
// (the unmarked file included), location layouts A to F and path layouts A to H, with parameters
// and changes in the layouts of common/LegacyRecords.h. It writes what the records hold in memory,
// field by field, in the layout of the given version, so that a test can build a document, write
// it as an old file and check what the reader makes of it.
#include <cstdint>
#include <vector>

class TBlockFileWriter;
class TGame;
class TLocation;
class TPath;

// version <= 1111111111 writes the unmarked file (the first integer is Selector1, which must then
// not be above 1111111111); any version above 1111111122 is written with that mark and the newest
// layouts.
std::vector<uint8_t> WriteLegacyQuest(const TGame& game, int32_t version);

// The part of the header before the parameter records.
void WriteLegacyHeader(TBlockFileWriter& file, const TGame& game, int32_t version);
void WriteLegacyLocation(TBlockFileWriter& file, const TLocation& location, int32_t version);
void WriteLegacyPath(TBlockFileWriter& file, const TPath& path, int32_t version);
