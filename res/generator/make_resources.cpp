// Writes the main window's background picture and the tool's icon:
//   make_resources <folder>
// creates <folder>/background.bmp and <folder>/tarnwick.ico. The drawing
// lives in resource_images.cpp; scripts/make-resources builds and runs this.
#include <cstdio>
#include <string>
#include <vector>

#include "res/generator/resource_images.h"

namespace {

// Writes through a temporary name and renames at the end, so an interrupted
// run never leaves a half-written resource behind.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "make_resources: cannot create %s\n", temporary.c_str());
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    std::remove(path.c_str());
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "make_resources: cannot write %s\n", path.c_str());
        std::remove(temporary.c_str());
        return false;
    }
    std::printf("%s: %u bytes\n", path.c_str(), static_cast<unsigned>(bytes.size()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_resources <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    namespace r = tarnwick::resources;
    bool ok = WriteFile(folder + "/background.bmp", r::BackgroundBmpFile());
    ok = WriteFile(folder + "/tarnwick.ico", r::IconFile()) && ok;
    return ok ? 0 : 1;
}
