#pragma once
// The conversion report: what an import met that did not fit, one entry per problem, in the order
// the problems were met. Formats append entries; the caller formats them once, at the end.
#include <cstdint>
#include <string>
#include <vector>

enum class TReportKind : int32_t {
  UnknownId,         // the file names a message the project does not have
  DifferentNumbers,  // the id stands at another number among the target ids than among the source ids
  DifferentTags,     // the translation's tags differ from the source text's
  ChangedSource,     // the file's source text is not the project's
  NotFound,          // a message of the project received nothing from the file
};

struct TReportEntry {
  TReportKind Kind;
  std::u16string Id;
  std::u16string Detail;  // the tags that differ; empty for the other kinds
};

class TConversionReport {
 public:
  void Add(TReportKind kind, std::u16string id, std::u16string detail = {});
  const std::vector<TReportEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  void Clear() { entries_.clear(); }

  // The exchange file's report text: each entry as that import has always written it, "Not found
  // id:" entries run together with no separator.
  std::u16string ExchangeText() const;
  // One entry a line ("Not found: ID"), LF-separated, for people and other formats.
  std::u16string Lines() const;
  // "Not found", "Unknown id", ...: the name a kind is shown and counted under.
  static std::u16string KindName(TReportKind kind);
  // The line of one entry in Lines().
  static std::u16string EntryLine(const TReportEntry& entry);

  // The entries grouped by kind, the kinds in the order first met, the entries of each in their
  // order: what a report box lists under "Not found: 57".
  struct TGroup {
    TReportKind Kind;
    std::vector<const TReportEntry*> Entries;
  };
  std::vector<TGroup> Groups() const;

 private:
  std::vector<TReportEntry> entries_;
};
