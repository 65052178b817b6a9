// The project's side of the exchange file: id lookup, tag lists, and SaveMessages and
// LoadMessages as they have always been called, over the exchange format.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/ExchangeFormat.h"
#include "project/IdIndex.h"
#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/JD_Str.h"

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

const TIdIndex& TtxgProject::SourceIdIndex() const {
  BuildIdIndexes();
  return sourceIdIndex_;
}

const TIdIndex& TtxgProject::TargetIdIndex() const {
  BuildIdIndexes();
  return targetIdIndex_;
}

int32_t TtxgProject::FindSourceId(const std::u16string& id) const { return FindId(sourceIdIndex_, id); }

void TtxgProject::SaveMessages(const std::string& fileName) const { TExchangeFormat::Save(*this, fileName); }

void TtxgProject::LoadMessages(const std::string& fileName, std::u16string& report) {
  TConversionReport entries;
  TExchangeFormat::Load(*this, fileName, entries);
  report = entries.ExchangeText();
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
