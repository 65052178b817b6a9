// Writes the seed corpora of the fuzz harnesses from the shipped data: the sample quest in every
// file version, a project of the sample without and with message states, an exchange, a PO and an
// XLIFF file of the sample, the catalogue, a journal of a few changes to the sample's project, and
// glossaries as TBX and CSV.
//   make_fuzz_seeds CORPUS_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/LegacyQuestWriter.h"
#include "formats/PoFormat.h"
#include "formats/XliffFormat.h"
#include "glossary/Glossary.h"
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
  for (const char* harness : {"catalogue", "quest", "project", "exchange", "po", "xliff", "journal", "tbx"})
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

  // A glossary of every status as we write it, another tool's TBX forms, and a CSV list.
  const TGlossary glossary{"ru",
                           "en",
                           {{u"карта", {u"map", u"chart"}, u"a star chart", TTermStatus::Preferred},
                            {u"Рось", {u"Ross"}, u"", TTermStatus::Admitted},
                            {u"доминатор", {u"dominator"}, u"", TTermStatus::Forbidden},
                            {u"Гаал", {}, u"a name", TTermStatus::DoNotTranslate}}};
  SaveTbx(glossary, (corpus / "tbx" / "glossary.tbx").string());
  const std::string other =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE martif SYSTEM \"TBXcdv04.dtd\">\n<martif type=\"TBX\" xml:lang=\"en\">"
      "<text><body><termEntry><descrip type=\"definition\">d</descrip><langSet xml:lang=\"en\"><ntig><termGrp>"
      "<term>a</term></termGrp></ntig></langSet><langSet xml:lang=\"de\"><tig><term>b</term><termNote "
      "type=\"administrativeStatus\">deprecatedTerm-admn-sts</termNote></tig></langSet></termEntry></body></text>"
      "</martif>\n";
  WriteFile(corpus / "tbx" / "other.tbx", std::vector<uint8_t>(other.begin(), other.end()));
  const std::string second =
      "<tbx type=\"TBX-Basic\" style=\"dca\" xml:lang=\"ru\" xmlns=\"urn:iso:std:iso:30042:ed-2\"><text><body>"
      "<conceptEntry id=\"c\"><langSec xml:lang=\"ru\"><termSec><term>x</term></termSec></langSec><langSec "
      "xml:lang=\"en\"><termSec><term>y</term></termSec></langSec></conceptEntry></body></text></tbx>\n";
  WriteFile(corpus / "tbx" / "second-edition.tbx", std::vector<uint8_t>(second.begin(), second.end()));
  const std::string list = "\xEF\xBB\xBFsource;target;note\r\n\"a; \"\"b\"\"\";c;\"line\r\nbreak\"\r\n;x;\r\n";
  WriteFile(corpus / "tbx" / "list.csv", std::vector<uint8_t>(list.begin(), list.end()));
  std::printf("seeds written to %s\n", corpus.string().c_str());
  return 0;
}
