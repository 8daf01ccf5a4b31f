#pragma once
// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes away.
#include <string>

namespace tarnwick::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// A file or a folder of that name.
bool PathExists(const std::wstring& path);

// Removes a file or a whole folder tree; clears read-only attributes first.
void RemoveTree(const std::wstring& path);

// Files the tool writes under a temporary name (*.tmp) left anywhere in the
// game folder, Data or Data\Bak.
int LeftoverTemporaryFiles(const std::wstring& gameFolder);

}  // namespace tarnwick::test
