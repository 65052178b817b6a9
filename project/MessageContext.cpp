// Siblings of a message, found by the record that holds its target text.
#include "project/MessageContext.h"

#include <cstdint>
#include <functional>

#include "project/ProjectClass.h"

namespace {

enum class RecordKind { None, Location, Path, Parameter };

struct Record {
  RecordKind Kind = RecordKind::None;
  int32_t Index = 0;  // 1-based in the document's array
  bool operator==(const Record&) const = default;
};

// The records keep their texts inside them and live in arrays that never move, so the record of a
// text is the array element whose bytes contain the text.
template <typename T>
int32_t ElementHolding(const std::vector<T>& records, int32_t used, const void* field) {
  if (used <= 0 || records.empty()) return 0;
  const auto* first = reinterpret_cast<const unsigned char*>(records.data());
  const auto* last = first + static_cast<std::size_t>(used) * sizeof(T);
  const auto* at = static_cast<const unsigned char*>(field);
  std::less<const unsigned char*> before;
  if (before(at, first) || !before(at, last)) return 0;
  return static_cast<int32_t>(static_cast<std::size_t>(at - first) / sizeof(T)) + 1;
}

int32_t Used(int32_t count, std::size_t capacity) {
  if (count < 0) return 0;
  return static_cast<std::size_t>(count) > capacity ? static_cast<int32_t>(capacity) : count;
}

Record RecordOf(const TtxgProject& project, int32_t n) {
  if (n < 1 || n > project.TargetCount || static_cast<std::size_t>(n) >= project.TargetTexts.size()) return {};
  const TTextField* field = project.TargetTexts[static_cast<std::size_t>(n)];
  if (field == nullptr) return {};
  const TGame& game = project.TargetGame;
  if (int32_t i = ElementHolding(game.Locations, Used(game.LocationCount, game.Locations.size()), field))
    return {RecordKind::Location, i};
  if (int32_t i = ElementHolding(game.Paths, Used(game.PathCount, game.Paths.size()), field))
    return {RecordKind::Path, i};
  if (int32_t i = ElementHolding(game.Parameters, static_cast<int32_t>(game.Parameters.size()), field))
    return {RecordKind::Parameter, i};
  return {};
}

}  // namespace

std::vector<TContextEntry> MessageContext(const TtxgProject& project, int32_t n) {
  std::vector<TContextEntry> entries;
  const Record own = RecordOf(project, n);
  if (own.Kind == RecordKind::None) return entries;
  const int32_t count = project.TargetCount < project.SourceCount ? project.TargetCount : project.SourceCount;
  std::vector<Record> records(static_cast<std::size_t>(count > 0 ? count : 0) + 1);
  for (int32_t m = 1; m <= count; ++m) records[static_cast<std::size_t>(m)] = RecordOf(project, m);

  auto sibling = [&](int32_t m) { return m != n && !project.IsLinked(m); };
  const TContextGroup group = own.Kind == RecordKind::Path       ? TContextGroup::SamePath
                              : own.Kind == RecordKind::Location ? TContextGroup::SameLocation
                                                                 : TContextGroup::SameParameter;
  for (int32_t m = 1; m <= count; ++m)
    if (sibling(m) && records[static_cast<std::size_t>(m)] == own) entries.push_back({group, m});

  if (own.Kind == RecordKind::Path) {
    const TGame& game = project.TargetGame;
    const int32_t value2 = game.Path(own.Index).Value2;
    for (int32_t m = 1; m <= count; ++m) {
      const Record& record = records[static_cast<std::size_t>(m)];
      if (!sibling(m) || record.Kind != RecordKind::Path || record.Index == own.Index) continue;
      const TPath& path = game.Path(record.Index);
      if (path.Value2 == value2 && project.TargetTexts[static_cast<std::size_t>(m)] == &path.StartText)
        entries.push_back({TContextGroup::SameValue2, m});
    }
  }
  return entries;
}
