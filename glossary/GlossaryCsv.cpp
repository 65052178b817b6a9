// Term lists from spreadsheets, as CSV (RFC 4180): fields in double quotes may hold the separator,
// line breaks and doubled quotes; records end with CR LF or LF. Spreadsheets set to a language that
// writes decimal commas separate fields by semicolons: the first record's most frequent separator
// outside quotes (comma, semicolon or tab) is the file's.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "glossary/Glossary.h"
#include "support/BlockFile.h"
#include "support/Utf8.h"

namespace {

class TCsvReader {
 public:
  TCsvReader(const std::string& fileName, std::string_view text) : fileName_(fileName), text_(text) {
    delimiter_ = Delimiter();
  }

  // The next record's fields; false at the end of the text.
  bool Next(std::vector<std::string>& fields) {
    if (at_ >= text_.size()) return false;
    fields.clear();
    for (;;) {
      fields.push_back(at_ < text_.size() && text_[at_] == '"' ? QuotedField() : PlainField());
      if (at_ >= text_.size()) return true;
      const char c = text_[at_++];
      if (c == delimiter_) continue;
      if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
      ++line_;
      return true;
    }
  }

 private:
  std::string PlainField() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != delimiter_ && text_[at_] != '\r' && text_[at_] != '\n') ++at_;
    return std::string(text_.substr(start, at_ - start));
  }

  std::string QuotedField() {
    const int64_t startLine = line_;
    std::string field;
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) throw EGlossaryError(fileName_, startLine, "a quoted field is not closed");
      const char c = text_[at_++];
      if (c == '"') {
        if (at_ < text_.size() && text_[at_] == '"') {
          field += '"';
          ++at_;
          continue;
        }
        break;
      }
      if (c == '\n') ++line_;
      // A line break inside a field is kept as LF, whatever the file's line ends are.
      if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') continue;
      field += c;
    }
    if (at_ < text_.size() && text_[at_] != delimiter_ && text_[at_] != '\r' && text_[at_] != '\n')
      throw EGlossaryError(fileName_, line_, "text after the closing quote of a field");
    return field;
  }

  char Delimiter() const {
    std::array<std::pair<char, int>, 3> counts = {{{',', 0}, {';', 0}, {'\t', 0}}};
    bool quoted = false;
    for (std::size_t i = 0; i < text_.size() && (quoted || (text_[i] != '\n' && text_[i] != '\r')); ++i) {
      if (text_[i] == '"') quoted = !quoted;
      for (auto& [c, count] : counts)
        if (!quoted && text_[i] == c) ++count;
    }
    // The first of the most frequent: a comma when none is there.
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
  }

  const std::string& fileName_;
  std::string_view text_;
  std::size_t at_ = 0;
  int64_t line_ = 1;
  char delimiter_ = ',';
};

std::string Trimmed(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t\r\n") - start + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* known) { return name == known; });
}

// Where a record keeps the source, the target and the note; -1 for none.
struct TColumns {
  int Source = 0, Target = 1, Note = 2;
};

// A first record that names a source column is a header: its names place the columns.
bool ReadHeader(const std::vector<std::string>& fields, TColumns& columns) {
  TColumns named{-1, -1, -1};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string name = Lower(Trimmed(fields[i]));
    const int index = static_cast<int>(i);
    if (named.Source < 0 && OneOf(name, {"source", "source term", "term", "original", "untranslated"}))
      named.Source = index;
    else if (named.Target < 0 && OneOf(name, {"target", "target term", "translation", "translated"}))
      named.Target = index;
    else if (named.Note < 0 && OneOf(name, {"note", "notes", "comment", "comments", "definition", "description"}))
      named.Note = index;
  }
  if (named.Source < 0) return false;
  columns = named;
  return true;
}

std::u16string Field(const std::vector<std::string>& fields, int column) {
  if (column < 0 || static_cast<std::size_t>(column) >= fields.size()) return {};
  return Utf8ToUtf16(Trimmed(fields[static_cast<std::size_t>(column)]));
}

// The line of the first byte that is not UTF-8, or 0.
int64_t LineNotUtf8(std::string_view text) {
  int64_t line = 1;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] == '\n') ++line;
    if (DecodeUtf8(text, at) < 0) return line;
  }
  return 0;
}

}  // namespace

TGlossary ImportGlossaryCsv(const std::string& fileName, const std::string& sourceLanguage,
                            const std::string& targetLanguage, TGlossaryReport& report) {
  report = {};
  TBlockFileReader file(fileName);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBytes(bytes.data(), bytes.size());
  std::string_view text(bytes);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (const int64_t line = LineNotUtf8(text); line != 0) throw EGlossaryError(fileName, line, "the text is not UTF-8");

  TGlossary glossary{sourceLanguage, targetLanguage, {}};
  TCsvReader reader(fileName, text);
  TColumns columns;
  std::vector<std::string> fields;
  bool first = true;
  while (reader.Next(fields)) {
    if (std::exchange(first, false) && ReadHeader(fields, columns)) continue;
    TGlossaryEntry entry;
    entry.Source = Field(fields, columns.Source);
    const std::u16string target = Field(fields, columns.Target);
    if (!target.empty()) entry.Targets.push_back(target);
    entry.Note = Field(fields, columns.Note);
    if (!entry.Source.empty()) {
      glossary.Entries.push_back(std::move(entry));
    } else if (!entry.Targets.empty() || !entry.Note.empty()) {
      ++report.WithoutSource;  // a blank row is no entry at all
    }
  }
  report.Entries = glossary.Entries.size();
  return glossary;
}
