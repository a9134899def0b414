// Counting allocator behind the benchmark's heap figures: the program-wide replacement of operator
// new/delete and of the C library's malloc family, so the reader's blocks (malloc and realloc), the
// standard library's and the C library's own allocations are all counted. Sanitizer builds keep their
// own malloc: there only operator new/delete are counted.
#include "bench/HeapCounter.h"

#include <malloc.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define BENCH_COUNT_MALLOC 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BENCH_COUNT_MALLOC 0
#endif
#endif
#ifndef BENCH_COUNT_MALLOC
#define BENCH_COUNT_MALLOC 1
#endif

#if BENCH_COUNT_MALLOC
// glibc's own entry points, under the names it exports for allocators that wrap it.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}
#define BENCH_MALLOC __libc_malloc
#define BENCH_REALLOC __libc_realloc
#define BENCH_FREE __libc_free
#else
#define BENCH_MALLOC std::malloc
#define BENCH_REALLOC std::realloc
#define BENCH_FREE std::free
#endif

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
    void* block = BENCH_MALLOC(size);
    Count(block);
    return block;
}

// A realloc that moves the block holds old and new at once while it copies; one that grows in place
// never does.
void* CountedRealloc(void* block, size_t size) {
    if (size == 0) {
        CountedFree(block);
        return nullptr;
    }
    const int64_t oldSize = block ? static_cast<int64_t>(malloc_usable_size(block)) : 0;
    void* moved = BENCH_REALLOC(block, size);
    if (!moved) {
        return nullptr;  // the old block stays, still counted
    }
    if (moved == block) {
        g_inUse -= oldSize;
        Count(moved);
    } else {
        Count(moved);
        g_inUse -= oldSize;
    }
    return moved;
}

void CountedFree(void* block) {
    Uncount(block);
    BENCH_FREE(block);
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

#if BENCH_COUNT_MALLOC
extern "C" {

void* malloc(size_t size) {
    return CountedMalloc(size);
}

void* calloc(size_t count, size_t size) {
    void* block = __libc_calloc(count, size);
    Count(block);
    return block;
}

void* realloc(void* block, size_t size) {
    return CountedRealloc(block, size);
}

void free(void* block) {
    CountedFree(block);
}

void* memalign(size_t alignment, size_t size) {
    void* block = __libc_memalign(alignment, size);
    Count(block);
    return block;
}

void* aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size) {
    void* block = memalign(alignment, size);
    if (!block) {
        return ENOMEM;
    }
    *result = block;
    return 0;
}

}  // extern "C"
#endif
