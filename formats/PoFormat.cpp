#include "formats/PoFormat.h"

#include <fcntl.h>
#include <gettext-po.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "formats/PortableText.h"
#include "project/ProjectClass.h"
#include "quest/BlockFile.h"

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

// libgettextpo writes only to a named file: it writes into an anonymous memory file, whose bytes
// then go through the atomic writer like every file we save.
std::vector<uint8_t> WrittenBytes(po_file_t file) {
  const int descriptor = memfd_create("po", MFD_CLOEXEC);
  if (descriptor < 0) throw EInOutError(errno);
  std::vector<uint8_t> bytes;
  try {
    if (po_file_write(file, ("/proc/self/fd/" + std::to_string(descriptor)).c_str(), &ErrorHandler) == nullptr)
      throw EInOutError(EIO);
    const off_t size = lseek(descriptor, 0, SEEK_END);
    if (size < 0) throw EInOutError(errno);
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = pread(descriptor, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      if (got <= 0) throw EInOutError(got < 0 ? errno : IoReadBeyondEnd);
      done += static_cast<std::size_t>(got);
    }
  } catch (...) {
    close(descriptor);
    throw;
  }
  close(descriptor);
  return bytes;
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

}  // namespace

void SavePo(const TtxgProject& project, const std::string& fileName, const TExportOptions& options) {
  PoFile file(po_file_create());
  {
    PoIterator iterator(po_message_iterator(file.get(), nullptr));
    po_message_t header = po_message_create();
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header, HeaderText(options, TargetLanguage(project, options)).c_str());
    po_message_insert(iterator.get(), header);
    for (const TOutgoingUnit& unit : OutgoingUnits(project)) {
      po_message_t message = po_message_create();
      po_message_set_msgctxt(message, Utf8(unit.Context).c_str());
      po_message_set_msgid(message, Utf8(project.GetSourceText(unit.Message)).c_str());
      const int32_t n = unit.Message;
      po_message_set_msgstr(message, project.IsTranslated(n) ? Utf8(project.GetTargetText(n)).c_str() : "");
      std::string extracted = Utf8(MessageKindLabel(project, project.SourceTypes[static_cast<std::size_t>(n)]));
      // gettext writes no fuzzy flag on an entry without a translation: the flag of an untranslated
      // message goes into the extracted comment instead.
      if (project.NeedsReview(n) && !project.IsTranslated(n)) extracted += "\n" + std::string(UntranslatedReviewLine);
      po_message_set_extracted_comments(message, extracted.c_str());
      // Every line of a note becomes one "#" line; the reader gives them back with their breaks.
      if (!project.Note(n).empty()) po_message_set_comments(message, (Utf8(project.Note(n)) + "\n").c_str());
      if (!project.PreviousSource(n).empty())
        po_message_set_prev_msgid(message, Utf8(project.PreviousSource(n)).c_str());
      po_message_set_fuzzy(message, project.NeedsReview(n) ? 1 : 0);
      po_message_insert(iterator.get(), message);
    }
  }
  const std::vector<uint8_t> bytes = WrittenBytes(file.get());
  TBlockFileWriter writer(fileName);
  writer.WriteBytes(bytes.data(), bytes.size());
  writer.Commit();
}

void LoadPo(TtxgProject& project, const std::string& fileName, TConversionReport& report) {
  // The usual error for a file that cannot be opened, before gettext is asked.
  const int probe = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (probe < 0) throw EInOutError(InOutErrorNumberForErrno(errno, fileName));
  close(probe);

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
  ApplyIncomingUnits(project, units, report);
}
