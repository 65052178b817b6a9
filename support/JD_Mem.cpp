#include "support/JD_Mem.h"

#include <cstdlib>
#include <string>

#include "support/JD_Error.h"

void* ReAllocRJD(void* block, int32_t size) {
  if (size <= 0) {
    std::free(block);
    return nullptr;
  }
  // realloc leaves the old block untouched when it fails, which is what callers rely on.
  void* result = std::realloc(block, static_cast<std::size_t>(size));
  if (result == nullptr) throw TExceptionJD("ReAllocRJD. size=" + std::to_string(size));
  return result;
}

void FreeRJD(void* block) { std::free(block); }
