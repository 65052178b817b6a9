#include "formats/PoFormat.h"

#include <gettext-po.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/PortableText.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/Utf8.h"

namespace {

const char* const Generator = "XGTranslator 0.1";
constexpr std::string_view UntranslatedReviewLine = "needs review";

// True when an extracted comment holds the line that flags an untranslated message for review.
bool HasReviewLine(const char* extracted) {
  const std::string_view text = extracted == nullptr ? std::string_view() : extracted;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (text.substr(start, end - start) == UntranslatedReviewLine) return true;
    start = end + 1;
  }
  return false;
}

// libgettextpo reports problems through callbacks; the first error is kept and raised afterwards.
struct ParseProblem {
  std::string text;
  std::size_t line = 0;
};
thread_local std::optional<ParseProblem> firstProblem;

void KeepProblem(int severity, const char* text, std::size_t line) {
  if (severity == PO_SEVERITY_WARNING || firstProblem) return;
  firstProblem = ParseProblem{text == nullptr ? "" : text, line == static_cast<std::size_t>(-1) ? 0 : line};
}

void OnError(int severity, po_message_t, const char*, std::size_t line, std::size_t, int, const char* text) {
  KeepProblem(severity, text, line);
}

void OnError2(int severity, po_message_t, const char*, std::size_t line, std::size_t, int, const char* text,
              po_message_t, const char*, std::size_t, std::size_t, int, const char*) {
  KeepProblem(severity, text, line);
}

po_xerror_handler ErrorHandler{OnError, OnError2};

struct PoFileDeleter {
  void operator()(po_file_t file) const { po_file_free(file); }
};
using PoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, PoFileDeleter>;

struct IteratorDeleter {
  void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};
using PoIterator = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>, IteratorDeleter>;

std::string Utf8(const std::u16string& text) { return PortableText(text); }

std::string HeaderText(const TExportOptions& options, const std::string& language) {
  return "Project-Id-Version: " + options.QuestName +
         "\n"
         "Report-Msgid-Bugs-To: \n"
         "PO-Revision-Date: \n"
         "Last-Translator: \n"
         "Language-Team: \n"
         "Language: " +
         language +
         "\n"
         "MIME-Version: 1.0\n"
         "Content-Type: text/plain; charset=UTF-8\n"
         "Content-Transfer-Encoding: 8bit\n"
         "X-Generator: " +
         Generator + "\n";
}

// The PO syntax of a text: a quoted string with C escapes, cut after every line break as gettext
// cuts it (a text with an inner break starts with an empty string); long lines are not wrapped.
void AppendQuoted(std::string& out, std::string_view prefix, std::string_view keyword, std::string_view text) {
  auto quoteLine = [&out](std::string_view line) {
    out += '"';
    for (const char c : line) {
      switch (c) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          out += c;
      }
    }
    out += "\"\n";
  };
  out.append(prefix).append(keyword).append(" ");
  const std::size_t innerBreak = text.find('\n');
  if (innerBreak == std::string_view::npos || innerBreak + 1 == text.size()) {
    quoteLine(text);
    return;
  }
  out += "\"\"\n";
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    out.append(prefix);
    quoteLine(text.substr(start, end - start));
    start = end;
  }
}

// Comment lines: "#" and the marker before every line of `text`.
void AppendComment(std::string& out, std::string_view marker, std::string_view text) {
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    out += '#';
    if (!line.empty() || marker != " ") out.append(marker).append(line);
    out += '\n';
    start = end + 1;
  }
}

// The charset the header names, or "" when there is no header or no charset.
std::string HeaderCharset(po_file_t file) {
  const char* header = po_file_domain_header(file, nullptr);
  if (header == nullptr) return {};
  char* contentType = po_header_field(header, "Content-Type");
  if (contentType == nullptr) return {};
  std::string value(contentType);
  std::free(contentType);
  const std::size_t at = value.find("charset=");
  if (at == std::string::npos) return {};
  std::string charset = value.substr(at + 8);
  charset = charset.substr(0, charset.find_first_of("; \t"));
  for (char& c : charset) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return charset;
}

// The line of the first byte sequence that is not UTF-8, 0 when the whole file is UTF-8.
std::size_t FirstLineNotUtf8(const std::string& fileName) {
  TBlockFileReader reader(fileName);
  std::string bytes(static_cast<std::size_t>(reader.Size()), '\0');
  reader.ReadBytes(bytes.data(), bytes.size());
  std::size_t line = 1;
  for (std::size_t at = 0; at < bytes.size();) {
    const char c = bytes[at];
    if (static_cast<unsigned char>(c) < 0x80) {
      line += c == '\n';
      ++at;
    } else if (DecodeUtf8(bytes, at) < 0) {
      return line;
    }
  }
  return 0;
}

}  // namespace

void ReadPoFilesAsBytes() { setenv("OLD_PO_FILE_INPUT", "yes", 1); }

// gettext's own writer (po_file_write) spends most of an export on per-character output and
// charset conversion, five times as long as the rest of it; the entries are written here as it
// writes them (the tests have msgcat write our files again and find the same bytes), while reading
// stays with libgettextpo.
void SavePo(const TtxgProject& project, const std::string& fileName, const TExportOptions& options) {
  std::string out;
  out.reserve(static_cast<std::size_t>(std::max(project.PositionCount, 0)) * 256 + 1024);
  AppendQuoted(out, "", "msgid", "");
  AppendQuoted(out, "", "msgstr", HeaderText(options, TargetLanguage(project, options)));
  std::unordered_map<int32_t, std::string> kindLabels;
  for (const TOutgoingUnit& unit : OutgoingUnits(project)) {
    const int32_t n = unit.Message;
    const bool translated = project.IsTranslated(n);
    const int32_t type = project.SourceTypes[static_cast<std::size_t>(n)];
    auto label = kindLabels.find(type);
    if (label == kindLabels.end()) label = kindLabels.emplace(type, Utf8(MessageKindLabel(project, type))).first;
    out += '\n';
    // Every line of a note becomes one "#" line; the reader gives them back with their breaks.
    if (!project.Note(n).empty()) AppendComment(out, " ", Utf8(project.Note(n)));
    std::string extracted = label->second;
    // gettext keeps no fuzzy flag on an entry without a translation: the flag of an untranslated
    // message goes into the extracted comment instead.
    if (project.NeedsReview(n) && !translated) extracted.append("\n").append(UntranslatedReviewLine);
    AppendComment(out, ". ", extracted);
    if (project.NeedsReview(n) && translated) out += "#, fuzzy\n";
    if (!project.PreviousSource(n).empty()) AppendQuoted(out, "#| ", "msgid", Utf8(project.PreviousSource(n)));
    AppendQuoted(out, "", "msgctxt", Utf8(unit.Context));
    AppendQuoted(out, "", "msgid", Utf8(project.GetSourceText(n)));
    AppendQuoted(out, "", "msgstr", translated ? Utf8(project.GetTargetText(n)) : std::string());
  }
  TBlockFileWriter writer(fileName);
  writer.WriteBytes(out.data(), out.size());
  writer.Commit();
}

std::vector<TIncomingUnit> ReadPoUnits(const std::string& fileName) {
  RequireReadableFile(fileName);

  firstProblem.reset();
  PoFile file(po_file_read(fileName.c_str(), &ErrorHandler));
  if (firstProblem) {
    const ParseProblem problem = *firstProblem;
    firstProblem.reset();
    throw EFormatParseError(fileName, problem.line, problem.text);
  }
  if (!file) throw EFormatParseError(fileName, 0, "cannot be read as a PO file");
  const std::string charset = HeaderCharset(file.get());
  if (!charset.empty() && charset != "UTF-8")
    throw EFormatParseError(fileName, 0, "the charset is " + charset + ", not UTF-8");
  // Read as bytes, the file's UTF-8 is checked here, with gettext's words for a bad sequence.
  if (charset == "UTF-8") {
    if (const std::size_t line = FirstLineNotUtf8(fileName); line != 0)
      throw EFormatParseError(fileName, line, "invalid multibyte sequence");
  }

  std::vector<TIncomingUnit> units;
  PoIterator iterator(po_message_iterator(file.get(), nullptr));
  for (po_message_t message = po_next_message(iterator.get()); message != nullptr;
       message = po_next_message(iterator.get())) {
    if (po_message_is_obsolete(message)) continue;
    const char* context = po_message_msgctxt(message);
    if (context == nullptr && *po_message_msgid(message) == '\0') continue;  // the header
    TIncomingUnit unit;
    try {
      unit.Context = QuestTextFromPortable(context == nullptr ? "" : context);
      unit.Source = QuestTextFromPortable(po_message_msgid(message));
      unit.Translation = QuestTextFromPortable(po_message_msgstr(message));
      unit.NeedsReview = po_message_is_fuzzy(message) != 0 ||
                         (unit.Translation.empty() && HasReviewLine(po_message_extracted_comments(message)));
      std::string note = po_message_comments(message);
      if (!note.empty() && note.back() == '\n') note.pop_back();
      unit.Note = QuestTextFromPortable(note);
      // No "#|" line means no previous source: the file is the translator's word on it.
      unit.HasPreviousSource = true;
      const char* previous = po_message_prev_msgid(message);
      unit.PreviousSource = QuestTextFromPortable(previous == nullptr ? "" : previous);
    } catch (const ENotUtf8&) {
      throw EFormatParseError(fileName, 0,
                              std::string("the entry \"") + (context == nullptr ? "" : context) + "\" is not UTF-8");
    }
    units.push_back(std::move(unit));
  }
  return units;
}

void LoadPo(TtxgProject& project, const std::string& fileName, TConversionReport& report) {
  ApplyIncomingUnits(project, ReadPoUnits(fileName), report);
}
