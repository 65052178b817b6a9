// The message exchange file: UTF-16LE text with its byte-order mark, one record per distinct
// source text ("<Begin ids>" CR LF, body, CR LF "<End>"), and the import report.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/IdIndex.h"
#include "project/ProjectClass.h"
#include "quest/BlockFile.h"
#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"
#include "support/OpenTable.h"

namespace {

constexpr uint8_t ByteOrderMarkLow = 0xFF;
constexpr uint8_t ByteOrderMarkHigh = 0xFE;
constexpr char16_t ByteOrderMark = ByteOrderMarkLow | ByteOrderMarkHigh << 8;

const std::u16string RecordBegin = u"<Begin ";
const std::u16string HeaderEnd = u">\r\n";
const std::u16string RecordEnd = u"\r\n<End>";

// True when both texts hold the same tags, counted with repetition, in any order: exactly when
// RemoveCommonTags leaves nothing. Saves building the two lists for the usual, matching record.
bool SameTags(std::u16string_view a, std::u16string_view b) {
  std::vector<std::u16string_view> tagsA;
  std::vector<std::u16string_view> tagsB;
  AppendExchangeTags(a, tagsA);
  AppendExchangeTags(b, tagsB);
  if (tagsA.size() != tagsB.size()) return false;
  std::sort(tagsA.begin(), tagsA.end());
  std::sort(tagsB.begin(), tagsB.end());
  return tagsA == tagsB;
}

}  // namespace

void TtxgProject::BuildIdIndexes() const {
  if (idIndexesValid_) return;
  sourceIdIndex_.Build(SourceIds, std::min<int32_t>(SourceCount, static_cast<int32_t>(SourceIds.size()) - 1));
  targetIdIndex_.Build(TargetIds, std::min<int32_t>(TargetCount, static_cast<int32_t>(TargetIds.size()) - 1));
  idIndexesValid_ = true;
}

int32_t TtxgProject::FindId(const TIdIndex& index, std::u16string_view id) const {
  BuildIdIndexes();
  return index.Find(id);
}

int32_t TtxgProject::FindTargetId(const std::u16string& id) const { return FindId(targetIdIndex_, id); }

int32_t TtxgProject::FindSourceId(const std::u16string& id) const { return FindId(sourceIdIndex_, id); }

void TtxgProject::SaveMessages(const std::string& fileName) const {
  const int32_t count = std::max(SourceCount, 0);
  static const std::u16string noText;
  auto sourceText = [this](int32_t n) -> const std::u16string& {
    const TTextField* field = SourceField(n);
    return field == nullptr ? noText : field->Text;
  };
  // Messages whose TrimJD texts are equal form one record at the place of the first of them. The
  // groups are found through a table of each group's last message so far.
  std::vector<int32_t> nextInGroup(static_cast<std::size_t>(count) + 1, 0);
  std::vector<bool> opensGroup(static_cast<std::size_t>(count) + 1, false);
  std::vector<std::u16string_view> trimmed(static_cast<std::size_t>(count) + 1);
  TOpenTable lastOfGroup;
  lastOfGroup.Reset(static_cast<std::size_t>(count));
  auto trimmedOf = [&trimmed](int32_t n) { return trimmed[static_cast<std::size_t>(n)]; };
  for (int32_t i = 1; i <= count; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    trimmed[slot] = TrimViewJD(sourceText(i));
    int32_t& last = lastOfGroup.Slot(trimmed[slot], trimmedOf);
    if (last == 0)
      opensGroup[slot] = true;
    else
      nextInGroup[static_cast<std::size_t>(last)] = i;
    last = i;
  }

  // The writer is sized once: a file of a few megabytes grown piece by piece, or built as one
  // text first, spends more time on fresh memory than on the project.
  std::size_t textSize = 0;
  for (int32_t i = 1; i <= count; ++i) {
    textSize += SourceIds[static_cast<std::size_t>(i)].size() + 1;
    if (opensGroup[static_cast<std::size_t>(i)]) textSize += sourceText(i).size() + 20;
  }
  static const std::u16string beginMark = u"<Begin";
  static const std::u16string space = u" ";
  static const std::u16string recordEnd = u"\r\n<End>\r\n\r\n";
  TBlockFileWriter file(fileName);
  file.Reserve(2 + textSize * 2);
  file.WriteByte(ByteOrderMarkLow);
  file.WriteByte(ByteOrderMarkHigh);
  for (int32_t i = 1; i <= count; ++i) {
    if (!opensGroup[static_cast<std::size_t>(i)]) continue;
    file.WriteUnits(beginMark);
    for (int32_t m = i; m != 0; m = nextInGroup[static_cast<std::size_t>(m)]) {
      file.WriteUnits(space);
      file.WriteUnits(SourceIds[static_cast<std::size_t>(m)]);
    }
    file.WriteUnits(HeaderEnd);
    file.WriteUnits(sourceText(i));
    file.WriteUnits(recordEnd);
  }
  file.Commit();
}

void TtxgProject::LoadMessages(const std::string& fileName, std::u16string& report) {
  // Read straight into text: a file of megabytes is not held as bytes and as text at once. The
  // text keeps its byte-order mark at 0; records are looked for after it.
  int64_t size = 0;
  const std::u16string text = ReadUnitsFile(fileName, size);
  if (size % 2 != 0 || size < 4 || text[0] != ByteOrderMark) {
    ENotUnicodeText error;
    error.FileName = fileName;
    throw error;
  }
  report.clear();

  std::vector<bool> found(static_cast<std::size_t>(std::max(TargetCount, 0)) + 1, false);
  auto store = [&](int32_t n, std::u16string_view body) {
    TTextField* field = TargetField(n);
    if (field == nullptr) return;
    // Into the field directly: SetTargetText would walk every linked duplicate once per record.
    field->Text = TranslationToStore(std::u16string(body));
    found[static_cast<std::size_t>(n)] = true;
  };

  BuildIdIndexes();
  int32_t lastFound = 0;
  int32_t pos = 1;
  const auto length = static_cast<int32_t>(text.size());
  while (pos < length) {
    const int32_t begin = FindJD(text, RecordBegin, pos);
    if (begin < 0) break;
    const int32_t idsStart = begin + static_cast<int32_t>(RecordBegin.size());
    const int32_t idsEnd = FindJD(text, HeaderEnd, idsStart);
    if (idsEnd < 0) break;
    const int32_t bodyStart = idsEnd + static_cast<int32_t>(HeaderEnd.size());
    const int32_t bodyEnd = FindJD(text, RecordEnd, bodyStart);
    if (bodyEnd < 0) break;
    pos = bodyEnd + static_cast<int32_t>(RecordEnd.size());

    const std::u16string_view idList = std::u16string_view(text).substr(static_cast<std::size_t>(idsStart),
                                                                        static_cast<std::size_t>(idsEnd - idsStart));
    const std::u16string_view body = std::u16string_view(text).substr(static_cast<std::size_t>(bodyStart),
                                                                      static_cast<std::size_t>(bodyEnd - bodyStart));
    // Pieces are cut at every single space; piece 0 is the one before the first space, and only
    // its id has its tags checked.
    std::size_t pieceStart = 0;
    for (int32_t piece = 0; !idList.empty() && pieceStart <= idList.size(); ++piece) {
      std::size_t pieceEnd = idList.find(u' ', pieceStart);
      if (pieceEnd == std::u16string_view::npos) pieceEnd = idList.size();
      const std::u16string_view id = idList.substr(pieceStart, pieceEnd - pieceStart);
      pieceStart = pieceEnd + 1;
      if (id.empty()) continue;

      // Records usually follow message order: the message after the last one found is tried first.
      const int32_t k = targetIdIndex_.IsSmallestFor(lastFound + 1, id) ? lastFound + 1 : FindId(targetIdIndex_, id);
      if (k < 0) {
        report.append(u"Unknown id: ").append(id).append(u"\r\n");
        continue;
      }
      lastFound = k;
      // Past this test source message k exists: its number in the source list is k as well.
      if (!sourceIdIndex_.IsSmallestFor(k, id) && k != FindId(sourceIdIndex_, id)) {
        report.append(u"Different sou and des quest. id: ").append(id).append(u"\r\n");
      } else if (piece == 0 && !SameTags(SourceField(k)->Text, body)) {
        TStringsJD sourceTags;
        TStringsJD bodyTags;
        ExtractTags(SourceField(k)->Text, sourceTags);
        ExtractTags(std::u16string(body), bodyTags);
        RemoveCommonTags(sourceTags, bodyTags);
        if (sourceTags.First() != nullptr || bodyTags.First() != nullptr) {
          report.append(u"DifTag in ").append(id).append(u": ");
          for (const TStringsElJD* tag = sourceTags.First(); tag != nullptr; tag = tag->Next)
            report.append(u" ").append(tag->Text);
          for (const TStringsElJD* tag = bodyTags.First(); tag != nullptr; tag = tag->Next)
            report.append(u" ").append(tag->Text);
          report += u"\r\n";
        }
      }
      store(k, body);
    }
  }

  for (int32_t k = 1; k <= TargetCount; ++k)
    if (!found[static_cast<std::size_t>(k)]) report += u"Not found id:" + TargetIds[static_cast<std::size_t>(k)];

  RebuildMessageTable();
}

void TtxgProject::ExtractTags(const std::u16string& text, TStringsJD& tags) {
  std::vector<std::u16string_view> found;
  AppendExchangeTags(text, found);
  for (std::u16string_view tag : found) tags.Add(std::u16string(tag));
}

void TtxgProject::RemoveCommonTags(TStringsJD& a, TStringsJD& b) {
  TStringsElJD* current = a.First();
  while (current != nullptr) {
    TStringsElJD* next = current->Next;
    TStringsElJD* match = b.First();
    while (match != nullptr && match->Text != current->Text) match = match->Next;
    if (match != nullptr) {
      b.El_Del(match);
      a.El_Del(current);
    }
    current = next;
  }
}
