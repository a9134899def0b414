// Counting allocator behind the benchmark's heap figures, and the program-wide replacement of operator
// new/delete that routes the reader's (and the standard library's) allocations through it.
#include "bench/HeapCounter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

int64_t g_inUse = 0;
int64_t g_peak = 0;

void Count(void* block) {
    if (block) {
        g_inUse += static_cast<int64_t>(malloc_usable_size(block));
        if (g_inUse > g_peak) {
            g_peak = g_inUse;
        }
    }
}

void Uncount(void* block) {
    if (block) {
        g_inUse -= static_cast<int64_t>(malloc_usable_size(block));
    }
}

void* NewOrThrow(size_t size) {
    void* block = CountedMalloc(size == 0 ? 1 : size);
    if (!block) {
        throw std::bad_alloc();
    }
    return block;
}

}  // namespace

void* CountedMalloc(size_t size) {
    void* block = std::malloc(size);
    Count(block);
    return block;
}

void* CountedRealloc(void* block, size_t size) {
    if (size == 0) {
        CountedFree(block);
        return nullptr;
    }
    Uncount(block);
    void* moved = std::realloc(block, size);
    Count(moved ? moved : block);  // a failed realloc leaves the old block in place
    return moved;
}

void CountedFree(void* block) {
    Uncount(block);
    std::free(block);
}

int64_t HeapInUse() {
    return g_inUse;
}

int64_t HeapPeak() {
    return g_peak;
}

void ResetHeapPeak() {
    g_peak = g_inUse;
}

void* operator new(size_t size) {
    return NewOrThrow(size);
}

void* operator new[](size_t size) {
    return NewOrThrow(size);
}

void operator delete(void* block) noexcept {
    CountedFree(block);
}

void operator delete[](void* block) noexcept {
    CountedFree(block);
}

void operator delete(void* block, size_t) noexcept {
    CountedFree(block);
}

void operator delete[](void* block, size_t) noexcept {
    CountedFree(block);
}
