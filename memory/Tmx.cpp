#include "memory/Tmx.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlwriter.h>

#include <cstring>
#include <memory>

#include "support/BlockFile.h"
#include "support/JD_Str.h"
#include "support/Utf8.h"

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

std::u16string XmlSafe(const std::u16string& text) {
  std::u16string safe = text;
  for (char16_t& c : safe)
    if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF) c = u'\uFFFD';
  return safe;  // lone surrogates are replaced by the UTF-8 conversion
}

struct WriterDeleter {
  void operator()(xmlTextWriter* writer) const { xmlFreeTextWriter(writer); }
};
struct BufferDeleter {
  void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
};
struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

class TmxWriter {
 public:
  TmxWriter() : buffer_(xmlBufferCreate()) {
    if (!buffer_) throw std::bad_alloc();
    writer_.reset(xmlNewTextWriterMemory(buffer_.get(), 0));
    if (!writer_) throw std::bad_alloc();
    xmlTextWriterSetIndent(writer_.get(), 1);
    xmlTextWriterSetIndentString(writer_.get(), X("  "));
  }
  void Check(int result) {
    if (result < 0) throw std::runtime_error("TMX writing failed");
  }
  void Start(const char* name) { Check(xmlTextWriterStartElement(writer_.get(), X(name))); }
  void End() { Check(xmlTextWriterEndElement(writer_.get())); }
  void Attribute(const char* name, const std::string& value) {
    Check(xmlTextWriterWriteAttribute(writer_.get(), X(name), X(value.c_str())));
  }
  void Variant(const std::string& language, const std::u16string& text) {
    Start("tuv");
    Attribute("xml:lang", language);
    Start("seg");
    const std::string utf8 = Utf16ToUtf8(XmlSafe(text));
    Check(xmlTextWriterWriteString(writer_.get(), X(utf8.c_str())));
    End();
    End();
  }
  xmlTextWriter* Get() { return writer_.get(); }
  xmlBuffer* Buffer() { return buffer_.get(); }

 private:
  std::unique_ptr<xmlBuffer, BufferDeleter> buffer_;
  std::unique_ptr<xmlTextWriter, WriterDeleter> writer_;
};

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
      std::u16string text = Utf8ToUtf16(reinterpret_cast<const char*>(content));
      xmlFree(content);
      return text;
    }
  return {};
}

}  // namespace

void WriteTmx(const std::string& fileName, const std::vector<TMemoryEntry>& entries, const TTmxLanguages& languages) {
  TmxWriter xml;
  xml.Check(xmlTextWriterStartDocument(xml.Get(), "1.0", "UTF-8", nullptr));
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
    if (!entry.Origin.empty()) xml.Attribute("tuid", Utf16ToUtf8(XmlSafe(entry.Origin)));
    xml.Variant(languages.Source, entry.Source);
    xml.Variant(languages.Target, entry.Translation);
    xml.End();
  }
  xml.Check(xmlTextWriterEndDocument(xml.Get()));
  xml.Check(xmlTextWriterFlush(xml.Get()));

  TBlockFileWriter file(fileName);
  file.WriteBytes(xmlBufferContent(xml.Buffer()), static_cast<std::size_t>(xmlBufferLength(xml.Buffer())));
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
