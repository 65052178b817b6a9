#include "ui/MarkupHighlighter.h"

#include <QColor>
#include <QTextDocument>
#include <algorithm>
#include <string_view>

#include "quest/QuestMarkup.h"

TMarkupHighlighter::TMarkupHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

QTextCharFormat TMarkupHighlighter::TagFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(0, 0, 192));
  format.setFontWeight(QFont::Bold);
  return format;
}

QTextCharFormat TMarkupHighlighter::ColorTagFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(160, 0, 160));
  format.setFontWeight(QFont::Bold);
  return format;
}

QTextCharFormat TMarkupHighlighter::FormulaFormat() {
  QTextCharFormat format;
  format.setForeground(QColor(0, 128, 0));
  format.setBackground(QColor(232, 248, 232));
  return format;
}

QTextCharFormat TMarkupHighlighter::UnderlineFormat(TUnderline::Kinds kind) {
  QTextCharFormat format;
  switch (kind) {
    case TUnderline::Spelling:
      format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
      format.setUnderlineColor(QColor(Qt::red));
      break;
    case TUnderline::Term:
      // Dotted and grey-blue: a hint, quieter than a finding, and no colour of the markup's.
      format.setUnderlineStyle(QTextCharFormat::DotLine);
      format.setUnderlineColor(QColor(70, 110, 150));
      break;
    default:
      format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
      format.setUnderlineColor(QColor(230, 140, 0));
  }
  return format;
}

void TMarkupHighlighter::SetUnderlines(std::vector<TUnderline> underlines) {
  underlines_ = std::move(underlines);
  rehighlight();
}

void TMarkupHighlighter::highlightBlock(const QString& text) {
  // A block is one line; a tag or formula broken over lines shows as cut short, which it is.
  const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<std::size_t>(text.size()));
  TMarkupScanner scanner(units);
  TMarkupToken token;
  while (scanner.Next(token)) {
    const int begin = static_cast<int>(token.Begin);
    const int length = static_cast<int>(token.End - token.Begin);
    if (token.Kind == TMarkupKind::ColorOpen || token.Kind == TMarkupKind::ColorClose)
      setFormat(begin, length, ColorTagFormat());
    else if (token.Kind == TMarkupKind::Tag)
      setFormat(begin, length, TagFormat());
    else if (token.Kind == TMarkupKind::Formula)
      setFormat(begin, length, FormulaFormat());
  }
  const int blockBegin = currentBlock().position();
  const int blockEnd = blockBegin + static_cast<int>(text.size());
  for (const TUnderline& underline : underlines_) {
    const int begin = std::max(underline.Begin, blockBegin);
    const int end = std::min(underline.End, blockEnd);
    if (begin >= end) continue;
    const QTextCharFormat line = UnderlineFormat(underline.Kind);
    for (int at = begin; at < end; ++at) {
      QTextCharFormat merged = format(at - blockBegin);
      merged.merge(line);
      setFormat(at - blockBegin, 1, merged);
    }
  }
}
