#pragma once
// The block a project file carries after its target quest when the project stores more than the
// two quests: message states, notes, settings and sections of later features. Files without it
// are exactly the older project files, and readers that stop after the target quest ignore it.
//
//   offset  width  field
//   0       8      mark "TXGSTATE"
//   8       4      int32 format version (1)
//   12      4      int32 body length L
//   16      L      body: int32 section count, then per section
//                    int32 name length (1..64), the name (printable ASCII),
//                    int32 data length, the data
//   16+L    4      CRC-32 of the body
//
// The end of the file follows the checksum. A reader tells a cut block from a whole one by L and
// the checksum, and checks every count and length against the bytes left before it allocates.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "project/MessageStates.h"

class TBlockFileReader;
class TBlockFileWriter;

struct TTrailerSection {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

// Key -> value; the comparison also takes views, so a lookup needs no copy of the key.
using TProjectSettings = std::map<std::u16string, std::u16string, std::less<>>;

// Names of the sections the project encodes itself.
inline const std::string StatesSectionName = "states";
inline const std::string SettingsSectionName = "settings";
inline const std::string AsIsSectionName = "translated-as-is";

// The standard CRC-32 (reflected polynomial 0xEDB88320), as zlib computes it. Passing the CRC of
// the bytes before as `crc` continues it: the result is the CRC of both runs together.
uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0);

// Appends the block holding `sections`, in that order.
void WriteProjectTrailer(TBlockFileWriter& file, const std::vector<TTrailerSection>& sections);

struct TTrailerRead {
  std::vector<TTrailerSection> Sections;
  // Empty when the block was whole (or absent); otherwise the user-facing text saying what was
  // dropped and why. Sections is empty then.
  std::string Warning;
};
// Reads from the reader's position to its end. Never raises for a damaged block: it is reported.
TTrailerRead ReadProjectTrailer(TBlockFileReader& file);

// The "states" section: int32 record count, then per message holding a state
//   int32 message number,
//   byte flags: bit 0 needs review, bit 1 has a note, bit 2 has a previous source text,
//               bit 3 the id is UTF-16LE (otherwise one byte a unit, every unit below 0x80),
//   int32 id length in units, the id,
//   when bit 1: int32 note length (above 0), the note (UTF-16LE),
//   when bit 2: int32 previous-source length (above 0), the previous source text (UTF-16LE).
// Records name their message by number and id; `ids` are the project's message ids 1..count.
std::vector<uint8_t> EncodeMessageStates(const TMessageStates& states, const std::vector<std::u16string>& ids);
// Fills `states` (resized to `count`) from the section, or leaves it empty and returns the
// user-facing text of what was dropped when a record does not fit the project.
std::string DecodeMessageStates(std::vector<uint8_t> bytes, const std::vector<std::u16string>& ids, int32_t count,
                                TMessageStates& states);

// The "translated-as-is" section: int32 record count, then per message marked translated as is
//   int32 message number,
//   byte flags: bit 3 the id is UTF-16LE (as in "states"); no other bit is set,
//   int32 id length in units, the id.
// A section of its own rather than a flag of "states": a program that knows only "states" and
// "settings" refuses a state record with an unknown flag and drops every state with it, but keeps a
// section it does not know as it was and writes it back. Such a program counts these messages as
// untranslated, and may change their texts: a mark read for a message whose translation no longer
// equals its source is dropped (TtxgProject keeps the mark only on such messages).
std::vector<uint8_t> EncodeTranslatedAsIs(const TMessageStates& states, const std::vector<std::u16string>& ids);
// Marks the messages of the section in `states` (made room for messages 1..count, what it holds
// kept), or marks none and returns the user-facing text of what was dropped when a record does not
// fit the project.
std::string DecodeTranslatedAsIs(std::vector<uint8_t> bytes, const std::vector<std::u16string>& ids, int32_t count,
                                 TMessageStates& states);

// The "settings" section: int32 count, then per setting int32 key length, key, int32 value
// length, value (UTF-16LE); keys in increasing order.
std::vector<uint8_t> EncodeSettings(const TProjectSettings& settings);
// Empty text on success; otherwise `settings` is left empty and the text says what was dropped.
std::string DecodeSettings(std::vector<uint8_t> bytes, TProjectSettings& settings);
