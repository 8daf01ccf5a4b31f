#pragma once
// Reads the names of the libraries a PE file (exe or DLL) imports, from its
// import table and its delay-load import table, straight from the file's
// bytes: nothing is loaded.
#include <string>
#include <vector>

namespace tarnwick::test {

struct PeImports {
    bool valid = false;                   // a 32-bit PE file was read
    std::vector<std::string> libraries;   // import table, in file order
    std::vector<std::string> delayLoaded; // delay-load import table
};

PeImports ReadPeImports(const std::wstring& path);

// The Windows path of a Unix path under Wine: "Z:" in front, backslashes.
std::wstring WindowsPathOfUnixPath(const std::string& unixPath);

}  // namespace tarnwick::test
