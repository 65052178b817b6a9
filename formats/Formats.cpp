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
      {"po", {".po"}, "gettext PO file", "PO", "a", true, SavePo, LoadPo, ReadPoUnits},
      {"xliff", {".xlf", ".xliff"}, "XLIFF 1.2 file", "XLIFF", "an", true, SaveXliff, LoadXliff, ReadXliffUnits},
      {"exchange",
       {".txt"},
       "Unicode Text Document",
       "exchange",
       "a",
       false,
       SaveExchange,
       TExchangeFormat::Load,
       nullptr},
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
    for (const std::string& extension : format.Extensions)
      if (EndsWithIgnoringCase(fileName, extension)) return &format;
  return nullptr;
}

std::vector<const TFormat*> TranslationToolsFormats() {
  std::vector<const TFormat*> tools;
  for (const TFormat& format : Formats())
    if (format.ForTranslationTools) tools.push_back(&format);
  return tools;
}

std::vector<std::string> AllFormatExtensions() {
  std::vector<std::string> extensions;
  for (const TFormat& format : Formats())
    extensions.insert(extensions.end(), format.Extensions.begin(), format.Extensions.end());
  return extensions;
}

namespace {

// "*.xlf;*.xliff"
std::string Patterns(const std::vector<const TFormat*>& formats) {
  std::string patterns;
  for (const TFormat* format : formats)
    for (const std::string& extension : format->Extensions) patterns += (patterns.empty() ? "*" : ";*") + extension;
  return patterns;
}

// "A, B or C" of the texts `part` gives for each item.
template <typename Item, typename Part>
std::string Enumeration(const std::vector<Item>& items, Part part) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + part(items[i]);
  return text;
}

}  // namespace

std::string DialogFilter(const TFormat& format) { return format.Title + "|" + Patterns({&format}); }

std::string ExportDialogFilter() {
  std::string filter;
  for (const TFormat* format : TranslationToolsFormats()) filter += (filter.empty() ? "" : "|") + DialogFilter(*format);
  return filter;
}

std::string ImportDialogFilter() {
  const std::vector<const TFormat*> tools = TranslationToolsFormats();
  return Enumeration(tools, [](const TFormat* format) { return format->ShortTitle; }) + " file|" + Patterns(tools) +
         "|" + ExportDialogFilter();
}

std::string TranslationToolsFilesText() {
  std::vector<std::string> extensions;
  for (const TFormat* format : TranslationToolsFormats())
    extensions.insert(extensions.end(), format->Extensions.begin(), format->Extensions.end());
  return "a " + Enumeration(extensions, [](const std::string& extension) { return extension; }) + " file";
}

std::string QuestNameOf(const std::string& fileName) {
  std::string name = fileName.substr(fileName.rfind('/') + 1);
  if (EndsWithIgnoringCase(name, ".xg")) return name;
  if (EndsWithIgnoringCase(name, ".txg")) name.resize(name.size() - 4);
  return name + ".xg";
}
