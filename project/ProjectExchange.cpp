// The message exchange file: UTF-16LE text with its byte-order mark, one record per distinct
// source text ("<Begin ids>" CR LF, body, CR LF "<End>"), and the import report.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "project/ProjectClass.h"
#include "quest/BlockFile.h"
#include "support/JD_Str.h"

namespace {

constexpr uint8_t ByteOrderMarkLow = 0xFF;
constexpr uint8_t ByteOrderMarkHigh = 0xFE;

const std::u16string RecordBegin = u"<Begin ";
const std::u16string HeaderEnd = u">\r\n";
const std::u16string RecordEnd = u"\r\n<End>";

}  // namespace

void TtxgProject::BuildIdIndexes() const {
  if (idIndexesValid_) return;
  auto build = [](std::unordered_map<std::u16string, int32_t>& index, const std::vector<std::u16string>& ids,
                  int32_t count) {
    index.clear();
    const int32_t last = std::min<int32_t>(count, static_cast<int32_t>(ids.size()) - 1);
    index.reserve(static_cast<std::size_t>(std::max(last, 0)));
    // try_emplace keeps the first, i.e. the smallest, number of an id that occurs twice.
    for (int32_t n = 1; n <= last; ++n) index.try_emplace(ids[static_cast<std::size_t>(n)], n);
  };
  build(sourceIdIndex_, SourceIds, SourceCount);
  build(targetIdIndex_, TargetIds, TargetCount);
  idIndexesValid_ = true;
}

int32_t TtxgProject::FindTargetId(const std::u16string& id) const {
  BuildIdIndexes();
  auto found = targetIdIndex_.find(id);
  return found == targetIdIndex_.end() ? -1 : found->second;
}

int32_t TtxgProject::FindSourceId(const std::u16string& id) const {
  BuildIdIndexes();
  auto found = sourceIdIndex_.find(id);
  return found == sourceIdIndex_.end() ? -1 : found->second;
}

void TtxgProject::SaveMessages(const std::string& fileName) const {
  const int32_t count = std::max(SourceCount, 0);
  // Messages whose TrimJD texts are equal form one record at the place of the first of them.
  std::vector<std::u16string> trimmed(static_cast<std::size_t>(count) + 1);
  std::vector<int32_t> nextInGroup(static_cast<std::size_t>(count) + 1, 0);
  std::vector<bool> opensGroup(static_cast<std::size_t>(count) + 1, false);
  std::unordered_map<std::u16string_view, int32_t> lastOfGroup;
  lastOfGroup.reserve(static_cast<std::size_t>(count));
  std::size_t textSize = 0;
  for (int32_t i = 1; i <= count; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    trimmed[slot] = TrimJD(GetSourceText(i));
    auto [last, isFirst] = lastOfGroup.try_emplace(std::u16string_view(trimmed[slot]), i);
    if (isFirst) {
      opensGroup[slot] = true;
      textSize += GetSourceText(i).size() + 20;
    } else {
      nextInGroup[static_cast<std::size_t>(last->second)] = i;
      last->second = i;
    }
    textSize += SourceIds[slot].size() + 1;
  }

  std::u16string text;
  text.reserve(textSize);
  for (int32_t i = 1; i <= count; ++i) {
    if (!opensGroup[static_cast<std::size_t>(i)]) continue;
    text += u"<Begin";
    for (int32_t m = i; m != 0; m = nextInGroup[static_cast<std::size_t>(m)]) {
      text += u' ';
      text += SourceIds[static_cast<std::size_t>(m)];
    }
    text += HeaderEnd;
    text += GetSourceText(i);
    text += u"\r\n<End>\r\n\r\n";
  }

  TBlockFileWriter file(fileName);
  file.WriteByte(ByteOrderMarkLow);
  file.WriteByte(ByteOrderMarkHigh);
  file.WriteUnits(text);
  file.Commit();
}

void TtxgProject::LoadMessages(const std::string& fileName, std::u16string& report) {
  TBlockFileReader file(fileName);
  const int64_t size = file.Size();
  if (size % 2 != 0 || size < 4) throw ENotUnicodeText();
  if (file.ReadByte() != ByteOrderMarkLow) throw ENotUnicodeText();
  if (file.ReadByte() != ByteOrderMarkHigh) throw ENotUnicodeText();
  const std::u16string text = file.ReadUnits(static_cast<int32_t>((size - 2) / 2));
  report.clear();

  std::vector<bool> found(static_cast<std::size_t>(std::max(TargetCount, 0)) + 1, false);
  std::u16string deletedText;
  auto store = [&](int32_t n, const std::u16string& body) {
    TTextField* field = TargetField(n);
    if (field == nullptr) return;
    // An empty body would drop the message out of the target's list and shift every later one.
    if (IsBlankText(body)) {
      if (deletedText.empty()) deletedText = DeletedMessageText();
      field->Text = deletedText;
    } else {
      field->Text = body;
    }
    found[static_cast<std::size_t>(n)] = true;
  };

  int32_t pos = 0;
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

    const std::u16string idList = text.substr(static_cast<std::size_t>(idsStart),
                                              static_cast<std::size_t>(idsEnd - idsStart));
    const std::u16string body = text.substr(static_cast<std::size_t>(bodyStart),
                                            static_cast<std::size_t>(bodyEnd - bodyStart));
    // Pieces are cut at every single space; piece 0 is the one before the first space, and only
    // its id has its tags checked.
    std::size_t pieceStart = 0;
    for (int32_t piece = 0; !idList.empty() && pieceStart <= idList.size(); ++piece) {
      std::size_t pieceEnd = idList.find(u' ', pieceStart);
      if (pieceEnd == std::u16string::npos) pieceEnd = idList.size();
      const std::u16string id = idList.substr(pieceStart, pieceEnd - pieceStart);
      pieceStart = pieceEnd + 1;
      if (id.empty()) continue;

      const int32_t k = FindTargetId(id);
      if (k < 0) {
        report += u"Unknown id: " + id + u"\r\n";
        continue;
      }
      if (k != FindSourceId(id)) {
        report += u"Different sou and des quest. id: " + id + u"\r\n";
      } else if (piece == 0) {
        TStringsJD sourceTags;
        TStringsJD bodyTags;
        ExtractTags(GetSourceText(k), sourceTags);
        ExtractTags(body, bodyTags);
        RemoveCommonTags(sourceTags, bodyTags);
        if (sourceTags.First() != nullptr || bodyTags.First() != nullptr) {
          report += u"DifTag in " + id + u": ";
          for (const TStringsElJD* tag = sourceTags.First(); tag != nullptr; tag = tag->Next) report += u" " + tag->Text;
          for (const TStringsElJD* tag = bodyTags.First(); tag != nullptr; tag = tag->Next) report += u" " + tag->Text;
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
  const std::size_t length = text.size();
  std::size_t pos = 0;
  while (pos < length) {
    const std::size_t open = text.find(u'<', pos);
    if (open == std::u16string::npos) {
      // A stray closing bracket counts, together with what precedes it.
      const std::size_t close = text.find(u'>', pos);
      if (close != std::u16string::npos && close > 0) tags.Add(text.substr(pos, close - pos + 1));
      return;
    }
    const std::size_t close = text.find(u'>', open);
    if (close == std::u16string::npos) {
      tags.Add(text.substr(open));
      return;
    }
    tags.Add(text.substr(open, close - open + 1));
    pos = close + 1;
  }
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
