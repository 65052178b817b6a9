#pragma once
// What the project tests share: the shipped catalogue, a scratch folder, small quests built in
// memory, and exchange files written and read as raw UTF-16.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "quest/GameContent.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

namespace projecttest {

inline const TBlockParJD& Catalogue() { return ShippedCatalogue(); }

inline std::string SampleQuest() { return std::string(XG_DATA_DIR) + "/sample.xg"; }

inline std::vector<uint8_t> ReadBytes(const std::string& fileName) {
  TBlockFileReader file(fileName);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  if (!bytes.empty()) file.ReadBytes(bytes.data(), bytes.size());
  return bytes;
}

inline void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  TBlockFileWriter file(fileName);
  if (!bytes.empty()) file.WriteBytes(bytes.data(), bytes.size());
  file.Commit();
}

// An exchange file: the byte-order mark and the text as UTF-16LE.
inline void WriteExchangeFile(const std::string& fileName, const std::u16string& text) {
  TBlockFileWriter file(fileName);
  file.WriteByte(0xFF);
  file.WriteByte(0xFE);
  file.WriteUnits(text);
  file.Commit();
}

// The text of an exchange file after its byte-order mark.
inline std::u16string ReadExchangeText(const std::string& fileName) {
  TBlockFileReader file(fileName);
  if (file.Size() < 2 || file.ReadByte() != 0xFF || file.ReadByte() != 0xFE)
    throw std::runtime_error("no byte-order mark in " + fileName);
  return file.ReadUnits(static_cast<int32_t>(file.BytesLeft() / 2));
}

inline std::vector<uint8_t> QuestBytes(const TGame& game) {
  TBlockFileWriter writer;
  game.WriteTo(writer);
  return writer.Bytes();
}

// A quest whose only texts are the ones a test gives it: the seven document texts are blanked.
inline void MakeBareQuest(TGame& game) {
  game.Reset();
  for (TTextField* text : {&game.QuestDescription, &game.QuestSuccessGovMessage, &game.RVagrel, &game.RToPlanet,
                           &game.RToStar, &game.RFromPlanet, &game.RFromStar})
    text->Text.clear();
}

struct TestPathTexts {
  int32_t value2;
  std::u16string question;
  std::u16string answer = u"";
};

// Paths 1..n in order, path i with Number 100 + i.
inline void AddPaths(TGame& game, const std::vector<TestPathTexts>& paths) {
  for (const TestPathTexts& wanted : paths) {
    TPath& path = game.Path(++game.PathCount);
    path.Number = 100 + game.PathCount;
    path.Value2 = wanted.value2;
    path.StartText.Text = wanted.question;
    path.EndText.Text = wanted.answer;
  }
}

// Copies the prepared source into the target and builds the table, like a new project does.
inline void OpenFromSource(TtxgProject& project) {
  project.TargetGame.Assign(project.SourceGame);
  project.RebuildMessageTable();
  project.CurrentMessage = 1;
}

}  // namespace projecttest
