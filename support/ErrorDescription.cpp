#include "support/ErrorDescription.h"

std::vector<std::string> DescribeError(const std::string& text, const TFileErrorContext* context) {
  if (context == nullptr || context->FileName.empty()) return {text};
  std::string first = context->FileName;
  if (context->Line > 0) first += ":" + std::to_string(context->Line);
  first += ": " + text;
  if (context->Offset >= 0) first += " (at byte " + std::to_string(context->Offset) + ")";
  std::vector<std::string> lines{first};
  if (!context->Note.empty()) lines.push_back(context->FileName + ": " + context->Note);
  return lines;
}

std::vector<std::string> DescribeError(const std::exception& error) {
  return DescribeError(error.what(), FileErrorContextOf(error));
}

std::string DescribeErrorText(const std::exception& error) {
  std::string text;
  for (const std::string& line : DescribeError(error)) text += (text.empty() ? "" : "\n") + line;
  return text;
}
