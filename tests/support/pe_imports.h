#pragma once
// Reads the names of the libraries and functions a PE file (exe or DLL)
// imports, from its import table and its delay-load import table, and its
// section layout, straight from the file's bytes: nothing is loaded.
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

struct PeImportedFunction {
    std::string library;
    std::string name;  // "#<ordinal>" for an import by ordinal
};

struct PeImports {
    bool valid = false;                   // a 32-bit PE file was read
    std::vector<std::string> libraries;   // import table, in file order
    std::vector<std::string> delayLoaded; // delay-load import table
    std::vector<PeImportedFunction> functions;  // import table, in file order
};

PeImports ReadPeImports(const std::wstring& path);

struct PeSection {
    std::string name;  // up to eight characters
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawOffset = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t characteristics = 0;
};

// The headers and section table of a 32-bit PE file.
struct PeLayout {
    bool valid = false;
    std::uint64_t fileSize = 0;
    std::uint16_t machine = 0;
    std::uint16_t fileCharacteristics = 0;
    std::uint16_t subsystem = 0;
    std::uint16_t subsystemMajor = 0, subsystemMinor = 0;
    std::uint16_t osMajor = 0, osMinor = 0;
    std::uint32_t entryPoint = 0;  // relative virtual address
    std::uint32_t sizeOfHeaders = 0;
    std::uint32_t fileAlignment = 0;
    std::vector<PeSection> sections;
    std::vector<std::uint8_t> headerBytes;  // the file's first sizeOfHeaders bytes
};

PeLayout ReadPeLayout(const std::wstring& path);


}  // namespace tarnwick::test
