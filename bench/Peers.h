// The two peer parsers the reader is measured against, driven the way their documentation suggests:
// pugixml with its default parse options, expat with start-element and character-data handlers (so it
// decodes text, as pugixml does). Both allocate through the benchmark's counting allocator.
#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

// Routes pugixml's allocations through the counting allocator; call once before any pugixml use.
void CountPugixmlAllocations();

// pugixml's default parse of bytes in memory (copied into the document, as load_buffer does).
bool PugiParse(pugi::xml_document& doc, const std::string& bytes);
bool PugiLoad(pugi::xml_document& doc, const std::string& path);
int64_t PugiElementCount(const pugi::xml_document& doc);
// Reads every element's text (its first character-data child) and returns the total length.
int64_t PugiReadAllText(const pugi::xml_document& doc);

struct ExpatOutcome {
    bool wellFormed = false;
    int64_t elements = 0;
    int64_t textBytes = 0;  // character data delivered to the handler, in UTF-8 bytes
};

ExpatOutcome ExpatParse(const std::string& bytes);
// Reads the file in 64 KB pieces straight into expat's buffer.
ExpatOutcome ExpatLoad(const std::string& path);
