#include "formats/XliffFormat.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "formats/PortableText.h"
#include "project/ProjectClass.h"
#include "support/BlockFile.h"
#include "support/MakeInOrder.h"
#include "support/XmlWriter.h"

namespace {

const char* const XliffNamespace = "urn:oasis:names:tc:xliff:document:1.2";

const char* C(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

// The XLIFF writer: support's XML writer, and texts with their markup as <ph> elements.
class Writer : public TXmlWriter {
 public:
  explicit Writer(TBlockFileWriter& file) : TXmlWriter(file, FailureText) {}
  explicit Writer(std::string& text) : TXmlWriter(text, FailureText) {}

  // A text with its markup as <ph> elements, numbered from 1 within the element.
  void MarkedText(std::u16string_view text) {
    MakePortableForm(text, form_);
    if (form_.Pieces.size() == 1 && !form_.Pieces[0].Markup) {
      Text(form_.Text);
      return;
    }
    int number = 0;
    for (std::size_t i = 0; i < form_.Pieces.size(); ++i) {
      piece_.assign(form_.PieceText(i));
      if (!form_.Pieces[i].Markup) {
        Text(piece_);
        continue;
      }
      Start("ph");
      Attribute("id", std::to_string(++number));
      Text(piece_);
      End();
    }
  }

 private:
  static constexpr const char* FailureText = "The XLIFF file could not be written";
  TPortableForm form_;  // kept from text to text, with its storage
  std::string piece_;
};

// An element that many units share (an empty <target>, the kind's note), written once by the
// writer and repeated as written: the writer's calls are most of an export's time.
std::string SharedElement(const char* name, const char* attribute, const char* value, const std::string* text) {
  std::string xml;
  Writer out(xml);
  out.Start(name);
  out.Attribute(attribute, value);
  if (text != nullptr) out.Text(*text);
  out.End();
  out.Flush();
  return xml;
}

// What a unit's element says, gathered from the project before the units are written on two
// threads: the project's own code (and its caches) then runs on one thread only. The views point
// into the project, which does not change during a save, and into the outgoing units.
struct TUnitTexts {
  std::u16string_view Context, Source, Translation, Note;
  bool Translated = false, NeedsReview = false;
  const std::string* KindNote = nullptr;  // the <note from="developer"> element
};

std::vector<TUnitTexts> UnitTexts(const TtxgProject& project, const std::vector<TOutgoingUnit>& units,
                                  std::unordered_map<int32_t, std::string>& kindNotes) {
  std::vector<TUnitTexts> texts;
  texts.reserve(units.size());
  for (const TOutgoingUnit& unit : units) {
    const int32_t n = unit.Message;
    const int32_t type = project.SourceTypes[static_cast<std::size_t>(n)];
    auto note = kindNotes.find(type);
    if (note == kindNotes.end()) {
      const std::string label = PortableText(MessageKindLabel(project, type));
      note = kindNotes.emplace(type, SharedElement("note", "from", "developer", &label)).first;
    }
    TUnitTexts& text = texts.emplace_back();
    text.Context = unit.Context;
    text.Source = project.SourceTextView(n);
    text.Translated = project.IsTranslated(n);
    if (text.Translated) text.Translation = project.TargetTextView(n);
    text.NeedsReview = project.NeedsReview(n);
    text.KindNote = &note->second;
    text.Note = project.Note(n);
  }
  return texts;
}

const char* TargetState(const TUnitTexts& unit) {
  return unit.NeedsReview ? "needs-review-translation" : unit.Translated ? "translated" : "needs-translation";
}

// The <trans-unit> elements of units[begin, end), each after a line break, into `xml`.
void WriteUnitsXml(const std::vector<TUnitTexts>& units, std::size_t begin, std::size_t end, std::string& xml) {
  static const std::string untranslated = SharedElement("target", "state", "needs-translation", nullptr);
  static const std::string untranslatedForReview =
      SharedElement("target", "state", "needs-review-translation", nullptr);
  xml.clear();
  Writer out(xml);
  for (std::size_t i = begin; i < end; ++i) {
    const TUnitTexts& unit = units[i];
    out.Newline();
    out.Start("trans-unit");
    out.Attribute("id", PortableText(unit.Context));
    out.Attribute("xml:space", "preserve");
    // A final translation: some consumers take only approved units.
    if (unit.Translated && !unit.NeedsReview) out.Attribute("approved", "yes");
    out.Newline();
    out.Start("source");
    out.MarkedText(unit.Source);
    out.End();
    out.Newline();
    if (unit.Translated) {
      out.Start("target");
      out.Attribute("state", TargetState(unit));
      out.MarkedText(unit.Translation);
      out.End();
    } else {
      out.Repeat(unit.NeedsReview ? untranslatedForReview : untranslated);
    }
    out.Newline();
    out.Repeat(*unit.KindNote);
    if (!unit.Note.empty()) {
      out.Newline();
      out.Start("note");
      out.Attribute("from", "translator");
      out.Text(PortableText(unit.Note));
      out.End();
    }
    out.Newline();
    out.End();
  }
  out.Flush();
}

struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

// The units of a file, gathered from the parser's events without building a document tree: a
// file of many megabytes is read in one pass. A trans-unit counts anywhere below the root (in
// <body> or in <group>s); its first <source> and <target> children give their whole text content
// (inline elements such as <ph> included), its <note from="translator"> children the note (the
// last one wins). The target's state "needs-review-translation" flags the unit for review, unless
// the unit says approved="yes".
class UnitReader {
 public:
  UnitReader(xmlParserCtxtPtr context, const std::string& fileName) : context_(context), fileName_(fileName) {}

  std::vector<TIncomingUnit> Units;
  // A problem met by a handler; the parser is stopped and it is raised once the parse returns.
  std::optional<EFormatParseError> Failure;
  // The parser goes on after an error and the later ones follow from the first: it is the first
  // that names what is wrong.
  std::optional<EFormatParseError> FirstParseError;

  // libxml2 hands its errors to this handler instead of printing them.
  static void KeepFirstError(void* data, xmlErrorPtr error) {
    auto* reader = static_cast<UnitReader*>(data);
    if (reader->FirstParseError || error == nullptr || error->level < XML_ERR_ERROR) return;
    std::string text = error->message == nullptr ? "not well-formed XML" : error->message;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    reader->FirstParseError.emplace(reader->fileName_, error->line > 0 ? static_cast<std::size_t>(error->line) : 0,
                                    text);
  }

  static void StartElement(void* data, const xmlChar* localName, const xmlChar*, const xmlChar* uri, int,
                           const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    static_cast<UnitReader*>(data)->Start(C(localName), uri, attributeCount, attributes);
  }
  static void EndElement(void* data, const xmlChar*, const xmlChar*, const xmlChar*) {
    static_cast<UnitReader*>(data)->End();
  }
  static void Characters(void* data, const xmlChar* text, int length) {
    auto* reader = static_cast<UnitReader*>(data);
    if (reader->field_ != Field::None) reader->text_.append(C(text), static_cast<std::size_t>(length));
  }

 private:
  enum class Field { None, Source, Target, Note };

  // libxml2 passes each attribute as five pointers: local name, prefix, URI, value start, value end.
  static std::string AttributeValue(int count, const xmlChar** attributes, const char* name) {
    for (int i = 0; i < count; ++i) {
      const xmlChar** attribute = attributes + 5 * i;
      if (std::strcmp(C(attribute[0]), name) == 0)
        return std::string(C(attribute[3]), static_cast<std::size_t>(attribute[4] - attribute[3]));
    }
    return {};
  }

  std::size_t Line() const { return static_cast<std::size_t>(std::max(xmlSAX2GetLineNumber(context_), 0)); }

  void Fail(std::size_t line, const std::string& what) {
    if (!Failure) Failure.emplace(fileName_, line, what);
    xmlStopParser(context_);
  }

  void Start(const char* name, const xmlChar* uri, int attributeCount, const xmlChar** attributes) {
    ++depth_;
    if (depth_ == 1) {
      if (std::strcmp(name, "xliff") != 0 || (uri != nullptr && std::strcmp(C(uri), XliffNamespace) != 0))
        Fail(Line(), std::string("the root element is <") + name + ">, not XLIFF 1.2's <xliff>");
      return;
    }
    if (unitDepth_ == 0) {
      if (std::strcmp(name, "trans-unit") != 0) return;
      unitDepth_ = depth_;
      unitLine_ = Line();
      unit_ = TIncomingUnit();
      id_ = AttributeValue(attributeCount, attributes, "id");
      approved_ = AttributeValue(attributeCount, attributes, "approved") == "yes";
      seenSource_ = seenTarget_ = false;
      source_.clear();
      translation_.clear();
      note_.reset();
      return;
    }
    if (depth_ != unitDepth_ + 1) return;
    if (std::strcmp(name, "source") == 0 && !seenSource_) {
      seenSource_ = true;
      StartField(Field::Source);
    } else if (std::strcmp(name, "target") == 0 && !seenTarget_) {
      seenTarget_ = true;
      unit_.NeedsReview = AttributeValue(attributeCount, attributes, "state") == "needs-review-translation";
      StartField(Field::Target);
    } else if (std::strcmp(name, "note") == 0 && AttributeValue(attributeCount, attributes, "from") == "translator") {
      StartField(Field::Note);
    }
  }

  void StartField(Field field) {
    field_ = field;
    text_.clear();
  }

  void End() {
    if (field_ != Field::None && depth_ == unitDepth_ + 1) {
      if (field_ == Field::Source) source_.swap(text_);
      if (field_ == Field::Target) translation_.swap(text_);
      if (field_ == Field::Note) note_ = text_;
      field_ = Field::None;
    } else if (unitDepth_ != 0 && depth_ == unitDepth_) {
      FinishUnit();
      unitDepth_ = 0;
    }
    --depth_;
  }

  void FinishUnit() {
    try {
      unit_.Context = QuestTextFromPortable(id_);
      unit_.Source = QuestTextFromPortable(source_);
      unit_.Translation = QuestTextFromPortable(translation_);
      if (note_) unit_.Note = QuestTextFromPortable(*note_);
      // An approved unit is final, whatever its target's state says.
      if (approved_) unit_.NeedsReview = false;
    } catch (const ENotUtf8&) {
      Fail(unitLine_, "the text is not UTF-8");
      return;
    }
    Units.push_back(std::move(unit_));
  }

  xmlParserCtxtPtr context_;
  const std::string& fileName_;
  int depth_ = 0;
  int unitDepth_ = 0;  // the depth of the open trans-unit, 0 outside one
  std::size_t unitLine_ = 0;
  TIncomingUnit unit_;
  std::string id_, source_, translation_;
  std::optional<std::string> note_;
  bool seenSource_ = false, seenTarget_ = false;
  bool approved_ = false;  // the open trans-unit has approved="yes"
  Field field_ = Field::None;
  std::string text_;  // the open field's text so far
};

}  // namespace

std::string XmlLanguage(const std::string& code) {
  // "pt_BR.UTF-8@euro": the charset and the modifier say nothing of the language.
  std::string tag = code.substr(0, code.find_first_of(".@"));
  std::replace(tag.begin(), tag.end(), '_', '-');
  // xml:lang's pattern: [a-zA-Z]{1,8}(-[a-zA-Z0-9]{1,8})*
  std::size_t subtagLength = 0;
  bool valid = !tag.empty();
  for (std::size_t i = 0; valid && i <= tag.size(); ++i) {
    if (i == tag.size() || tag[i] == '-') {
      valid = subtagLength >= 1 && subtagLength <= 8;
      subtagLength = 0;
    } else {
      const auto c = static_cast<unsigned char>(tag[i]);
      valid = (std::isalpha(c) != 0 || (std::isdigit(c) != 0 && i >= tag.find('-'))) && c < 0x80;
      ++subtagLength;
    }
  }
  if (code.empty()) return {};
  if (!valid) throw std::invalid_argument("The language \"" + code + "\" is not a language code such as de or pt_BR");
  return tag;
}

void SaveXliff(const TtxgProject& project, const std::string& fileName, const TExportOptions& options) {
  // libxml2 sets up its globals here, before a second thread uses it.
  xmlInitParser();
  TBlockFileWriter file(fileName, TPieces::Streamed);
  Writer out(file);
  out.StartDocument();
  out.Start("xliff");
  out.Attribute("version", "1.2");
  out.Attribute("xmlns", XliffNamespace);
  out.Newline();
  out.Start("file");
  out.Attribute("original", options.QuestName);
  out.Attribute("source-language", XliffSourceLanguage);
  const std::string language = XmlLanguage(TargetLanguage(project, options));
  if (!language.empty()) out.Attribute("target-language", language);
  out.Attribute("datatype", "plaintext");
  out.Newline();
  out.Start("header");
  out.Start("tool");
  out.Attribute("tool-id", "xgtranslator");
  out.Attribute("tool-name", "XGTranslator");
  out.Attribute("tool-version", "0.1");
  out.End();
  out.End();
  out.Newline();
  out.Start("body");
  // The start tag is closed and out before the units go to the file.
  out.Text("");
  out.Flush();
  // Writing the elements takes most of an export: two threads write batches of units, and the
  // batches go to the file in order.
  const std::vector<TOutgoingUnit> units = OutgoingUnits(project);
  std::unordered_map<int32_t, std::string> kindNotes;
  const std::vector<TUnitTexts> texts = UnitTexts(project, units, kindNotes);
  constexpr std::size_t BatchUnits = 1024;
  MakeInOrder<std::string>((texts.size() + BatchUnits - 1) / BatchUnits,
                           [&](std::size_t batch, std::string& xml) {
                             WriteUnitsXml(texts, batch * BatchUnits, std::min((batch + 1) * BatchUnits, texts.size()),
                                           xml);
                           },
                           [&](const std::string& xml) { file.WriteBytes(xml.data(), xml.size()); });
  out.Newline();
  out.End();  // body
  out.Newline();
  out.End();  // file
  out.Newline();
  out.End();  // xliff
  out.EndDocument();
  out.Flush();
  file.Commit();
}

std::vector<TIncomingUnit> ReadXliffUnits(const std::string& fileName) {
  RequireReadableFile(fileName);

  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlCreateFileParserCtxt(fileName.c_str()));
  if (!context) throw EFormatParseError(fileName, 0, "not well-formed XML");
  // No network and no entity substitution; no tree is built, the reader takes the events.
  xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_NOWARNING);
  UnitReader reader(context.get(), fileName);
  xmlSAXHandler& events = *context->sax;
  std::memset(&events, 0, sizeof events);
  events.initialized = XML_SAX2_MAGIC;
  events.startElementNs = UnitReader::StartElement;
  events.endElementNs = UnitReader::EndElement;
  events.characters = UnitReader::Characters;
  events.ignorableWhitespace = UnitReader::Characters;
  events.cdataBlock = UnitReader::Characters;
  // The parser passes its user data to every handler, the error handler included.
  events.serror = UnitReader::KeepFirstError;
  context->userData = &reader;
  xmlParseDocument(context.get());
  if (reader.Failure) throw *reader.Failure;
  if (reader.FirstParseError) throw *reader.FirstParseError;
  if (context->wellFormed == 0) throw EFormatParseError(fileName, 0, "not well-formed XML");
  return std::move(reader.Units);
}

void LoadXliff(TtxgProject& project, const std::string& fileName, TConversionReport& report) {
  ApplyIncomingUnits(project, ReadXliffUnits(fileName), report);
}
