// Out and back in through every translation tool format: the project stays byte for byte as it
// was, and a fresh project from the same quest receives every translation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "common/FullQuest.h"
#include "project/ExchangeFormat.h"
#include "support/BlockFile.h"

using namespace formattest;

namespace {

struct RoundTripCase {
  std::string format;
  bool oddQuest;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {
 protected:
  std::unique_ptr<TtxgProject> NewProject() { return std::make_unique<TtxgProject>(projecttest::Catalogue()); }
  ScratchFolder folder;
};

TEST_P(RoundTrip, ExportThenImportLeavesTheProjectByteIdentical) {
  const TFormat& format = *FindFormat(GetParam().format);
  auto project = NewProject();
  if (GetParam().oddQuest) {
    MakeOddProject(*project);
    project->SetTargetText(2, project->DeletedMessageText());
  } else {
    project->NewFromSource(projecttest::SampleQuest());
    project->SetTargetText(1, u"Translated <ToStar> mission\r\nsecond line <Money>");
    project->SetTranslatedAsIs(3, true);
  }
  // The project file keeps texts as the quest file does (trimmed at both ends): what goes out is
  // what a project read from its file holds.
  project->SaveToFile(folder.File("made.txg"));
  project = NewProject();
  project->LoadFromFile(folder.File("made.txg"));
  const std::string before = folder.File("before.txg");
  project->SaveToFile(before);
  const std::string exported = folder.File("out" + format.Extensions.front());
  format.Save(*project, exported, Options);

  auto reloaded = NewProject();
  reloaded->LoadFromFile(before);
  TConversionReport report;
  format.Load(*reloaded, exported, report);
  EXPECT_EQ(report.Lines(), u"");
  // Message by message first, so a difference is named before the bytes are compared.
  for (int32_t n = 1; n <= project->SourceCount; ++n) {
    EXPECT_EQ(reloaded->GetTargetText(n), project->GetTargetText(n)) << n;
    EXPECT_EQ(reloaded->NeedsReview(n), project->NeedsReview(n)) << n;
    EXPECT_EQ(reloaded->Note(n), project->Note(n)) << n;
    EXPECT_EQ(reloaded->PreviousSource(n), project->PreviousSource(n)) << n;
    EXPECT_EQ(reloaded->TranslatedAsIs(n), project->TranslatedAsIs(n)) << n;
  }
  reloaded->SaveToFile(folder.File("after.txg"));
  EXPECT_EQ(projecttest::ReadBytes(folder.File("after.txg")), projecttest::ReadBytes(before));

  // A project fresh from the same quest receives every translation and keeps every source text.
  auto fresh = NewProject();
  fresh->LoadFromFile(before);
  fresh->TargetGame.Assign(fresh->SourceGame);
  fresh->RebuildMessageTable();
  format.Load(*fresh, exported, report);
  for (int32_t n = 1; n <= project->SourceCount; ++n) {
    if (project->IsNotEdited(n)) {
      EXPECT_EQ(fresh->GetTargetText(n), fresh->GetSourceText(n)) << n;
    } else {
      EXPECT_EQ(fresh->GetTargetText(n), project->GetTargetText(n)) << n;
      EXPECT_EQ(fresh->TranslatedAsIs(n), project->TranslatedAsIs(n)) << n;
    }
  }

  // Units that come back in another order than they went out reach the same messages.
  std::vector<TIncomingUnit> units = format.Read(exported);
  std::reverse(units.begin(), units.end());
  auto reordered = NewProject();
  reordered->LoadFromFile(before);
  TConversionReport reorderedReport;
  ApplyIncomingUnits(*reordered, units, reorderedReport);
  EXPECT_EQ(reorderedReport.Lines(), u"");
  reordered->SaveToFile(folder.File("reordered.txg"));
  EXPECT_EQ(projecttest::ReadBytes(folder.File("reordered.txg")), projecttest::ReadBytes(before));
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip,
                         ::testing::Values(RoundTripCase{"po", false}, RoundTripCase{"po", true},
                                           RoundTripCase{"xliff", false}, RoundTripCase{"xliff", true}),
                         [](const auto& info) { return info.param.format + (info.param.oddQuest ? "Odd" : "Sample"); });

TEST(FormatRegistry, NamesAndExtensionsFindTheirFormat) {
  struct Case {
    std::string file;
    std::string format;  // "" = none
  };
  const std::vector<Case> cases = {{"a.po", "po"},       {"A.PO", "po"}, {"b.xlf", "xliff"},
                                   {"b.xliff", "xliff"}, {"c.pot", ""},  {"po", ""}};
  for (const Case& test : cases) {
    const TFormat* format = FormatForFile(test.file);
    EXPECT_EQ(format == nullptr ? std::string() : format->Name, test.format) << test.file;
  }
  EXPECT_EQ(FindFormat("xliff")->Extensions.front(), ".xlf");
  EXPECT_EQ(FindFormat("tmx"), nullptr);
}

TEST(FormatRegistry, EveryExtensionMapsBackToItsFormatInAnyCase) {
  std::size_t extensions = 0;
  for (const TFormat& format : Formats()) {
    ASSERT_FALSE(format.Extensions.empty()) << format.Name;
    EXPECT_EQ(FindFormat(format.Name), &format);
    for (const std::string& extension : format.Extensions) {
      ++extensions;
      std::string upper = extension;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      EXPECT_EQ(FormatForFile("/some/folder/file" + extension), &format) << extension;
      EXPECT_EQ(FormatForFile("file" + upper), &format) << upper;
    }
  }
  EXPECT_EQ(AllFormatExtensions(), (std::vector<std::string>{".po", ".xlf", ".xliff", ".txt"}));
  EXPECT_EQ(AllFormatExtensions().size(), extensions);
}

TEST(FormatRegistry, DialogFiltersAndTextsComeFromTheRegistry) {
  // The exact texts the window's dialogs have always shown.
  EXPECT_EQ(ExportDialogFilter(), "gettext PO file|*.po|XLIFF 1.2 file|*.xlf;*.xliff");
  EXPECT_EQ(ImportDialogFilter(),
            "PO or XLIFF file|*.po;*.xlf;*.xliff|gettext PO file|*.po|XLIFF 1.2 file|*.xlf;*.xliff");
  EXPECT_EQ(DialogFilter(*FindFormat("exchange")), "Unicode Text Document|*.txt");
  EXPECT_EQ(TranslationToolsFilesText(), "a .po, .xlf or .xliff file");
  std::vector<std::string> tools;
  for (const TFormat* format : TranslationToolsFormats()) tools.push_back(format->Name);
  EXPECT_EQ(tools, (std::vector<std::string>{"po", "xliff"}));
}

TEST(FormatRegistry, TheExchangeFileComesBackThroughTheRegistryAsThroughTheProject) {
  ScratchFolder folder;
  const TFormat& exchange = *FormatForFile("messages.TXT");
  ASSERT_EQ(exchange.Name, "exchange");
  EXPECT_EQ(exchange.Read, nullptr);  // it needs the project to read
  TtxgProject viaRegistry(projecttest::Catalogue());
  TtxgProject viaProject(projecttest::Catalogue());
  viaRegistry.NewFromSource(projecttest::SampleQuest());
  viaProject.NewFromSource(projecttest::SampleQuest());
  const std::string saved = folder.File("saved" + exchange.Extensions.front());
  exchange.Save(viaRegistry, saved, {});
  viaProject.SaveMessages(folder.File("project.txt"));
  EXPECT_EQ(ReadExchangeFileText(saved), ReadExchangeFileText(folder.File("project.txt")));

  // One record comes back translated, with a tag its source lacks.
  const std::u16string body = u"\u043f\u0435\u0440\u0435\u0432\u043e\u0434 <New>";
  const std::string file = folder.File("translated.txt");
  TBlockFileWriter writer(file);
  writer.WriteByte(0xFF);
  writer.WriteByte(0xFE);
  writer.WriteUnits(u"<Begin " + viaRegistry.TargetIds[1] + u">\r\n" + body + u"\r\n<End>\r\n");
  writer.Commit();
  TConversionReport report;
  exchange.Load(viaRegistry, file, report);
  std::u16string projectReport;
  viaProject.LoadMessages(file, projectReport);

  EXPECT_EQ(viaRegistry.GetTargetText(1), body);
  EXPECT_EQ(viaProject.GetTargetText(1), body);
  EXPECT_TRUE(viaRegistry.NeedsReview(1));  // the tags differ: reported and marked for review
  EXPECT_TRUE(viaProject.NeedsReview(1));
  EXPECT_EQ(report.ExchangeText(), projectReport);
  ASSERT_FALSE(report.Empty());
  EXPECT_EQ(report.Entries()[0].Kind, TReportKind::DifferentTags);
  EXPECT_EQ(report.Entries()[0].Detail, TagDifference(viaRegistry.GetSourceText(1), body));
  EXPECT_TRUE(report.Entries()[0].Detail.ends_with(u" <New>"));
}

TEST(QuestNameOf, TheProjectsNameEndingInXgWithoutItsFolder) {
  const std::vector<std::pair<std::string, std::string>> cases = {{"/home/t/work/sample.txg", "sample.xg"},
                                                                  {"Sample.TXG", "Sample.xg"},
                                                                  {"dir/quest.xg", "quest.xg"},
                                                                  {"dir/Quest.XG", "Quest.XG"},
                                                                  {"plain", "plain.xg"},
                                                                  {"a.txg.bak", "a.txg.bak.xg"},
                                                                  {"dir.txg/name", "name.xg"}};
  for (const auto& [file, quest] : cases) EXPECT_EQ(QuestNameOf(file), quest) << file;
}

TEST(TargetLanguage, TheCallersElseTheProjectsSetting) {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  project->NewFromSource(projecttest::SampleQuest());
  ScratchFolder folder;
  struct Case {
    std::u16string setting;
    std::string option;
    std::string poMark;
    std::string xliffMark;
  };
  const std::vector<Case> cases = {
      {u"", "", "\"Language: \\n\"", "source-language=\"ru\" datatype="},
      {u"fr", "", "\"Language: fr\\n\"", "target-language=\"fr\""},
      {u"fr", "de", "\"Language: de\\n\"", "target-language=\"de\""},
  };
  for (const Case& test : cases) {
    project->SetSetting(u"language", test.setting);
    FindFormat("po")->Save(*project, folder.File("a.po"), TExportOptions{"a.xg", test.option});
    FindFormat("xliff")->Save(*project, folder.File("a.xlf"), TExportOptions{"a.xg", test.option});
    const std::vector<uint8_t> po = projecttest::ReadBytes(folder.File("a.po"));
    const std::vector<uint8_t> xliff = projecttest::ReadBytes(folder.File("a.xlf"));
    EXPECT_NE(std::string(po.begin(), po.end()).find(test.poMark), std::string::npos) << test.poMark;
    EXPECT_NE(std::string(xliff.begin(), xliff.end()).find(test.xliffMark), std::string::npos) << test.xliffMark;
  }
}

TEST(OutgoingUnits, OnePerPositionWithRepeatedIdsMadeUnique) {
  auto project = std::make_unique<TtxgProject>(projecttest::Catalogue());
  MakeOddProject(*project);
  const std::vector<TOutgoingUnit> units = OutgoingUnits(*project);
  ASSERT_EQ(static_cast<int32_t>(units.size()), project->PositionCount);
  ASSERT_LT(project->PositionCount, project->SourceCount);  // the duplicate question is linked
  std::vector<std::u16string> locationContexts;
  for (const TOutgoingUnit& unit : units)
    if (unit.Context.rfind(u"L(5)", 0) == 0) locationContexts.push_back(unit.Context);
  EXPECT_EQ(locationContexts, (std::vector<std::u16string>{u"L(5).Text(1)", u"L(5).Text(1)#2"}));

  // A report names messages by these contexts or by plain ids; each leads back to its message.
  const int32_t first = project->FindSourceId(u"L(5).Text(1)");
  ASSERT_GT(first, 0);
  EXPECT_EQ(MessageOfReportId(*project, u"L(5).Text(1)"), first);
  EXPECT_EQ(project->GetSourceText(MessageOfReportId(*project, u"L(5).Text(1)#2")), u"second of two L(5)");
  EXPECT_EQ(MessageOfReportId(*project, u"L(5).Text(1)#3"), 0);
  EXPECT_EQ(MessageOfReportId(*project, u"Nowhere"), 0);
}

}  // namespace
