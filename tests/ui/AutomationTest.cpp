// The lines of the automation input a test drives the real window with (ui/Automation.h).
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "ui/Automation.h"

namespace {

using Kind = TAutomationCommand::TKind;

TEST(AutomationInput, LinesBecomeCommands) {
  const struct {
    std::string line;
    std::optional<TAutomationCommand> command;
  } cases[] = {
      {"", std::nullopt},
      {"# a comment", std::nullopt},
      {"\r", std::nullopt},
      {"show 12", TAutomationCommand{Kind::Show, 12, ""}},
      {"show 12\r", TAutomationCommand{Kind::Show, 12, ""}},
      {"type  two spaces kept ", TAutomationCommand{Kind::Type, 0, " two spaces kept "}},
      {"type Übersetzung", TAutomationCommand{Kind::Type, 0, "Übersetzung"}},
      {"note", TAutomationCommand{Kind::Note, 0, ""}},
      {"note check the name", TAutomationCommand{Kind::Note, 0, "check the name"}},
      {"review", TAutomationCommand{Kind::Review, 0, ""}},
      {"save", TAutomationCommand{Kind::Save, 0, ""}},
      {"quit", TAutomationCommand{Kind::Quit, 0, ""}},
  };
  for (const auto& [line, command] : cases) EXPECT_EQ(ParseAutomationLine(line), command) << line;
}

TEST(AutomationInput, LinesThatAreNoCommandSayWhy) {
  const struct {
    std::string line;
    std::string error;
  } cases[] = {
      {"Show 1", "Unknown command \"Show\""},
      {" show 1", "Unknown command \"\""},
      {"show", "\"show\" needs a message number"},
      {"show 0", "\"show\" needs a message number"},
      {"show -3", "\"show\" needs a message number"},
      {"show 3x", "\"show\" needs a message number"},
      {"show 99999999999", "\"show\" needs a message number"},
      {"type", "\"type\" needs a text"},
      {"type ", "\"type\" needs a text"},
      {"save now", "\"save\" takes no argument"},
      {"review ", "\"review\" takes no argument"},
  };
  for (const auto& [line, error] : cases) {
    try {
      ParseAutomationLine(line);
      ADD_FAILURE() << line << " was accepted";
    } catch (const std::invalid_argument& raised) {
      EXPECT_EQ(raised.what(), error) << line;
    }
  }
}

}  // namespace
