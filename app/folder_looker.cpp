#include "app/folder_looker.h"

#include "core/disk/file_io.h"
#include "core/operations/folder_lock.h"

namespace tarnwick {

// What the window and the thread share: each holds a reference, and the
// last to let go deletes it, so that a thread still blocked in a call when
// the window goes finds it there when the call returns.
struct FolderLooker::Shared {
    GameFolder folder;
    HWND window = nullptr;
    UINT message = 0;
    HANDLE wake = nullptr;  // auto-reset: a look is asked for, or the end
    LONG references = 2;
    volatile LONG asked = 0;  // 0 none, 1 a look, 2 a look with a read
    volatile LONG stop = 0;

    ~Shared() {
        if (wake) CloseHandle(wake);
    }
    void Release() {
        if (InterlockedDecrement(&references) == 0) delete this;
    }
};

void LookAtFolderNow(const GameFolder& folder, bool read, FolderFacts& facts) {
    const std::wstring game = folder.GameFile();
    facts.folderThere = fileio::FolderExists(folder.Root());
    facts.backupThere = fileio::FileExists(folder.BackupFile());
    facts.hint = fileio::StampOf(folder.HintFile());
    facts.game = fileio::StampOf(game);
    facts.readAsked = read;
    if (read && facts.game.IsFile()) {
        // Only while no other copy applies or restores: a file held open
        // for reading cannot be replaced.
        FolderLook look(folder);
        if (look.NoOtherCopyAtWork()) {
            facts.game = fileio::StampOf(game);
            const Recognition recognition = RecogniseGameFile(game);
            facts.version = recognition.version;
            facts.readError = recognition.systemError;
            facts.read = true;
        }
    }
}

bool OnNetworkDrive(const GameFolder& folder) {
    // A network path (\\server\share), a drive letter, or (relative)
    // the current folder's drive.
    const wchar_t* base = folder.base.c_str();
    if (base[0] == L'\\' && base[1] == L'\\') return true;
    const wchar_t root[] = {base[0], L':', L'\\', 0};
    return GetDriveTypeW(base[0] && base[1] == L':' ? root : nullptr) == DRIVE_REMOTE;
}

namespace {

DWORD WINAPI LookerThread(void* parameter) {
    auto* shared = static_cast<FolderLooker::Shared*>(parameter);
    for (;;) {
        WaitForSingleObject(shared->wake, INFINITE);
        if (shared->stop) break;
        const LONG asked = InterlockedExchange(&shared->asked, 0);
        if (asked == 0) continue;
        auto* facts = new FolderFacts;
        LookAtFolderNow(shared->folder, asked == 2, *facts);
        if (shared->stop || !PostMessageW(shared->window, shared->message, 0, reinterpret_cast<LPARAM>(facts))) {
            delete facts;
            if (shared->stop) break;
        }
    }
    shared->Release();
    return 0;
}

}  // namespace

FolderLooker::~FolderLooker() { Stop(); }

bool FolderLooker::Start(const GameFolder& folder, HWND window, UINT message) {
    Stop();
    auto* shared = new Shared;
    shared->folder = folder;
    shared->window = window;
    shared->message = message;
    shared->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread = shared->wake ? CreateThread(nullptr, 64 * 1024, &LookerThread, shared,
                                                STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr)
                                 : nullptr;
    if (!thread) {
        delete shared;
        return false;
    }
    CloseHandle(thread);
    shared_ = shared;
    busy_ = false;
    return true;
}

bool FolderLooker::Look(bool read) {
    if (!shared_ || busy_) return false;
    busy_ = true;
    InterlockedExchange(&shared_->asked, read ? 2 : 1);
    SetEvent(shared_->wake);
    return true;
}

void FolderLooker::Stop() {
    if (!shared_) return;
    InterlockedExchange(&shared_->stop, 1);
    SetEvent(shared_->wake);
    shared_->Release();
    shared_ = nullptr;
    busy_ = false;
}

std::unique_ptr<FolderFacts> FolderLooker::Take(LPARAM lParam) {
    busy_ = false;
    return std::unique_ptr<FolderFacts>(reinterpret_cast<FolderFacts*>(lParam));
}

}  // namespace tarnwick
