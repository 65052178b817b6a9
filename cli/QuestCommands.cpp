// xgtool commands on quest files: convert, messages, info.
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "quest/GameContent.h"
#include "support/JD_Str.h"

namespace {

// A document is large (900 records); keep it off the stack.
std::unique_ptr<TGame> LoadQuest(const std::string& fileName, CommandContext& context) {
  auto game = std::make_unique<TGame>(context.Catalogue());
  game->LoadFromFile(fileName);
  return game;
}

int ConvertCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 2) throw UsageError{"convert needs an input and an output quest file"};
  std::unique_ptr<TGame> game = LoadQuest(args[0], context);
  game->SaveToFile(args[1]);
  return ExitOk;
}

int MessagesCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"messages needs one quest file"};
  std::unique_ptr<TGame> game = LoadQuest(args[0], context);
  const TMessageList messages = game->Messages();
  for (int32_t n = 1; n <= messages.Count; ++n) {
    const auto i = static_cast<std::size_t>(n);
    context.out << n << '\t' << messages.Types[i] << '\t' << EscapeForOutput(messages.Ids[i]) << '\t'
                << EscapeForOutput(messages.Texts[i]->Text) << '\n';
  }
  return ExitOk;
}

const char* KindName(int32_t kind) {
  switch (kind) {
    case KindEditorParName:
      return "parameter names";
    case KindGameParName:
      return "parameter names in the game";
    case KindStandartCritical:
      return "critical messages of parameters";
    case KindOutsidePar:
      return "texts for outside values";
    case KindSuccessGov:
      return "messages on success";
    case KindMissionGov:
      return "mission descriptions";
    case KindLocationText:
      return "location texts";
    case KindPathQuestion:
      return "path questions";
    case KindPathText:
      return "path texts";
    case KindCustomCritical:
      return "critical messages of locations and paths";
    case KindParViewString:
      return "parameter view strings";
    default:
      return "of no known kind";
  }
}

int InfoCommand(const std::vector<std::string>& args, CommandContext& context) {
  if (args.size() != 1) throw UsageError{"info needs one quest file"};
  std::unique_ptr<TGame> game = LoadQuest(args[0], context);
  std::ostream& out = context.out;
  out << "File: " << args[0] << '\n';
  out << "Version: " << game->VersionRead;
  if (game->VersionRead == QuestVersion::V11)
    out << " (no version mark)";
  else if (game->VersionRead > CurrentQuestVersion)
    out << " (read as " << CurrentQuestVersion << ")";
  out << '\n';
  out << "Selectors: " << game->Selector1 << ' ' << game->Selector2 << ' ' << game->Selector3 << ' ' << game->Selector4
      << ", sets " << int{game->Selector1Set} << ' ' << int{game->Selector2Set} << ' ' << int{game->Selector3Set} << ' '
      << int{game->Selector4Set} << ", flag " << int{game->HeaderFlag} << '\n';
  out << "Header values: " << game->HeaderValue1 << ' ' << game->HeaderValue2 << ' ' << game->HeaderValue3 << ' '
      << game->HeaderValue4 << ' ' << game->HeaderValue5 << ' ' << game->HeaderValue6 << ' ' << game->HeaderValue7
      << ' ' << game->HeaderValue8 << '\n';
  out << "Target: " << EscapeForOutput(game->QuestTargetName.Text) << '\n';

  int32_t active = 0;
  for (const TParameter& parameter : game->Parameters) active += parameter.Active != 0 ? 1 : 0;
  out << "Parameters in use: " << active << '\n';
  for (int32_t p = 1; p <= MaxParameters; ++p) {
    const TParameter& parameter = game->Parameter(p);
    if (parameter.Active == 0) continue;
    out << "  " << p << ": " << EscapeForOutput(TrimQuestText(parameter.Name.Text)) << " [" << parameter.Min << ".."
        << parameter.Max << "], " << parameter.ViewStringCount
        << (parameter.ViewStringCount == 1 ? " view string" : " view strings") << ", critical ranges "
        << parameter.CriticalRanges.ToText() << '\n';
  }
  out << "Locations: " << game->LocationCount << '\n';
  out << "Paths: " << game->PathCount << '\n';

  const TMessageList messages = game->Messages();
  std::map<int32_t, int32_t> byKind;
  for (int32_t n = 1; n <= messages.Count; ++n)
    ++byKind[DecodeMessageType(messages.Types[static_cast<std::size_t>(n)]).Kind];
  out << "Messages: " << messages.Count << '\n';
  for (const auto& [kind, number] : byKind) out << "  " << number << ' ' << KindName(kind) << '\n';
  return ExitOk;
}

const CommandRegistration convertRegistration("convert",
                                              "convert IN.xg OUT.xg   (save a quest of any version as the current one)",
                                              ConvertCommand);
const CommandRegistration messagesRegistration("messages",
                                               "messages FILE.xg   (list the translatable texts of a quest)",
                                               MessagesCommand);
const CommandRegistration infoRegistration("info", "info FILE.xg   (summary of a quest)", InfoCommand);

}  // namespace
