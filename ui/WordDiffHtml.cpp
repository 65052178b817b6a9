#include "ui/WordDiffHtml.h"

#include "memory/MemoryWords.h"

QString PlainTextHtml(std::u16string_view text) {
  QString html = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
  html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
  html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
  return html;
}

QString WordDiffHtml(std::u16string_view before, std::u16string_view after) {
  QString html;
  for (const TDiffPiece& piece : WordDiff(before, after)) {
    const QString text = PlainTextHtml(piece.Text);
    switch (piece.Kind) {
      case DiffKind::Same:
        html += text;
        break;
      case DiffKind::Deleted:
        html += QLatin1String("<s style=\"color:#a40000\">") + text + QLatin1String("</s>");
        break;
      case DiffKind::Inserted:
        html += QLatin1String("<span style=\"background-color:#c4f0c4\">") + text + QLatin1String("</span>");
        break;
    }
  }
  return html;
}
