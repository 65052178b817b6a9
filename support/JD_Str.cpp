#include "support/JD_Str.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "support/JD_Error.h"
#include "support/Utf8.h"

// ---------------------------------------------------------------------------------------------
// String list

TStringsJD::~TStringsJD() { Clear(); }

TStringsElJD* TStringsJD::El_Add() {
  auto* element = new TStringsElJD;
  element->Previous = last_;
  if (last_ != nullptr)
    last_->Next = element;
  else
    first_ = element;
  last_ = element;
  return element;
}

void TStringsJD::El_Del(TStringsElJD* element) {
  if (element == nullptr) return;
  if (element->Previous != nullptr)
    element->Previous->Next = element->Next;
  else
    first_ = element->Next;
  if (element->Next != nullptr)
    element->Next->Previous = element->Previous;
  else
    last_ = element->Previous;
  delete element;
}

void TStringsJD::Clear() {
  while (last_ != nullptr) El_Del(last_);
}

int32_t TStringsJD::Count() const {
  int32_t count = 0;
  for (TStringsElJD* element = first_; element != nullptr; element = element->Next) ++count;
  return count;
}

TStringsElJD* TStringsJD::El_Get(int32_t i) const {
  if (i >= 0) {
    TStringsElJD* element = first_;
    for (int32_t k = 0; element != nullptr && k < i; ++k) element = element->Next;
    if (element != nullptr) return element;
  }
  throw TExceptionJD("TStringsJD.El_Get. i=" + std::to_string(i));
}

TStringsElJD* TStringsJD::El_GetEx(int32_t i) {
  if (i < 0) throw TExceptionJD("TStringsJD.El_GetEx. i=" + std::to_string(i));
  TStringsElJD* element = first_;
  for (int32_t k = 0; k < i && element != nullptr; ++k) element = element->Next;
  if (element != nullptr) return element;
  for (int32_t missing = i + 1 - Count(); missing > 0; --missing) El_Add();
  return last_;
}

std::u16string TStringsJD::Get(int32_t i) { return El_GetEx(i)->Text; }

void TStringsJD::Add(const std::u16string& text) { El_Add()->Text = text; }

void TStringsJD::Delete(int32_t i) { El_Del(El_Get(i)); }

// ---------------------------------------------------------------------------------------------
// Parameter strings

namespace {

bool IsSeparator(char16_t c, const std::u16string& raz) { return raz.find(c) != std::u16string::npos; }

bool IsTrimmedByTrimJD(char16_t c) { return c == 0 || c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; }

}  // namespace

int32_t GetCountParJD(const std::u16string& str, const std::u16string& raz) {
  if (str.empty()) return 0;
  int32_t count = 1;
  for (char16_t c : str)
    if (IsSeparator(c, raz)) ++count;
  return count;
}

int32_t GetSmeParJD(const std::u16string& str, int32_t np, const std::u16string& raz) {
  if (np <= 0) return 1;
  int32_t found = 0;
  for (std::size_t i = 0; i < str.size(); ++i) {
    if (IsSeparator(str[i], raz) && ++found == np) return static_cast<int32_t>(i) + 2;
  }
  throw TExceptionJD("GetSmeParJD. Str=" + WideToAnsi(str) + " np=" + std::to_string(np) + " raz=" + WideToAnsi(raz));
}

int32_t GetLenParJD(const std::u16string& str, int32_t start, const std::u16string& raz) {
  if (start < 1) start = 1;
  const auto length = static_cast<int32_t>(str.size());
  int32_t count = 0;
  for (int32_t position = start; position <= length; ++position, ++count)
    if (IsSeparator(str[static_cast<std::size_t>(position - 1)], raz)) break;
  return count;
}

std::u16string GetParJD(const std::u16string& str, int32_t np, const std::u16string& raz) {
  int32_t start = GetSmeParJD(str, np, raz);
  int32_t length = GetLenParJD(str, start, raz);
  if (length <= 0) return {};
  return str.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

std::u16string GetParsJD(const std::u16string& str, int32_t np1, int32_t np2, const std::u16string& raz) {
  int32_t start = GetSmeParJD(str, np1, raz);
  int32_t lastStart = GetSmeParJD(str, np2, raz);
  int32_t end = lastStart + GetLenParJD(str, lastStart, raz);  // one behind the last character
  if (end <= start) return {};
  return str.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start));
}

std::u16string GetCommentJD(const std::u16string& str) {
  std::size_t slashes = str.find(u"//");
  if (slashes == std::u16string::npos) return {};
  std::size_t begin = slashes;
  while (begin > 0) {
    char16_t c = str[begin - 1];
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') break;
    --begin;
  }
  return str.substr(begin);
}

std::u16string CutCommentJD(const std::u16string& str) {
  std::size_t slashes = str.find(u"//");
  if (slashes == std::u16string::npos) return str;
  std::size_t end = slashes;
  while (end > 0 && str[end - 1] <= u' ') --end;
  return str.substr(0, end);
}

std::u16string_view TrimViewJD(std::u16string_view str) {
  std::size_t begin = 0;
  std::size_t end = str.size();
  while (begin < end && IsTrimmedByTrimJD(str[begin])) ++begin;
  while (end > begin && IsTrimmedByTrimJD(str[end - 1])) --end;
  return str.substr(begin, end - begin);
}

std::u16string TrimJD(const std::u16string& str) { return std::u16string(TrimViewJD(str)); }

bool IsSubStrJD(const std::u16string& str, const std::u16string& sub) {
  if (str.empty() || sub.empty() || sub.size() > str.size()) return false;
  return str.find(sub) != std::u16string::npos;
}

std::u16string ReplaceJD(const std::u16string& str, const std::u16string& find, const std::u16string& repl) {
  if (str.empty() || find.empty() || find.size() > str.size()) return str;
  std::u16string result;
  result.reserve(str.size());
  std::size_t from = 0;
  for (;;) {
    std::size_t at = str.find(find, from);
    if (at == std::u16string::npos) break;
    result.append(str, from, at - from);
    result += repl;
    from = at + find.size();
  }
  result.append(str, from, std::u16string::npos);
  return result;
}

int32_t FindJD(const std::u16string& str, const std::u16string& sub, int32_t from) {
  if (from < 0) from = 0;
  if (str.empty() || static_cast<std::size_t>(from) > str.size()) return -1;
  if (sub.size() > str.size() - static_cast<std::size_t>(from)) return -1;
  std::size_t at = str.find(sub, static_cast<std::size_t>(from));
  return at == std::u16string::npos ? -1 : static_cast<int32_t>(at);
}

// ---------------------------------------------------------------------------------------------
// Code pages

namespace {

// Wide strings hold host-order code units, so iconv is asked for the host's UTF-16 byte order.
constexpr const char* kHostUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One iconv descriptor per direction, opened on first use and kept for the thread's life.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (descriptor_ != reinterpret_cast<iconv_t>(-1)) iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Usable() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `input`. A byte sequence the source encoding rejects either fails the whole
  // conversion (returns false) or, with `replacement`, is replaced by it one byte at a time.
  bool Convert(const char* input, std::size_t inputSize, std::string& output, const std::string* replacement) {
    if (!Usable()) return false;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    output.clear();
    auto* in = const_cast<char*>(input);
    std::size_t inLeft = inputSize;
    std::vector<char> chunk(4 * inputSize + 16);
    while (inLeft > 0) {
      char* out = chunk.data();
      std::size_t outLeft = chunk.size();
      std::size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
      int error = errno;
      output.append(chunk.data(), chunk.size() - outLeft);
      if (result != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      if (replacement == nullptr) return false;
      output += *replacement;  // EILSEQ, or a sequence cut off at the end (EINVAL)
      ++in;
      --inLeft;
      iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  }

 private:
  iconv_t descriptor_;
};

std::u16string FromHostUtf16Bytes(const std::string& bytes) {
  std::u16string result(bytes.size() / 2, u'\0');
  if (!result.empty())
    std::copy(bytes.data(), bytes.data() + result.size() * 2, reinterpret_cast<char*>(result.data()));
  return result;
}

std::string HostUtf16Bytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

}  // namespace

std::u16string AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  thread_local Converter fromUtf8(kHostUtf16, "UTF-8");
  thread_local Converter fromWindows1251(kHostUtf16, "CP1251");
  std::string bytes;
  if (fromUtf8.Convert(text.data(), text.size(), bytes, nullptr)) return FromHostUtf16Bytes(bytes);
  // Windows-1251 leaves one byte (0x98) undefined; it becomes U+FFFD.
  static const std::string replacement = HostUtf16Bytes(u"\uFFFD");
  fromWindows1251.Convert(text.data(), text.size(), bytes, &replacement);
  return FromHostUtf16Bytes(bytes);
}

std::string WideToAnsi(const std::u16string& text) { return Utf16ToUtf8(text); }

int32_t StrToIntJD(const std::u16string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  bool valid = i < text.size();
  int64_t magnitude = 0;
  for (; valid && i < text.size(); ++i) {
    char16_t c = text[i];
    if (c < u'0' || c > u'9') {
      valid = false;
      break;
    }
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > int64_t{INT32_MAX} + 1) valid = false;
  }
  if (valid && !negative && magnitude > INT32_MAX) valid = false;
  if (!valid) throw EConvertError("'" + WideToAnsi(text) + "' is not a valid integer value");
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

namespace {
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameIgnoringCase(text.substr(text.size() - end.size()), end);
}
