#pragma once
// The reads, writes and flushes an apply makes through the open game file
// once its checks have passed, and the move of the settings cache into place. An
// apply goes through this seam so that tests can make them fail, which
// real files cannot be made to do on demand; the tool uses it as it is.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/game/version.h"
#include "core/result.h"

namespace tarnwick {

class PatchIo {
public:
    virtual ~PatchIo() = default;
    virtual DWORD Write(const fileio::File& game, std::uint64_t offset, const void* data, std::size_t count) {
        return game.WriteAt(offset, data, count);
    }
    virtual DWORD Read(const fileio::File& game, std::uint64_t offset, void* data, std::size_t count) {
        return game.ReadAt(offset, data, count);
    }
    virtual DWORD Flush(const fileio::File& game) { return game.Flush(); }
    virtual DWORD CommitCache(fileio::PendingFile& cache) { return cache.Commit(); }
};

// ApplyPatch with its game-file and cache operations going through `io`.
OperationResult ApplyPatchThrough(const GameFolder& folder, std::optional<GameVersion> expected,
                                  const FieldTexts& values, PatchIo& io);

}  // namespace tarnwick
