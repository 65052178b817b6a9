#include "quest/TextFieldClass.h"

#include "support/BlockFile.h"

namespace {
// Every control code and the space count as blank; U+00A0 and everything above do not.
bool IsTrimmedUnit(char16_t unit) { return unit <= u' '; }
}  // namespace

std::u16string TrimQuestText(const std::u16string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsTrimmedUnit(text[first])) ++first;
  while (last > first && IsTrimmedUnit(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IsBlankText(const std::u16string& text) {
  for (const char16_t unit : text) {
    if (!IsTrimmedUnit(unit)) return false;
  }
  return true;
}

void TTextField::Load(TBlockFileReader& file) {
  Text.clear();
  const int32_t lineCount = file.ReadInt();
  if (lineCount <= 0) return;
  // Each line takes at least its 4-byte length, so a larger count cannot be real: refuse it
  // before the loop rather than after gigabytes of empty lines.
  file.Require(int64_t{lineCount} * 4);

  if (lineCount == 1) {
    // What every saved file holds: the line is trimmed where it lies, with no copies in between
    // (tens of thousands of texts otherwise leave the heap full of holes).
    const int32_t length = file.ReadInt();
    if (length > 0) Text = file.ReadUnits(length);
    std::size_t last = Text.size();
    while (last > 0 && IsTrimmedUnit(Text[last - 1])) --last;
    Text.erase(last);
    std::size_t first = 0;
    while (first < Text.size() && IsTrimmedUnit(Text[first])) ++first;
    Text.erase(0, first);
    return;
  }

  std::u16string text;
  for (int32_t line = 0; line < lineCount; ++line) {
    const int32_t length = file.ReadInt();
    // ReadUnits checks the length against the bytes left before it allocates.
    const std::u16string units = length > 0 ? file.ReadUnits(length) : std::u16string();
    text += u"\r\n";
    text += TrimQuestText(units);
  }
  // The line break put in front of the first line, and empty outer lines, go here.
  Text = TrimQuestText(text);
}

void TTextField::Save(TBlockFileWriter& file) const {
  const std::u16string trimmed = TrimQuestText(Text);
  file.WriteInt(1);
  file.WriteInt(static_cast<int32_t>(trimmed.size()));
  file.WriteUnits(trimmed);
}
