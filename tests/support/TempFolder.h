// A temporary folder for one Windows test: new and empty at construction, removed with everything in it
// at destruction.
#pragma once

#include <string_view>

#include "xml/WideString.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in a backslash, like the application directory.
    const WString& Path() const { return m_path; }
    // Writes a file below the folder, making its sub-folders; returns the file's path.
    WString Write(std::string_view relative, std::string_view bytes) const;
    void Remove(std::string_view relative) const;

private:
    WString m_path;
};
