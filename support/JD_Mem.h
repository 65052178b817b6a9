#pragma once
// Heap blocks of the support library.
#include <cstdint>

// size <= 0 releases `block` and returns nullptr; otherwise resizes (or allocates) to `size` bytes,
// keeping the contents up to the smaller size. On failure raises "ReAllocRJD. size=<size>" and
// leaves `block` valid and unchanged.
void* ReAllocRJD(void* block, int32_t size);
void FreeRJD(void* block);
