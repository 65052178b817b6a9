#pragma once
// What the window keeps of a project's glossaries while it is open: the files its setting
// "glossaries" names, each as it was read (or why it could not be), and the matcher of their terms
// for the project's languages. A glossary that cannot be read is left out; the others are used.
#include <memory>
#include <string>
#include <vector>

#include "glossary/Glossary.h"

class TTermMatcher;
class TtxgProject;

struct TLoadedGlossary {
  std::string File;
  bool Read = false;      // false: Problem says why
  bool Writable = false;  // read, and the file may be written
  std::string Problem;    // "FILE:LINE: what", as the error box shows a file's error
  TGlossary Glossary;
};

// The languages the terms are compared in: the quest's source language and the target language as
// the spelling check finds it (its dictionary's language), else the project's "language" setting,
// else what the first glossary that declares one says.
struct TTermLanguages {
  std::string Source;
  std::string Target;
  bool operator==(const TTermLanguages&) const = default;
};
// `workspaceLanguage` (the workspace's setting) comes after the project's own.
TTermLanguages ProjectTermLanguages(const TtxgProject& project, const std::vector<TLoadedGlossary>& glossaries,
                                    const std::string& workspaceLanguage = {});

class TGlossarySession {
 public:
  TGlossarySession();
  ~TGlossarySession();
  TGlossarySession(const TGlossarySession&) = delete;
  TGlossarySession& operator=(const TGlossarySession&) = delete;

  // Reads every glossary file of `project` again, then those of the workspace that the project
  // does not name, and drops the matcher; returns one problem per file that could not be read.
  std::vector<std::string> Load(const TtxgProject& project, const std::vector<std::string>& workspaceFiles = {},
                                const std::string& workspaceLanguage = {});
  // Reads `file` of the set again after it was written.
  void Reload(const std::string& file);
  const std::vector<TLoadedGlossary>& Glossaries() const { return glossaries_; }
  // The first glossary new terms go into: read and writable; empty when there is none.
  std::string WritableFile() const;

  // The terms of every glossary read, in order; built again when the project's languages changed
  // since the last call. nullptr when no glossary has a term.
  const TTermMatcher* Matcher(const TtxgProject& project);

 private:
  std::vector<TLoadedGlossary> glossaries_;
  std::unique_ptr<TTermMatcher> matcher_;
  TTermLanguages matcherLanguages_;
  std::string workspaceLanguage_;
  bool stale_ = true;
};
