#pragma once
// Failures forced inside an apply, where real files cannot be made to fail
// on demand: a write to the game file, the read-back check, moving the
// settings cache into place, and putting the game file's old bytes back;
// and a process killed after any write, which leaves the file as it is.
// The writes and flushes can be logged, to show what reaches the disk
// before what.
#include <functional>
#include <string>

#include "core/operations/patch_io.h"

namespace tarnwick::test {

struct ApplyFaults {
    int failWrite = 0;             // the n-th write to the game file fails (from 1); 0: none
    bool corruptReadBack = false;  // the first read-back finds a wrong byte
    bool failCacheCommit = false;  // the settings cache cannot be moved into place
    bool failRollback = false;     // once a write failed, every later one fails too
    int killAfterWrite = 0;        // the run ends at once after the n-th write (from 1), as if killed
    std::function<void()> afterLastWrite = nullptr;  // what another program does once the last write is done
    std::string* log = nullptr;  // when given: 'w' for each write to the game file, 'f' for each flush
};

// Thrown where the tool is killed: nothing of the run after it happens.
struct Killed {};

class FaultyPatchIo : public PatchIo {
public:
    explicit FaultyPatchIo(const ApplyFaults& faults) : faults_(faults) {}

    DWORD Write(const fileio::File& game, std::uint64_t offset, const void* data, std::size_t count) override {
        if (faults_.log) *faults_.log += 'w';
        if (++writes_ == faults_.failWrite || (failed_ && faults_.failRollback)) {
            failed_ = true;
            return ERROR_WRITE_FAULT;
        }
        const DWORD error = PatchIo::Write(game, offset, data, count);
        if (writes_ == faults_.killAfterWrite) throw Killed{};
        if (writes_ == kLastWrite && faults_.afterLastWrite) faults_.afterLastWrite();
        return error;
    }
    DWORD Read(const fileio::File& game, std::uint64_t offset, void* data, std::size_t count) override {
        const DWORD error = PatchIo::Read(game, offset, data, count);
        if (!error && faults_.corruptReadBack && reads_++ == 0) static_cast<std::uint8_t*>(data)[0] ^= 0xFF;
        return error;
    }
    DWORD Flush(const fileio::File& game) override {
        if (faults_.log) *faults_.log += 'f';
        return PatchIo::Flush(game);
    }
    DWORD CommitCache(fileio::PendingFile& cache) override {
        return faults_.failCacheCommit ? static_cast<DWORD>(ERROR_SHARING_VIOLATION) : PatchIo::CommitCache(cache);
    }

    static constexpr int kLastWrite = 31;  // the code bytes, fifteen clears, fifteen values

private:
    ApplyFaults faults_;
    int writes_ = 0;
    int reads_ = 0;
    bool failed_ = false;
};

inline OperationResult ApplyPatchWithFaults(const GameFolder& folder, std::optional<GameVersion> version, const FieldTexts& values,
                                            const ApplyFaults& faults) {
    FaultyPatchIo io(faults);
    return ApplyPatchThrough(folder, version, values, io);
}

}  // namespace tarnwick::test
