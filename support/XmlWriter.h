#pragma once
// An XML file written through libxml2's writer straight into a checked file writer, as libxml2
// flushes its output, not into one buffer of the whole file first; or into a text (a piece of XML
// written once and repeated, a batch of elements made on another thread). The XLIFF and TMX files
// are written through it. Every call of libxml2's writer reports failure by a negative result; one
// failure ends the save with `failureText`, and a failure of the file comes back as the file's own
// error.
#include <exception>
#include <string>

class TBlockFileWriter;
struct _xmlTextWriter;  // libxml2's writer, kept out of this header

class TXmlWriter {
 public:
  TXmlWriter(TBlockFileWriter& file, std::string failureText);
  TXmlWriter(std::string& text, std::string failureText);
  ~TXmlWriter();
  TXmlWriter(const TXmlWriter&) = delete;
  TXmlWriter& operator=(const TXmlWriter&) = delete;

  // Each element on a line of its own, nested ones indented by `indent`.
  void Indent(const char* indent);
  // <?xml version="1.0" encoding="UTF-8"?> / closes what is open.
  void StartDocument();
  void EndDocument();
  void Start(const char* name);
  void Attribute(const char* name, const std::string& value);
  void End();
  void Text(const char* text);
  void Text(const std::string& text) { Text(text.c_str()); }
  // The line break between elements needs no escaping.
  void Newline();
  // XML this writer wrote before, repeated as it is.
  void Repeat(const std::string& xml);
  // Hands what libxml2 still holds to the file or the text.
  void Flush();

 private:
  void Open();
  void Check(int result);
  static int Write(void* context, const char* bytes, int length);

  TBlockFileWriter* file_ = nullptr;
  std::string* text_ = nullptr;
  std::string failureText_;
  _xmlTextWriter* writer_ = nullptr;
  // No exception may pass through libxml2: the output callback keeps it for Check.
  std::exception_ptr failure_;
};
