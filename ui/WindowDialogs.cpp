#include "ui/WindowDialogs.h"

#include <QFile>
#include <QStringList>

#include "project/ConversionReport.h"
#include "support/ErrorDescription.h"
#include "support/JD_Error.h"
#include "ui/QtText.h"

TErrorPlace ErrorPlaceOf(const std::exception& error) {
  TErrorPlace place;
  if (const TFileErrorContext* context = FileErrorContextOf(error)) {
    place.FileName = QFile::decodeName(QByteArray::fromStdString(context->FileName));
    place.Offset = context->Offset;
    place.Line = context->Line;
    place.Note = QString::fromStdString(context->Note);
  }
  return place;
}

QString ErrorBoxText(const QString& text, const TErrorPlace& place) {
  TFileErrorContext context;
  context.FileName = FileNameForLibrary(place.FileName);
  context.Offset = place.Offset;
  context.Line = place.Line;
  context.Note = place.Note.toStdString();
  QStringList lines;
  for (const std::string& line : DescribeError(text.toStdString(), &context)) lines << QString::fromStdString(line);
  return lines.join(QLatin1Char('\n'));
}

void TWindowDialogs::ShowReport(QWidget* owner, const QString& caption, const QString& heading,
                                const TConversionReport& report, const TReportIdHandler& /*showId*/) {
  ShowErrorBox(owner, caption, heading + QLatin1Char('\n') + QString::fromStdU16String(report.Lines()));
}

TFileDialog MakeFileDialog(const char* name, TFileDialog::Kinds kind, const QString& filter, const char* extension,
                           bool overwritePrompt) {
  TFileDialog dialog;
  dialog.Name = QLatin1String(name);
  dialog.Kind = kind;
  dialog.Filter = filter;
  dialog.DefaultExt = QLatin1String(extension);
  dialog.OverwritePrompt = overwritePrompt;
  return dialog;
}
