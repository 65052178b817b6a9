#pragma once
// A glossary: the terms of a game (names of planets, races, ranks, goods) and how they are
// translated. Kept in TBX files (the TBX-Basic dialect, read and written with libxml2); lists kept
// in spreadsheets come in through a CSV import. A project names its glossary files in its setting
// "glossaries".
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/JD_Error.h"

class TtxgProject;

enum class TTermStatus : uint8_t {
  Preferred,       // the translations are the ones to use
  Admitted,        // the translations may be used
  Forbidden,       // the translations must not be used
  DoNotTranslate,  // the translation keeps the source term as it is
};

struct TGlossaryEntry {
  std::u16string Source;
  std::vector<std::u16string> Targets;  // the first is the preferred one
  std::u16string Note;
  TTermStatus Status = TTermStatus::Preferred;
  bool operator==(const TGlossaryEntry&) const = default;
};

struct TGlossary {
  std::string SourceLanguage;  // as the file declares it ("en", "ru"); may be empty
  std::string TargetLanguage;
  std::vector<TGlossaryEntry> Entries;
};

// What a read found: the entries kept and those skipped for lack of a source term.
struct TGlossaryReport {
  std::size_t Entries = 0;
  std::size_t WithoutSource = 0;
};

// A glossary file that cannot be used: what() says what is wrong; the context names the file and
// the line, so the edge shows "FILE:LINE: what".
class EGlossaryError : public std::runtime_error, public TFileErrorContext {
 public:
  EGlossaryError(const std::string& fileName, int64_t line, const std::string& cause);
};

// A TBX file (TBX-Basic or any TBX of the martif kind; termEntry / langSet / tig or ntig). The
// source language is the one martif's xml:lang names (an entry without it takes its first langSet);
// the targets are the terms of the first other language. Entities and DTDs are never expanded or
// loaded. Raises EInOutError when the file cannot be read, EGlossaryError when it is no TBX.
TGlossary LoadTbx(const std::string& fileName, TGlossaryReport& report);
// Written through the safe save: a failed write leaves an old file as it was.
void SaveTbx(const TGlossary& glossary, const std::string& fileName);

// A CSV list (RFC 4180, UTF-8 with or without a byte-order mark): source term, target term, note
// a row; a first row naming the columns ("source", "target", ...) is a header and skipped.
TGlossary ImportGlossaryCsv(const std::string& fileName, const std::string& sourceLanguage,
                            const std::string& targetLanguage, TGlossaryReport& report);

// Adds `entry` to the TBX file `fileName` (made when it does not exist yet, for these languages),
// keeping the rest.
void AddGlossaryEntry(const std::string& fileName, const TGlossaryEntry& entry, const std::string& sourceLanguage = {},
                      const std::string& targetLanguage = {});

// The glossary files of a project: its setting "glossaries", one file a line, in order.
std::vector<std::string> ProjectGlossaryFiles(const TtxgProject& project);
void SetProjectGlossaryFiles(TtxgProject& project, const std::vector<std::string>& files);
