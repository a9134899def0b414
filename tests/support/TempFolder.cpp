// The per-test temporary folder of the Windows tests.
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("dashwell-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    m_path = folder.u16string() + u"\\";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_path), ignored);
}

WString TempFolder::Write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file =
        std::filesystem::path(m_path) / std::filesystem::path(FromUtf8(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.u16string();
}

void TempFolder::Remove(std::string_view relative) const {
    std::filesystem::remove(std::filesystem::path(m_path) / std::filesystem::path(FromUtf8(relative)));
}
