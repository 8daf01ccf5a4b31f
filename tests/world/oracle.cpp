// Actions performed on the world, and the oracle after each run of the tool.
#include <windows.h>

#include <thread>

#include "cli/apply_restore_commands.h"
#include "cli/status_command.h"
#include "core/disk/step_watch.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "tests/world/world.h"

namespace tarnwick::world {
namespace {

struct Cut {};  // thrown from the step watcher where a run is cut short

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The tool's temporary files: twk, eight hexadecimal digits, .tmp.
bool IsTempName(const std::wstring& path) {
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    return name.size() == 15 && name.compare(0, 3, L"twk") == 0 && name.compare(11, 4, L".tmp") == 0 &&
           name.find_first_not_of(L"0123456789abcdef", 3) == 11;
}

std::wstring Parent(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// `path` or a folder on its way is in `names`.
bool Covered(const std::set<std::wstring>& names, std::wstring path) {
    for (;; path = Parent(path)) {
        if (names.count(path)) return true;
        if (path.find(L'\\') == std::wstring::npos) return false;
    }
}

const Node* At(const Snapshot& snapshot, const std::wstring& path) {
    const auto it = snapshot.find(Resolve(snapshot, path));
    return it == snapshot.end() ? nullptr : &it->second;
}

std::set<int> Originals(const Snapshot& snapshot) {
    std::set<int> found;
    for (const auto& [path, node] : snapshot) {
        if (node.type == Node::File && node.kind.Original() && !IsTempName(path)) found.insert(node.kind.body);
    }
    return found;
}

void AddChanges(const Snapshot& before, const Snapshot& after, std::set<std::wstring>& into) {
    for (const auto& [path, node] : before) {
        if (!after.count(path) || !(after.at(path) == node)) into.insert(path);
    }
    for (const auto& entry : after) {
        if (!before.count(entry.first)) into.insert(entry.first);
    }
}

// The player moves game files among the places for game files, and the
// tool's small files only onto their like.
bool Alike(int from, int to) {
    auto sort = [](int place) {
        const int kind = place % kPlaces < 3 * kPlacesPerInstall ? place % kPlaces % kPlacesPerInstall : 0;
        return kind == 2 || kind == 4 ? kind : 0;
    };
    return sort(from) == sort(to);
}

// The step watcher: counts the tool's steps and lets the world act at one.
class Hooks : public fileio::StepWatcher {
public:
    Hooks(Run& run, const Act& act) : run_(run), act_(act) {}
    ~Hooks() override { Release(); }

    void Before(fileio::Step step, const std::wstring& path) override {
        if (cut_) return;  // unwinding: the run is over
        if (++steps_ >= releaseAt_) Release();
        // Cut at the first creation, write, flush or rename from that step
        // on: opens and deletions are also taken by destructors, where
        // nothing may be thrown.
        if (steps_ >= act_.step && act_.hook == Do::Kill && step != fileio::Step::Open && step != fileio::Step::Delete) {
            cut_ = true;
            throw Cut{};
        }
        if (steps_ == act_.step && act_.hook == Do::Hold) {
            // A scanner opening the file the tool has just made or renamed.
            held_ = CreateFileW(last_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            releaseAt_ = steps_ + 1 + act_.hookA % 6;
        } else if (steps_ == act_.step) {
            run_.Intervene(act_);
        }
        last_ = path;
    }

    void Release() {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        held_ = INVALID_HANDLE_VALUE;
    }

private:
    Run& run_;
    const Act act_;
    int steps_ = 0, releaseAt_ = 1 << 30;
    bool cut_ = false;
    std::wstring last_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

}  // namespace

Verdict Run::Perform(const Act& act) {
    if (!IsToolRun(act.what)) {
        WorldAct(act.what, act.install, act.a, act.b);
        return {};
    }
    const Snapshot before = world_.Look();
    mustStay_ = Originals(before);
    worldChanged_.clear(), othersChanged_.clear(), own_.clear(), ran_.clear(), problems_.clear();
    bool completed = true;
    Said said;
    {
        Hooks hooks(*this, act);
        fileio::WatchSteps(&hooks);
        try {
            said = Tool(act.what, act.install, act.a, before);
        } catch (const Cut&) {
            completed = false;
        }
        fileio::WatchSteps(nullptr);
    }
    const Snapshot after = world_.Look();
    if (completed) Check(before, after, said, othersChanged_);
    const std::set<int> now = Originals(after);
    for (int body : mustStay_) {
        if (now.count(body)) continue;
        std::string where;
        for (const auto& [path, node] : before) {
            if (node.type == Node::File && node.kind.Original() && node.kind.body == body) where += " " + Narrow(path);
        }
        Node lost;
        lost.kind = {body, State::Pristine};
        return {1, "the original " + Describe(&lost) + " (before:" + where + ") is gone", said.outcome};
    }
    if (!problems_.empty()) return {2, problems_.front(), said.outcome};
    const std::string changes = Changes(before, after, completed);
    return {changes.empty() ? 0 : 3, changes, completed ? said.outcome : "cut short"};
}

// Inside a run: another program acts, or another install's run starts on
// another thread and is waited for (its lock is another folder's).
void Run::Intervene(const Act& act) {
    fileio::StepWatcher* watcher = fileio::WatchSteps(nullptr);
    const Snapshot before = world_.Look();
    const int n = world_.Installs();
    if ((act.hook == Do::OtherApply || act.hook == Do::OtherRestore) && n > 1) {
        const int other = (act.install % n + 1 + act.hookInstall % (n - 1)) % n;
        Said said;
        std::thread([&] { said = Tool(act.hook, other, act.hookA, before); }).join();
        const Snapshot after = world_.Look();
        Check(before, after, said, {});
        AddChanges(before, after, othersChanged_);
    } else {
        WorldAct(act.hook, act.hookInstall, act.hookA, act.hookB);
        const Snapshot after = world_.Look();
        AddChanges(before, after, worldChanged_);
        AddChanges(before, after, othersChanged_);
        // What the world took away need not stay; what it brought must.
        const std::set<int> was = Originals(before), is = Originals(after);
        for (int body : was) {
            if (!is.count(body)) mustStay_.erase(body);
        }
        mustStay_.insert(is.begin(), is.end());
    }
    fileio::WatchSteps(watcher);
}

Said Run::Tool(Do what, int install, int values, const Snapshot& before) {
    install %= world_.Installs();
    values %= kValueSets;
    // The tool's own names, where they lead as it begins; a link there is
    // its name, not what it leads to.
    const std::wstring game = Lower(world_.InstallName(install));
    ran_.insert(install);
    for (const wchar_t* name : {L"\\meteor.exe", L"\\tarnwick.lock", L"\\data", L"\\data\\slowlysave.cfg", L"\\data\\hint.cfg",
                                L"\\data\\bak", L"\\data\\bak\\meteor.bak", L"\\data\\bak\\meteor.sum", L"\\data\\bak\\meteor.old",
                                L"\\data\\bak\\tarnwick.lock"}) {
        own_.insert(Resolve(before, game + name, false));
    }
    const GameFolder folder = world_.Folder(install);
    Said said;
    said.what = what, said.install = install, said.values = values;
    OperationResult result;
    if (what == Do::Apply || what == Do::OtherApply) {
        // The window passes the version its status line shows.
        std::optional<GameVersion> shown;
        const Node* file = At(before, game + L"\\meteor.exe");
        if (values % 2 && file && file->kind.body >= 0) shown = Bodies()[file->kind.body].version;
        result = ApplyPatch(folder, shown, ValueSet(values));
    } else if (what == Do::Restore || what == Do::OtherRestore) {
        result = RestoreGameFile(folder);
    } else {
        cli::Request request;
        request.command = cli::Command::Apply;
        request.fromFile = world_.ValuesFile(values);
        const cli::Reply reply = what == Do::Status ? cli::RunStatus(folder) : cli::RunApply(folder, request);
        const int code = static_cast<int>(reply.code);
        said.ok = code == 0;
        said.warned = !reply.err.empty();  // a success's warnings go to the error output
        said.gameUnchanged = code >= 1 && code <= 6;
        said.outcome = "exit code " + std::to_string(code);
        return said;
    }
    said.ok = result.Succeeded();
    said.warned = result.noOriginalBackup || result.backupMovedAside || result.valuesNotRemembered;
    said.noOriginal = result.noOriginalBackup, said.movedAside = result.backupMovedAside;
    said.leftBehind = result.backupLeftBehind;
    const Aftermath after = result.aftermath;
    said.gameUnchanged = after == Aftermath::GameUnchanged || after == Aftermath::BothKept || after == Aftermath::BackupKept;
    said.backupUnchanged = after == Aftermath::BothKept || after == Aftermath::BackupKept || after == Aftermath::OnlyBackupKept;
    said.outcome = "outcome " + std::to_string(static_cast<int>(result.outcome)) + ", aftermath " +
                   std::to_string(static_cast<int>(after));
    return said;
}

void Run::WorldAct(Do what, int install, int a, int b) {
    static const GameVersion versions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};
    static const wchar_t* const swaps[] = {L"\\Data", L"\\Data\\Bak", L"\\Data\\Bak\\meteor.bak", L"\\Data\\Bak\\meteor.sum"};
    const std::wstring game = world_.InstallName(install) + L"\\meteor.exe";
    Bytes bytes;
    if (what == Do::Update) world_.Put(game, Make(BodyIndex({versions[a % 3], a / 3 % 3, false, Shape::Whole})));
    if (what == Do::Mod && world_.Fetch(game, bytes)) {
        // Code changed outside the patch areas, or a value edited in one slot.
        const Kind kind = FileNode(std::move(bytes)).kind;
        if (kind.body <= 0) return;
        Body body = Bodies()[kind.body];
        body.modded = !body.modded;
        const State state = kind.state == State::Other ? State::Pristine : kind.state;
        const Bytes modded = a % 2 ? Make(kind.body, State::SlotEdited) : Make(BodyIndex(body), state, std::max(kind.values, 0));
        // A mod tool writes into the file itself now and then, rather than
        // putting a new file in its place.
        if (a / 2 % 2) world_.PutInPlace(game, modded);
        else world_.Put(game, modded);
    }
    const std::wstring from = world_.Place(a % kPlaces), to = world_.Place(b % kPlaces);
    if (what == Do::Copy && Alike(a, b) && world_.Fetch(from, bytes)) world_.Put(to, bytes);
    if (what == Do::Move && Alike(a, b)) world_.Move(from, to);
    if (what == Do::Delete) world_.Delete(from);
    if (what == Do::Swap) {
        const int n = world_.Installs();
        world_.SwapLink(world_.InstallName(install) + swaps[a % 3 == 2 ? 2 + b % 2 : a % 3], (install % n + 1 + b) % n);
    }
}

void Run::Check(const Snapshot& before, const Snapshot& after, const Said& said, const std::set<std::wstring>& skip) {
    if (said.what == Do::Status) return;
    const std::wstring game = Lower(world_.InstallName(said.install));
    const std::wstring gamePath = game + L"\\meteor.exe", backupPath = game + L"\\data\\bak\\meteor.bak",
                       asidePath = game + L"\\data\\bak\\meteor.old";
    auto touched = [&](const std::wstring& path) {
        return Covered(skip, Resolve(before, path)) || Covered(skip, Resolve(after, path));
    };
    const Node *gameBefore = At(before, gamePath), *gameAfter = At(after, gamePath);
    const Node *backupBefore = At(before, backupPath), *backupAfter = At(after, backupPath);
    const Node *asideBefore = At(before, asidePath), *asideAfter = At(after, asidePath);
    const bool gameTouched = touched(gamePath), backupTouched = touched(backupPath) || touched(asidePath);
    const bool apply = said.what == Do::Apply || said.what == Do::ApplyFile || said.what == Do::OtherApply;
    auto fail = [&](const std::string& what) {
        problems_.push_back(Narrow(game) + (apply ? " apply" : " restore") + " (" + said.outcome + ") " + what);
    };
    // An unpatched file of the patched one's bytes outside the patch areas:
    // a player's edit of the values is all the tool can know of it.
    auto unpatched = [&](const Node* n) {
        return n && n->type == Node::File && n->kind.body == gameAfter->kind.body && n->kind.state != State::Patched &&
               n->kind.state != State::Other;
    };
    if (said.ok && apply && !gameTouched) {
        if (!gameAfter || gameAfter->kind.state != State::Patched || gameAfter->kind.values != said.values) {
            fail("said it patched with value set " + std::to_string(said.values) + ", but meteor.exe is " + Describe(gameAfter));
        } else if (gameBefore && gameBefore->kind.body >= 0 && gameBefore->kind.body != gameAfter->kind.body) {
            fail("patched another file than " + Describe(gameBefore) + ": " + Describe(gameAfter));
        } else if (said.noOriginal && gameBefore && gameBefore->kind.state == State::Pristine) {
            fail("said no original is kept, but meteor.exe was " + Describe(gameBefore));
        } else if (!said.warned && !backupTouched && !unpatched(backupAfter) && !unpatched(asideAfter)) {
            fail("said success with no warning, but neither meteor.bak (" + Describe(backupAfter) + ") nor meteor.old (" +
                 Describe(asideAfter) + ") keeps the original of " + Describe(gameAfter));
        }
    }
    if (said.ok && said.movedAside && !backupTouched &&
        (!asideAfter || !backupBefore || asideAfter->hash != backupBefore->hash || asideBefore)) {
        fail("said it moved " + Describe(backupBefore) + " aside, but meteor.old is " + Describe(asideAfter));
    }
    if (said.ok && !apply && !gameTouched && !backupTouched) {
        // The original comes from meteor.bak or, where that one is not this
        // game file's, from meteor.old; the one put back goes.
        const bool fromBak = gameAfter && backupBefore && gameAfter->hash == backupBefore->hash;
        const bool fromOld = gameAfter && asideBefore && gameAfter->hash == asideBefore->hash;
        const Node* used = fromBak ? backupBefore : asideBefore;
        if ((!fromBak && !fromOld) || gameAfter->kind.state == State::Patched) {
            fail("said it put back " + Describe(backupBefore) + " or " + Describe(asideBefore) + ", but meteor.exe is " +
                 Describe(gameAfter));
        } else if (!said.leftBehind && (fromBak ? backupAfter : asideAfter) && !(fromBak && fromOld)) {
            fail("said it put " + Describe(used) + " back, but it is still there");
        }
    }
    auto same = [](const Node* a, const Node* b) { return a == b || (a && b && *a == *b); };
    if (!said.ok && said.gameUnchanged && !gameTouched && !same(gameBefore, gameAfter)) {
        fail("said meteor.exe is unchanged, but " + Describe(gameBefore) + " became " + Describe(gameAfter));
    }
    if (!said.ok && said.backupUnchanged && !backupTouched && !same(backupBefore, backupAfter)) {
        fail("said meteor.bak is unchanged, but " + Describe(backupBefore) + " became " + Describe(backupAfter));
    }
}

// A name that changed in the run and is neither the world's doing nor one
// of the tool's own; or a temporary file a completed run left in its folders.
std::string Run::Changes(const Snapshot& before, const Snapshot& after, bool completed) const {
    std::set<std::wstring> changed, folders, reach;
    AddChanges(before, after, changed);
    for (int install : ran_) {
        for (const wchar_t* name : {L"", L"\\data", L"\\data\\bak"}) {
            const std::wstring folder = Resolve(before, Lower(world_.InstallName(install)) + name);
            folders.insert(folder);
            // A folder swapped away by a link during the run is out of its reach.
            if (completed && Resolve(after, Lower(world_.InstallName(install)) + name) == folder) reach.insert(folder);
        }
    }
    for (const std::wstring& path : changed) {
        // The lock file of a folder the tool locked is its own wherever a
        // link swapped in meanwhile left it: empty, and opened as it is by
        // the next copy.
        const bool lockFile = path.size() >= 14 && path.compare(path.size() - 14, 14, L"\\tarnwick.lock") == 0;
        if (Covered(worldChanged_, path) || own_.count(path) || lockFile) continue;
        const bool temp = IsTempName(path) && folders.count(Parent(path));
        auto what = [&](const Snapshot& s) { return Describe(s.count(path) ? &s.at(path) : nullptr); };
        if (!temp) return "the tool changed " + Narrow(path) + ": " + what(before) + " became " + what(after);
        if (!before.count(path) && reach.count(Parent(path))) return "a completed run left " + Narrow(path);
    }
    return {};
}

std::string Run::Listing() const {
    std::string text;
    for (const auto& [path, node] : world_.Look()) {
        text += "  " + Narrow(path) + ": " + (node.type == Node::Link ? "-> " + Narrow(node.target) : Describe(&node)) + "\n";
    }
    return text;
}

}  // namespace tarnwick::world
