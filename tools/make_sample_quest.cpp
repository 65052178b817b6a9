// make_sample_quest OUTPUT.xg [CATALOGUE]
//
// Writes the sample quest shipped in data/sample.xg: a short story, "Груз для «Веги-7»", about a
// courier who brings medicine to a quarantined station. It is small but uses every kind of
// translatable text: the mission texts, five active parameters with view strings and critical
// messages, ten locations (some with several texts), twenty paths (some asking the same question
// under the same Value2) and a few custom critical messages of locations and paths.
//
// The catalogue is needed only because a new document takes its default texts from it; every text
// that ends up in the file is set here. The default catalogue is the one in the data folder.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "quest/GameContent.h"
#include "support/JD_BlockPar.h"

namespace {

struct ViewString {
  int32_t From;
  int32_t To;
  const char16_t* Text;
};

struct ParameterStory {
  const char16_t* Name;
  int32_t Min;
  int32_t Max;
  std::vector<ViewString> Views;
  int32_t CriticalKind;  // 0: the critical message is not used
  int32_t CriticalValue;
  const char16_t* CriticalMsg;
};

struct CustomCritical {
  int32_t Change;  // parameter slot 1..24
  const char16_t* Text;
};

struct LocationStory {
  int32_t Number;
  const char16_t* Name;
  std::vector<const char16_t*> Texts;  // Texts[1], Texts[2], ...
  std::vector<CustomCritical> Criticals;
};

struct PathStory {
  int32_t Number;
  int32_t Value2;  // equal questions under an equal Value2 are translated once
  const char16_t* Question;
  const char16_t* Text;
  std::vector<CustomCritical> Criticals;
};

const std::vector<ParameterStory> Parameters = {
    {u"Топливо",
     0,
     10,
     {{0, 2, u"Топливо на исходе: <>"}, {3, 10, u"Топливо: <>"}},
     1,
     0,
     u"Баки пусты. «Ласточка» дрейфует в пустоте,\r\nи помощь уже не успеет."},
    {u"Здоровье",
     0,
     100,
     {{0, 30, u"<clr>Здоровье: <>%<clrEnd>"}, {31, 100, u"Здоровье: <>%"}},
     1,
     0,
     u"Вы теряете сознание прямо в коридоре станции. Очнуться вам уже не суждено."},
    {u"Доверие экипажа",
     0,
     5,
     {{0, 1, u"Экипаж вам не доверяет"}, {2, 3, u"Экипаж насторожен"}, {4, 5, u"Экипаж на вашей стороне"}},
     2,
     5,
     u"Экипаж «Веги-7» готов идти за вами куда угодно."},
    {u"Ящики с лекарствами",
     0,
     3,
     {{0, 3, u"Ящиков с лекарствами: <>"}},
     0,
     0,
     u"Этот текст не показывается: у параметра нет критического сообщения."},
    {u"Время до закрытия шлюзов",
     0,
     24,
     {{0, 3, u"<clr>До закрытия шлюзов: <> ч.<clrEnd>"}, {4, 24, u"До закрытия шлюзов: <> ч."}},
     1,
     0,
     u"Шлюзы станции закрылись. Карантин объявлен бессрочным,\r\nа вы остались по ту сторону двери."},
};

const std::vector<LocationStory> Locations = {
    {1,
     u"Рубка «Ласточки»",
     {u"Вы выходите из гиперпрыжка <ToStar>. Прямо по курсу медленно вращается станция «Вега-7».\r\n"
      u"\r\n"
      u"В трюме три ящика с лекарствами, на счету <Money> кр., а в эфире тишина.",
      u"Станция снова молчит. Пора решаться."},
     {}},
    {2,
     u"Стыковочный узел",
     {u"Шлюз открывается со скрипом. Дежурный в защитном костюме поднимает руку:\r\n"
      u"— Стойте! На станции <clr>карантин<clrEnd>. Кто вы такой?"},
     {}},
    {3,
     u"Карантинный коридор",
     {u"Длинный коридор залит тусклым красным светом. На стенах — таблички с номерами отсеков.",
      u"В коридоре пусто. Где-то далеко гудят вентиляторы."},
     {}},
    {4,
     u"Медотсек",
     {u"Доктор Ершова встречает вас у входа.\r\n"
      u"— Вы привезли сыворотку? Тогда не теряйте ни минуты: больных всё больше."},
     {}},
    {5,
     u"Реакторный отсек",
     {u"Здесь жарко и шумно. Реактор станции работает на пределе, и стрелки приборов дрожат у красной черты."},
     {{1, u"Реактор станции втянул остатки топлива из баков «Ласточки». Двигатели молчат."}}},
    {6,
     u"Кают-компания",
     {u"Несколько человек из экипажа сидят за столом. Разговоры смолкают, когда вы входите.",
      u"Теперь вас встречают кивками.", u"Кто-то ставит перед вами кружку горячего чая."},
     {}},
    {7, u"Склад", {u"Полки почти пусты. Кладовщик пересчитывает последние пайки и не поднимает глаз."}, {}},
    {8,
     u"Шлюз эвакуации",
     {u"Аварийный шлюз ведёт прямо к спасательным капсулам. Отсюда можно улететь — но без груза."},
     {{5, u"Пока вы сомневались, автоматика заблокировала шлюз эвакуации."}}},
    {9,
     u"Кабинет начальника станции",
     {u"Начальник станции Оганесян устало трёт глаза.\r\n"
      u"— Если лекарства дойдут до медотсека, я лично подпишу вам премию."},
     {}},
    {10,
     u"Спасённая станция",
     {u"Сыворотка помогла. Через сутки карантин снимают, и экипаж провожает «Ласточку» до самого шлюза.\r\n"
      u"\r\n"
      u"<clr>Задание выполнено.<clrEnd>"},
     {}},
};

const std::vector<PathStory> Paths = {
    {1, 101, u"Запросить стыковку.", u"После долгой паузы диспетчер разрешает стыковку.", {}},
    {2, 102, u"Лететь прочь, пока не поздно.", u"", {}},
    {3, 5, u"Осмотреться.", u"Вы внимательно оглядываетесь по сторонам.", {}},
    {4, 2, u"Вернуться на корабль.", u"Вы возвращаетесь в рубку «Ласточки».", {}},
    {5, 105, u"Показать накладную на груз.", u"Дежурный читает накладную и молча пропускает вас.", {}},
    {6, 106, u"Пройти в коридор.", u"", {}},
    {7, 107, u"Свернуть к медотсеку.", u"Табличка с красным крестом указывает налево.", {}},
    {8, 5, u"Осмотреться.", u"Никого. Только гул вентиляции.", {}},
    {9, 2, u"Вернуться на корабль.", u"Вы снова у шлюза «Ласточки».", {}},
    {10, 110, u"Отдать сыворотку доктору.", u"Доктор Ершова бережно принимает ящик.", {}},
    {11, 111, u"Заглянуть в реакторный отсек.", u"", {}},
    {12,
     112,
     u"Попробовать починить охлаждение.",
     u"Вы берётесь за инструменты.\r\nПриборы трещат всё громче.",
     {{2, u"Радиация оказалась сильнее вас. Костюм не выдержал."}}},
    {13, 113, u"Зайти в кают-компанию.", u"", {}},
    {14, 2, u"Вернуться на корабль.", u"Корабль встречает вас тишиной.", {}},
    {15, 115, u"Рассказать экипажу о сыворотке.", u"Люди переглядываются. Кажется, вам начинают верить.", {}},
    {16, 116, u"Попросить у кладовщика топливо.", u"Кладовщик молча выдаёт две канистры.", {}},
    {17, 117, u"Бежать к шлюзу эвакуации.", u"", {{5, u"Вы слишком долго бежали: шлюзы закрылись у вас перед носом."}}},
    {18, 118, u"Доложить начальнику станции.", u"Начальник выслушивает вас и кивает.", {}},
    {19, 119, u"Потребовать плату вперёд.", u"— <Money> кредитов? — морщится начальник. — Что ж, получите.", {}},
    {20, 120, u"Проводить последний ящик до медотсека.", u"Вы несёте ящик сами, не доверяя никому.", {}},
};

void FillSampleQuest(TGame& game) {
  game.Reset();
  game.HeaderValue1 = 3;
  game.HeaderValue2 = 5000;
  game.HeaderValue4 = 12;

  game.QuestDescription.Text =
      u"Станция «Вега-7» <ToStar> закрыта на карантин.\r\n"
      u"Доставьте туда три ящика сыворотки, пока не закрылись шлюзы. Награда: <Money> кредитов.";
  game.QuestSuccessGovMessage.Text = u"Вы спасли «Вегу-7». Правительство перечисляет вам <Money> кредитов.";
  game.QuestTargetName.Text = u"Вега-7";
  game.RToStar.Text = u"у звезды <ToStar>";
  game.RParsec.Text = u"парсеков";
  game.RArtefact.Text = u"артефакт";
  game.RToPlanet.Text = u"на планету <ToPlanet>";
  game.RDate.Text = u"<Date>";
  game.RMoney.Text = u"кредитов";
  game.RFromPlanet.Text = u"с планеты <FromPlanet>";
  game.RFromStar.Text = u"от звезды <FromStar>";
  game.RVagrel.Text = u"курьер";

  int32_t slot = 0;
  for (const ParameterStory& story : Parameters) {
    TParameter& parameter = game.Parameter(++slot);
    parameter.Active = 1;
    parameter.Name.Text = story.Name;
    parameter.Min = story.Min;
    parameter.Max = story.Max;
    parameter.ViewStringCount = static_cast<int32_t>(story.Views.size());
    for (int32_t k = 1; k <= parameter.ViewStringCount; ++k) {
      const ViewString& view = story.Views[static_cast<std::size_t>(k - 1)];
      parameter.ViewString(k).From = view.From;
      parameter.ViewString(k).To = view.To;
      parameter.ViewString(k).Text.Text = view.Text;
    }
    parameter.CriticalKind = story.CriticalKind;
    parameter.CriticalValue = story.CriticalValue;
    parameter.CriticalMsg.Text = story.CriticalMsg;
    parameter.CriticalRanges.Clear();
    parameter.CriticalRanges.AddValue(story.CriticalValue);
  }

  game.LocationCount = static_cast<int32_t>(Locations.size());
  int32_t index = 0;
  for (const LocationStory& story : Locations) {
    TLocation& location = game.Location(++index);
    location.Number = story.Number;
    location.Name.Text = story.Name;
    location.LegacyText.Clear();  // the current layout never keeps it
    int32_t n = 0;
    for (const char16_t* text : story.Texts) location.Text(++n).Text = text;
    for (const CustomCritical& critical : story.Criticals)
      location.Change(critical.Change).CustomCriticalMsg.Text = critical.Text;
  }

  game.PathCount = static_cast<int32_t>(Paths.size());
  index = 0;
  for (const PathStory& story : Paths) {
    TPath& path = game.Path(++index);
    path.Number = story.Number;
    path.Value2 = story.Value2;
    path.StartText.Text = story.Question;
    path.EndText.Text = story.Text;
    for (const CustomCritical& critical : story.Criticals)
      path.Change(critical.Change).CustomCriticalMsg.Text = critical.Text;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make_sample_quest OUTPUT.xg [CATALOGUE]\n");
    return 2;
  }
  try {
    TBlockParJD catalogue;
    catalogue.LoadFromFile(argc == 3 ? argv[2] : "msg_cfg.txt", false);
    TGame game(catalogue);
    FillSampleQuest(game);
    game.SaveToFile(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 3;
  }
  return 0;
}
