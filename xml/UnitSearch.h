// The search for the next unit of interest in a 0-terminated UTF-16 text, shared by the tokenizer and
// the indexer (inline: it runs once per token).
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__SSE2__)
// Bit pairs set for the units of an aligned block of eight that are a, b or 0. An aligned 16-byte load
// never crosses into another page, so it is safe even where it reaches outside the string's allocation
// (before the scan's start, past the terminating 0): hence no address sanitizing here.
__attribute__((no_sanitize("address"))) inline unsigned MatchMask(const __m128i* block, __m128i a,
                                                                  __m128i b) {
    __m128i v = _mm_load_si128(block);
    __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, a), _mm_cmpeq_epi16(v, b)),
                                 _mm_cmpeq_epi16(v, _mm_setzero_si128()));
    return static_cast<unsigned>(_mm_movemask_epi8(found));
}

// The first unit from p on that is a, b or the terminating 0, eight units at a time.
inline const char16_t* FindUnit(const char16_t* p, char16_t a, char16_t b) {
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    auto address = reinterpret_cast<uintptr_t>(p);
    unsigned skip = static_cast<unsigned>(address & 15);
    auto block = reinterpret_cast<const __m128i*>(address - skip);
    unsigned mask = MatchMask(block, va, vb) & (0xFFFFu << skip);
    while (mask == 0) {
        ++block;
        mask = MatchMask(block, va, vb);
    }
    return reinterpret_cast<const char16_t*>(reinterpret_cast<const char*>(block) + __builtin_ctz(mask));
}
#else
inline const char16_t* FindUnit(const char16_t* p, char16_t a, char16_t b) {
    while (*p != 0 && *p != a && *p != b) {
        ++p;
    }
    return p;
}
#endif
