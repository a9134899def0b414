// Heap accounting for the benchmark: every allocation of the program is counted (our reader through the
// replaced global operator new/delete, pugixml and expat through their own allocator hooks), so the
// peak of one operation can be read as bytes above a baseline. Sizes are malloc's usable sizes.
#pragma once

#include <cstddef>
#include <cstdint>

void* CountedMalloc(size_t size);
void* CountedRealloc(void* block, size_t size);
void CountedFree(void* block);

// Bytes allocated now, and the highest value since the last ResetHeapPeak.
int64_t HeapInUse();
int64_t HeapPeak();
void ResetHeapPeak();
