#include "project/ProjectTrailer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <utility>

#include "quest/BlockFile.h"
#include "support/JD_Str.h"

namespace {

constexpr char TrailerMark[8] = {'T', 'X', 'G', 'S', 'T', 'A', 'T', 'E'};
constexpr int32_t TrailerVersion = 1;
constexpr int32_t MaxSectionNameLength = 64;
// A section needs its two lengths and a name of at least one byte.
constexpr int64_t SmallestSection = 9;
// number, id length, flags, note length, previous-source length
constexpr int64_t SmallestStateRecord = 17;
// key length, a key of one unit, value length
constexpr int64_t SmallestSetting = 10;
constexpr uint8_t NeedsReviewFlag = 0x01;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    table[i] = value;
  }
  return table;
}
constexpr std::array<uint32_t, 256> CrcTable = MakeCrcTable();

// Raised inside the decoders for bytes that do not follow the layout; turned into a warning.
struct EDamaged {};

void WriteText(TBlockFileWriter& file, const std::u16string& text) {
  file.WriteInt(static_cast<int32_t>(text.size()));
  file.WriteUnits(text);
}

std::u16string ReadText(TBlockFileReader& file) {
  const int32_t length = file.ReadInt();
  if (length < 0) throw EDamaged{};
  return file.ReadUnits(length);
}

std::string WholeBlockWarning(const std::string& reason, int64_t size) {
  return "The message states, notes and settings stored after the quests in the project file were dropped: " + reason +
         " (" + std::to_string(size) +
         " bytes). The quests were loaded; the file stays as it was until the project "
         "is saved.";
}

std::string Counted(int32_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "3 review marks, 2 notes and 1 previous source text", naming only what there was.
std::string DroppedStates(int32_t reviews, int32_t notes, int32_t previous) {
  std::vector<std::string> parts;
  if (reviews > 0) parts.push_back(Counted(reviews, "review mark", "review marks"));
  if (notes > 0) parts.push_back(Counted(notes, "note", "notes"));
  if (previous > 0) parts.push_back(Counted(previous, "previous source text", "previous source texts"));
  if (parts.empty()) return "no review marks, notes or previous source texts";
  std::string text = parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

const std::string StatesDropped = "The message states stored in the project file were dropped: ";

}  // namespace

uint32_t Crc32(const uint8_t* data, std::size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = CrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void WriteProjectTrailer(TBlockFileWriter& file, const std::vector<TTrailerSection>& sections) {
  TBlockFileWriter body;
  std::size_t size = 4;
  for (const TTrailerSection& section : sections) size += 8 + section.Name.size() + section.Bytes.size();
  body.Reserve(size);
  body.WriteInt(static_cast<int32_t>(sections.size()));
  for (const TTrailerSection& section : sections) {
    body.WriteInt(static_cast<int32_t>(section.Name.size()));
    body.WriteBytes(section.Name.data(), section.Name.size());
    body.WriteInt(static_cast<int32_t>(section.Bytes.size()));
    body.WriteBytes(section.Bytes.data(), section.Bytes.size());
  }
  file.WriteBytes(TrailerMark, sizeof TrailerMark);
  file.WriteInt(TrailerVersion);
  file.WriteInt(static_cast<int32_t>(body.Bytes().size()));
  file.WriteBytes(body.Bytes().data(), body.Bytes().size());
  file.WriteInt(static_cast<int32_t>(Crc32(body.Bytes().data(), body.Bytes().size())));
}

TTrailerRead ReadProjectTrailer(TBlockFileReader& file) {
  TTrailerRead result;
  const int64_t size = file.BytesLeft();
  if (size == 0) return result;
  auto dropped = [&](const std::string& reason) {
    result.Warning = WholeBlockWarning(reason, size);
    return result;
  };

  char mark[sizeof TrailerMark];
  const auto markBytes = static_cast<std::size_t>(std::min<int64_t>(size, sizeof mark));
  file.ReadBytes(mark, markBytes);
  if (std::memcmp(mark, TrailerMark, markBytes) != 0) return dropped("the block does not begin with its mark");
  if (file.BytesLeft() < 8) return dropped("the block is cut");
  const int32_t version = file.ReadInt();
  if (version != TrailerVersion)
    return dropped("the block is of version " + std::to_string(version) + ", which this program does not read");
  const int32_t length = file.ReadInt();
  if (length < 0) return dropped("the block's length is damaged");
  if (file.BytesLeft() < int64_t{length} + 4) return dropped("the block is cut");
  std::vector<uint8_t> body(static_cast<std::size_t>(length));
  file.ReadBytes(body.data(), body.size());
  const auto checksum = static_cast<uint32_t>(file.ReadInt());
  if (checksum != Crc32(body.data(), body.size())) return dropped("the block's checksum does not match");
  if (file.BytesLeft() != 0) return dropped(std::to_string(file.BytesLeft()) + " bytes follow the block");

  try {
    TBlockFileReader reader(std::move(body));
    const int32_t count = reader.ReadInt();
    if (count < 0 || count > reader.BytesLeft() / SmallestSection) throw EDamaged{};
    std::set<std::string> names;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t nameLength = reader.ReadInt();
      if (nameLength < 1 || nameLength > MaxSectionNameLength) throw EDamaged{};
      std::string name(static_cast<std::size_t>(nameLength), '\0');
      reader.ReadBytes(name.data(), name.size());
      for (char c : name)
        if (c < 0x21 || c > 0x7E) throw EDamaged{};
      if (!names.insert(name).second) throw EDamaged{};
      const int32_t dataLength = reader.ReadInt();
      reader.Require(dataLength);
      std::vector<uint8_t> data(static_cast<std::size_t>(dataLength));
      reader.ReadBytes(data.data(), data.size());
      result.Sections.push_back({std::move(name), std::move(data)});
    }
    if (reader.BytesLeft() != 0) throw EDamaged{};
  } catch (const EDamaged&) {
    result.Sections.clear();
    return dropped("the block's list of sections is damaged");
  } catch (const EInOutError&) {
    result.Sections.clear();
    return dropped("the block's list of sections is damaged");
  }
  return result;
}

std::vector<uint8_t> EncodeMessageStates(const TMessageStates& states, const std::vector<std::u16string>& ids) {
  const int32_t count = std::min(states.Count(), static_cast<int32_t>(ids.size()) - 1);
  int32_t records = 0;
  std::size_t size = 4;
  for (int32_t n = 1; n <= count; ++n) {
    if (!states.HasState(n)) continue;
    ++records;
    size += SmallestStateRecord +
            2 * (ids[static_cast<std::size_t>(n)].size() + states.Note(n).size() + states.PreviousSource(n).size());
  }
  TBlockFileWriter section;
  section.Reserve(size);
  section.WriteInt(records);
  for (int32_t n = 1; n <= count; ++n) {
    if (!states.HasState(n)) continue;
    section.WriteInt(n);
    WriteText(section, ids[static_cast<std::size_t>(n)]);
    section.WriteByte(states.NeedsReview(n) ? NeedsReviewFlag : 0);
    WriteText(section, states.Note(n));
    WriteText(section, states.PreviousSource(n));
  }
  return section.Bytes();
}

std::string DecodeMessageStates(const std::vector<uint8_t>& bytes, const std::vector<std::u16string>& ids,
                                int32_t count, TMessageStates& states) {
  count = std::max(0, std::min(count, static_cast<int32_t>(ids.size()) - 1));
  TMessageStates decoded;
  decoded.Resize(count);
  std::string mismatch;
  int32_t reviews = 0;
  int32_t notes = 0;
  int32_t previous = 0;
  try {
    TBlockFileReader reader(bytes);
    const int32_t records = reader.ReadInt();
    if (records < 0 || records > reader.BytesLeft() / SmallestStateRecord) throw EDamaged{};
    std::vector<int32_t> recordOf(static_cast<std::size_t>(count) + 1, 0);
    for (int32_t record = 1; record <= records; ++record) {
      const int32_t n = reader.ReadInt();
      std::u16string id = ReadText(reader);
      const uint8_t flags = reader.ReadByte();
      if ((flags & ~NeedsReviewFlag) != 0) throw EDamaged{};
      std::u16string note = ReadText(reader);
      std::u16string previousSource = ReadText(reader);
      reviews += (flags & NeedsReviewFlag) != 0 ? 1 : 0;
      notes += note.empty() ? 0 : 1;
      previous += previousSource.empty() ? 0 : 1;
      if (!mismatch.empty()) continue;
      auto named = [&] {
        return "record " + std::to_string(record) + " names message " + std::to_string(n) + " \"" + WideToAnsi(id) +
               "\"";
      };
      if (n < 1 || n > count) {
        mismatch = named() + (count == 0 ? ", but the project has no messages"
                                         : ", but the project has messages 1 to " + std::to_string(count));
      } else if (ids[static_cast<std::size_t>(n)] != id) {
        mismatch = named() + ", but message " + std::to_string(n) + " of this project is \"" +
                   WideToAnsi(ids[static_cast<std::size_t>(n)]) + "\"";
      } else if (recordOf[static_cast<std::size_t>(n)] != 0) {
        mismatch = "records " + std::to_string(recordOf[static_cast<std::size_t>(n)]) + " and " +
                   std::to_string(record) + " both name message " + std::to_string(n);
      } else {
        recordOf[static_cast<std::size_t>(n)] = record;
        decoded.SetNeedsReview(n, (flags & NeedsReviewFlag) != 0);
        decoded.SetNote(n, std::move(note));
        decoded.SetPreviousSource(n, std::move(previousSource));
      }
    }
    if (reader.BytesLeft() != 0) throw EDamaged{};
  } catch (const EDamaged&) {
    return StatesDropped + "the section \"states\" is damaged.";
  } catch (const EInOutError&) {
    return StatesDropped + "the section \"states\" is damaged.";
  }
  if (!mismatch.empty())
    return StatesDropped + mismatch + ". Dropped: " + DroppedStates(reviews, notes, previous) + ".";
  states = std::move(decoded);
  return {};
}

std::vector<uint8_t> EncodeSettings(const TProjectSettings& settings) {
  TBlockFileWriter section;
  section.WriteInt(static_cast<int32_t>(settings.size()));
  for (const auto& [key, value] : settings) {
    WriteText(section, key);
    WriteText(section, value);
  }
  return section.Bytes();
}

std::string DecodeSettings(const std::vector<uint8_t>& bytes, TProjectSettings& settings) {
  TProjectSettings decoded;
  try {
    TBlockFileReader reader(bytes);
    const int32_t count = reader.ReadInt();
    if (count < 0 || count > reader.BytesLeft() / SmallestSetting) throw EDamaged{};
    for (int32_t i = 0; i < count; ++i) {
      std::u16string key = ReadText(reader);
      std::u16string value = ReadText(reader);
      // Keys are written in increasing order: anything else is no file this program wrote.
      if (key.empty() || value.empty() || (!decoded.empty() && !(decoded.rbegin()->first < key))) throw EDamaged{};
      decoded.emplace_hint(decoded.end(), std::move(key), std::move(value));
    }
    if (reader.BytesLeft() != 0) throw EDamaged{};
  } catch (const EDamaged&) {
    settings.clear();
    return "The project settings stored in the project file were dropped: the section \"settings\" is damaged.";
  } catch (const EInOutError&) {
    settings.clear();
    return "The project settings stored in the project file were dropped: the section \"settings\" is damaged.";
  }
  settings = std::move(decoded);
  return {};
}
