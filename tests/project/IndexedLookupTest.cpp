// The project answers from indexes (question groups, ids, trimmed texts, positions). Here the
// straightforward loops they replace are kept as references, and both are run on random projects:
// repeated questions, shared Value2, duplicate ids, blanks that only one of the trims removes, and
// target lists longer or shorter than the source list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "project/IdIndex.h"
#include "support/JD_Str.h"

using namespace projecttest;

namespace {

// ----- the reference loops -----

const TTextField* TargetRef(const TtxgProject& project, int32_t n) {
  return n >= 1 && n <= project.TargetCount ? project.TargetTexts[static_cast<std::size_t>(n)] : nullptr;
}

std::vector<int32_t> ReferenceLinks(const TtxgProject& project) {
  const TGame& target = project.TargetGame;
  std::vector<int32_t> linked(static_cast<std::size_t>(project.SourceCount) + 1, 0);
  for (int32_t i = 1; i <= project.SourceCount; ++i) {
    for (int32_t j = 1; j <= target.PathCount; ++j) {
      if (TargetRef(project, i) != &target.Path(j).StartText || linked[static_cast<std::size_t>(i)] != 0) continue;
      for (int32_t k = 1; k <= target.PathCount; ++k) {
        if (target.Path(k).Value2 != target.Path(j).Value2 ||
            TrimQuestText(target.Path(k).StartText.Text) != TrimQuestText(target.Path(j).StartText.Text))
          continue;
        for (int32_t m = 1; m <= project.SourceCount; ++m)
          if (TargetRef(project, m) == &target.Path(k).StartText && TargetRef(project, m) != TargetRef(project, i))
            linked[static_cast<std::size_t>(m)] = j;
      }
    }
  }
  return linked;
}

int32_t ReferenceFindId(const std::vector<std::u16string>& ids, int32_t count, const std::u16string& id) {
  for (int32_t n = 1; n <= count; ++n)
    if (ids[static_cast<std::size_t>(n)] == id) return n;
  return -1;
}

int32_t ReferencePositionOf(const TtxgProject& project, int32_t n) {
  for (int32_t p = 1; p <= project.PositionCount; ++p)
    if (project.PositionMessage[static_cast<std::size_t>(p)] == n) return p;
  return -1;
}

std::u16string ReferenceExchangeText(const TtxgProject& project) {
  std::u16string text;
  for (int32_t i = 1; i <= project.SourceCount; ++i) {
    const std::u16string t = TrimJD(project.GetSourceText(i));
    int32_t j = 1;
    while (TrimJD(project.GetSourceText(j)) != t) ++j;
    if (j < i) continue;
    text += u"<Begin";
    for (int32_t m = i; m <= project.SourceCount; ++m)
      if (TrimJD(project.GetSourceText(m)) == t) text += u" " + project.SourceIds[static_cast<std::size_t>(m)];
    text += u">\r\n" + project.GetSourceText(i) + u"\r\n<End>\r\n\r\n";
  }
  return text;
}

int32_t ReferenceFindNotEdited(const TtxgProject& project, int32_t position) {
  const std::u16string deleted = project.DeletedMessageText();
  int32_t i = position >= 1 && position <= project.PositionCount
                  ? project.PositionMessage[static_cast<std::size_t>(position)]
                  : 0;
  for (int32_t step = 0; step < project.SourceCount; ++step) {
    if (++i > project.SourceCount) i = 1;
    if (i > project.TargetCount || project.LinkedPath[static_cast<std::size_t>(i)] != 0) continue;
    const std::u16string target = project.GetTargetText(i);
    if (target == project.GetSourceText(i) || target == deleted) return ReferencePositionOf(project, i);
  }
  return -1;
}

// LoadMessages with plain scans for the ids and the tag lists for every first id.
std::u16string ReferenceImport(TtxgProject& project, const std::u16string& text) {
  std::u16string report;
  std::vector<bool> found(static_cast<std::size_t>(project.TargetCount) + 1, false);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t d = text.find(u"<Begin ", pos);
    if (d == std::u16string::npos) break;
    const std::size_t e = text.find(u">\r\n", d + 7);
    if (e == std::u16string::npos) break;
    const std::size_t f = text.find(u"\r\n<End>", e + 3);
    if (f == std::u16string::npos) break;
    pos = f + 7;
    const std::u16string ids = text.substr(d + 7, e - d - 7);
    const std::u16string body = text.substr(e + 3, f - e - 3);
    std::vector<std::u16string> pieces(1);
    for (char16_t c : ids) {
      if (c == u' ')
        pieces.emplace_back();
      else
        pieces.back().push_back(c);
    }
    if (ids.empty()) pieces.clear();
    for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
      const std::u16string& id = pieces[piece];
      if (id.empty()) continue;
      const int32_t k = ReferenceFindId(project.TargetIds, project.TargetCount, id);
      if (k < 0) {
        report += u"Unknown id: " + id + u"\r\n";
        continue;
      }
      if (k != ReferenceFindId(project.SourceIds, project.SourceCount, id)) {
        report += u"Different sou and des quest. id: " + id + u"\r\n";
      } else if (piece == 0) {
        TStringsJD a, b;
        TtxgProject::ExtractTags(project.GetSourceText(k), a);
        TtxgProject::ExtractTags(body, b);
        TtxgProject::RemoveCommonTags(a, b);
        if (a.Count() + b.Count() > 0) {
          report += u"DifTag in " + id + u": ";
          for (int32_t i = 0; i < a.Count(); ++i) report += u" " + a.Get(i);
          for (int32_t i = 0; i < b.Count(); ++i) report += u" " + b.Get(i);
          report += u"\r\n";
        }
      }
      project.TargetTexts[static_cast<std::size_t>(k)]->Text = IsBlankText(body) ? project.DeletedMessageText() : body;
      found[static_cast<std::size_t>(k)] = true;
    }
  }
  for (int32_t k = 1; k <= project.TargetCount; ++k)
    if (!found[static_cast<std::size_t>(k)])
      report += u"Not found id:" + project.TargetIds[static_cast<std::size_t>(k)];
  project.RebuildMessageTable();
  return report;
}

// ----- random projects -----

class RandomProject {
 public:
  explicit RandomProject(uint32_t seed) : random_(seed) {}

  std::u16string Pick(const std::vector<std::u16string>& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random_)];
  }
  int32_t Below(int32_t n) { return std::uniform_int_distribution<int32_t>(0, n - 1)(random_); }

  // A few base texts with padding that TrimJD removes, padding only the quest trim removes, and
  // inner differences that neither removes.
  std::u16string Text() {
    static const std::vector<std::u16string> bases = {u"Go?", u"Go ?", u"go?", u"Stay", u"<b>Run</b>", u"X"};
    static const std::vector<std::u16string> pads = {u"", u"", u" ", u"\t", u"\r\n", u"\x01", u"\x1F "};
    return Pick(pads) + Pick(bases) + Pick(pads);
  }

  void Fill(TtxgProject& project) {
    TGame& game = project.SourceGame;
    MakeBareQuest(game);
    if (Below(2) == 0) game.QuestDescription.Text = Text();
    game.LocationCount = Below(6);
    for (int32_t l = 1; l <= game.LocationCount; ++l) {
      game.Location(l).Number = Below(3);  // equal numbers give equal ids
      for (int32_t t = 1; t <= 3; ++t)
        if (Below(3) != 0) game.Location(l).Text(t).Text = Text();
    }
    game.PathCount = Below(25);
    for (int32_t p = 1; p <= game.PathCount; ++p) {
      TPath& path = game.Path(p);
      path.Number = Below(8);
      path.Value2 = Below(3) - 1;
      if (Below(5) != 0) path.StartText.Text = Text();
      if (Below(3) == 0) path.EndText.Text = Text();
      if (Below(6) == 0) path.Change(1 + Below(24)).CustomCriticalMsg.Text = Text();
    }
    OpenFromSource(project);
    // Translations: some questions and other texts change; sometimes a text appears or vanishes,
    // which shifts the target list against the source list.
    for (int32_t n = 1; n <= project.TargetCount; ++n)
      if (Below(3) == 0) project.TargetTexts[static_cast<std::size_t>(n)]->Text = Text();
    if (Below(4) == 0 && game.PathCount > 0) project.TargetGame.Path(1 + Below(game.PathCount)).EndText.Text = u"new";
    if (Below(4) == 0 && project.TargetCount > 0)
      project.TargetTexts[static_cast<std::size_t>(1 + Below(project.TargetCount))]->Text = u" ";
    if (Below(3) == 0) project.SetTargetText(1 + Below(std::max(project.TargetCount, 1)), project.DeletedMessageText());
    project.RebuildMessageTable();
  }

 private:
  std::mt19937 random_;
};

TEST(IndexedLookup, AgreesWithTheStraightforwardLoopsOnRandomProjects) {
  ScratchFolder folder;
  TtxgProject project(Catalogue());
  int32_t linkedSeen = 0;
  int32_t misalignedSeen = 0;
  int32_t duplicateIdsSeen = 0;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    SCOPED_TRACE(seed);
    RandomProject random(seed);
    random.Fill(project);
    misalignedSeen += project.SourceCount != project.TargetCount ? 1 : 0;

    const std::vector<int32_t> links = ReferenceLinks(project);
    ASSERT_EQ(project.LinkedPath, links);
    for (int32_t link : links) linkedSeen += link != 0 ? 1 : 0;
    for (int32_t n = -1; n <= project.SourceCount + 1; ++n) {
      ASSERT_EQ(project.PositionOfMessage(n), ReferencePositionOf(project, n)) << n;
      ASSERT_EQ(project.IsLinked(n), n >= 1 && n <= project.SourceCount && links[static_cast<std::size_t>(n)] != 0);
    }
    for (int32_t p = 1; p < project.PositionCount; ++p)
      ASSERT_LT(project.MessageAtPosition(p), project.MessageAtPosition(p + 1));

    std::vector<std::u16string> ids(project.SourceIds.begin() + 1, project.SourceIds.end());
    ids.insert(ids.end(), project.TargetIds.begin() + 1, project.TargetIds.end());
    ids.push_back(u"Path(77).Start");
    ids.push_back(u"");
    for (const std::u16string& id : ids) {
      ASSERT_EQ(project.FindSourceId(id), ReferenceFindId(project.SourceIds, project.SourceCount, id))
          << WideToAnsi(id);
      ASSERT_EQ(project.FindTargetId(id), ReferenceFindId(project.TargetIds, project.TargetCount, id))
          << WideToAnsi(id);
      duplicateIdsSeen += project.FindSourceId(id) > 0 && project.FindSourceId(id) != project.SourceCount &&
                                  std::count(project.SourceIds.begin(), project.SourceIds.end(), id) > 1
                              ? 1
                              : 0;
    }

    project.SaveMessages(folder.File("out.txt"));
    ASSERT_EQ(ReadExchangeText(folder.File("out.txt")), ReferenceExchangeText(project));

    for (int32_t position = 0; position <= project.PositionCount + 1; ++position)
      ASSERT_EQ(project.FindNotEdited(position), ReferenceFindNotEdited(project, position)) << position;

    TIdIndex index;
    index.Build(project.SourceIds, project.SourceCount);
    for (const std::u16string& id : ids) {
      const int32_t smallest = ReferenceFindId(project.SourceIds, project.SourceCount, id);
      ASSERT_EQ(index.Find(id), smallest);
      for (int32_t n = 0; n <= project.SourceCount + 1; ++n)
        ASSERT_EQ(index.IsSmallestFor(n, id), n == smallest && n > 0);
    }
  }
  // The random projects must actually reach the cases they are for.
  EXPECT_GT(linkedSeen, 100);
  EXPECT_GT(misalignedSeen, 10);
  EXPECT_GT(duplicateIdsSeen, 50);
}

// An import into one copy of a project and the reference import into another give the same
// report and the same texts, for exchange files with records shuffled, dropped, repeated,
// retagged, emptied and given unknown ids.
TEST(IndexedLookup, ImportAgreesWithThePlainImportOnRandomFiles) {
  ScratchFolder folder;
  TtxgProject project(Catalogue());
  TtxgProject reference(Catalogue());
  std::mt19937 random(7);
  auto below = [&random](int32_t n) { return std::uniform_int_distribution<int32_t>(0, n - 1)(random); };
  int32_t reportsSeen = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    RandomProject(seed).Fill(project);
    project.SaveToFile(folder.File("p.txg"));
    project.LoadFromFile(folder.File("p.txg"));
    reference.LoadFromFile(folder.File("p.txg"));
    project.SaveMessages(folder.File("out.txt"));

    // Cut the written file into records and put a changed selection of them together again.
    const std::u16string written = ReadExchangeText(folder.File("out.txt"));
    std::vector<std::u16string> records;
    for (std::size_t at = 0; at < written.size();) {
      const std::size_t end = written.find(u"<End>\r\n\r\n", at) + 9;
      records.push_back(written.substr(at, end - at));
      at = end;
    }
    std::u16string file;
    for (int32_t r = 0; r < static_cast<int32_t>(records.size()) + 2; ++r) {
      std::u16string record = records.empty()
                                  ? u"<Begin GovMsg>\r\nX\r\n<End>"
                                  : records[static_cast<std::size_t>(below(static_cast<int32_t>(records.size())))];
      switch (below(8)) {
        case 0:
          record.insert(7, u"Path(99).Start ");
          break;
        case 1:
          record.insert(record.find(u">\r\n") + 3, u"<new>");
          break;
        case 2:
          record = record.substr(0, record.find(u">\r\n") + 3) + u"\r\n<End>";
          break;
        case 3:
          record.insert(6, u" ");
          break;
        case 4:
          continue;
        default:
          break;
      }
      file += record + u"junk ";
    }
    WriteExchangeFile(folder.File("in.txt"), file);

    std::u16string report;
    project.LoadMessages(folder.File("in.txt"), report);
    const std::u16string expected = ReferenceImport(reference, file);
    ASSERT_EQ(report, expected);
    reportsSeen += report.empty() ? 0 : 1;
    ASSERT_EQ(project.TargetCount, reference.TargetCount);
    for (int32_t n = 1; n <= project.TargetCount; ++n)
      ASSERT_EQ(project.GetTargetText(n), reference.GetTargetText(n)) << n;
  }
  EXPECT_GT(reportsSeen, 20);
}

}  // namespace
