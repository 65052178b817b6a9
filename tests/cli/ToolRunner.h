#pragma once
// Runs the built xgtool as a script would and hands back its exit code and both outputs.
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/ScratchFolder.h"

namespace clitest {

inline const std::string ShippedCatalogue = std::string(XG_DATA_DIR) + "/msg_cfg.txt";
inline const std::string SampleQuest = std::string(XG_DATA_DIR) + "/sample.xg";

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ToolResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
  }
};

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// `program` with exactly these arguments, started in `workingFolder` (empty: the test's own).
inline ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workingFolder = "") {
  ScratchFolder outputs;
  std::string command = workingFolder.empty() ? std::string() : "cd " + Quoted(workingFolder) + " && ";
  command += Quoted(program);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  command += " >" + Quoted(outputs.File("out")) + " 2>" + Quoted(outputs.File("err"));
  const int status = std::system(command.c_str());
  ToolResult result;
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.out = ReadWhole(outputs.File("out"));
  result.err = ReadWhole(outputs.File("err"));
  return result;
}

// The built xgtool with exactly these arguments.
inline ToolResult RunTool(const std::vector<std::string>& args) {
  return RunProgram(std::string(XG_BIN_DIR) + "/xgtool", args);
}

// xgtool --catalogue <the shipped catalogue> with these arguments.
inline ToolResult RunToolWithShippedCatalogue(std::vector<std::string> args) {
  args.insert(args.begin(), {"--catalogue", ShippedCatalogue});
  return RunTool(args);
}

}  // namespace clitest
