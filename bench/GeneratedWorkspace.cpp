#include "bench/GeneratedWorkspace.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>

#include "project/ProjectClass.h"
#include "quest/GameContent.h"

namespace {

constexpr int32_t Locations = 200;
constexpr int32_t TextsPerLocation = 5;
constexpr int32_t Paths = 500;
constexpr std::size_t SharedTexts = 4000;

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Made-up words of two or three Cyrillic syllables; the first ones are the most common.
const std::vector<std::u16string>& Vocabulary() {
  static const std::vector<std::u16string> words = [] {
    const std::u16string consonants = u"бвгдзклмнпрстхц";
    const std::u16string vowels = u"аеиоуя";
    std::mt19937 random(7);
    std::vector<std::u16string> made;
    for (int i = 0; i < 3000; ++i) {
      std::u16string word;
      for (int s = 0; s < 2 + i % 2; ++s) {
        word += consonants[random() % consonants.size()];
        word += vowels[random() % vowels.size()];
      }
      made.push_back(word);
    }
    return made;
  }();
  return words;
}

// A sentence with the markup quests use: colour pairs, formulas, tags and numbers now and then.
std::u16string Sentence(std::mt19937& random) {
  static const std::vector<std::u16string> markup = {u"<clr>", u"[p1]", u"<Money>", u"{[p2] div 3}", u"<br>"};
  const auto& words = Vocabulary();
  // Word i about 1 / (i + 10) as often as the others: a running sum to pick from.
  static const std::vector<double> cumulative = [&] {
    std::vector<double> sums;
    double sum = 0;
    for (std::size_t i = 0; i < words.size(); ++i) sums.push_back(sum += 1.0 / static_cast<double>(i + 10));
    return sums;
  }();
  auto pick = [&](std::mt19937& from) {
    const double at = std::uniform_real_distribution<double>(0, cumulative.back())(from);
    return std::min<std::size_t>(
        static_cast<std::size_t>(std::lower_bound(cumulative.begin(), cumulative.end(), at) - cumulative.begin()),
        words.size() - 1);
  };
  const std::size_t length = 4 + random() % 18;
  std::u16string text;
  for (std::size_t i = 0; i < length; ++i) {
    if (!text.empty()) text += u' ';
    const unsigned roll = random() % 40;
    if (roll == 0) {
      text += u"<clr>" + words[pick(random)] + u"<clrEnd>";
    } else if (roll == 1) {
      text += markup[random() % markup.size()];
    } else if (roll == 2) {
      text += Wide(std::to_string(random() % 1000));
    } else {
      std::u16string word = words[pick(random)];
      if (i == 0) word[0] = static_cast<char16_t>(word[0] - 0x20);  // a capital: а..я to А..Я
      text += word;
    }
  }
  text += random() % 4 == 0 ? u"?" : u".";
  return text;
}

const std::vector<std::u16string>& SharedPool() {
  static const std::vector<std::u16string> pool = [] {
    std::mt19937 random(11);
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < SharedTexts; ++i) texts.push_back(Sentence(random));
    return texts;
  }();
  return pool;
}

std::u16string QuestText(std::mt19937& random) {
  if (random() % 10 >= 3) return Sentence(random);
  std::u16string text = SharedPool()[random() % SharedPool().size()];
  if (random() % 5 == 0) text = Wide(std::to_string(random() % 90 + 10)) + u" " + text;  // a variant
  return text;
}

// The game's translation of a text: the same text gives the same translation in every quest.
std::u16string TranslationOf(const std::u16string& source) { return u"EN " + source; }

}  // namespace

std::unique_ptr<TtxgProject> GeneratedQuest(const TBlockParJD& catalogue, int index) {
  std::mt19937 random(static_cast<uint32_t>(1000 + index));
  auto project = std::make_unique<TtxgProject>(catalogue);
  TGame& game = project->SourceGame;
  game.Reset();
  for (TTextField* text : {&game.QuestSuccessGovMessage, &game.RVagrel, &game.RToPlanet, &game.RToStar,
                           &game.RFromPlanet, &game.RFromStar})
    text->Text.clear();
  game.QuestDescription.Text = u"Квест " + Wide(std::to_string(index)) + u". " + Sentence(random);
  game.LocationCount = Locations;
  for (int32_t i = 1; i <= Locations; ++i) {
    TLocation& location = game.Location(i);
    location.Number = i;
    location.LegacyText.Clear();
    for (int32_t n = 1; n <= TextsPerLocation; ++n) location.Text(n).Text = QuestText(random);
  }
  game.PathCount = Paths;
  for (int32_t i = 1; i <= Paths; ++i) {
    TPath& path = game.Path(i);
    path.Number = i;
    path.Value2 = i;
    path.StartText.Text = QuestText(random);
    path.EndText.Text = QuestText(random);
  }
  project->TargetGame.Assign(game);
  project->RebuildMessageTable();
  project->CurrentMessage = 1;
  for (int32_t position = 1; position <= project->PositionCount; ++position)
    if (random() % 10 < 7) {
      const int32_t n = project->MessageAtPosition(position);
      project->StoreTranslation(n, TranslationOf(project->GetSourceText(n)));
    }
  return project;
}

std::string GeneratedQuestFile(int index) {
  const std::string number = std::to_string(1000 + index).substr(1);
  return "chapter" + std::to_string(index / 10) + "/quest" + number + ".txg";
}

void WriteGeneratedWorkspace(const TBlockParJD& catalogue, const std::string& folder) {
  for (int index = 0; index < GeneratedQuestCount; ++index) {
    const std::filesystem::path file = std::filesystem::path(folder) / GeneratedQuestFile(index);
    std::filesystem::create_directories(file.parent_path());
    GeneratedQuest(catalogue, index)->SaveToFile(file.string());
  }
}
