#include "checks/Spelling.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <hunspell.hxx>

#include "project/ProjectClass.h"
#include "quest/QuestMarkup.h"
#include "support/BlockFile.h"
#include "support/JD_Str.h"

namespace {

constexpr std::string_view SpellingCode = "spelling";
constexpr std::string_view SpellingDescription = "Misspelled word";

bool IsUtf8(const std::string& encoding) { return encoding == "UTF-8" || encoding == "utf-8" || encoding == "UTF8"; }

// Converts between UTF-8 and a dictionary's own 8-bit encoding; what does not convert is dropped
// (such a word is not in that dictionary anyway).
std::string Recode(const std::string& text, const std::string& from, const std::string& to) {
  iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string result;
  std::string input = text;
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    result.append(buffer, static_cast<std::size_t>(out - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ++in;  // skip what the target encoding cannot hold
      --inLeft;
    }
  }
  iconv_close(converter);
  return result;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined.empty() ? "none" : joined;
}

}  // namespace

std::vector<std::string> DictionaryFolders() {
  std::vector<std::string> folders;
  if (const char* path = std::getenv("DICPATH"); path != nullptr) {
    std::string list = path;
    std::size_t start = 0;
    while (start <= list.size()) {
      const std::size_t end = std::min(list.find(':', start), list.size());
      if (end > start) folders.push_back(list.substr(start, end - start));
      start = end + 1;
    }
  }
  folders.push_back("/usr/share/hunspell");
  folders.push_back("/usr/share/myspell/dicts");
  return folders;
}

std::vector<std::string> AvailableDictionaries(const std::vector<std::string>& folders) {
  std::vector<std::string> names;
  for (const std::string& folder : folders) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::filesystem::path& path = entry.path();
      if (path.extension() != ".aff") continue;
      std::filesystem::path dic = path;
      dic.replace_extension(".dic");
      if (std::filesystem::exists(dic, error)) names.push_back(path.stem().string());
    }
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::string UserWordListPath(const std::string& dictionary) {
  std::filesystem::path base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
  }
  return (base / "xgtranslator" / ("words-" + dictionary + ".txt")).string();
}

TSpellChecker::TSpellChecker(const std::string& language)
    : TSpellChecker(language, DictionaryFolders(), std::string()) {}

TSpellChecker::TSpellChecker(const std::string& language, const std::vector<std::string>& folders,
                             std::string userWordList) {
  const std::vector<std::string> names = AvailableDictionaries(folders);
  auto found = std::find(names.begin(), names.end(), language);
  if (found == names.end() && !language.empty() && language.find('_') == std::string::npos)
    found = std::find_if(names.begin(), names.end(),
                         [&language](const std::string& name) { return name.starts_with(language + "_"); });
  if (found == names.end())
    throw ESpellingError("Unknown spelling language: " + language + " (dictionaries: " + Joined(names) + ")");
  dictionary_ = *found;
  for (const std::string& folder : folders) {
    const std::filesystem::path aff = std::filesystem::path(folder) / (dictionary_ + ".aff");
    const std::filesystem::path dic = std::filesystem::path(folder) / (dictionary_ + ".dic");
    std::error_code error;
    if (!std::filesystem::exists(aff, error) || !std::filesystem::exists(dic, error)) continue;
    hunspell_ = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    break;
  }
  if (hunspell_ == nullptr)
    throw ESpellingError("Unknown spelling language: " + language + " (dictionaries: " + Joined(names) + ")");
  encoding_ = hunspell_->get_dict_encoding();
  userWordList_ = userWordList.empty() ? UserWordListPath(dictionary_) : std::move(userWordList);
  if (std::filesystem::exists(userWordList_)) {
    TBlockFileReader file(userWordList_);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    if (!bytes.empty()) file.ReadBytes(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
      std::string line = bytes.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) {
        userWords_.push_back(AnsiToWide(line));
        hunspell_->add(Encode(userWords_.back()));
      }
      start = end + 1;
    }
  }
}

TSpellChecker::~TSpellChecker() = default;

std::string TSpellChecker::Encode(std::u16string_view word) const {
  const std::string utf8 = WideToAnsi(std::u16string(word));
  return IsUtf8(encoding_) ? utf8 : Recode(utf8, "UTF-8", encoding_);
}

std::u16string TSpellChecker::Decode(const std::string& bytes) const {
  return AnsiToWide(IsUtf8(encoding_) ? bytes : Recode(bytes, encoding_, "UTF-8"));
}

bool TSpellChecker::IsCorrect(std::u16string_view word) {
  const std::u16string key(word);
  if (auto known = known_.find(key); known != known_.end()) return known->second;
  const bool correct = hunspell_->spell(Encode(word));
  known_.emplace(key, correct);
  return correct;
}

std::vector<std::u16string> TSpellChecker::Suggestions(std::u16string_view word) {
  std::vector<std::u16string> suggestions;
  for (const std::string& suggestion : hunspell_->suggest(Encode(word))) suggestions.push_back(Decode(suggestion));
  return suggestions;
}

void TSpellChecker::AddToDictionary(std::u16string_view word) {
  const std::u16string added(word);
  if (added.empty() || std::find(userWords_.begin(), userWords_.end(), added) != userWords_.end()) return;
  std::string bytes;
  for (const std::u16string& known : userWords_) bytes += WideToAnsi(known) + "\n";
  bytes += WideToAnsi(added) + "\n";
  std::filesystem::create_directories(std::filesystem::path(userWordList_).parent_path());
  TBlockFileWriter file(userWordList_);
  file.WriteBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  file.Commit();
  userWords_.push_back(added);
  hunspell_->add(Encode(added));
  known_.clear();  // the word may also make others correct (its other case forms)
}

std::vector<TTextSpan> TSpellChecker::Misspelled(std::u16string_view text) {
  std::vector<TTextSpan> spans;
  TMarkupScanner scanner(text);
  TMarkupToken token;
  while (scanner.Next(token))
    if (token.Kind == TMarkupKind::Word && !IsCorrect(token.In(text)))
      spans.push_back({false, static_cast<int32_t>(token.Begin), static_cast<int32_t>(token.End)});
  return spans;
}

TCheckCode SpellingCheck() { return {SpellingCode, SpellingDescription}; }

std::vector<TCheckFinding> CheckSpelling(const TtxgProject& project, int32_t n, TSpellChecker& speller) {
  std::vector<TCheckFinding> findings;
  // A translation kept as it is holds the source's words, which are no words of the target language.
  if (n < 1 || n > project.SourceCount || n > project.TargetCount || project.IsNotEdited(n) ||
      project.TranslatedAsIs(n))
    return findings;
  const std::u16string target = project.GetTargetText(n);
  for (const TTextSpan& span : speller.Misspelled(target)) {
    TCheckFinding& finding = findings.emplace_back();
    finding.Code = SpellingCode;
    finding.Description = SpellingDescription;
    finding.Detail =
        target.substr(static_cast<std::size_t>(span.Begin), static_cast<std::size_t>(span.End - span.Begin));
    finding.Spans.push_back(span);
  }
  return findings;
}
