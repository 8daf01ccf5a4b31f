#include "app/folder_looker.h"

#include <atomic>

#include "core/disk/file_io.h"
#include "core/operations/folder_lock.h"

namespace tarnwick {

struct FolderLooker::Shared {
    GameFolder folder;
    HWND window = nullptr;
    UINT message = 0;
    HANDLE wake = nullptr;  // auto-reset: a look is asked for, or the end
    std::atomic<int> asked{0};  // 0 none, 1 a look, 2 a look with a read
    std::atomic<bool> stop{false};

    ~Shared() {
        if (wake) CloseHandle(wake);
    }
};

namespace {

FolderFacts LookAt(const GameFolder& folder, bool read) {
    FolderFacts facts;
    facts.folderThere = fileio::FolderExists(folder.Root());
    facts.backupThere = fileio::FileExists(folder.BackupFile());
    facts.hint = fileio::StampOf(folder.HintFile());
    facts.game = fileio::StampOf(folder.GameFile());
    facts.readAsked = read;
    if (read && facts.game.IsFile()) {
        // Only while no other copy applies or restores: a file held open
        // for reading cannot be replaced.
        FolderLook look(folder);
        if (look.Held()) {
            facts.game = fileio::StampOf(folder.GameFile());
            facts.recognition = RecogniseGameFile(folder.GameFile());
            facts.read = true;
        }
    }
    return facts;
}

DWORD WINAPI LookerThread(void* parameter) {
    // The thread keeps what it shares alive until it ends, whenever the
    // window lets go of it.
    std::unique_ptr<std::shared_ptr<FolderLooker::Shared>> owned(
        static_cast<std::shared_ptr<FolderLooker::Shared>*>(parameter));
    FolderLooker::Shared& shared = **owned;
    for (;;) {
        WaitForSingleObject(shared.wake, INFINITE);
        if (shared.stop) return 0;
        const int asked = shared.asked.exchange(0);
        if (asked == 0) continue;
        auto facts = std::make_unique<FolderFacts>(LookAt(shared.folder, asked == 2));
        if (shared.stop) return 0;
        if (PostMessageW(shared.window, shared.message, 0, reinterpret_cast<LPARAM>(facts.get()))) facts.release();
    }
}

}  // namespace

FolderLooker::~FolderLooker() { Stop(); }

bool FolderLooker::Start(const GameFolder& folder, HWND window, UINT message) {
    Stop();
    auto shared = std::make_shared<Shared>();
    shared->folder = folder;
    shared->window = window;
    shared->message = message;
    shared->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!shared->wake) return false;
    auto* parameter = new std::shared_ptr<Shared>(shared);
    HANDLE thread = CreateThread(nullptr, 64 * 1024, &LookerThread, parameter, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                 nullptr);
    if (!thread) {
        delete parameter;
        return false;
    }
    CloseHandle(thread);
    shared_ = std::move(shared);
    busy_ = false;
    return true;
}

bool FolderLooker::Look(bool read) {
    if (!shared_ || busy_) return false;
    busy_ = true;
    shared_->asked = read ? 2 : 1;
    SetEvent(shared_->wake);
    return true;
}

void FolderLooker::Stop() {
    if (!shared_) return;
    shared_->stop = true;
    SetEvent(shared_->wake);
    shared_.reset();
    busy_ = false;
}

std::unique_ptr<FolderFacts> FolderLooker::Take(LPARAM lParam) {
    busy_ = false;
    return std::unique_ptr<FolderFacts>(reinterpret_cast<FolderFacts*>(lParam));
}

}  // namespace tarnwick
