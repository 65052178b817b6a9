#pragma once
// Colours the markup of a quest text in a text box: tags, colour tags and formulas, as the core's
// markup tokenizer reads them; and underlines stretches the window asks for (the findings of the
// checks, misspelled words, glossary terms).
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

class QTextDocument;

struct TUnderline {
  enum Kinds { Finding, Spelling, Term };
  int Begin = 0;  // positions in the document, end exclusive
  int End = 0;
  Kinds Kind = Finding;
};

class TMarkupHighlighter : public QSyntaxHighlighter {
 public:
  explicit TMarkupHighlighter(QTextDocument* document);
  // Replaces the underlines and colours the document again.
  void SetUnderlines(std::vector<TUnderline> underlines);
  const std::vector<TUnderline>& Underlines() const { return underlines_; }

  // The formats used, for tests and for a legend.
  static QTextCharFormat TagFormat();
  static QTextCharFormat ColorTagFormat();
  static QTextCharFormat FormulaFormat();
  // The underline of each kind: its style and colour, apart from the markup's colours.
  static QTextCharFormat UnderlineFormat(TUnderline::Kinds kind);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::vector<TUnderline> underlines_;
};
