// The benchmark's generated inputs: skin-shaped documents (a root, many groups of short items with some
// attributes, comments, CDATA sections and references) as UTF-8 or as UTF-16LE with a byte-order mark,
// and the two hostile nestings. Inputs are built in memory; the caller decides where files go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class BenchEncoding { kUtf8, kUtf16Le };

struct BenchInput {
    std::string name;      // e.g. "utf8-1MB"
    std::string bytes;     // the file's bytes
    int64_t elements = 0;  // elements in the document
};

// A skin-shaped document of about targetBytes bytes in the given encoding.
BenchInput MakeSkinInput(const std::string& name, size_t targetBytes, BenchEncoding encoding);

// count start tags "<a>" that are never closed.
BenchInput MakeUnclosedNesting(const std::string& name, int count);

// count start tags "<a>" followed by count end tags "</b>" that match none of them.
BenchInput MakeStrayEndTags(const std::string& name, int count);
