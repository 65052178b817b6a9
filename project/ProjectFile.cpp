// The project file: a 12-byte head (current message, source count, target count) and the two
// quests in the quest file layout. The message table is not stored; it is rebuilt on loading.
#include <cstdint>
#include <string>

#include "project/ProjectClass.h"
#include "quest/BlockFile.h"

void TtxgProject::SaveToFile(const std::string& fileName) const {
  TBlockFileWriter file(fileName);
  file.WriteInt(CurrentMessage);
  file.WriteInt(SourceCount);
  file.WriteInt(TargetCount);
  SourceGame.WriteTo(file);
  TargetGame.WriteTo(file);
  file.Commit();
}

void TtxgProject::LoadFromFile(const std::string& fileName) {
  TBlockFileReader file(fileName);
  try {
    const int32_t currentMessage = file.ReadInt();
    // The stored counts are not trusted: the enumeration after loading replaces them.
    (void)file.ReadInt();
    (void)file.ReadInt();
    SourceGame.ReadFrom(file);
    TargetGame.ReadFrom(file);
    RebuildMessageTable();
    CurrentMessage = currentMessage;
  } catch (...) {
    // Never a table that claims messages of a half-read quest: the project is left empty.
    Clear();
    throw;
  }
}
