#include "project/ConversionReport.h"

#include <utility>

void TConversionReport::Add(TReportKind kind, std::u16string id, std::u16string detail) {
  entries_.push_back(TReportEntry{kind, std::move(id), std::move(detail)});
}

std::u16string TConversionReport::ExchangeText() const {
  std::u16string text;
  for (const TReportEntry& entry : entries_) {
    switch (entry.Kind) {
      case TReportKind::UnknownId:
        text.append(u"Unknown id: ").append(entry.Id).append(u"\r\n");
        break;
      case TReportKind::DifferentNumbers:
        text.append(u"Different sou and des quest. id: ").append(entry.Id).append(u"\r\n");
        break;
      case TReportKind::DifferentTags:
        text.append(u"DifTag in ").append(entry.Id).append(u": ").append(entry.Detail).append(u"\r\n");
        break;
      case TReportKind::ChangedSource:
        text.append(u"Changed source: ").append(entry.Id).append(u"\r\n");
        break;
      case TReportKind::NotFound:
        text.append(u"Not found id:").append(entry.Id);
        break;
    }
  }
  return text;
}

std::u16string TConversionReport::KindName(TReportKind kind) {
  switch (kind) {
    case TReportKind::UnknownId:
      return u"Unknown id";
    case TReportKind::DifferentNumbers:
      return u"Different numbers";
    case TReportKind::DifferentTags:
      return u"Different tags";
    case TReportKind::ChangedSource:
      return u"Changed source";
    case TReportKind::NotFound:
      return u"Not found";
  }
  return u"?";
}

std::u16string TConversionReport::EntryLine(const TReportEntry& entry) {
  std::u16string line = KindName(entry.Kind) + u": " + entry.Id;
  // The detail of a tag entry starts with the space before its first tag.
  if (!entry.Detail.empty()) line += u":" + entry.Detail;
  return line;
}

std::u16string TConversionReport::Lines() const {
  std::u16string text;
  for (const TReportEntry& entry : entries_) text += EntryLine(entry) + u"\n";
  return text;
}

std::vector<TConversionReport::TGroup> TConversionReport::Groups() const {
  std::vector<TGroup> groups;
  for (const TReportEntry& entry : entries_) {
    auto group = groups.begin();
    while (group != groups.end() && group->Kind != entry.Kind) ++group;
    if (group == groups.end()) group = groups.insert(groups.end(), TGroup{entry.Kind, {}});
    group->Entries.push_back(&entry);
  }
  return groups;
}
