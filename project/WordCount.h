#pragma once
// How big a translation job is: the words and characters of the source texts, per state. The one
// word rule of the program; `xgtool count` and the window's status bar both ask it.
//
// Words are counted as translate-toolkit's pocount counts the source of a PO entry, on the text
// as `xgtool export-po` writes it (CR LF a line break, other control units as "\u{XXXX}"): a "."
// with a non-digit on either side becomes a blank together with both neighbours, the text is split
// at Unicode blanks, and every piece that holds more than pocount's punctuation is a word. Quest
// markup is read first, by its own rule (QuestMarkup.h): every tag "<...>" is dropped (pocount
// drops only XML-like tags such as "<clr>" and turns "<br>" into a line break), and every formula
// "[...]" or "{...}" is one word, as the number the player sees in its place (it is counted as
// the digit 0 standing there; pocount splits a formula at its blanks and strips its brackets).
//
// Characters are the source's code points as the quest holds them, markup included, with CR LF
// one character: the length of the PO entry's msgid for a text without control units.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TtxgProject;

struct TTextSize {
  int64_t Words = 0;
  int64_t Characters = 0;
  TTextSize& operator+=(const TTextSize& other) {
    Words += other.Words;
    Characters += other.Characters;
    return *this;
  }
  TTextSize& operator-=(const TTextSize& other) {
    Words -= other.Words;
    Characters -= other.Characters;
    return *this;
  }
  bool operator==(const TTextSize&) const = default;
};

// Measures texts one after another, keeping its buffers between them.
class TWordCounter {
 public:
  TTextSize Measure(std::u16string_view text);

 private:
  std::u16string plain_;   // the text with its markup replaced
  std::u32string points_;  // its characters as the PO file holds them
};

// A position's state in a count, as a PO export marks its entry: translated and not flagged,
// translated and flagged for review (fuzzy), or untranslated (flagged or not).
enum class TWorkState : uint8_t { Translated, Review, Untranslated };
TWorkState WorkState(const TtxgProject& project, int32_t message);

struct TWorkSizes {
  TTextSize Translated, Review, Untranslated;
  TTextSize& operator[](TWorkState state) {
    return state == TWorkState::Translated ? Translated : state == TWorkState::Review ? Review : Untranslated;
  }
  TTextSize Total() const {
    TTextSize total = Translated;
    total += Review;
    total += Untranslated;
    return total;
  }
  // What is still to do: the untranslated positions and those to review.
  TTextSize Left() const {
    TTextSize left = Untranslated;
    left += Review;
    return left;
  }
};

// Over the positions (a linked duplicate question once, as export-po writes it).
TWorkSizes MeasureProject(const TtxgProject& project);

// The sizes of a project kept current as it changes: each position's source is measured once
// after the table changes as a whole (new, load, import, relink), and a change of one message
// moves only its size from one state to another.
class TProjectSizes {
 public:
  explicit TProjectSizes(TtxgProject& project);
  ~TProjectSizes();
  TProjectSizes(const TProjectSizes&) = delete;
  TProjectSizes& operator=(const TProjectSizes&) = delete;
  const TWorkSizes& Sizes() const;

 private:
  void Changed(int32_t message);
  TtxgProject& project_;
  int listener_ = 0;
  mutable bool stale_ = true;
  mutable std::vector<TTextSize> sizes_;    // per position
  mutable std::vector<TWorkState> states_;  // per position
  mutable TWorkSizes totals_;
};
