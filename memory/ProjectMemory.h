#pragma once
// What a project gives the translation memory: its translated positions, the unused translations
// of its updates and the TMX files attached to it.
#include <string>
#include <vector>

#include "memory/Tmx.h"
#include "memory/TranslationMemory.h"

class TtxgProject;

// One entry per translated position, in position order; the origin is the message id.
std::vector<TMemoryEntry> TranslatedEntries(const TtxgProject& project);

// The project's translations as a TMX file: every translated position, the target language that of
// the project's setting "language" ("und" when none is set).
void ExportProjectTmx(const TtxgProject& project, const std::string& fileName);

// The TMX files attached to the project (its setting "memories", one file a line).
std::vector<std::string> AttachedMemoryFiles(const TtxgProject& project);
void SetAttachedMemoryFiles(TtxgProject& project, const std::vector<std::string>& files);

// Clears `memory` and fills it: translated positions, unused translations ("unused " + id as the
// origin), then every attached file. A file that cannot be read is skipped and its error text
// added to `problems`, so one missing file does not take the others away.
void FillProjectMemory(const TtxgProject& project, TTranslationMemory& memory, std::vector<std::string>& problems);
