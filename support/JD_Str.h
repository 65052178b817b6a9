#pragma once
// Wide-string list and parameter-string functions. Wide strings are UTF-16 code units; lengths and
// positions count code units; positions are 1-based unless an operation says 0-based.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class TStringsElJD {
 public:
  TStringsElJD* Previous = nullptr;
  TStringsElJD* Next = nullptr;
  std::u16string Text;
};

class TStringsJD {
 public:
  TStringsJD() = default;
  ~TStringsJD();
  TStringsJD(const TStringsJD&) = delete;
  TStringsJD& operator=(const TStringsJD&) = delete;

  TStringsElJD* First() const { return first_; }
  TStringsElJD* Last() const { return last_; }

  TStringsElJD* El_Add();
  void El_Del(TStringsElJD* element);
  void Clear();
  int32_t Count() const;
  TStringsElJD* El_Get(int32_t i) const;
  TStringsElJD* El_GetEx(int32_t i);
  std::u16string Get(int32_t i);
  void Add(const std::u16string& text);
  void Delete(int32_t i);

 private:
  TStringsElJD* first_ = nullptr;
  TStringsElJD* last_ = nullptr;
};

// Parameter strings: `raz` is a set of separator characters.
int32_t GetCountParJD(const std::u16string& str, const std::u16string& raz);
int32_t GetSmeParJD(const std::u16string& str, int32_t np, const std::u16string& raz);
int32_t GetLenParJD(const std::u16string& str, int32_t start, const std::u16string& raz);
std::u16string GetParJD(const std::u16string& str, int32_t np, const std::u16string& raz);
std::u16string GetParsJD(const std::u16string& str, int32_t np1, int32_t np2, const std::u16string& raz);

std::u16string GetCommentJD(const std::u16string& str);
std::u16string CutCommentJD(const std::u16string& str);
// Removes NUL, tab, LF, CR and space at both ends (not other control characters).
std::u16string TrimJD(const std::u16string& str);
// The part of `str` that TrimJD keeps, without copying it.
std::u16string_view TrimViewJD(std::u16string_view str);
// ASCII letters compared without case, every other byte as it is: file extensions and language
// codes, which the user may type in either case.
bool SameIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view end);
bool IsSubStrJD(const std::u16string& str, const std::u16string& sub);
std::u16string ReplaceJD(const std::u16string& str, const std::u16string& find, const std::u16string& repl);
int32_t FindJD(const std::u16string& str, const std::u16string& sub, int32_t from);

// The system's 8-bit code page on this platform: text that is valid UTF-8 is decoded as UTF-8,
// anything else as Windows-1251 (through iconv). Wide text becomes UTF-8; a lone surrogate
// becomes U+FFFD.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::u16string& text);

// The standard conversion error: "'<text>' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};
// Decimal 32-bit integer with an optional sign; anything else raises EConvertError.
int32_t StrToIntJD(const std::u16string& text);
