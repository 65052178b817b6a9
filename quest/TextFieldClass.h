#pragma once
// Quest file versions, quest text trimming and TTextField, the one text of a quest record.
#include <cstdint>
#include <string>

class TBlockFileReader;
class TBlockFileWriter;

// The twelve quest file versions. Every layout decision is a test "version at least N" against
// one of these names; a mark above the newest is read like the newest.
namespace QuestVersion {
constexpr int32_t V11 = 1111111111;  // oldest; never stored as a mark
constexpr int32_t V12 = 1111111112;
constexpr int32_t V13 = 1111111113;
constexpr int32_t V14 = 1111111114;
constexpr int32_t V15 = 1111111115;
constexpr int32_t V16 = 1111111116;
constexpr int32_t V17 = 1111111117;
constexpr int32_t V18 = 1111111118;
constexpr int32_t V19 = 1111111119;
constexpr int32_t V20 = 1111111120;
constexpr int32_t V21 = 1111111121;
constexpr int32_t V22 = 1111111122;
}  // namespace QuestVersion

constexpr int32_t CurrentQuestVersion = QuestVersion::V22;

// Quest trimming: every code unit up to U+0020 removed at both ends (not U+00A0).
std::u16string TrimQuestText(const std::u16string& text);
// Blank: nothing left after TrimQuestText.
bool IsBlankText(const std::u16string& text);

class TTextField {
 public:
  TTextField() = default;
  explicit TTextField(std::u16string text) : Text(std::move(text)) {}
  TTextField(const TTextField&) = delete;
  TTextField& operator=(const TTextField&) = delete;
  TTextField(TTextField&&) = default;
  TTextField& operator=(TTextField&&) = default;

  std::u16string Text;

  void Clear() { Text.clear(); }
  // Lines are trimmed and joined with CR LF, then the whole text is trimmed.
  void Load(TBlockFileReader& file);
  // Always one line: LineCount 1, the trimmed text's length in code units and its units.
  void Save(TBlockFileWriter& file) const;
};
