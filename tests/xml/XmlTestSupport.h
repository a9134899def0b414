// Small helpers shared by the XML reader's tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "xml/XmlDocument.h"

inline WString W(const char* utf8) {
    return FromUtf8(utf8);
}
inline std::string U8(const WString& text) {
    return ToUtf8(text);
}

// A document parsed from text, as the reader builds it after a load.
inline bool Parse(CXmlDocument& doc, const char* utf8) {
    doc.SetText(W(utf8));
    return doc.ParseDocument();
}

// The tag name of element i, read from the text.
inline std::string NameOf(const CXmlDocument& doc, int32_t i) {
    const WString& text = doc.Text();
    size_t begin = doc.Record(i).start + 1;
    size_t end = text.find_first_of(u" \t\r\n/>", begin);
    return U8(text.substr(begin, end - begin));
}

// A path as the reader takes it (UTF-16 on both platforms).
inline WString PathText(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring& w = path.native();
    return WString(w.begin(), w.end());
#else
    return FromUtf8(path.native());
#endif
}

// A scratch folder of the test's own, removed with its content at the end of the scope.
class ScratchDir {
public:
    explicit ScratchDir(const char* name)
        : m_path(std::filesystem::temp_directory_path() / (std::string("dashwell-") + name)) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Write(const char* name, const std::string& bytes) const {
        std::filesystem::path file = m_path / name;
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    std::filesystem::path m_path;
};
