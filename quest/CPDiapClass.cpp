#include "quest/CPDiapClass.h"

#include <algorithm>

#include "quest/TextFieldClass.h"
#include "quest/ValueListClass.h"
#include "support/BlockFile.h"

namespace {

// A group of the range text starts with these bounds: a group without any valid number gives
// [-200000000, 200000000], and numbers beyond them widen only one side.
constexpr int64_t GroupLowStart = 200000000;
constexpr int64_t GroupHighStart = -200000000;

// An optional leading "-" and at least one digit (leading zeros allowed) within the 32-bit signed
// range; anything else in the buffer is no number.
bool ParseInt32(const std::string& buffer, int64_t& value) {
  std::size_t position = 0;
  const bool negative = !buffer.empty() && buffer[0] == '-';
  if (negative) position = 1;
  if (position == buffer.size()) return false;
  const int64_t limit = negative ? int64_t{2147483648} : int64_t{2147483647};
  int64_t magnitude = 0;
  for (; position < buffer.size(); ++position) {
    const char c = buffer[position];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

void TCPDiapazone::Clear() {
  Low.clear();
  High.clear();
}

void TCPDiapazone::AddRange(int64_t a, int64_t b) {
  Low.push_back(std::min(a, b));
  High.push_back(std::max(a, b));
}

void TCPDiapazone::AddValue(int64_t v) { AddRange(v, v); }

void TCPDiapazone::AssignValues(const TValuesList& list) {
  Clear();
  for (int32_t i = 0; i < list.Count && static_cast<std::size_t>(i) < list.Values.size(); ++i) {
    AddValue(list.Values[static_cast<std::size_t>(i)]);
  }
}

void TCPDiapazone::Assign(const TCPDiapazone& source) {
  Low = source.Low;
  High = source.High;
}

std::string TCPDiapazone::ToText() const {
  // With no ranges the text is the opening bracket alone; readers take it for "no ranges".
  std::string text = "[";
  for (std::size_t i = 0; i < Low.size(); ++i) {
    text += std::to_string(Low[i]);
    if (Low[i] != High[i]) text += "h" + std::to_string(High[i]);
    text += i + 1 < Low.size() ? ";" : "]";
  }
  return text;
}

void TCPDiapazone::FromText(const std::string& text) {
  Clear();
  if (text == ";") return;
  int64_t low = GroupLowStart;
  int64_t high = GroupHighStart;
  std::string number;
  for (const char c : text) {
    if ((c >= '0' && c <= '9') || c == '-') {
      number += c;
      continue;
    }
    if (c != 'h' && c != ';' && c != ']') continue;  // brackets, spaces, letters: no meaning
    int64_t value = 0;
    if (ParseInt32(number, value)) {
      low = std::min(low, value);
      high = std::max(high, value);
    }
    number.clear();
    if (c == 'h') continue;
    AddRange(low, high);
    low = GroupLowStart;
    high = GroupHighStart;
  }
  // A group still open at the end of the text is dropped.
}

void TCPDiapazone::Load(TBlockFileReader& file) {
  TTextField field;
  field.Load(file);
  // Only ASCII has meaning in a range text; other units are skipped, so they are dropped here.
  std::string text;
  text.reserve(field.Text.size());
  for (const char16_t unit : field.Text) {
    if (unit < 0x80) text += static_cast<char>(unit);
  }
  FromText(text);
}

void TCPDiapazone::Save(TBlockFileWriter& file) const {
  const std::string text = ToText();
  TTextField(std::u16string(text.begin(), text.end())).Save(file);
}
