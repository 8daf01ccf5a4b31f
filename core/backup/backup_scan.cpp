#include "core/backup/backup_scan.h"

#include <algorithm>

#include "core/disk/game_folder.h"
#include "core/game/patch_plan.h"

namespace tarnwick {

DWORD ScanBackup(const fileio::File& backup, std::span<const std::uint8_t> game, const PatchTable& gameTable,
                 BackupScan& scan) {
    scan = {};
    struct Pass {
        std::span<const std::uint8_t> game;
        const PatchTable& table;
        Sha256 hash;
        bool matches = true;
        bool same = true;
        std::uint64_t size = 0;
    } pass{.game = game, .table = gameTable, .hash = {}};
    auto take = [](void* context, std::uint64_t offset, std::span<const std::uint8_t> chunk) {
        auto& p = *static_cast<Pass*>(context);
        p.hash.Add(chunk);
        // A chunk equal to the game's bytes there needs no look at the areas.
        p.same = p.same && offset + chunk.size() <= p.game.size() &&
                 std::equal(chunk.begin(), chunk.end(), p.game.begin() + static_cast<std::ptrdiff_t>(offset));
        p.matches = p.matches && (p.same || SameOutsidePatchAreasAt(chunk, offset, p.game, p.table));
        p.size = offset + chunk.size();
    };
    DWORD error = backup.ReadInChunks(kMaxGameFileSize, take, &pass);
    if (error) return error;
    const std::uint64_t size = pass.size;
    scan.size = size;
    scan.digest = pass.hash.Finish();
    scan.matchesGame = pass.matches && size == game.size();
    scan.sameAsGame = scan.matchesGame && pass.same;

    // The few bytes the version and the code bytes need, through the same
    // handle, which lets no one write the file while it is held.
    fileio::Bytes probe;
    if (size > kProbeOffset) {
        probe.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size - kProbeOffset, kProbeReadBytes)));
        if ((error = backup.ReadAt(kProbeOffset, probe.data(), probe.size()))) return error;
    }
    scan.version = RecogniseProbeBytes(probe).version;
    if (const PatchTable* table = PatchTableFor(scan.version)) {
        scan.longEnough = size >= PatchAreasEnd(*table);
        fileio::Bytes code(kCodePatchSize);
        if (size >= std::uint64_t{table->codeOffset} + code.size()) {
            if ((error = backup.ReadAt(table->codeOffset, code.data(), code.size()))) return error;
            scan.patched = IsPatchedAt(code, table->codeOffset, *table);
        }
    }
    return 0;
}

}  // namespace tarnwick
