#include "project/Navigation.h"

#include "project/ProjectClass.h"

bool IsUnfinished(const TtxgProject& project, int32_t message) {
  return !project.IsTranslated(message) || project.NeedsReview(message);
}

int32_t FindUnfinished(const TtxgProject& project, int32_t position, int step) {
  const int32_t count = project.PositionCount;
  if (count < 1) return -1;
  int32_t p = position;
  for (int32_t tried = 0; tried < count; ++tried) {
    p += step;
    if (p > count) p = 1;
    if (p < 1) p = count;
    const int32_t message = project.MessageAtPosition(p);
    if (!project.IsLinked(message) && IsUnfinished(project, message)) return p;
  }
  return -1;
}

int32_t StepPosition(const TtxgProject& project, int32_t position, int step) {
  int32_t p = position + step;
  while (p >= 0 && p <= project.PositionCount && project.IsLinked(project.MessageAtPosition(p))) p += step;
  return p >= 0 && p <= project.PositionCount ? p : -1;
}
