// TBX glossaries. We write the martif form of TBX-Basic (ISO 30042:2008): translate-toolkit's
// tbx2po reads only a <martif> root. We read that form with any martif dialect (tig or ntig, with
// termGrp) and the <tbx> root of the second edition (conceptEntry / langSec / termSec).
//
// Statuses are TBX-Basic's administrativeStatus of the target terms: a preferred entry writes its
// first translation as preferredTerm-admn-sts and the others as admittedTerm-admn-sts, an admitted
// one all as admittedTerm-admn-sts, a forbidden one all as deprecatedTerm-admn-sts. An entry
// without translations carries its status on the source term. TBX-Basic has no data category for
// a term kept as it is: a do-not-translate entry marks its source term with
// <admin type="projectSubset">do-not-translate</admin>, a free-text category TBX-Basic allows on a
// term, so the file stays TBX-Basic and the mark comes back.
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "glossary/Glossary.h"
#include "support/BlockFile.h"
#include "support/XmlText.h"
#include "support/XmlWriter.h"

namespace {

const char* const DoNotTranslateMark = "do-not-translate";

const char* C(const xmlChar* text) { return reinterpret_cast<const char*>(text); }
const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// ---- writing

void WriteTerm(TXmlWriter& out, const std::u16string& text, const char* status, bool doNotTranslate) {
  out.Start("tig");
  out.Start("term");
  out.Text(XmlSafeText(text));
  out.End();
  if (status != nullptr) {
    out.Start("termNote");
    out.Attribute("type", "administrativeStatus");
    out.Text(status);
    out.End();
  }
  if (doNotTranslate) {
    out.Start("admin");
    out.Attribute("type", "projectSubset");
    out.Text(DoNotTranslateMark);
    out.End();
  }
  out.End();
}

const char* StatusValue(TTermStatus status, bool first) {
  switch (status) {
    case TTermStatus::Admitted:
      return "admittedTerm-admn-sts";
    case TTermStatus::Forbidden:
      return "deprecatedTerm-admn-sts";
    default:
      return first ? "preferredTerm-admn-sts" : "admittedTerm-admn-sts";
  }
}

// A file needs a language on every langSet: "und" stands for one not given.
std::string WrittenLanguage(const std::string& language) { return language.empty() ? "und" : language; }

// ---- reading

bool Named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && std::strcmp(C(node->name), name) == 0;
}

std::string AttributeText(xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, X(name));
  if (value == nullptr) return {};
  std::string text(C(value));
  xmlFree(value);
  return text;
}

// xml:lang as XML inherits it from the enclosing elements.
std::string LanguageOf(xmlNode* node) {
  xmlChar* value = xmlNodeGetLang(node);
  if (value == nullptr) return {};
  std::string text(C(value));
  xmlFree(value);
  return text;
}

// "en_US" and "EN-us" name one language.
std::string LanguageKey(std::string language) {
  for (char& c : language) c = c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return language;
}

// The text below `node`. An entity reference adds nothing: its replacement is never read.
void AppendText(const xmlNode* node, std::string& text) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content != nullptr) text += C(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      AppendText(child, text);
    }
  }
}

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

std::string TextOf(const xmlNode* node) {
  std::string text;
  AppendText(node, text);
  return Trimmed(std::move(text));
}

// A term or a note: escapes are undone before the ends are trimmed, so what we write comes back.
std::u16string UserText(const xmlNode* node) {
  std::string raw;
  AppendText(node, raw);
  std::u16string text = TextFromXmlSafe(raw);
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

xmlNode* FirstDescendant(xmlNode* node, const char* name) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (Named(child, name)) return child;
    if (xmlNode* found = FirstDescendant(child, name)) return found;
  }
  return nullptr;
}

enum class TMark { None, Preferred, Admitted, Deprecated };

// administrativeStatus (TBX-Basic, as a termNote or an element of its own) or normativeAuthorization.
TMark MarkOf(xmlNode* node) {
  std::string value;
  if (Named(node, "termNote")) {
    const std::string type = AttributeText(node, "type");
    if (type != "administrativeStatus" && type != "normativeAuthorization") return TMark::None;
    value = TextOf(node);
  } else if (Named(node, "administrativeStatus")) {
    value = TextOf(node);
  } else {
    return TMark::None;
  }
  value = LanguageKey(value.substr(0, value.find("-admn-sts")));
  if (value == "admittedterm") return TMark::Admitted;
  if (value == "deprecatedterm" || value == "supersededterm") return TMark::Deprecated;
  return TMark::Preferred;  // preferred, and the normative ones (standardized, legal, regulated)
}

TMark FirstMark(xmlNode* node) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (const TMark mark = MarkOf(child); mark != TMark::None) return mark;
    if (const TMark mark = FirstMark(child); mark != TMark::None) return mark;
  }
  return TMark::None;
}

struct TTerm {
  std::u16string Text;
  TMark Mark = TMark::None;
};

struct TLanguageTerms {
  std::string Name;      // as the file gives it
  std::string Language;  // as LanguageKey gives it
  std::vector<TTerm> Terms;
};

struct TRawEntry {
  std::vector<TLanguageTerms> Sets;
  std::u16string Note;
  bool DoNotTranslate = false;
};

bool IsTermHolder(const xmlNode* node) { return Named(node, "tig") || Named(node, "ntig") || Named(node, "termSec"); }

bool IsMarkedDoNotTranslate(xmlNode* node) {
  if (!Named(node, "admin") && !Named(node, "descrip") && !Named(node, "termNote")) return false;
  return LanguageKey(TextOf(node)) == DoNotTranslateMark;
}

// Notes and definitions anywhere in the entry, in order, each once; and the do-not-translate mark.
void GatherNotes(xmlNode* node, std::vector<std::u16string>& notes, bool& doNotTranslate) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    if (IsMarkedDoNotTranslate(child)) {
      doNotTranslate = true;
    } else if (Named(child, "note") || (Named(child, "descrip") && AttributeText(child, "type") == "definition")) {
      std::u16string note = UserText(child);
      if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(std::move(note));
    } else {
      GatherNotes(child, notes, doNotTranslate);
    }
  }
}

TRawEntry ReadEntry(xmlNode* entry) {
  TRawEntry raw;
  for (xmlNode* set = entry->children; set != nullptr; set = set->next) {
    if (!Named(set, "langSet") && !Named(set, "langSec")) continue;
    TLanguageTerms& terms = raw.Sets.emplace_back();
    terms.Name = LanguageOf(set);
    terms.Language = LanguageKey(terms.Name);
    for (xmlNode* holder = set->children; holder != nullptr; holder = holder->next) {
      if (!IsTermHolder(holder)) continue;
      xmlNode* term = FirstDescendant(holder, "term");
      if (term == nullptr) continue;
      std::u16string text = UserText(term);
      if (!text.empty()) terms.Terms.push_back({std::move(text), FirstMark(holder)});
    }
  }
  std::vector<std::u16string> notes;
  GatherNotes(entry, notes, raw.DoNotTranslate);
  for (const std::u16string& note : notes) raw.Note += (raw.Note.empty() ? u"" : u"\n") + note;
  return raw;
}

TTermStatus StatusOfMark(TMark mark) {
  return mark == TMark::Admitted     ? TTermStatus::Admitted
         : mark == TMark::Deprecated ? TTermStatus::Forbidden
                                     : TTermStatus::Preferred;
}

// The entries one TBX entry gives, one for each source term. Deprecated translations beside
// usable ones make an entry of their own, a forbidden one; preferred translations come first.
void AddEntries(const TRawEntry& raw, const TLanguageTerms& source, const std::vector<TTerm>& targets,
                TGlossary& glossary) {
  std::vector<std::u16string> kept, deprecated, admitted;
  for (const TTerm& target : targets) {
    if (raw.DoNotTranslate || target.Mark == TMark::None || target.Mark == TMark::Preferred)
      kept.push_back(target.Text);
    else if (target.Mark == TMark::Admitted)
      admitted.push_back(target.Text);
    else
      deprecated.push_back(target.Text);
  }
  TTermStatus status = TTermStatus::Preferred;
  if (raw.DoNotTranslate)
    status = TTermStatus::DoNotTranslate;
  else if (targets.empty())
    status = StatusOfMark(source.Terms.front().Mark);
  else if (kept.empty() && !admitted.empty())
    status = TTermStatus::Admitted;
  kept.insert(kept.end(), admitted.begin(), admitted.end());
  for (const TTerm& term : source.Terms) {
    if (!kept.empty() || deprecated.empty()) glossary.Entries.push_back({term.Text, kept, raw.Note, status});
    if (!deprecated.empty()) glossary.Entries.push_back({term.Text, deprecated, raw.Note, TTermStatus::Forbidden});
  }
}

// The first error libxml2 met: the later ones follow from it.
struct TParseState {
  const std::string* FileName;
  std::optional<EGlossaryError> FirstError;
};

void KeepFirstError(void* data, xmlErrorPtr error) {
  auto* context = static_cast<xmlParserCtxtPtr>(data);
  auto* state = static_cast<TParseState*>(context->_private);
  if (state == nullptr || state->FirstError || error == nullptr || error->level < XML_ERR_ERROR) return;
  std::string text = error->message == nullptr ? "not well-formed XML" : error->message;
  text = Trimmed(std::move(text));
  std::replace(text.begin(), text.end(), '\n', ' ');
  state->FirstError.emplace(*state->FileName, error->line, text);
}

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

std::unique_ptr<xmlDoc, DocumentDeleter> ParseTbx(const std::string& fileName) {
  TBlockFileReader file(fileName);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  if (bytes.empty()) throw EGlossaryError(fileName, 1, "the file is empty");
  file.ReadBytes(bytes.data(), bytes.size());

  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(
      xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
  if (!context) throw std::bad_alloc();
  TParseState state{&fileName, std::nullopt};
  context->_private = &state;
  context->sax->serror = KeepFirstError;
  // No network, and neither entity substitution nor DTD loading: a glossary is data, and a
  // DOCTYPE naming the TBX DTD is only read past.
  xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_NOWARNING);
  xmlParseDocument(context.get());
  std::unique_ptr<xmlDoc, DocumentDeleter> document(context->myDoc);
  context->myDoc = nullptr;
  if (state.FirstError) throw *state.FirstError;
  if (context->wellFormed == 0 || !document) throw EGlossaryError(fileName, 0, "not well-formed XML");
  return document;
}

}  // namespace

TGlossary LoadTbx(const std::string& fileName, TGlossaryReport& report) {
  report = {};
  std::unique_ptr<xmlDoc, DocumentDeleter> document = ParseTbx(fileName);
  xmlNode* root = xmlDocGetRootElement(document.get());
  if (!Named(root, "martif") && !Named(root, "tbx"))
    throw EGlossaryError(fileName, xmlGetLineNo(root),
                         "the root element is <" + std::string(C(root->name)) + ">, not TBX's <martif> or <tbx>");
  xmlNode* body = nullptr;
  for (xmlNode* text = root->children; text != nullptr && body == nullptr; text = text->next)
    if (Named(text, "text"))
      for (xmlNode* child = text->children; child != nullptr && body == nullptr; child = child->next)
        if (Named(child, "body")) body = child;
  if (body == nullptr) throw EGlossaryError(fileName, xmlGetLineNo(root), "no <body> in <text>");

  std::vector<TRawEntry> entries;
  for (xmlNode* entry = body->children; entry != nullptr; entry = entry->next)
    if (Named(entry, "termEntry") || Named(entry, "conceptEntry")) entries.push_back(ReadEntry(entry));

  // The file's language is the source; without one, each entry's first language is.
  TGlossary glossary;
  glossary.SourceLanguage = LanguageOf(root);
  if (glossary.SourceLanguage.empty())
    for (const TRawEntry& raw : entries)
      if (!raw.Sets.empty()) {
        glossary.SourceLanguage = raw.Sets.front().Name;
        break;
      }
  const std::string sourceKey = LanguageKey(glossary.SourceLanguage);
  const auto sourceOf = [&](const TRawEntry& raw) {
    return LanguageOf(root).empty() && !raw.Sets.empty() ? raw.Sets.front().Language : sourceKey;
  };
  // The targets are the first other language met; a file of one language pairs its langSets.
  for (const TRawEntry& raw : entries)
    for (const TLanguageTerms& set : raw.Sets)
      if (glossary.TargetLanguage.empty() && set.Language != sourceOf(raw)) glossary.TargetLanguage = set.Name;
  const std::string targetKey = glossary.TargetLanguage.empty() ? sourceKey : LanguageKey(glossary.TargetLanguage);

  for (const TRawEntry& raw : entries) {
    const std::string entrySource = sourceOf(raw);
    const TLanguageTerms* source = nullptr;
    std::vector<TTerm> targets;
    for (const TLanguageTerms& set : raw.Sets) {
      if (source == nullptr && set.Language == entrySource && !set.Terms.empty())
        source = &set;
      else if (set.Language == (targetKey.empty() ? entrySource : targetKey))
        targets.insert(targets.end(), set.Terms.begin(), set.Terms.end());
    }
    if (source == nullptr) {
      ++report.WithoutSource;
      continue;
    }
    AddEntries(raw, *source, targets, glossary);
  }
  report.Entries = glossary.Entries.size();
  return glossary;
}

void SaveTbx(const TGlossary& glossary, const std::string& fileName) {
  TBlockFileWriter file(fileName);
  TXmlWriter out(file, "The TBX file could not be written");
  out.Indent("  ");
  out.StartDocument();
  out.Repeat("<!DOCTYPE martif SYSTEM \"TBXBasiccoreStructV02.dtd\">\n");
  out.Start("martif");
  out.Attribute("type", "TBX-Basic");
  out.Attribute("xml:lang", WrittenLanguage(glossary.SourceLanguage));
  out.Start("martifHeader");
  out.Start("fileDesc");
  out.Start("sourceDesc");
  out.Start("p");
  out.Text("XGTranslator glossary");
  out.End();
  out.End();
  out.End();
  out.Start("encodingDesc");
  out.Start("p");
  out.Attribute("type", "XCSURI");
  out.Text("TBXBasicXCSV02.xcs");
  out.End();
  out.End();
  out.End();
  out.Start("text");
  out.Start("body");
  std::size_t number = 0;
  for (const TGlossaryEntry& entry : glossary.Entries) {
    out.Start("termEntry");
    out.Attribute("id", "c" + std::to_string(++number));
    if (!entry.Note.empty()) {
      out.Start("note");
      out.Text(XmlSafeText(entry.Note));
      out.End();
    }
    const bool doNotTranslate = entry.Status == TTermStatus::DoNotTranslate;
    out.Start("langSet");
    out.Attribute("xml:lang", WrittenLanguage(glossary.SourceLanguage));
    WriteTerm(out, entry.Source, entry.Targets.empty() ? StatusValue(entry.Status, true) : nullptr, doNotTranslate);
    out.End();
    if (!entry.Targets.empty()) {
      out.Start("langSet");
      out.Attribute("xml:lang", WrittenLanguage(glossary.TargetLanguage));
      for (std::size_t i = 0; i < entry.Targets.size(); ++i)
        WriteTerm(out, entry.Targets[i], StatusValue(entry.Status, i == 0), false);
      out.End();
    }
    out.End();
  }
  out.EndDocument();
  out.Flush();
  file.Commit();
}
