// The "tags" check and the exchange import report's tag comparison are one rule: on every record
// of a fuzzed exchange corpus, the import reports "DifTag" for a record exactly when the check
// finds the record's body differs in tags from the source, and it lists the same tags.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "checks/TranslationChecks.h"
#include "common/ScratchFolder.h"
#include "common/ShippedData.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/JD_Str.h"

namespace {

std::u16string ReadUnits(const std::filesystem::path& path) {
  TBlockFileReader file(path.string());
  const std::u16string units = file.ReadUnits(static_cast<int32_t>(file.Size() / 2));
  return units;
}

// A scratch file, written plainly: hundreds of them, and none needs to survive a crash.
void WriteUnits(const std::string& fileName, const std::u16string& units) {
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  for (char16_t unit : units) file.put(static_cast<char>(unit & 0xFF)).put(static_cast<char>(unit >> 8));
}

// The "DifTag" entries the check predicts, in the order of the records: the first id of each
// record that names the same message in the source and the target, with the check's tags.
std::vector<std::u16string> PredictedTagEntries(const TtxgProject& project, const std::u16string& text,
                                                int32_t& compared) {
  std::vector<std::u16string> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t begin = text.find(u"<Begin ", pos);
    if (begin == std::u16string::npos) break;
    const std::size_t idsEnd = text.find(u">\r\n", begin + 7);
    if (idsEnd == std::u16string::npos) break;
    const std::size_t bodyEnd = text.find(u"\r\n<End>", idsEnd + 3);
    if (bodyEnd == std::u16string::npos) break;
    pos = bodyEnd + 7;
    const std::u16string ids = text.substr(begin + 7, idsEnd - begin - 7);
    const std::u16string firstId = ids.substr(0, ids.find(u' '));
    if (firstId.empty()) continue;
    const int32_t k = project.FindTargetId(firstId);
    if (k < 0 || k != project.FindSourceId(firstId)) continue;
    ++compared;
    const std::u16string source = project.GetSourceText(k);
    const std::u16string body = text.substr(idsEnd + 3, bodyEnd - idsEnd - 3);
    for (const TCheckFinding& finding : CheckTranslation(source, body)) {
      if (finding.Code != "tags") continue;
      std::u16string entry = u"DifTag in " + firstId + u": ";
      for (const TTextSpan& span : finding.Spans) {
        const std::u16string& side = span.InSource ? source : body;
        entry +=
            u" " + side.substr(static_cast<std::size_t>(span.Begin), static_cast<std::size_t>(span.End - span.Begin));
      }
      entries.push_back(entry + u"\r\n");
    }
  }
  return entries;
}

// Mutations in the manner of a fuzzer, biased to markup: pieces of tags and formulas inserted,
// units deleted or repeated, records cut.
std::u16string Mutate(std::u16string text, std::mt19937& random) {
  static const std::vector<std::u16string> pieces = {
      u"<", u">", u"<Money>", u"<money>", u"<clr>",   u"<clrEnd>",  u"<>",       u"[p1]",
      u"{", u" ", u"\r\n",    u"a>",      u"<Begin ", u"\r\n<End>", u"<ToStar>", u"<b"};
  auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const std::size_t steps = 1 + below(6);
  for (std::size_t step = 0; step < steps && text.size() > 1; ++step) {
    const std::size_t at = 1 + below(text.size() - 1);  // the byte-order mark stays
    switch (below(4)) {
      case 0:
        text.insert(at, pieces[below(pieces.size())]);
        break;
      case 1:
        text.erase(at, 1 + below(8));
        break;
      case 2:
        text.insert(at, text.substr(at, 1 + below(12)));
        break;
      default:
        text[at] = text[below(text.size())];
        break;
    }
  }
  return text;
}

TEST(TagAgreement, TheTagsCheckAndTheImportReportAgreeOnTheFuzzedExchangeCorpus) {
  TtxgProject project(ShippedCatalogue());
  project.NewFromSource(SampleQuestPath());
  const std::filesystem::path fuzz = std::filesystem::path(XG_TEST_DIR) / ".." / "fuzz";
  std::vector<std::u16string> seeds;
  for (const char* folder : {"corpus/exchange", "regressions/exchange"}) {
    if (!std::filesystem::is_directory(fuzz / folder)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(fuzz / folder))
      if (entry.is_regular_file() && entry.file_size() % 2 == 0) seeds.push_back(ReadUnits(entry.path()));
  }
  ASSERT_FALSE(seeds.empty());

  ScratchFolder folder;
  const std::string fileName = folder.File("messages.txt");
  std::mt19937 random(13);
  int32_t compared = 0;
  int32_t differing = 0;
  for (int input = 0; input < 400; ++input) {
    const std::u16string& seed = seeds[static_cast<std::size_t>(input) % seeds.size()];
    const std::u16string text = input < static_cast<int>(seeds.size()) ? seed : Mutate(seed, random);
    SCOPED_TRACE(input);
    WriteUnits(fileName, text);
    project.TargetGame.Assign(project.SourceGame);
    project.RebuildMessageTable();
    std::u16string report;
    try {
      project.LoadMessages(fileName, report);
    } catch (const ENotUnicodeText&) {
      continue;
    }
    // Each predicted entry is in the report, in order; no other "DifTag" entry is.
    const std::vector<std::u16string> predicted = PredictedTagEntries(project, text.substr(1), compared);
    std::size_t cursor = 0;
    for (const std::u16string& entry : predicted) {
      const std::size_t at = report.find(entry, cursor);
      ASSERT_NE(at, std::u16string::npos) << WideToAnsi(entry) << "\nreport: " << WideToAnsi(report);
      report.erase(at, entry.size());
      cursor = at;
    }
    EXPECT_EQ(report.find(u"DifTag in "), std::u16string::npos) << WideToAnsi(report);
    differing += static_cast<int32_t>(predicted.size());
  }
  // The corpus exercises both answers.
  EXPECT_GT(differing, 100);
  EXPECT_GT(compared, differing * 4);
}

}  // namespace
