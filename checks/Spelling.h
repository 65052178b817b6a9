#pragma once
// Spelling of translations with Hunspell and the system's dictionaries (Debian "hunspell-*"
// packages). Only the words of a text are checked: tags, formulas and numbers, and the words
// inside them, never. Words the user adds go to a per-user word list that every later checker of
// that dictionary reads.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "checks/TranslationChecks.h"

class Hunspell;

class ESpellingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The folders searched for dictionaries: those in $DICPATH (separated by ":"), then
// /usr/share/hunspell and /usr/share/myspell/dicts.
std::vector<std::string> DictionaryFolders();
// The names of the dictionaries ("en_US", "ru_RU") that have both their .aff and .dic file in
// one of the folders; sorted, each once.
std::vector<std::string> AvailableDictionaries(const std::vector<std::string>& folders);
// $XDG_DATA_HOME (default ~/.local/share) /xgtranslator/words-DICTIONARY.txt: UTF-8, a word a line.
std::string UserWordListPath(const std::string& dictionary);

class TSpellChecker {
 public:
  // `language` names a dictionary ("ru_RU") or a language ("ru": the first dictionary "ru_*").
  // Raises ESpellingError "Unknown spelling language: LANG (dictionaries: a, b)" when there is
  // none, and the input/output error when the user's word list exists but cannot be read.
  TSpellChecker(const std::string& language, const std::vector<std::string>& folders, std::string userWordList);
  explicit TSpellChecker(const std::string& language);
  ~TSpellChecker();
  TSpellChecker(const TSpellChecker&) = delete;
  TSpellChecker& operator=(const TSpellChecker&) = delete;

  const std::string& Dictionary() const { return dictionary_; }
  bool IsCorrect(std::u16string_view word);
  std::vector<std::u16string> Suggestions(std::u16string_view word);
  // Accepted from now on, and kept in the user's word list (rewritten whole, atomically).
  void AddToDictionary(std::u16string_view word);
  // The spans of the misspelled words of a text, in order (InSource is false).
  std::vector<TTextSpan> Misspelled(std::u16string_view text);

 private:
  std::string Encode(std::u16string_view word) const;
  std::u16string Decode(const std::string& bytes) const;

  std::string dictionary_;
  std::string encoding_;
  std::string userWordList_;
  std::vector<std::u16string> userWords_;
  std::unique_ptr<Hunspell> hunspell_;
  std::unordered_map<std::u16string, bool> known_;  // answers so far: a quest repeats its words
};

// The spelling as a check beside CheckCodes(): code "spelling".
TCheckCode SpellingCheck();

// The spelling findings of message n (code "spelling", the word as detail), for translated
// messages only: an untranslated message is still in the source's language, and a deleted one
// has no text.
std::vector<TCheckFinding> CheckSpelling(const TtxgProject& project, int32_t n, TSpellChecker& speller);
