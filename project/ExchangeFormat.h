#pragma once
// The message exchange file, the first of the project's formats: UTF-16LE text with its
// byte-order mark, one record per distinct source text ("<Begin ids>" CR LF, body, CR LF
// "<End>"). The record scanner reads records from a text alone, so tests and the fuzzer drive it
// without a project; the format's save and load work over the project and fill a conversion
// report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "project/ConversionReport.h"

class TtxgProject;

struct TExchangeRecord {
  std::u16string_view Ids;   // the header between "<Begin " and ">" CR LF
  std::u16string_view Body;  // the text between that CR LF and CR LF "<End>"
};

// Reading is lenient: a record is "<Begin " ... ">\r\n" ... body ... "\r\n<End>"; anything
// between records is ignored, and the first record with a missing marker ends the file.
class TExchangeScanner {
 public:
  explicit TExchangeScanner(std::u16string_view text) : text_(text) {}
  // The next record, or false when there is none.
  bool Next(TExchangeRecord& record);

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

// Calls sink(piece, id) for every non-empty piece of a record's header cut at each single space;
// `piece` counts from 0 and counts the empty pieces too (only piece 0 has its tags checked).
template <typename Sink>
void ForEachRecordId(std::u16string_view ids, Sink&& sink) {
  if (ids.empty()) return;
  std::size_t start = 0;
  for (int32_t piece = 0; start <= ids.size(); ++piece) {
    std::size_t end = ids.find(u' ', start);
    if (end == std::u16string_view::npos) end = ids.size();
    const std::u16string_view id = ids.substr(start, end - start);
    start = end + 1;
    if (!id.empty()) sink(piece, id);
  }
}

// The text of an exchange file, its byte-order mark at 0. Raises ENotUnicodeText (naming the file)
// for a file that is not UTF-16LE with its mark (odd size, below 4 bytes, another mark).
std::u16string ReadExchangeFileText(const std::string& fileName);

// " tag" for every tag of `source` that `translation` lacks, then for every tag of `translation`
// that `source` lacks (each as TtxgProject::ExtractTags cuts it, in RemoveCommonTags' order);
// empty when both hold the same tags. The exchange import and the translation tools' imports
// report a changed translation's tags with it and mark that message for review.
std::u16string TagDifference(std::u16string_view source, std::u16string_view translation);

class TExchangeFormat {
 public:
  // Every distinct source text once (equal up to TrimJD), at the place of its first message,
  // headed by the ids of all messages that carry it.
  static void Save(const TtxgProject& project, const std::string& fileName);
  // Stores every record's body under each of its ids (a blank body stores DeletedMessageText())
  // and rebuilds the message table. ENotUnicodeText leaves the project and the report untouched.
  static void Load(TtxgProject& project, const std::string& fileName, TConversionReport& report);
};
