#include "formats/Formats.h"

#include "formats/PoFormat.h"
#include "formats/XliffFormat.h"
#include "project/ExchangeFormat.h"
#include "support/JD_Str.h"

namespace {

void SaveExchange(const TtxgProject& project, const std::string& fileName, const TExportOptions&) {
  TExchangeFormat::Save(project, fileName);
}

}  // namespace

const std::vector<TFormat>& Formats() {
  static const std::vector<TFormat> formats = {
      {"po", ".po", SavePo, LoadPo, ReadPoUnits},
      {"xliff", ".xlf", SaveXliff, LoadXliff, ReadXliffUnits},
      {"exchange", ".txt", SaveExchange, TExchangeFormat::Load, nullptr},
  };
  return formats;
}

const TFormat* FindFormat(const std::string& name) {
  for (const TFormat& format : Formats())
    if (format.Name == name) return &format;
  return nullptr;
}

const TFormat* FormatForFile(const std::string& fileName) {
  for (const TFormat& format : Formats())
    if (EndsWithIgnoringCase(fileName, format.Extension)) return &format;
  if (EndsWithIgnoringCase(fileName, ".xliff")) return FindFormat("xliff");
  return nullptr;
}

std::string QuestNameOf(const std::string& fileName) {
  std::string name = fileName.substr(fileName.rfind('/') + 1);
  if (EndsWithIgnoringCase(name, ".xg")) return name;
  if (EndsWithIgnoringCase(name, ".txg")) name.resize(name.size() - 4);
  return name + ".xg";
}
