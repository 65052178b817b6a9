#include "common/FullQuest.h"

#include <string>

#include "quest/GameContent.h"

namespace {
std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Russian prose with a line break and markup, so that the sizes resemble a real quest.
std::u16string StoryText(const std::string& label) {
  return u"Текст " + Wide(label) +
         u": вы стоите у шлюза станции.\r\nВ руке <clr>ключ-карта<clrEnd>, "
         u"а в кармане <Money> кредитов.";
}
}  // namespace

void BuildFullQuest(TGame& game, const FullQuestOptions& options) {
  game.Reset();
  for (int32_t p = 1; p <= MaxParameters; ++p) {
    TParameter& parameter = game.Parameter(p);
    const std::string label = "P" + std::to_string(p);
    parameter.Active = 1;
    parameter.Min = 0;
    parameter.Max = 100;
    parameter.Name.Text = u"Параметр " + Wide(label);
    parameter.ViewStringCount = MaxViewStrings;
    for (int32_t k = 1; k <= MaxViewStrings; ++k) {
      TParWiewString& view = parameter.ViewString(k);
      view.From = (k - 1) * 10;
      view.To = k * 10 - 1;
      view.Text.Text = Wide(label + "." + std::to_string(k)) + u": <>";
    }
    parameter.CriticalKind = 1;
    parameter.CriticalMsg.Text = u"Критическое значение " + Wide(label);
    parameter.CriticalRanges.Clear();
    parameter.CriticalRanges.AddValue(0);
    parameter.CriticalRanges.AddRange(95, 100);
  }

  game.LocationCount = MaxLocations;
  for (int32_t i = 1; i <= MaxLocations; ++i) {
    TLocation& location = game.Location(i);
    location.Number = i;
    location.Name.Text = u"Локация " + Wide(std::to_string(i));
    location.LegacyText.Clear();  // the current layout never keeps it
    for (int32_t n = 1; n <= LocationTextCount; ++n)
      location.Text(n).Text = StoryText("L" + std::to_string(i) + "." + std::to_string(n));
    for (int32_t c = 1; c <= MaxChanges; ++c) {
      TParameterDelta& change = location.Change(c);
      change.Value2 = c;
      change.CustomCriticalMsg.Text = u"Особое сообщение L" + Wide(std::to_string(i) + "." + std::to_string(c));
    }
  }

  game.PathCount = MaxPaths;
  for (int32_t i = 1; i <= MaxPaths; ++i) {
    TPath& path = game.Path(i);
    path.Number = i;
    path.Value2 = options.AllPathQuestionsEqual ? 1 : i;
    path.StartText.Text = options.AllPathQuestionsEqual ? std::u16string(u"Идти дальше?")
                                                        : u"Идти к шлюзу " + Wide(std::to_string(i)) + u"?";
    path.EndText.Text = StoryText("Path" + std::to_string(i));
    for (int32_t c = 1; c <= MaxChanges; ++c) {
      TParameterDelta& change = path.Change(c);
      change.Value4 = -c;
      change.CustomCriticalMsg.Text = u"Особое сообщение Path" + Wide(std::to_string(i) + "." + std::to_string(c));
    }
  }
}
