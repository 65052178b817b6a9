#include "formats/XliffFormat.h"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlwriter.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "formats/PortableText.h"
#include "project/ProjectClass.h"
#include "quest/BlockFile.h"

namespace {

const char* const XliffNamespace = "urn:oasis:names:tc:xliff:document:1.2";

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
const char* C(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

// Every call of the writer reports failure by a negative result; one failure ends the save.
class Writer {
 public:
  Writer() : buffer_(xmlBufferCreate()), writer_(buffer_ == nullptr ? nullptr : xmlNewTextWriterMemory(buffer_, 0)) {
    if (writer_ == nullptr) throw std::bad_alloc();
  }
  ~Writer() {
    if (writer_ != nullptr) xmlFreeTextWriter(writer_);
    xmlBufferFree(buffer_);
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void Check(int result) {
    if (result < 0) throw std::runtime_error("The XLIFF file could not be written");
  }
  void Start(const char* name) { Check(xmlTextWriterStartElement(writer_, X(name))); }
  void Attribute(const char* name, const std::string& value) {
    Check(xmlTextWriterWriteAttribute(writer_, X(name), X(value.c_str())));
  }
  void End() { Check(xmlTextWriterEndElement(writer_)); }
  void Text(std::string_view text) {
    const std::string copy(text);
    Check(xmlTextWriterWriteString(writer_, X(copy.c_str())));
  }
  void Element(const char* name, const std::string& text) {
    Start(name);
    Text(text);
    End();
  }
  // A text with its markup as <ph> elements, numbered from 1 within the element.
  void MarkedText(std::u16string_view text) {
    int number = 0;
    for (const TTextPiece& piece : PortablePieces(text)) {
      if (!piece.Markup) {
        Text(piece.Text);
        continue;
      }
      Start("ph");
      Attribute("id", std::to_string(++number));
      Text(piece.Text);
      End();
    }
  }
  xmlTextWriterPtr Get() { return writer_; }
  std::string_view Bytes() {
    Check(xmlTextWriterFlush(writer_));
    return {C(xmlBufferContent(buffer_)), static_cast<std::size_t>(xmlBufferLength(buffer_))};
  }

 private:
  xmlBufferPtr buffer_;
  xmlTextWriterPtr writer_;
};

struct DocDeleter {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

bool IsElement(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && std::strcmp(C(node->name), name) == 0;
}

std::string Content(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content == nullptr ? std::string() : C(content);
  xmlFree(content);
  return text;
}

std::string Attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, X(name));
  std::string text = value == nullptr ? std::string() : C(value);
  xmlFree(value);
  return text;
}

const xmlNode* Child(const xmlNode* node, const char* name) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next)
    if (IsElement(child, name)) return child;
  return nullptr;
}

// Trans-units anywhere below `node` (in <body> or in <group>s), in document order.
void CollectUnits(const xmlNode* node, const std::string& fileName, std::vector<TIncomingUnit>& units) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (!IsElement(child, "trans-unit")) {
      CollectUnits(child, fileName, units);
      continue;
    }
    const xmlNode* source = Child(child, "source");
    const xmlNode* target = Child(child, "target");
    TIncomingUnit unit;
    try {
      unit.Context = QuestTextFromPortable(Attribute(child, "id"));
      unit.Source = source == nullptr ? std::u16string() : QuestTextFromPortable(Content(source));
      unit.Translation = target == nullptr ? std::u16string() : QuestTextFromPortable(Content(target));
      unit.NeedsReview = target != nullptr && Attribute(target, "state") == "needs-review-translation";
      for (const xmlNode* note = child->children; note != nullptr; note = note->next)
        if (IsElement(note, "note") && Attribute(note, "from") == "translator")
          unit.Note = QuestTextFromPortable(Content(note));
    } catch (const ENotUtf8&) {
      throw EFormatParseError(fileName, static_cast<std::size_t>(xmlGetLineNo(child)), "the text is not UTF-8");
    }
    units.push_back(std::move(unit));
  }
}

// The parser goes on after an error and the later ones follow from the first: it is the first
// that names what is wrong.
struct FirstError {
  std::string text;
  std::size_t line = 0;
  bool met = false;
};

// Called with the parser context, whose _private holds the FirstError.
void KeepFirstError(void* data, xmlErrorPtr error) {
  auto* first = static_cast<FirstError*>(static_cast<xmlParserCtxtPtr>(data)->_private);
  if (first->met || error == nullptr || error->level < XML_ERR_ERROR) return;
  first->met = true;
  first->line = error->line > 0 ? static_cast<std::size_t>(error->line) : 0;
  first->text = error->message == nullptr ? "not well-formed XML" : error->message;
  while (!first->text.empty() && (first->text.back() == '\n' || first->text.back() == ' ')) first->text.pop_back();
  for (char& c : first->text)
    if (c == '\n') c = ' ';
}

}  // namespace

void SaveXliff(const TtxgProject& project, const std::string& fileName, const TExportOptions& options) {
  Writer out;
  out.Check(xmlTextWriterStartDocument(out.Get(), "1.0", "UTF-8", nullptr));
  out.Start("xliff");
  out.Attribute("version", "1.2");
  out.Attribute("xmlns", XliffNamespace);
  out.Text("\n");
  out.Start("file");
  out.Attribute("original", options.QuestName);
  out.Attribute("source-language", XliffSourceLanguage);
  const std::string language = TargetLanguage(project, options);
  if (!language.empty()) out.Attribute("target-language", language);
  out.Attribute("datatype", "plaintext");
  out.Text("\n");
  out.Start("header");
  out.Start("tool");
  out.Attribute("tool-id", "xgtranslator");
  out.Attribute("tool-name", "XGTranslator");
  out.Attribute("tool-version", "0.1");
  out.End();
  out.End();
  out.Text("\n");
  out.Start("body");
  std::unordered_map<int32_t, std::string> kindLabels;
  for (const TOutgoingUnit& unit : OutgoingUnits(project)) {
    const int32_t n = unit.Message;
    const int32_t type = project.SourceTypes[static_cast<std::size_t>(n)];
    auto label = kindLabels.find(type);
    if (label == kindLabels.end())
      label = kindLabels.emplace(type, PortableText(MessageKindLabel(project, type))).first;
    const bool translated = project.IsTranslated(n);
    out.Text("\n");
    out.Start("trans-unit");
    out.Attribute("id", PortableText(unit.Context));
    out.Attribute("xml:space", "preserve");
    out.Text("\n");
    out.Start("source");
    out.MarkedText(project.GetSourceText(n));
    out.End();
    out.Text("\n");
    out.Start("target");
    out.Attribute("state", project.NeedsReview(n) ? "needs-review-translation"
                           : translated           ? "translated"
                                                  : "needs-translation");
    if (translated) out.MarkedText(project.GetTargetText(n));
    out.End();
    out.Text("\n");
    out.Start("note");
    out.Attribute("from", "developer");
    out.Text(label->second);
    out.End();
    if (!project.Note(n).empty()) {
      out.Text("\n");
      out.Start("note");
      out.Attribute("from", "translator");
      out.Text(PortableText(project.Note(n)));
      out.End();
    }
    out.Text("\n");
    out.End();
  }
  out.Text("\n");
  out.End();  // body
  out.Text("\n");
  out.End();  // file
  out.Text("\n");
  out.End();  // xliff
  out.Check(xmlTextWriterEndDocument(out.Get()));
  const std::string_view bytes = out.Bytes();
  TBlockFileWriter writer(fileName);
  writer.WriteBytes(bytes.data(), bytes.size());
  writer.Commit();
}

void LoadXliff(TtxgProject& project, const std::string& fileName, TConversionReport& report) {
  // The usual error for a file that cannot be opened, before the parser is asked.
  const int probe = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (probe < 0) throw EInOutError(InOutErrorNumberForErrno(errno, fileName));
  close(probe);

  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
  if (!context) throw std::bad_alloc();
  FirstError firstError;
  // Errors reach the handler instead of stderr; the parser passes it the context.
  context->_private = &firstError;
  context->sax->serror = KeepFirstError;
  context->sax->initialized = XML_SAX2_MAGIC;
  // No network and no entity substitution.
  std::unique_ptr<xmlDoc, DocDeleter> doc(
      xmlCtxtReadFile(context.get(), fileName.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING));
  if (!doc || firstError.met) {
    if (!firstError.met) firstError.text = "not well-formed XML";
    throw EFormatParseError(fileName, firstError.line, firstError.text);
  }
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (root == nullptr || !IsElement(root, "xliff") ||
      (root->ns != nullptr && std::strcmp(C(root->ns->href), XliffNamespace) != 0)) {
    const std::string name = root == nullptr ? std::string() : C(root->name);
    throw EFormatParseError(fileName, root == nullptr ? 0 : static_cast<std::size_t>(xmlGetLineNo(root)),
                            "the root element is <" + name + ">, not XLIFF 1.2's <xliff>");
  }
  std::vector<TIncomingUnit> units;
  CollectUnits(root, fileName, units);
  ApplyIncomingUnits(project, units, report);
}
