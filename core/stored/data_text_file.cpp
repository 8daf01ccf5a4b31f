#include "core/stored/data_text_file.h"

#include "core/disk/file_io.h"
#include "core/text/text_lines.h"
#include "core/failure_result.h"

namespace tarnwick {

std::string ReadWholeLines(const std::wstring& path, std::size_t maxBytes) {
    std::string lines;
    ReadWholeLines(path, maxBytes, lines);
    return lines;
}

DWORD ReadWholeLines(const std::wstring& path, std::size_t maxBytes, std::string& lines) {
    lines.clear();
    fileio::Bytes bytes;
    std::uint64_t size = 0;
    if (DWORD error = fileio::ReadFileRange(path, 0, maxBytes, bytes, size)) return error;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    lines = WholeLines(text, size > bytes.size());
    return 0;
}

OperationResult WriteDataTextFile(const GameFolder& folder, const std::wstring& path, std::string_view bytes,
                                  Action action) {
    if (DWORD error = fileio::EnsureFolder(folder.DataFolder())) {
        return FailureResult(action, folder, folder.DataFolder(), error);
    }
    if (DWORD error = fileio::CheckReplaceable(path)) return FailureResult(action, folder, path, error);
    if (DWORD error = fileio::ReplaceFileContents(path, bytes)) return FailureResult(action, folder, path, error);
    return {};
}

}  // namespace tarnwick
