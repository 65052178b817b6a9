#include "support/XmlWriter.h"

#include <libxml/xmlwriter.h>

#include <new>
#include <stdexcept>
#include <utility>

#include "support/BlockFile.h"

namespace {
const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
}  // namespace

TXmlWriter::TXmlWriter(TBlockFileWriter& file, std::string failureText)
    : file_(&file), failureText_(std::move(failureText)) {
  Open();
}

TXmlWriter::TXmlWriter(std::string& text, std::string failureText)
    : text_(&text), failureText_(std::move(failureText)) {
  Open();
}

TXmlWriter::~TXmlWriter() { xmlFreeTextWriter(writer_); }

void TXmlWriter::Open() {
  xmlOutputBufferPtr output = xmlOutputBufferCreateIO(Write, nullptr, this, nullptr);
  if (output == nullptr) throw std::bad_alloc();
  // The writer owns the output buffer from here on, and frees it with itself.
  writer_ = xmlNewTextWriter(output);
  if (writer_ == nullptr) {
    xmlOutputBufferClose(output);
    throw std::bad_alloc();
  }
}

int TXmlWriter::Write(void* context, const char* bytes, int length) {
  auto* writer = static_cast<TXmlWriter*>(context);
  try {
    if (writer->file_ != nullptr) {
      writer->file_->WriteBytes(bytes, static_cast<std::size_t>(length));
    } else {
      writer->text_->append(bytes, static_cast<std::size_t>(length));
    }
  } catch (...) {
    writer->failure_ = std::current_exception();
    return -1;
  }
  return length;
}

void TXmlWriter::Check(int result) {
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  if (result < 0) throw std::runtime_error(failureText_);
}

void TXmlWriter::Indent(const char* indent) {
  Check(xmlTextWriterSetIndent(writer_, 1));
  Check(xmlTextWriterSetIndentString(writer_, X(indent)));
}

void TXmlWriter::StartDocument() { Check(xmlTextWriterStartDocument(writer_, "1.0", "UTF-8", nullptr)); }
void TXmlWriter::EndDocument() { Check(xmlTextWriterEndDocument(writer_)); }
void TXmlWriter::Start(const char* name) { Check(xmlTextWriterStartElement(writer_, X(name))); }
void TXmlWriter::Attribute(const char* name, const std::string& value) {
  Check(xmlTextWriterWriteAttribute(writer_, X(name), X(value.c_str())));
}
void TXmlWriter::End() { Check(xmlTextWriterEndElement(writer_)); }
void TXmlWriter::Text(const char* text) { Check(xmlTextWriterWriteString(writer_, X(text))); }
void TXmlWriter::Newline() { Check(xmlTextWriterWriteRaw(writer_, X("\n"))); }
void TXmlWriter::Repeat(const std::string& xml) {
  Check(xmlTextWriterWriteRawLen(writer_, X(xml.data()), static_cast<int>(xml.size())));
}
void TXmlWriter::Flush() { Check(xmlTextWriterFlush(writer_)); }
