#include "memory/UnusedTranslations.h"

#include <string>

#include "project/ProjectClass.h"
#include "support/BlockFile.h"

namespace {

const std::string SectionName = "unused";
constexpr int32_t SectionVersion = 1;

// The section: version, entry count, then per entry three texts (id, source, translation), each a
// unit count and its UTF-16LE units.
void WriteText(TBlockFileWriter& writer, const std::u16string& text) {
  writer.WriteInt(static_cast<int32_t>(text.size()));
  writer.WriteUnits(text);
}

std::u16string ReadText(TBlockFileReader& reader) {
  const int32_t length = reader.ReadInt();
  if (length < 0) throw EUnusedSectionError();
  reader.Require(static_cast<int64_t>(length) * 2);
  return reader.ReadUnits(length);
}

}  // namespace

EUnusedSectionError::EUnusedSectionError() : std::runtime_error("The unused translations of the project are damaged") {}

std::vector<TMemoryEntry> UnusedTranslations(const TtxgProject& project) {
  std::vector<TMemoryEntry> entries;
  const std::vector<uint8_t>* bytes = project.Section(SectionName);
  if (bytes == nullptr) return entries;
  try {
    TBlockFileReader reader(*bytes);
    if (reader.ReadInt() != SectionVersion) throw EUnusedSectionError();
    const int32_t count = reader.ReadInt();
    // Every entry takes at least its three lengths.
    if (count < 0 || static_cast<int64_t>(count) * 12 > reader.BytesLeft()) throw EUnusedSectionError();
    entries.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
      TMemoryEntry entry;
      entry.Origin = ReadText(reader);
      entry.Source = ReadText(reader);
      entry.Translation = ReadText(reader);
      entries.push_back(std::move(entry));
    }
    if (reader.BytesLeft() != 0) throw EUnusedSectionError();
  } catch (const EInOutError&) {
    throw EUnusedSectionError();
  }
  return entries;
}

void SetUnusedTranslations(TtxgProject& project, const std::vector<TMemoryEntry>& entries) {
  if (entries.empty()) {
    project.SetSection(SectionName, {});
    return;
  }
  TBlockFileWriter writer;
  writer.WriteInt(SectionVersion);
  writer.WriteInt(static_cast<int32_t>(entries.size()));
  for (const TMemoryEntry& entry : entries) {
    WriteText(writer, entry.Origin);
    WriteText(writer, entry.Source);
    WriteText(writer, entry.Translation);
  }
  project.SetSection(SectionName, writer.Bytes());
}
