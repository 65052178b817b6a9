#include "project/MessageStates.h"

#include <utility>

namespace {
const std::u16string NoText;
}

void TMessageStates::Clear() {
  review_.assign(1, 0);
  notes_.assign(1, std::u16string());
  previous_.assign(1, std::u16string());
  statesHeld_ = 0;
}

void TMessageStates::Resize(int32_t count) {
  if (count < 0) count = 0;
  for (int32_t n = count + 1; n <= Count(); ++n)
    if (HasState(n)) --statesHeld_;
  const auto size = static_cast<std::size_t>(count) + 1;
  review_.resize(size, 0);
  notes_.resize(size);
  previous_.resize(size);
}

bool TMessageStates::NeedsReview(int32_t n) const { return InRange(n) && review_[static_cast<std::size_t>(n)] != 0; }

const std::u16string& TMessageStates::Note(int32_t n) const {
  return InRange(n) ? notes_[static_cast<std::size_t>(n)] : NoText;
}

const std::u16string& TMessageStates::PreviousSource(int32_t n) const {
  return InRange(n) ? previous_[static_cast<std::size_t>(n)] : NoText;
}

bool TMessageStates::HasState(int32_t n) const {
  if (!InRange(n)) return false;
  const auto i = static_cast<std::size_t>(n);
  return review_[i] != 0 || !notes_[i].empty() || !previous_[i].empty();
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

bool TMessageStates::SetNeedsReview(int32_t n, bool on) {
  return Update(n, [&](std::size_t i) {
    if ((review_[i] != 0) == on) return false;
    review_[i] = on ? 1 : 0;
    return true;
  });
}

bool TMessageStates::SetNote(int32_t n, std::u16string note) {
  return Update(n, [&](std::size_t i) {
    if (notes_[i] == note) return false;
    notes_[i] = std::move(note);
    return true;
  });
}

bool TMessageStates::SetPreviousSource(int32_t n, std::u16string text) {
  return Update(n, [&](std::size_t i) {
    if (previous_[i] == text) return false;
    previous_[i] = std::move(text);
    return true;
  });
}
