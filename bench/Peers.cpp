// pugixml and expat behind one small interface for the benchmark. Expat gets the counting allocator
// through its memory-handling suite, pugixml through its global allocation hooks.
#include "bench/Peers.h"

#include <expat.h>

#include <cstdio>
#include <cstring>

#include "bench/HeapCounter.h"

namespace {

constexpr int kExpatReadPiece = 64 * 1024;

void XMLCALL OnExpatStart(void* data, const XML_Char*, const XML_Char**) {
    ++static_cast<ExpatOutcome*>(data)->elements;
}

void XMLCALL OnExpatText(void* data, const XML_Char*, int length) {
    static_cast<ExpatOutcome*>(data)->textBytes += length;
}

class ExpatSession {
public:
    ExpatSession() {
        static const XML_Memory_Handling_Suite suite{CountedMalloc, CountedRealloc, CountedFree};
        m_parser = XML_ParserCreate_MM(nullptr, &suite, nullptr);
        XML_SetUserData(m_parser, &m_outcome);
        XML_SetStartElementHandler(m_parser, OnExpatStart);
        XML_SetCharacterDataHandler(m_parser, OnExpatText);
    }
    ~ExpatSession() { XML_ParserFree(m_parser); }
    ExpatSession(const ExpatSession&) = delete;
    ExpatSession& operator=(const ExpatSession&) = delete;

    ExpatOutcome ParseAll(const std::string& bytes) {
        m_outcome.wellFormed =
            XML_Parse(m_parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
        return m_outcome;
    }

    ExpatOutcome ParseFile(std::FILE* file) {
        for (;;) {
            void* buffer = XML_GetBuffer(m_parser, kExpatReadPiece);
            if (!buffer) {
                return m_outcome;
            }
            size_t got = std::fread(buffer, 1, kExpatReadPiece, file);
            const XML_Bool last = got == 0 ? XML_TRUE : XML_FALSE;
            if (XML_ParseBuffer(m_parser, static_cast<int>(got), last) != XML_STATUS_OK) {
                return m_outcome;
            }
            if (last) {
                m_outcome.wellFormed = true;
                return m_outcome;
            }
        }
    }

private:
    XML_Parser m_parser;
    ExpatOutcome m_outcome;
};

// Visits every element in document order without recursion (the hostile inputs nest 100,000 deep).
template <typename Visit>
void ForEachElement(const pugi::xml_document& doc, Visit visit) {
    pugi::xml_node node = doc.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            visit(node);
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
        }
        if (node) {
            node = node.next_sibling();
        }
    }
}

}  // namespace

void CountPugixmlAllocations() {
    pugi::set_memory_management_functions(CountedMalloc, CountedFree);
}

bool PugiParse(pugi::xml_document& doc, const std::string& bytes) {
    return doc.load_buffer(bytes.data(), bytes.size());
}

bool PugiLoad(pugi::xml_document& doc, const std::string& path) {
    return doc.load_file(path.c_str());
}

int64_t PugiElementCount(const pugi::xml_document& doc) {
    int64_t count = 0;
    ForEachElement(doc, [&](const pugi::xml_node&) { ++count; });
    return count;
}

int64_t PugiReadAllText(const pugi::xml_document& doc) {
    int64_t total = 0;
    ForEachElement(doc, [&](const pugi::xml_node& node) { total += std::strlen(node.child_value()); });
    return total;
}

ExpatOutcome ExpatParse(const std::string& bytes) {
    return ExpatSession().ParseAll(bytes);
}

ExpatOutcome ExpatLoad(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return ExpatOutcome{};
    }
    ExpatOutcome outcome = ExpatSession().ParseFile(file);
    std::fclose(file);
    return outcome;
}
