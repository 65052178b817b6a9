#include "project/MessageStates.h"

#include <utility>

namespace {
const std::u16string NoText;
}

void TMessageStates::Clear() {
  flags_.assign(1, 0);
  notes_.clear();
  previous_.clear();
  statesHeld_ = 0;
  asIsHeld_ = 0;
}

void TMessageStates::Resize(int32_t count) {
  if (count < 0) count = 0;
  for (int32_t n = count + 1; n <= Count(); ++n) {
    if (HasState(n)) --statesHeld_;
    if (TranslatedAsIs(n)) --asIsHeld_;
  }
  flags_.resize(static_cast<std::size_t>(count) + 1, 0);
  std::erase_if(notes_, [count](const auto& held) { return held.first > count; });
  std::erase_if(previous_, [count](const auto& held) { return held.first > count; });
}

bool TMessageStates::NeedsReview(int32_t n) const { return Flag(n, ReviewBit); }

bool TMessageStates::TranslatedAsIs(int32_t n) const { return Flag(n, AsIsBit); }

const std::u16string& TMessageStates::TextOf(const TSparseTexts& texts, int32_t n) {
  const auto held = texts.find(n);
  return held == texts.end() ? NoText : held->second;
}

bool TMessageStates::PutText(TSparseTexts& texts, int32_t n, std::u16string text) {
  if (text.empty()) return texts.erase(n) != 0;
  auto [held, added] = texts.try_emplace(n);
  if (!added && held->second == text) return false;
  held->second = std::move(text);
  return true;
}

const std::u16string& TMessageStates::Note(int32_t n) const { return InRange(n) ? TextOf(notes_, n) : NoText; }

const std::u16string& TMessageStates::PreviousSource(int32_t n) const {
  return InRange(n) ? TextOf(previous_, n) : NoText;
}

bool TMessageStates::HasState(int32_t n) const {
  if (!InRange(n)) return false;
  return NeedsReview(n) || HasText(notes_, n) || HasText(previous_, n);
}

template <typename Change>
bool TMessageStates::Update(int32_t n, Change&& change) {
  if (!InRange(n)) return false;
  const bool before = HasState(n);
  if (!change(static_cast<std::size_t>(n))) return false;
  const bool after = HasState(n);
  statesHeld_ += static_cast<int32_t>(after) - static_cast<int32_t>(before);
  return true;
}

bool TMessageStates::SetFlag(int32_t n, uint8_t bit, bool on) {
  return Update(n, [&](std::size_t i) {
    if (((flags_[i] & bit) != 0) == on) return false;
    flags_[i] = static_cast<uint8_t>(on ? flags_[i] | bit : flags_[i] & ~bit);
    return true;
  });
}

bool TMessageStates::SetNeedsReview(int32_t n, bool on) { return SetFlag(n, ReviewBit, on); }

bool TMessageStates::SetTranslatedAsIs(int32_t n, bool on) {
  if (!SetFlag(n, AsIsBit, on)) return false;
  asIsHeld_ += on ? 1 : -1;
  return true;
}

bool TMessageStates::SetNote(int32_t n, std::u16string note) {
  return Update(n, [&](std::size_t) { return PutText(notes_, n, std::move(note)); });
}

bool TMessageStates::SetPreviousSource(int32_t n, std::u16string text) {
  return Update(n, [&](std::size_t) { return PutText(previous_, n, std::move(text)); });
}
