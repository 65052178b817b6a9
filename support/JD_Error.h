#pragma once
// The support library's exception: its text names class, operation and the offending value,
// e.g. "TFileJD.Open. FileName=msg_cfg.txt". Texts are 8-bit (UTF-8 on this platform).
#include <stdexcept>
#include <string>

class TExceptionJD : public std::runtime_error {
 public:
  explicit TExceptionJD(const std::string& message) : std::runtime_error(message) {}
};
