#pragma once
// The window's conversions between the core's texts and file names and Qt's.
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

inline QString FromWide(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string ToWide(const QString& text) { return text.toStdU16String(); }

// The file name as the core libraries take it (the platform's 8-bit encoding of names).
inline std::string FileNameForLibrary(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }
