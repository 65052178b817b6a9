// The message exchange file: the record scanner, the writer and the import with its report.
#include "project/ExchangeFormat.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/IdIndex.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/BlockFile.h"
#include "support/JD_Str.h"
#include "support/OpenTable.h"

namespace {

constexpr uint8_t ByteOrderMarkLow = 0xFF;
constexpr uint8_t ByteOrderMarkHigh = 0xFE;
constexpr char16_t ByteOrderMark = ByteOrderMarkLow | ByteOrderMarkHigh << 8;

constexpr std::u16string_view RecordBegin = u"<Begin ";
constexpr std::u16string_view HeaderEnd = u">\r\n";
constexpr std::u16string_view RecordEnd = u"\r\n<End>";

}  // namespace

std::u16string TagDifference(std::u16string_view source, std::u16string_view translation) {
  // The usual translation keeps every tag: compared as sorted views before any list is built.
  std::vector<std::u16string_view> sourceViews;
  std::vector<std::u16string_view> translationViews;
  AppendExchangeTags(source, sourceViews);
  AppendExchangeTags(translation, translationViews);
  std::sort(sourceViews.begin(), sourceViews.end());
  std::sort(translationViews.begin(), translationViews.end());
  if (sourceViews == translationViews) return {};
  TStringsJD sourceTags;
  TStringsJD translationTags;
  TtxgProject::ExtractTags(std::u16string(source), sourceTags);
  TtxgProject::ExtractTags(std::u16string(translation), translationTags);
  TtxgProject::RemoveCommonTags(sourceTags, translationTags);
  std::u16string difference;
  for (const TStringsElJD* tag = sourceTags.First(); tag != nullptr; tag = tag->Next)
    difference.append(u" ").append(tag->Text);
  for (const TStringsElJD* tag = translationTags.First(); tag != nullptr; tag = tag->Next)
    difference.append(u" ").append(tag->Text);
  return difference;
}

bool TExchangeScanner::Next(TExchangeRecord& record) {
  if (pos_ >= text_.size()) return false;
  const std::size_t begin = text_.find(RecordBegin, pos_);
  if (begin == std::u16string_view::npos) return false;
  const std::size_t idsStart = begin + RecordBegin.size();
  const std::size_t idsEnd = text_.find(HeaderEnd, idsStart);
  if (idsEnd == std::u16string_view::npos) return false;
  const std::size_t bodyStart = idsEnd + HeaderEnd.size();
  const std::size_t bodyEnd = text_.find(RecordEnd, bodyStart);
  if (bodyEnd == std::u16string_view::npos) return false;
  // A broken marker stops every later call too: the rest of the file counts as absent.
  pos_ = bodyEnd + RecordEnd.size();
  record.Ids = text_.substr(idsStart, idsEnd - idsStart);
  record.Body = text_.substr(bodyStart, bodyEnd - bodyStart);
  return true;
}

std::u16string ReadExchangeFileText(const std::string& fileName) {
  // Read straight into text: a file of megabytes is not held as bytes and as text at once. The
  // text keeps its byte-order mark at 0.
  int64_t size = 0;
  std::u16string text = ReadUnitsFile(fileName, size);
  if (size % 2 != 0 || size < 4 || text[0] != ByteOrderMark) {
    ENotUnicodeText error;
    error.FileName = fileName;
    throw error;
  }
  return text;
}

void TExchangeFormat::Save(const TtxgProject& project, const std::string& fileName) {
  const int32_t count = std::max(project.SourceCount, 0);
  static const std::u16string noText;
  auto sourceText = [&project](int32_t n) -> const std::u16string& {
    const TTextField* field = project.SourceField(n);
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
    textSize += project.SourceIds[static_cast<std::size_t>(i)].size() + 1;
    if (opensGroup[static_cast<std::size_t>(i)]) textSize += sourceText(i).size() + 20;
  }
  static const std::u16string beginMark = u"<Begin";
  static const std::u16string space = u" ";
  static const std::u16string headerEnd = u">\r\n";
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
      file.WriteUnits(project.SourceIds[static_cast<std::size_t>(m)]);
    }
    file.WriteUnits(headerEnd);
    file.WriteUnits(sourceText(i));
    file.WriteUnits(recordEnd);
  }
  file.Commit();
}

void TExchangeFormat::Load(TtxgProject& project, const std::string& fileName, TConversionReport& report) {
  const std::u16string text = ReadExchangeFileText(fileName);

  std::vector<bool> found(static_cast<std::size_t>(std::max(project.TargetCount, 0)) + 1, false);
  auto store = [&](int32_t n, std::u16string_view body) {
    TTextField* field = project.TargetField(n);
    if (field == nullptr) return;
    // Into the field directly: SetTargetText would walk every linked duplicate once per record.
    field->Text = project.TranslationToStore(std::u16string(body));
    found[static_cast<std::size_t>(n)] = true;
  };

  // A translation whose tags differ is reported and marked for review, once the table is rebuilt.
  std::vector<int32_t> differentTags;
  const TIdIndex& targetIds = project.TargetIdIndex();
  const TIdIndex& sourceIds = project.SourceIdIndex();
  int32_t lastFound = 0;
  // Records are looked for after the byte-order mark.
  TExchangeScanner scanner(std::u16string_view(text).substr(1));
  for (TExchangeRecord record; scanner.Next(record);) {
    ForEachRecordId(record.Ids, [&](int32_t piece, std::u16string_view id) {
      // Records usually follow message order: the message after the last one found is tried first.
      const int32_t k = targetIds.IsSmallestFor(lastFound + 1, id) ? lastFound + 1 : targetIds.Find(id);
      if (k < 0) {
        report.Add(TReportKind::UnknownId, std::u16string(id));
        return;
      }
      lastFound = k;
      // Past this test source message k exists: its number in the source list is k as well.
      if (!sourceIds.IsSmallestFor(k, id) && k != sourceIds.Find(id)) {
        report.Add(TReportKind::DifferentNumbers, std::u16string(id));
      } else if (piece == 0) {
        std::u16string detail = TagDifference(project.SourceField(k)->Text, record.Body);
        if (!detail.empty()) {
          report.Add(TReportKind::DifferentTags, std::u16string(id), std::move(detail));
          differentTags.push_back(k);
        }
      }
      store(k, record.Body);
    });
  }

  for (int32_t k = 1; k <= project.TargetCount; ++k)
    if (!found[static_cast<std::size_t>(k)])
      report.Add(TReportKind::NotFound, project.TargetIds[static_cast<std::size_t>(k)]);

  project.RebuildMessageTable();
  for (int32_t k : differentTags) project.SetNeedsReview(k, true);
}
