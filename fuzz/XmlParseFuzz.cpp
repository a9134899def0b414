// Fuzz target: the whole XML reader on arbitrary bytes. An even first byte writes the rest to a file and
// loads it (byte-order marks, declared encodings, conversion); an odd one parses the rest as UTF-16 units
// from memory, surrogates and 0 units included. Either way the index must stay sound, every element's
// text must fit its content, and a few navigation steps must keep the three positions consistent.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzUnits.h"
#include "tests/xml/IndexInvariants.h"
#include "xml/XmlDocument.h"

namespace {

constexpr int32_t kNavigationSteps = 8;

// One file per fuzzing process, rewritten for every input and removed when the process ends.
class ScratchFile {
public:
    ScratchFile()
        : m_path((std::filesystem::temp_directory_path() /
                  ("fuzz_xml_parse-" + std::to_string(::getpid()) + ".xml"))
                     .string()) {}
    ~ScratchFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& ScratchPath() {
    static const ScratchFile file;
    return file.Path();
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void LoadFromBytes(CXmlDocument& doc, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    Require(file != nullptr);
    Require(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);
    Require(doc.LoadFromFile(FromUtf8(ScratchPath())));
    Require(doc.Text().size() <= size && doc.Text().find(u'\0') == WString::npos);
}

// The tag name of element i as the text spells it (up to whitespace, '/' or '>').
WString TagName(const CXmlDocument& doc, int32_t i) {
    const WString& text = doc.Text();
    const size_t begin = static_cast<size_t>(doc.Record(i).start) + 1;
    const size_t end = text.find_first_of(u" \t\r\n/>", begin);
    return text.substr(begin, end == WString::npos ? WString::npos : end - begin);
}

void CheckPositions(const CXmlDocument& doc) {
    const int32_t next = doc.NextFree();
    Require(doc.ParentPos() >= 0 && doc.ParentPos() < next);
    Require(doc.CurrentPos() >= 0 && doc.CurrentPos() < next);
    Require(doc.ChildPos() >= 0 && doc.ChildPos() < next);
    Require(doc.CurrentKind() == (doc.CurrentPos() != 0 ? 1 : 0));
    Require(doc.ChildPos() == 0 || doc.Record(doc.ChildPos()).parent == doc.CurrentPos());
    Require(doc.CurrentPos() == 0 || doc.Record(doc.CurrentPos()).parent == doc.ParentPos());
}

// Looks up names the document holds, by turns with and without a name, stepping in now and then.
void WalkPositions(CXmlDocument& doc) {
    doc.ResetPosition();
    for (int32_t step = 1; step <= kNavigationSteps && step < doc.NextFree(); ++step) {
        if (step % 3 == 0) {
            doc.EnterElement();
            CheckPositions(doc);
        }
        const WString name = TagName(doc, step);
        doc.FindChildElement(step % 2 ? name.c_str() : nullptr);
        CheckPositions(doc);
        doc.GetChildText();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    CXmlDocument doc;
    if (data[0] % 2 == 0) {
        LoadFromBytes(doc, data + 1, size - 1);
    } else {
        doc.SetText(UnitsFromBytes(data + 1, size - 1));
        doc.ParseDocument();
    }
    Require(CheckIndexInvariants(doc).empty());
    Require(CheckElementTexts(doc).empty());
    Require(doc.IsWellFormed() || !doc.Report().empty());
    WalkPositions(doc);
    return 0;
}
