#pragma once
// The support library's exception: its text names class, operation and the offending value,
// e.g. "TFileJD.Open. FileName=msg_cfg.txt". Texts are 8-bit (UTF-8 on this platform).
//
// Errors about a file carry, beside their exact text, the file and the place (TFileErrorContext):
// what() stays as tests and scripts know it, and the edge (xgtool, the window) adds the context
// through DescribeError (support/ErrorDescription.h).
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

class TFileErrorContext {
 public:
  std::string FileName;  // empty while not known
  int64_t Offset = -1;   // the byte at which a binary read failed; -1 for anything but such a read
  int64_t Line = 0;      // the line a text reader stopped at (counted from 1); 0 when it knows none
  std::string Note;      // what else was found out about the cause (empty for most errors)
};

// The context an exception carries, or nullptr.
inline const TFileErrorContext* FileErrorContextOf(const std::exception& error) {
  return dynamic_cast<const TFileErrorContext*>(&error);
}

// Runs `action`; an error with a context but no file name yet leaves it naming `fileName`. The
// innermost name wins, so a file included by another is named rather than the one including it.
template <typename Action>
decltype(auto) WithFileContext(const std::string& fileName, Action&& action) {
  try {
    return action();
  } catch (TFileErrorContext& context) {
    if (context.FileName.empty()) context.FileName = fileName;
    throw;
  }
}

class TExceptionJD : public std::runtime_error, public TFileErrorContext {
 public:
  explicit TExceptionJD(const std::string& message) : std::runtime_error(message) {}
};
