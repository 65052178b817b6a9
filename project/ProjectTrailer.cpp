#include "project/ProjectTrailer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <utility>

#include "support/BlockFile.h"
#include "support/JD_Str.h"

namespace {

constexpr char TrailerMark[8] = {'T', 'X', 'G', 'S', 'T', 'A', 'T', 'E'};
constexpr int32_t TrailerVersion = 1;
constexpr int32_t MaxSectionNameLength = 64;
// A section needs its two lengths and a name of at least one byte.
constexpr int64_t SmallestSection = 9;
// number, flags, id length
constexpr int64_t SmallestStateRecord = 9;
// key length, a key of one unit, value length
constexpr int64_t SmallestSetting = 10;
constexpr uint8_t NeedsReviewFlag = 0x01;
constexpr uint8_t HasNoteFlag = 0x02;
constexpr uint8_t HasPreviousFlag = 0x04;
constexpr uint8_t WideIdFlag = 0x08;
constexpr uint8_t KnownStateFlags = NeedsReviewFlag | HasNoteFlag | HasPreviousFlag | WideIdFlag;

// Slicing by eight: table[k][b] is the CRC of byte b followed by k zero bytes, so eight bytes are
// folded in per step. A byte at a time costs more than decoding the states themselves.
using TCrcTables = std::array<std::array<uint32_t, 256>, 8>;
constexpr TCrcTables MakeCrcTables() {
  TCrcTables tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    tables[0][i] = value;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (std::size_t k = 1; k < 8; ++k) tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF];
  return tables;
}
constexpr TCrcTables CrcTables = MakeCrcTables();

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

uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc) {
  const auto& t = CrcTables;
  crc ^= 0xFFFFFFFFu;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const uint32_t low = crc ^ (uint32_t{data[i]} | uint32_t{data[i + 1]} << 8 | uint32_t{data[i + 2]} << 16 |
                                uint32_t{data[i + 3]} << 24);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^ t[3][data[i + 4]] ^
          t[2][data[i + 5]] ^ t[1][data[i + 6]] ^ t[0][data[i + 7]];
  }
  for (; i < size; ++i) crc = t[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void WriteProjectTrailer(TBlockFileWriter& file, const std::vector<TTrailerSection>& sections) {
  // The body's length is known before it is written, and its checksum is taken as it goes out: the
  // file's earlier bytes may already be on disk.
  std::size_t length = 4;
  for (const TTrailerSection& section : sections) length += 8 + section.Name.size() + section.Bytes.size();
  file.WriteBytes(TrailerMark, sizeof TrailerMark);
  file.WriteInt(TrailerVersion);
  file.WriteInt(static_cast<int32_t>(length));
  uint32_t crc = 0;
  auto bodyBytes = [&](const void* bytes, std::size_t count) {
    file.WriteBytes(bytes, count);
    crc = Crc32(static_cast<const uint8_t*>(bytes), count, crc);
  };
  auto bodyInt = [&](std::size_t value) {
    const auto bits = static_cast<uint32_t>(value);
    const uint8_t littleEndian[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                     static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    bodyBytes(littleEndian, sizeof littleEndian);
  };
  bodyInt(sections.size());
  for (const TTrailerSection& section : sections) {
    bodyInt(section.Name.size());
    bodyBytes(section.Name.data(), section.Name.size());
    bodyInt(section.Bytes.size());
    bodyBytes(section.Bytes.data(), section.Bytes.size());
  }
  file.WriteInt(static_cast<int32_t>(crc));
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

namespace {

bool IsNarrow(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

// An id of code units below 0x80 (every id a quest makes) is stored one byte a unit.
// `buffer` is kept between calls so that long ids cost no allocation each.
void WriteId(TBlockFileWriter& file, const std::u16string& id, bool narrow, std::string& buffer) {
  file.WriteInt(static_cast<int32_t>(id.size()));
  if (!narrow) {
    file.WriteUnits(id);
    return;
  }
  buffer.resize(id.size());
  std::transform(id.begin(), id.end(), buffer.begin(), [](char16_t unit) { return static_cast<char>(unit); });
  file.WriteBytes(buffer.data(), buffer.size());
}

// The id of a record as read: narrow ids stay bytes, so the usual match costs no allocation.
struct TRecordId {
  bool Narrow = true;
  std::string Bytes;
  std::u16string Units;

  void Read(TBlockFileReader& file, bool narrow) {
    Narrow = narrow;
    if (!narrow) {
      Units = ReadText(file);
      return;
    }
    const int32_t length = file.ReadInt();
    if (length < 0) throw EDamaged{};
    file.Require(length);
    Bytes.resize(static_cast<std::size_t>(length));
    file.ReadBytes(Bytes.data(), Bytes.size());
    for (char byte : Bytes)
      if (static_cast<unsigned char>(byte) >= 0x80) throw EDamaged{};
  }
  bool Equals(const std::u16string& id) const {
    if (!Narrow) return Units == id;
    return Bytes.size() == id.size() &&
           std::equal(Bytes.begin(), Bytes.end(), id.begin(), [](char byte, char16_t unit) {
             return static_cast<char16_t>(static_cast<unsigned char>(byte)) == unit;
           });
  }
  std::string Text() const { return Narrow ? Bytes : WideToAnsi(Units); }
};

// A text that is there only when its flag is set, and then is not empty.
std::u16string ReadPresentText(TBlockFileReader& file, bool present) {
  if (!present) return {};
  std::u16string text = ReadText(file);
  if (text.empty()) throw EDamaged{};
  return text;
}

}  // namespace

std::vector<uint8_t> EncodeMessageStates(const TMessageStates& states, const std::vector<std::u16string>& ids) {
  const int32_t count = std::min(states.Count(), static_cast<int32_t>(ids.size()) - 1);
  int32_t records = 0;
  std::size_t size = 4;
  for (int32_t n = 1; n <= count; ++n) {
    if (!states.HasState(n)) continue;
    ++records;
    size += SmallestStateRecord + 8 +
            2 * (ids[static_cast<std::size_t>(n)].size() + states.Note(n).size() + states.PreviousSource(n).size());
  }
  TBlockFileWriter section;
  section.Reserve(size);
  section.WriteInt(records);
  std::string buffer;
  for (int32_t n = 1; n <= count; ++n) {
    if (!states.HasState(n)) continue;
    const std::u16string& id = ids[static_cast<std::size_t>(n)];
    const std::u16string& note = states.Note(n);
    const std::u16string& previous = states.PreviousSource(n);
    const bool narrow = IsNarrow(id);
    section.WriteInt(n);
    section.WriteByte(static_cast<uint8_t>((states.NeedsReview(n) ? NeedsReviewFlag : 0) |
                                           (note.empty() ? 0 : HasNoteFlag) | (previous.empty() ? 0 : HasPreviousFlag) |
                                           (narrow ? 0 : WideIdFlag)));
    WriteId(section, id, narrow, buffer);
    if (!note.empty()) WriteText(section, note);
    if (!previous.empty()) WriteText(section, previous);
  }
  return section.Bytes();
}

std::string DecodeMessageStates(std::vector<uint8_t> bytes, const std::vector<std::u16string>& ids, int32_t count,
                                TMessageStates& states) {
  count = std::max(0, std::min(count, static_cast<int32_t>(ids.size()) - 1));
  TMessageStates decoded;
  decoded.Resize(count);
  std::string mismatch;
  int32_t reviews = 0;
  int32_t notes = 0;
  int32_t previous = 0;
  try {
    TBlockFileReader reader(std::move(bytes));
    const int32_t records = reader.ReadInt();
    if (records < 0 || records > reader.BytesLeft() / SmallestStateRecord) throw EDamaged{};
    std::vector<int32_t> recordOf(static_cast<std::size_t>(count) + 1, 0);
    TRecordId id;
    for (int32_t record = 1; record <= records; ++record) {
      const int32_t n = reader.ReadInt();
      const uint8_t flags = reader.ReadByte();
      if ((flags & ~KnownStateFlags) != 0) throw EDamaged{};
      id.Read(reader, (flags & WideIdFlag) == 0);
      std::u16string note = ReadPresentText(reader, (flags & HasNoteFlag) != 0);
      std::u16string previousSource = ReadPresentText(reader, (flags & HasPreviousFlag) != 0);
      reviews += (flags & NeedsReviewFlag) != 0 ? 1 : 0;
      notes += note.empty() ? 0 : 1;
      previous += previousSource.empty() ? 0 : 1;
      if (!mismatch.empty()) continue;
      auto named = [&] {
        return "record " + std::to_string(record) + " names message " + std::to_string(n) + " \"" + id.Text() + "\"";
      };
      if (n < 1 || n > count) {
        mismatch = named() + (count == 0 ? ", but the project has no messages"
                                         : ", but the project has messages 1 to " + std::to_string(count));
      } else if (!id.Equals(ids[static_cast<std::size_t>(n)])) {
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

std::vector<uint8_t> EncodeTranslatedAsIs(const TMessageStates& states, const std::vector<std::u16string>& ids) {
  const int32_t count = std::min(states.Count(), static_cast<int32_t>(ids.size()) - 1);
  std::vector<int32_t> marked;
  for (int32_t n = 1; n <= count; ++n)
    if (states.TranslatedAsIs(n)) marked.push_back(n);
  TBlockFileWriter section;
  section.WriteInt(static_cast<int32_t>(marked.size()));
  std::string buffer;
  for (int32_t n : marked) {
    const std::u16string& id = ids[static_cast<std::size_t>(n)];
    const bool narrow = IsNarrow(id);
    section.WriteInt(n);
    section.WriteByte(narrow ? 0 : WideIdFlag);
    WriteId(section, id, narrow, buffer);
  }
  return section.Bytes();
}

std::string DecodeTranslatedAsIs(std::vector<uint8_t> bytes, const std::vector<std::u16string>& ids, int32_t count,
                                 TMessageStates& states) {
  count = std::max(0, std::min(count, static_cast<int32_t>(ids.size()) - 1));
  const std::string dropped = "The marks of translations kept as they are, stored in the project file, were dropped: ";
  std::vector<int32_t> marked;
  std::string mismatch;
  int32_t records = 0;
  try {
    TBlockFileReader reader(std::move(bytes));
    records = reader.ReadInt();
    if (records < 0 || records > reader.BytesLeft() / SmallestStateRecord) throw EDamaged{};
    TRecordId id;
    for (int32_t record = 1; record <= records; ++record) {
      const int32_t n = reader.ReadInt();
      const uint8_t flags = reader.ReadByte();
      if ((flags & ~WideIdFlag) != 0) throw EDamaged{};
      id.Read(reader, (flags & WideIdFlag) == 0);
      if (!mismatch.empty()) continue;
      const std::string named =
          "record " + std::to_string(record) + " names message " + std::to_string(n) + " \"" + id.Text() + "\"";
      if (n < 1 || n > count)
        mismatch = named + (count == 0 ? ", but the project has no messages"
                                       : ", but the project has messages 1 to " + std::to_string(count));
      else if (!id.Equals(ids[static_cast<std::size_t>(n)]))
        mismatch = named + ", but message " + std::to_string(n) + " of this project is \"" +
                   WideToAnsi(ids[static_cast<std::size_t>(n)]) + "\"";
      else
        marked.push_back(n);
    }
    if (reader.BytesLeft() != 0) throw EDamaged{};
  } catch (const EDamaged&) {
    return dropped + "the section \"" + AsIsSectionName + "\" is damaged.";
  } catch (const EInOutError&) {
    return dropped + "the section \"" + AsIsSectionName + "\" is damaged.";
  }
  if (!mismatch.empty()) return dropped + mismatch + ". Dropped: " + Counted(records, "mark", "marks") + ".";
  if (states.Count() < count) states.Resize(count);
  for (int32_t n : marked) states.SetTranslatedAsIs(n, true);
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

std::string DecodeSettings(std::vector<uint8_t> bytes, TProjectSettings& settings) {
  TProjectSettings decoded;
  try {
    TBlockFileReader reader(std::move(bytes));
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
