#pragma once
// TMessageStates: what a translator stores beside each message of a project: a needs-review
// flag, a note, the source text the message had before an update changed it, and the mark of a
// translation finished as it is (equal to its source). Indexed by message number (1-based); knows
// nothing of positions, links, texts or files.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class TMessageStates {
 public:
  // Forgets every state and every message.
  void Clear();
  // Room for messages 1..count; the states of those messages are kept, the rest dropped.
  void Resize(int32_t count);
  int32_t Count() const { return static_cast<int32_t>(flags_.size()) - 1; }

  // Numbers outside 1..Count() hold no state.
  bool NeedsReview(int32_t n) const;
  bool TranslatedAsIs(int32_t n) const;
  const std::u16string& Note(int32_t n) const;
  const std::u16string& PreviousSource(int32_t n) const;
  // Each returns whether the state changed. The number must be in 1..Count().
  bool SetNeedsReview(int32_t n, bool on);
  bool SetTranslatedAsIs(int32_t n, bool on);
  bool SetNote(int32_t n, std::u16string note);
  bool SetPreviousSource(int32_t n, std::u16string text);

  // True when message n holds a review flag, a note or a previous source text: what the section
  // "states" stores. The translated-as-is mark has a section of its own and is not counted here.
  bool HasState(int32_t n) const;
  // True when any message does; answered without looking at every message.
  bool HasAnyState() const { return statesHeld_ > 0; }
  bool HasAnyTranslatedAsIs() const { return asIsHeld_ > 0; }

 private:
  static constexpr uint8_t ReviewBit = 0x01;
  static constexpr uint8_t AsIsBit = 0x02;
  std::vector<uint8_t> flags_{0};
  // Few messages have a note or a previous source: only those are held, so a large project does
  // not carry two empty strings per message.
  using TSparseTexts = std::unordered_map<int32_t, std::u16string>;
  TSparseTexts notes_;
  TSparseTexts previous_;
  int32_t statesHeld_ = 0;  // messages for which HasState is true
  int32_t asIsHeld_ = 0;    // messages marked translated as is

  bool InRange(int32_t n) const { return n >= 1 && n <= Count(); }
  // Runs `change` on message n and keeps statesHeld_ right.
  template <typename Change>
  bool Update(int32_t n, Change&& change);
  static const std::u16string& TextOf(const TSparseTexts& texts, int32_t n);
  static bool HasText(const TSparseTexts& texts, int32_t n) { return texts.find(n) != texts.end(); }
  // Stores a text (an empty one is not held); returns whether it changed.
  static bool PutText(TSparseTexts& texts, int32_t n, std::u16string text);
  bool Flag(int32_t n, uint8_t bit) const { return InRange(n) && (flags_[static_cast<std::size_t>(n)] & bit) != 0; }
  bool SetFlag(int32_t n, uint8_t bit, bool on);
};
