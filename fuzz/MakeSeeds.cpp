// Writes the seed corpora of the fuzz harnesses from the shipped data: the sample quest in every
// file version, a project of the sample without and with message states, an exchange, a PO and an
// XLIFF file of the sample, the catalogue, and a journal of a few changes to the sample's project.
//   make_fuzz_seeds CORPUS_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/LegacyQuestWriter.h"
#include "formats/PoFormat.h"
#include "formats/XliffFormat.h"
#include "journal/JournalReplay.h"
#include "project/ProjectClass.h"
#include "quest/GameContent.h"
#include "support/JD_BlockPar.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds CORPUS_FOLDER\n");
    return 2;
  }
  const std::filesystem::path corpus(argv[1]);
  const std::string data = XG_DATA_DIR;
  for (const char* harness : {"catalogue", "quest", "project", "exchange", "po", "xliff", "journal"})
    std::filesystem::create_directories(corpus / harness);

  std::filesystem::copy_file(data + "/msg_cfg.txt", corpus / "catalogue" / "msg_cfg.txt",
                             std::filesystem::copy_options::overwrite_existing);
  const std::string blocks = "Top=1\r\nBlock {\r\n  Inner=a=b // note\r\n  Deeper { X=1 }\r\n}\r\n=x\r\nKey= value\r\n";
  WriteFile(corpus / "catalogue" / "blocks.txt", std::vector<uint8_t>(blocks.begin(), blocks.end()));

  TBlockParJD catalogue;
  catalogue.LoadFromFile(data + "/msg_cfg.txt", false);
  TGame sample(catalogue);
  sample.LoadFromFile(data + "/sample.xg");
  for (int32_t version = QuestVersion::V11; version <= QuestVersion::V22; ++version)
    WriteFile(corpus / "quest" / ("sample-" + std::to_string(version) + ".xg"), WriteLegacyQuest(sample, version));

  TtxgProject project(catalogue);
  project.NewFromSource(data + "/sample.xg");
  project.CurrentMessage = 5;
  project.SaveToFile((corpus / "project" / "sample.txg").string());
  project.SaveMessages((corpus / "exchange" / "sample.txt").string());
  const TExportOptions options{"sample.xg", "en"};
  SavePo(project, (corpus / "po" / "sample.po").string(), options);
  SaveXliff(project, (corpus / "xliff" / "sample.xlf").string(), options);
  // A translated message with markup and a line break, and one with a note-free blank text.
  project.SetTargetText(1, u"Translated <ToStar>\r\nsecond line <Money> \xD800");
  project.SetTargetText(2, u" ");
  SavePo(project, (corpus / "po" / "translated.po").string(), options);
  SaveXliff(project, (corpus / "xliff" / "translated.xlf").string(), options);

  // The same project with message states, settings and a section of a later feature after the quests.
  for (int32_t n = 1; n <= project.SourceCount; n += 3) project.SetNeedsReview(n, true);
  for (int32_t n = 2; n <= project.SourceCount; n += 5) project.SetNote(n, u"check\r\nthis");
  project.SetPreviousSource(4, u"older text");
  project.SetTranslatedAsIs(3, true);
  project.SetSetting(u"language", u"ru");
  project.SetSetting(u"memories", u"a.tmx\nb.tmx");
  project.SetSection("unused", {1, 0, 0, 0, 'x', 0});
  project.SaveToFile((corpus / "project" / "sample-states.txg").string());

  // The name and the times are fixed, so the seed is the same wherever it is made.
  TJournalHeader header = JournalHeaderFor((corpus / "project" / "sample-states.txg").string());
  header.FileName = "sample-states.txg";
  header.Started = 1700000000000;
  TJournalWriter journal = TJournalWriter::Start((corpus / "journal" / "sample-states.txg.journal").string(), header);
  project.StoreTranslation(1, u"typed");
  project.SetNeedsReview(2, true);
  project.SetNote(2, u"a note");
  for (const int32_t n : {1, 2, 3}) journal.Append(JournalEntryOf(project, n, header.Started + n));
  std::printf("seeds written to %s\n", corpus.string().c_str());
  return 0;
}
