#include "memory/Tmx.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>

#include "support/BlockFile.h"
#include "support/JD_Str.h"
#include "support/Utf8.h"
#include "support/XmlText.h"
#include "support/XmlWriter.h"

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

void WriteVariant(TXmlWriter& xml, const std::string& language, const std::u16string& text) {
  xml.Start("tuv");
  xml.Attribute("xml:lang", language);
  xml.Start("seg");
  xml.Text(XmlSafeText(text));
  xml.End();
  xml.End();
}

std::string Language(xmlNode* variant) {
  xmlChar* value = xmlGetNsProp(variant, X("lang"), XML_XML_NAMESPACE);
  if (value == nullptr) value = xmlGetProp(variant, X("lang"));  // TMX 1.1 wrote lang without the namespace
  if (value == nullptr) return {};
  std::string language(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return language;
}

bool IsElement(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// The text of a <seg>, inline codes included as the text they stand for.
std::u16string SegmentText(xmlNode* variant) {
  for (xmlNode* child = variant->children; child != nullptr; child = child->next)
    if (IsElement(child, "seg")) {
      xmlChar* content = xmlNodeGetContent(child);
      if (content == nullptr) return {};
      // Files of other tools hold no escapes, and one of ours written before escapes were used
      // holds U+FFFD instead: both read as they are.
      std::u16string text = TextFromXmlSafe(reinterpret_cast<const char*>(content));
      xmlFree(content);
      return text;
    }
  return {};
}

}  // namespace

void WriteTmx(const std::string& fileName, const std::vector<TMemoryEntry>& entries, const TTmxLanguages& languages) {
  TBlockFileWriter file(fileName, TPieces::Streamed);
  TXmlWriter xml(file, "TMX writing failed");
  xml.Indent("  ");
  xml.StartDocument();
  xml.Start("tmx");
  xml.Attribute("version", "1.4");
  xml.Start("header");
  xml.Attribute("creationtool", "xgtranslator");
  xml.Attribute("creationtoolversion", "0.1");
  xml.Attribute("segtype", "block");
  xml.Attribute("o-tmf", "xgtranslator");
  xml.Attribute("adminlang", "en");
  xml.Attribute("srclang", languages.Source);
  xml.Attribute("datatype", "plaintext");
  xml.End();
  xml.Start("body");
  for (const TMemoryEntry& entry : entries) {
    xml.Start("tu");
    if (!entry.Origin.empty()) xml.Attribute("tuid", XmlSafeText(entry.Origin));
    WriteVariant(xml, languages.Source, entry.Source);
    WriteVariant(xml, languages.Target, entry.Translation);
    xml.End();
  }
  xml.EndDocument();
  xml.Flush();
  file.Commit();
}

ETmxError::ETmxError(const std::string& fileName, int64_t line, const std::string& cause)
    : std::runtime_error("not a TMX file: " + cause) {
  FileName = fileName;
  Line = line;
}

std::vector<TMemoryEntry> ReadTmx(const std::string& fileName) {
  TBlockFileReader file(fileName);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBytes(bytes.data(), bytes.size());

  auto fail = [&](const std::string& cause, int64_t line = 0) { return ETmxError(fileName, line, cause); };
  if (bytes.empty()) throw fail("the file is empty");
  xmlResetLastError();
  // No network, no external entities: a memory file is data, not a fetch list.
  std::unique_ptr<xmlDoc, DocumentDeleter> document(
      xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), fileName.c_str(), nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!document) {
    const xmlError* error = xmlGetLastError();
    std::string cause = error != nullptr && error->message != nullptr ? error->message : "not well-formed";
    while (!cause.empty() && (cause.back() == '\n' || cause.back() == ' ')) cause.pop_back();
    throw fail(cause, error != nullptr ? error->line : 0);
  }
  xmlNode* root = xmlDocGetRootElement(document.get());
  if (root == nullptr || !IsElement(root, "tmx")) throw fail("the root element is not <tmx>");

  std::string sourceLanguage;
  xmlNode* body = nullptr;
  for (xmlNode* child = root->children; child != nullptr; child = child->next) {
    if (IsElement(child, "header")) {
      if (xmlChar* value = xmlGetProp(child, X("srclang")); value != nullptr) {
        sourceLanguage = reinterpret_cast<const char*>(value);
        xmlFree(value);
      }
    } else if (IsElement(child, "body")) {
      body = child;
    }
  }
  if (body == nullptr) throw fail("no <body>");

  const std::u16string origin = Utf8ToUtf16(fileName);
  std::vector<TMemoryEntry> entries;
  for (xmlNode* unit = body->children; unit != nullptr; unit = unit->next) {
    if (!IsElement(unit, "tu")) continue;
    std::vector<xmlNode*> variants;
    for (xmlNode* child = unit->children; child != nullptr; child = child->next)
      if (IsElement(child, "tuv")) variants.push_back(child);
    if (variants.size() < 2) continue;
    std::size_t source = 0;
    for (std::size_t i = 0; i < variants.size(); ++i)
      if (SameIgnoringCase(Language(variants[i]), sourceLanguage)) {
        source = i;
        break;
      }
    const std::size_t target = source == 0 ? 1 : 0;
    TMemoryEntry entry{SegmentText(variants[source]), SegmentText(variants[target]), origin};
    if (entry.Source.empty() || entry.Translation.empty()) continue;
    entries.push_back(std::move(entry));
  }
  return entries;
}
