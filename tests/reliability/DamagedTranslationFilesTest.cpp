// Damaged PO and XLIFF files: 150 cut points and 150 single-byte changes of
// a translated sample's files are refused with the file's name, or imported with a report; a
// refused file leaves the target quest as it was, and numbering never falls out of step.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "formats/Formats.h"
#include "project/ProjectClass.h"
#include "reliability/ReliabilityHelpers.h"
#include "support/BlockFile.h"
#include "support/ErrorDescription.h"

namespace {

using reliability::Catalogue;
using reliability::ReadBytes;
using reliability::ScratchFolder;
using reliability::WriteBytes;

std::vector<uint8_t> TargetBytes(const TtxgProject& project) {
  TBlockFileWriter writer;
  project.TargetGame.WriteTo(writer);
  return writer.Bytes();
}

class DamagedTranslationFiles : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    project = std::make_unique<TtxgProject>(Catalogue());
    project->NewFromSource(reliability::SampleQuest());
    project->SetTargetText(1, u"Translated <ToStar>\r\nsecond line <Money>");
    project->SetTargetText(3, u"translated courier");
    format = FindFormat(GetParam());
    const std::string file = folder.File("sample" + format->Extensions.front());
    format->Save(*project, file, TExportOptions{"sample.xg", "en"});
    bytes = ReadBytes(file);
  }

  void ImportAndCheck(const std::vector<uint8_t>& damaged, const std::string& what) {
    const std::string file = folder.File("damaged" + format->Extensions.front());
    WriteBytes(file, damaged);
    project->TargetGame.Assign(project->SourceGame);
    project->RebuildMessageTable();
    const std::vector<uint8_t> before = TargetBytes(*project);
    TConversionReport report;
    try {
      format->Load(*project, file, report);
    } catch (const EFormatParseError& error) {
      ASSERT_EQ(DescribeError(error).front().rfind(file + ":", 0), 0u) << what << ": " << error.what();
      ASSERT_EQ(TargetBytes(*project), before) << what;
      return;
    }
    project->Relink();
    ASSERT_EQ(project->SourceCount, project->TargetCount) << what;
  }

  ScratchFolder folder;
  std::unique_ptr<TtxgProject> project;
  const TFormat* format = nullptr;
  std::vector<uint8_t> bytes;
};

TEST_P(DamagedTranslationFiles, CutsAndChangedBytesAreRefusedOrReported) {
  const std::size_t step = bytes.size() / 150 + 1;
  for (std::size_t cut = 0; cut < bytes.size(); cut += step)
    ImportAndCheck(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)),
                   "cut at " + std::to_string(cut));
  std::mt19937 random(11);
  for (int i = 0; i < 150; ++i) {
    const std::size_t position = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random);
    std::vector<uint8_t> changed = bytes;
    changed[position] ^= static_cast<uint8_t>(1 + random() % 255);
    ImportAndCheck(changed, "byte " + std::to_string(position));
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, DamagedTranslationFiles, ::testing::Values("po", "xliff"));

}  // namespace
