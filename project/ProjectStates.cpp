// What the project stores beside the two quests: message states and their counts over positions,
// settings, named sections, and the listeners told about changes.
#include <stdexcept>
#include <string>
#include <utility>

#include "project/ProjectClass.h"
#include "support/Utf8.h"

namespace {

bool IsSectionName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name)
    if (c < 0x21 || c > 0x7E) return false;
  return true;
}

}  // namespace

void TtxgProject::DropStoredData() {
  // Room for the messages comes with the next LinkDuplicatePaths, which every caller runs.
  states_.Clear();
  settings_.clear();
  sections_.clear();
  loadWarning_.clear();
  damagedFile_.clear();
  reviewPositions_ = 0;
  notePositions_ = 0;
}

void TtxgProject::CountPositions() {
  translatedPositions_ = 0;
  reviewPositions_ = 0;
  notePositions_ = 0;
  if (PositionCount <= 0) return;
  // Looked up once: IsNotEdited asks the catalogue on every call.
  const std::u16string deletedText = DeletedMessageText();
  for (int32_t position = 1; position <= PositionCount; ++position) {
    const int32_t m = PositionMessage[static_cast<std::size_t>(position)];
    const TTextField* target = TargetField(m);
    const TTextField* source = SourceField(m);
    const bool notEdited = target != nullptr && source != nullptr &&
                           IsUntranslatedText(source->Text, target->Text, deletedText, states_.TranslatedAsIs(m));
    translatedPositions_ += notEdited ? 0 : 1;
    reviewPositions_ += states_.NeedsReview(m) ? 1 : 0;
    notePositions_ += states_.Note(m).empty() ? 0 : 1;
  }
}

void TtxgProject::DropStaleAsIsMarks() {
  if (!states_.HasAnyTranslatedAsIs()) return;
  for (int32_t m = 1; m <= states_.Count(); ++m) {
    if (!states_.TranslatedAsIs(m)) continue;
    const TTextField* target = TargetField(m);
    const TTextField* source = SourceField(m);
    if (StateMessage(m) != m || target == nullptr || source == nullptr || target->Text != source->Text)
      states_.SetTranslatedAsIs(m, false);
  }
}

void TtxgProject::CheckMessageNumber(int32_t n) const {
  if (n >= 1 && n <= SourceCount && static_cast<std::size_t>(n) < stateMessage_.size() && n <= states_.Count()) return;
  throw std::out_of_range(SourceCount > 0
                              ? "There is no message " + std::to_string(n) + " in the project: its messages are 1 to " +
                                    std::to_string(SourceCount)
                              : "There is no message " + std::to_string(n) + ": the project has no messages");
}

int32_t TtxgProject::StateMessage(int32_t n) const {
  if (n < 1 || n > SourceCount || static_cast<std::size_t>(n) >= stateMessage_.size()) return 0;
  return stateMessage_[static_cast<std::size_t>(n)];
}

bool TtxgProject::NeedsReview(int32_t n) const { return states_.NeedsReview(StateMessage(n)); }

const std::u16string& TtxgProject::Note(int32_t n) const { return states_.Note(StateMessage(n)); }

const std::u16string& TtxgProject::PreviousSource(int32_t n) const { return states_.PreviousSource(StateMessage(n)); }

bool TtxgProject::IsTranslated(int32_t n) const {
  const int32_t m = StateMessage(n);
  return m != 0 && !IsNotEdited(m);
}

bool TtxgProject::TranslatedAsIs(int32_t n) const { return states_.TranslatedAsIs(StateMessage(n)); }

void TtxgProject::SetTranslatedAsIs(int32_t n, bool on) {
  CheckMessageNumber(n);
  const int32_t m = StateMessage(n);
  if (on && (TargetField(m) == nullptr || GetSourceText(m) != TargetTextView(m))) return;
  const bool wasTranslated = IsTranslated(m);
  if (!states_.SetTranslatedAsIs(m, on)) return;
  if (PositionOfMessage(m) > 0)
    translatedPositions_ += static_cast<int32_t>(IsTranslated(m)) - static_cast<int32_t>(wasTranslated);
  NotifyChange(m);
}

void TtxgProject::SetNeedsReview(int32_t n, bool on) {
  CheckMessageNumber(n);
  const int32_t m = StateMessage(n);
  if (!states_.SetNeedsReview(m, on)) return;
  if (PositionOfMessage(m) > 0) reviewPositions_ += on ? 1 : -1;
  NotifyChange(m);
}

void TtxgProject::SetNote(int32_t n, std::u16string note) {
  CheckMessageNumber(n);
  const int32_t m = StateMessage(n);
  const bool hadNote = !states_.Note(m).empty();
  if (!states_.SetNote(m, std::move(note))) return;
  if (PositionOfMessage(m) > 0)
    notePositions_ += static_cast<int32_t>(!states_.Note(m).empty()) - static_cast<int32_t>(hadNote);
  NotifyChange(m);
}

void TtxgProject::SetPreviousSource(int32_t n, std::u16string text) {
  CheckMessageNumber(n);
  const int32_t m = StateMessage(n);
  if (states_.SetPreviousSource(m, std::move(text))) NotifyChange(m);
}

std::u16string TtxgProject::Setting(std::u16string_view key) const {
  auto found = settings_.find(key);
  return found == settings_.end() ? std::u16string() : found->second;
}

void TtxgProject::SetSetting(std::u16string_view key, std::u16string value) {
  if (key.empty()) throw std::invalid_argument("A project setting needs a name");
  if (value.empty()) {
    auto found = settings_.find(key);
    if (found != settings_.end()) settings_.erase(found);
    return;
  }
  settings_.insert_or_assign(std::u16string(key), std::move(value));
}

std::vector<std::string> TtxgProject::FileListSetting(std::u16string_view key) const {
  std::vector<std::string> files;
  const std::string lines = Utf16ToUtf8(Setting(key));
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = lines.find('\n', start);
    if (end == std::string::npos) end = lines.size();
    if (end > start) files.push_back(lines.substr(start, end - start));
    start = end + 1;
  }
  return files;
}

void TtxgProject::SetFileListSetting(std::u16string_view key, const std::vector<std::string>& files) {
  std::string lines;
  for (const std::string& file : files) {
    if (file.empty() || file.find('\n') != std::string::npos) continue;  // one file a line, nothing else
    if (!lines.empty()) lines += '\n';
    lines += file;
  }
  SetSetting(key, Utf8ToUtf16(lines));
}

const std::vector<uint8_t>* TtxgProject::Section(const std::string& name) const {
  auto found = sections_.find(name);
  return found == sections_.end() ? nullptr : &found->second;
}

void TtxgProject::SetSection(const std::string& name, std::vector<uint8_t> bytes) {
  if (name == StatesSectionName || name == SettingsSectionName || name == AsIsSectionName)
    throw std::invalid_argument("The section \"" + name + "\" is written by the project itself");
  if (!IsSectionName(name))
    throw std::invalid_argument("\"" + name + "\" is no section name: 1 to 64 printable ASCII characters");
  if (bytes.empty())
    sections_.erase(name);
  else
    sections_.insert_or_assign(name, std::move(bytes));
}

int TtxgProject::AddChangeListener(std::function<void(int32_t message)> listener) {
  const int id = nextListenerId_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void TtxgProject::RemoveChangeListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TtxgProject::NotifyChange(int32_t message) const {
  if (listeners_.empty()) return;
  // A copy: a listener may add or remove listeners while it is called.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(message);
}

std::vector<TTrailerSection> TtxgProject::TrailerSections() const {
  std::vector<TTrailerSection> sections;
  if (states_.HasAnyState()) sections.push_back({StatesSectionName, EncodeMessageStates(states_, SourceIds)});
  if (!settings_.empty()) sections.push_back({SettingsSectionName, EncodeSettings(settings_)});
  if (states_.HasAnyTranslatedAsIs()) sections.push_back({AsIsSectionName, EncodeTranslatedAsIs(states_, SourceIds)});
  for (const auto& [name, bytes] : sections_) sections.push_back({name, bytes});
  return sections;
}

void TtxgProject::ApplyTrailerSections(std::vector<TTrailerSection> sections) {
  auto warn = [this](const std::string& text) {
    if (text.empty()) return;
    if (!loadWarning_.empty()) loadWarning_ += '\n';
    loadWarning_ += text;
  };
  // The marks go into the decoded states, so they are read after "states", wherever they stand.
  std::vector<uint8_t> asIs;
  for (TTrailerSection& section : sections) {
    if (section.Name == StatesSectionName)
      warn(DecodeMessageStates(std::move(section.Bytes), SourceIds, SourceCount, states_));
    else if (section.Name == SettingsSectionName)
      warn(DecodeSettings(std::move(section.Bytes), settings_));
    else if (section.Name == AsIsSectionName)
      asIs = std::move(section.Bytes);
    else
      sections_.insert_or_assign(std::move(section.Name), std::move(section.Bytes));
  }
  if (!asIs.empty()) warn(DecodeTranslatedAsIs(std::move(asIs), SourceIds, SourceCount, states_));
}
