// The message table of a translation project: enumeration of both quests, folding of duplicated
// path questions, positions, text access and the search for untranslated messages.
#include "project/ProjectClass.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

#include "support/JD_BlockPar.h"
#include "support/JD_Str.h"

namespace {

const std::u16string EmptyReferenceMark = u"<Empty>";

// Two path questions are one entry for the translator when their Value2 and their quest-trimmed
// texts are equal. Value2 goes into the key as two leading code units, so keys of different
// Value2 never compare equal.
std::u16string PathGroupKey(const TPath& path) {
  auto value = static_cast<uint32_t>(path.Value2);
  std::u16string key;
  key.reserve(path.StartText.Text.size() + 2);
  key += static_cast<char16_t>(value & 0xFFFFu);
  key += static_cast<char16_t>(value >> 16);
  key += TrimQuestText(path.StartText.Text);
  return key;
}

}  // namespace

ENotUnicodeText::ENotUnicodeText() : std::runtime_error("Error. This is not a Unicode Text Document") {}

TtxgProject::TtxgProject(const TBlockParJD& catalogue)
    : Catalogue(&catalogue), SourceGame(catalogue), TargetGame(catalogue) {
  Clear();
}

void TtxgProject::ResetTable() {
  SourceTexts.assign(1, nullptr);
  TargetTexts.assign(1, nullptr);
  SourceIds.assign(1, std::u16string());
  TargetIds.assign(1, std::u16string());
  SourceTypes.assign(1, 0);
  TargetTypes.assign(1, 0);
  LinkedPath.assign(1, 0);
  PositionMessage.assign(1, 0);
  messagePosition_.assign(1, -1);
  linkedMessages_.clear();
  leadsDuplicates_.assign(1, 0);
  stateMessage_.assign(1, 0);
  translatedPositions_ = 0;
  reviewPositions_ = 0;
  notePositions_ = 0;
  SourceCount = 0;
  TargetCount = 0;
  PositionCount = 0;
  idIndexesValid_ = false;
  sourceIdIndex_.Clear();
  targetIdIndex_.Clear();
}

void TtxgProject::Clear() {
  // The table is emptied too: its references would point at texts of the reset documents.
  ResetTable();
  DropStoredData();
  CurrentMessage = 0;
  SourceGame.Reset();
  TargetGame.Reset();
  NotifyChange(0);
}

void TtxgProject::NewFromSource(const std::string& fileName) {
  try {
    DropStoredData();
    SourceGame.LoadFromFile(fileName);
    TargetGame.Assign(SourceGame);
    RebuildMessageTable();
  } catch (...) {
    // A half-read source must not stand behind an old table.
    Clear();
    throw;
  }
  CurrentMessage = 1;
}

void TtxgProject::RebuildMessageTable() {
  EnumerateBothQuests();
  LinkDuplicatePaths();
}

void TtxgProject::EnumerateBothQuests() {
  idIndexesValid_ = false;
  // Straight into the table's own arrays, reusing their memory.
  SourceGame.EnumerateMessages(SourceCount, SourceTypes, SourceTexts, SourceIds);
  TargetGame.EnumerateMessages(TargetCount, TargetTypes, TargetTexts, TargetIds);
}

TTextField* TtxgProject::SourceField(int32_t n) const {
  if (n < 1 || n > SourceCount || static_cast<std::size_t>(n) >= SourceTexts.size()) return nullptr;
  return SourceTexts[static_cast<std::size_t>(n)];
}

TTextField* TtxgProject::TargetField(int32_t n) const {
  if (n < 1 || n > TargetCount || static_cast<std::size_t>(n) >= TargetTexts.size()) return nullptr;
  return TargetTexts[static_cast<std::size_t>(n)];
}

// Same result as comparing every message with every path and every path with every path: the
// first message of a group (same Value2, same trimmed question) keeps its position and every
// later member is linked to the path of that first message.
void TtxgProject::LinkDuplicatePaths() {
  const auto messageCount = static_cast<std::size_t>(std::max(SourceCount, 0));
  LinkedPath.assign(messageCount + 1, 0);
  linkedMessages_.clear();
  leadsDuplicates_.assign(messageCount + 1, 0);

  const int32_t pathCount = std::clamp(TargetGame.PathCount, 0, static_cast<int32_t>(TargetGame.Paths.size()));
  std::unordered_map<const TTextField*, int32_t> pathOfQuestion;
  pathOfQuestion.reserve(static_cast<std::size_t>(pathCount));
  for (int32_t j = 1; j <= pathCount; ++j) pathOfQuestion.emplace(&TargetGame.Path(j).StartText, j);

  // group key -> (path, message) of the group's first message
  std::unordered_map<std::u16string, std::pair<int32_t, int32_t>> firstOfGroup;
  stateMessage_.resize(messageCount + 1);
  for (std::size_t n = 0; n <= messageCount; ++n) stateMessage_[n] = static_cast<int32_t>(n);
  const int32_t lastMessage = std::min(SourceCount, TargetCount);
  for (int32_t m = 1; m <= lastMessage; ++m) {
    auto found = pathOfQuestion.find(TargetField(m));
    if (found == pathOfQuestion.end()) continue;
    const int32_t path = found->second;
    auto [group, isFirst] = firstOfGroup.try_emplace(PathGroupKey(TargetGame.Path(path)), path, m);
    if (!isFirst) {
      LinkedPath[static_cast<std::size_t>(m)] = group->second.first;
      stateMessage_[static_cast<std::size_t>(m)] = group->second.second;
      leadsDuplicates_[static_cast<std::size_t>(group->second.second)] = 1;
      linkedMessages_.push_back(m);
    }
  }

  PositionMessage.assign(1, 0);
  messagePosition_.assign(messageCount + 1, -1);
  PositionCount = 0;
  for (int32_t n = 1; n <= SourceCount; ++n) {
    if (LinkedPath[static_cast<std::size_t>(n)] != 0) continue;
    ++PositionCount;
    PositionMessage.push_back(n);
    messagePosition_[static_cast<std::size_t>(n)] = PositionCount;
  }
  states_.Resize(SourceCount);
  DropStaleAsIsMarks();
  CountPositions();
  NotifyChange(0);
}

bool TtxgProject::IsLinked(int32_t n) const {
  if (n < 1 || static_cast<std::size_t>(n) >= LinkedPath.size()) return false;
  return LinkedPath[static_cast<std::size_t>(n)] != 0;
}

int32_t TtxgProject::PositionOfMessage(int32_t n) const {
  if (n < 1 || static_cast<std::size_t>(n) >= messagePosition_.size()) return -1;
  return messagePosition_[static_cast<std::size_t>(n)];
}

int32_t TtxgProject::MessageAtPosition(int32_t position) const {
  if (position < 1 || position > PositionCount) return 0;
  return PositionMessage[static_cast<std::size_t>(position)];
}

std::u16string TtxgProject::GetSourceText(int32_t n) const { return std::u16string(SourceTextView(n)); }

std::u16string TtxgProject::GetTargetText(int32_t n) const { return std::u16string(TargetTextView(n)); }

std::u16string_view TtxgProject::SourceTextView(int32_t n) const {
  const TTextField* field = SourceField(n);
  return field == nullptr ? std::u16string_view() : std::u16string_view(field->Text);
}

std::u16string_view TtxgProject::TargetTextView(int32_t n) const {
  const TTextField* field = TargetField(n);
  return field == nullptr ? std::u16string_view() : std::u16string_view(field->Text);
}

void TtxgProject::SetTargetText(int32_t n, const std::u16string& text) {
  TTextField* field = TargetField(n);
  if (field == nullptr) return;
  // A linked duplicate gets the text of its path back below: nothing changes for it.
  const bool changed = field->Text != text && !IsLinked(n);
  const bool countsAsPosition = PositionOfMessage(n) > 0;
  const bool wasTranslated = countsAsPosition && !IsNotEdited(n);
  field->Text = text;
  // A new text is no longer the one accepted as it is.
  if (changed) states_.SetTranslatedAsIs(StateMessage(n), false);
  // A linked duplicate always carries the text of the path it follows: n itself when it is one,
  // or the duplicates that follow n. No other text changed, so no other duplicate needs a look.
  auto follow = [this](int32_t m) {
    TTextField* duplicate = TargetField(m);
    const int32_t path = LinkedPath[static_cast<std::size_t>(m)];
    if (duplicate != nullptr && path >= 1 && path <= static_cast<int32_t>(TargetGame.Paths.size()))
      duplicate->Text = TargetGame.Path(path).StartText.Text;
  };
  const auto at = static_cast<std::size_t>(n);
  if (at < LinkedPath.size() && LinkedPath[at] != 0) follow(n);
  if (at < leadsDuplicates_.size() && leadsDuplicates_[at] != 0)
    for (int32_t m : linkedMessages_)
      if (stateMessage_[static_cast<std::size_t>(m)] == n) follow(m);
  if (countsAsPosition)
    translatedPositions_ += static_cast<int32_t>(!IsNotEdited(n)) - static_cast<int32_t>(wasTranslated);
  if (changed) NotifyChange(n);
}

std::u16string TtxgProject::TranslationToStore(std::u16string text) const {
  return IsBlankText(text) ? CachedDeletedMessageText() : text;
}

void TtxgProject::StoreTranslation(int32_t n, std::u16string text) {
  SetTargetText(n, TranslationToStore(std::move(text)));
}

void TtxgProject::Relink() {
  ResolveEmptyReferences();
  LinkDuplicatePaths();
}

std::u16string TtxgProject::DeletedMessageText() const { return CachedDeletedMessageText(); }

const std::u16string& TtxgProject::CachedDeletedMessageText() const {
  if (deletedTextCatalogue_ != Catalogue) {
    deletedText_ = Catalogue->Par_Get(u"MessageDeletedMSG");
    deletedTextCatalogue_ = Catalogue;
  }
  return deletedText_;
}

void TtxgProject::ResolveEmptyReferences() {
  const int32_t pathCount = std::clamp(TargetGame.PathCount, 0, static_cast<int32_t>(TargetGame.Paths.size()));
  // Every reference is checked before the first path changes, so a bad one leaves the quest as it was.
  std::vector<std::pair<int32_t, int32_t>> references;  // (path, referenced path)
  for (int32_t i = 1; i <= pathCount; ++i) {
    const std::u16string& text = TargetGame.Path(i).StartText.Text;
    if (!IsSubStrJD(text, EmptyReferenceMark)) continue;
    const int32_t referenced = StrToIntJD(TrimJD(ReplaceJD(text, EmptyReferenceMark, u"")));
    if (referenced < 1 || referenced > pathCount)
      throw EEmptyReferenceError("The question of path " + std::to_string(i) + " (Path(" +
                                 std::to_string(TargetGame.Path(i).Number) + ").Start) refers to path " +
                                 std::to_string(referenced) + ", but the quest has paths 1 to " +
                                 std::to_string(pathCount));
    references.emplace_back(i, referenced);
  }
  for (const auto& [path, referenced] : references)
    TargetGame.Path(path).StartText.Text = TranslationToStore(TargetGame.Path(referenced).StartText.Text);
}

bool TtxgProject::IsNotEdited(int32_t n) const {
  const TTextField* target = TargetField(n);
  if (target == nullptr || SourceField(n) == nullptr) return false;
  return IsUntranslatedText(SourceField(n)->Text, target->Text, CachedDeletedMessageText(), TranslatedAsIs(n));
}

int32_t TtxgProject::FindNotEdited(int32_t position) const {
  const std::u16string deletedText = SourceCount > 0 ? DeletedMessageText() : std::u16string();
  int32_t i = MessageAtPosition(position);
  for (int32_t step = 0; step < SourceCount; ++step) {
    ++i;
    if (i > SourceCount) i = 1;
    if (IsLinked(i)) continue;
    const TTextField* target = TargetField(i);
    const TTextField* source = SourceField(i);
    if (target == nullptr || source == nullptr) continue;
    if (IsUntranslatedText(source->Text, target->Text, deletedText, states_.TranslatedAsIs(i)))
      return PositionOfMessage(i);
  }
  return -1;
}
