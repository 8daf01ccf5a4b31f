#include "tests/world/oracle.h"

#include <windows.h>

#include <thread>

#include "cli/apply_restore_commands.h"
#include "cli/status_command.h"
#include "core/disk/step_watch.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"

namespace tarnwick::world {
namespace {

constexpr GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};

// Thrown from the step watcher where the run is cut short.
struct Cut {};

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The tool's temporary files: twk, eight hexadecimal digits, .tmp.
bool IsTempName(const std::wstring& path) {
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    if (name.size() != 15 || name.compare(0, 3, L"twk") != 0 || name.compare(11, 4, L".tmp") != 0) return false;
    return name.find_first_not_of(L"0123456789abcdef", 3) == 11;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// `path` or a folder on its way is in `names`.
bool Covered(const std::set<std::wstring>& names, std::wstring path) {
    for (;;) {
        if (names.count(path)) return true;
        const std::size_t cut = path.rfind(L'\\');
        if (cut == std::wstring::npos) return false;
        path.resize(cut);
    }
}

const Node* At(const Snapshot& snapshot, const std::wstring& path) {
    const auto it = snapshot.find(Resolve(snapshot, path));
    return it == snapshot.end() ? nullptr : &it->second;
}

bool Same(const Node* a, const Node* b) { return a == b || (a && b && *a == *b); }

std::string Describe(const Node* node) {
    if (!node) return "nothing";
    if (node->type != Node::File) return node->type == Node::Folder ? "a folder" : "a link";
    const Kind& k = node->kind;
    if (k.body < 0) return "a file of no catalogue";
    const Body& b = Bodies()[k.body];
    static const char* const versions[] = {"unknown", "1.07", "1.08", "9.07"};
    static const char* const states[] = {"original", "patched", "slot-edited", "values-only", "other"};
    std::string text = std::string(versions[static_cast<int>(b.version)]) + " build " + std::to_string(b.build) +
                       (b.modded ? " modded" : "") + (b.shape == Shape::Longer ? " longer" : "") +
                       (b.shape == Shape::Short ? " short" : "") + " " + states[static_cast<int>(k.state)];
    return k.values >= 0 ? text + " " + std::to_string(k.values) : text;
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
        const auto it = after.find(path);
        if (it == after.end() || !(it->second == node)) into.insert(path);
    }
    for (const auto& [path, node] : after) {
        if (!before.count(path)) into.insert(path);
    }
}

// The step watcher: counts the tool's steps and lets the world act at one.
class Hooks : public fileio::StepWatcher {
public:
    Hooks(Run& run, const Act& act) : run_(run), act_(act) {}
    ~Hooks() override { Release(); }

    void Before(fileio::Step, const std::wstring& path) override {
        if (cut_) return;  // unwinding: the run is over
        ++steps_;
        if (steps_ >= releaseAt_) Release();
        if (steps_ == act_.step && act_.hook == Do::Kill) {
            cut_ = true;
            throw Cut{};
        }
        if (steps_ == act_.step && act_.hook == Do::Hold && !last_.empty()) {
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
    int steps_ = 0;
    bool cut_ = false;
    std::wstring last_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
    int releaseAt_ = 1 << 30;
};

}  // namespace

Verdict Run::Perform(const Act& act) {
    if (!IsToolRun(act.what)) {
        WorldAct(act.what, act.install, act.a, act.b);
        return {};
    }
    const Snapshot before = world_.Look();
    mustStay_ = Originals(before);
    worldChanged_.clear();
    othersChanged_.clear();
    own_.clear();
    tempFolders_.clear();
    ran_.clear();
    problems_.clear();
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
        Node lost;
        lost.kind = {body, State::Pristine};
        std::string where;
        for (const auto& [path, node] : before) {
            if (node.type == Node::File && node.kind.body == body && node.kind.Original()) where += " " + Narrow(path);
        }
        return {1, "the original " + Describe(&lost) + " (before:" + where + ") is gone", said.outcome};
    }
    if (!problems_.empty()) return {2, problems_.front(), said.outcome};
    const std::string changes = Changes(before, after, completed);
    if (!changes.empty()) return {3, changes, said.outcome};
    return {0, {}, completed ? said.outcome : "cut short"};
}

std::string Run::Listing() const {
    std::string text;
    for (const auto& [path, node] : world_.Look()) {
        text += "  " + Narrow(path) + ": " + (node.type == Node::Link ? "-> " + Narrow(node.target) : Describe(&node)) + "\n";
    }
    return text;
}

// Inside a run: another program acts, or another install's run starts on
// another thread and is waited for (its lock is another folder's).
void Run::Intervene(const Act& act) {
    fileio::StepWatcher* watcher = fileio::WatchSteps(nullptr);
    const Snapshot before = world_.Look();
    if (act.hook == Do::OtherApply || act.hook == Do::OtherRestore) {
        const int n = world_.Installs();
        if (n > 1) {
            const int other = (act.install % n + 1 + act.hookInstall % (n - 1)) % n;
            Said said;
            std::thread([&] { said = Tool(act.hook, other, act.hookA, before); }).join();
            const Snapshot after = world_.Look();
            Check(before, after, said, {});
            AddChanges(before, after, othersChanged_);
        }
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
        for (int body : is) mustStay_.insert(body);
    }
    fileio::WatchSteps(watcher);
}

Said Run::Tool(Do what, int install, int values, const Snapshot& before) {
    install %= world_.Installs();
    values %= kValueSets;
    OwnNames(before, install);
    const GameFolder folder = world_.Folder(install);
    Said said;
    said.what = what;
    said.install = install;
    said.values = values;
    std::optional<OperationResult> result;
    if (what == Do::Apply || what == Do::OtherApply) {
        // The window passes the version its status line shows.
        std::optional<GameVersion> expected;
        const Node* game = At(before, Lower(world_.InstallName(install) + L"\\meteor.exe"));
        if (values % 2 && game && game->kind.body >= 0) expected = Bodies()[game->kind.body].version;
        result = ApplyPatch(folder, expected, ValueSet(values));
    } else if (what == Do::Restore || what == Do::OtherRestore) {
        result = RestoreGameFile(folder);
    } else {
        cli::Request request;
        request.command = what == Do::Status ? cli::Command::Status : cli::Command::Apply;
        request.fromFile = world_.ValuesFile(values);
        const cli::Reply reply = what == Do::Status ? cli::RunStatus(folder) : cli::RunApply(folder, request);
        const int code = static_cast<int>(reply.code);
        said.ok = code == 0;
        said.warned = !reply.err.empty();
        said.gameUnchanged = code >= 1 && code <= 6;
        said.outcome = "exit code " + std::to_string(code);
        return said;
    }
    said.ok = result->Succeeded();
    said.warned = result->noOriginalBackup || result->backupMovedAside || result->valuesNotRemembered;
    said.noOriginal = result->noOriginalBackup;
    said.movedAside = result->backupMovedAside;
    said.leftBehind = result->backupLeftBehind;
    const Aftermath after = result->aftermath;
    said.gameUnchanged = after == Aftermath::GameUnchanged || after == Aftermath::BothKept || after == Aftermath::BackupKept;
    said.backupUnchanged = after == Aftermath::BothKept || after == Aftermath::BackupKept || after == Aftermath::OnlyBackupKept;
    said.outcome = "outcome " + std::to_string(static_cast<int>(result->outcome)) + " aftermath " +
                   std::to_string(static_cast<int>(after));
    return said;
}

void Run::WorldAct(Do what, int install, int a, int b) {
    const int n = world_.Installs();
    const std::wstring game = world_.InstallName(install) + L"\\meteor.exe";
    Bytes bytes;
    switch (what) {
        case Do::Update:
            world_.Put(game, Make(BodyIndex({kVersions[a % 3], a / 3 % 3, false, Shape::Whole})));
            break;
        case Do::Mod: {
            if (!world_.Fetch(game, bytes)) break;
            const Kind kind = Classify(std::move(bytes)).kind;
            if (kind.body <= 0) break;
            Body body = Bodies()[kind.body];
            body.modded = !body.modded;
            const State state = kind.state == State::Other ? State::Pristine : kind.state;
            world_.Put(game, a % 2 ? Make(kind.body, State::SlotEdited) : Make(BodyIndex(body), state, std::max(kind.values, 0)));
            break;
        }
        case Do::Copy:
            if (world_.Fetch(world_.Place(a % kPlaces), bytes)) world_.Put(world_.Place(b % kPlaces), bytes);
            break;
        case Do::Move:
            world_.Move(world_.Place(a % kPlaces), world_.Place(b % kPlaces));
            break;
        case Do::Delete:
            world_.Delete(world_.Place(a % kPlaces));
            break;
        case Do::Swap: {
            static const wchar_t* const names[] = {L"\\Data", L"\\Data\\Bak", L"\\Data\\Bak\\meteor.bak",
                                                   L"\\Data\\Bak\\meteor.sum"};
            const int pick = a % 3 == 2 ? 2 + b % 2 : a % 3;
            world_.SwapLink(world_.InstallName(install) + names[pick], (install % n + 1 + b) % n);
            break;
        }
        default:
            break;
    }
}

// The tool's own names for a run on `install`, where they lead as it begins.
void Run::OwnNames(const Snapshot& snapshot, int install) {
    const std::wstring game = Lower(world_.InstallName(install));
    ran_.insert(install);
    for (const wchar_t* name : {L"", L"\\data", L"\\data\\bak"}) tempFolders_.insert(Resolve(snapshot, game + name));
    for (const wchar_t* name : {L"\\meteor.exe", L"\\tarnwick.lock", L"\\data", L"\\data\\slowlysave.cfg",
                                L"\\data\\hint.cfg", L"\\data\\bak", L"\\data\\bak\\meteor.bak",
                                L"\\data\\bak\\meteor.sum", L"\\data\\bak\\meteor.old"}) {
        own_.insert(Resolve(snapshot, game + name, false));  // a link there is the tool's name, not its target
    }
}

void Run::Check(const Snapshot& before, const Snapshot& after, const Said& said, const std::set<std::wstring>& skip) {
    const std::wstring game = Lower(world_.InstallName(said.install));
    const std::wstring gamePath = game + L"\\meteor.exe", backupPath = game + L"\\data\\bak\\meteor.bak",
                       asidePath = game + L"\\data\\bak\\meteor.old";
    auto touched = [&](const std::wstring& path) {
        return Covered(skip, Resolve(before, path)) || Covered(skip, Resolve(after, path));
    };
    const Node *gameBefore = At(before, gamePath), *gameAfter = At(after, gamePath);
    const Node *backupBefore = At(before, backupPath), *backupAfter = At(after, backupPath);
    const Node* asideAfter = At(after, asidePath);
    const bool gameTouched = touched(gamePath), backupTouched = touched(backupPath) || touched(asidePath);
    const bool apply = said.what == Do::Apply || said.what == Do::ApplyFile || said.what == Do::OtherApply;
    const std::string run = Narrow(game) + " " + (apply ? "apply" : "restore") + " (" + said.outcome + ")";
    auto fail = [&](const std::string& what) { problems_.push_back(run + ": " + what); };
    if (said.what == Do::Status) return;
    if (said.ok && apply && !gameTouched) {
        if (!gameAfter || gameAfter->kind.state != State::Patched || gameAfter->kind.values != said.values) {
            fail("said it patched with set " + std::to_string(said.values) + ", meteor.exe is " + Describe(gameAfter));
        } else if (gameBefore && gameBefore->kind.body >= 0 && gameBefore->kind.body != gameAfter->kind.body) {
            fail("patched another file than " + Describe(gameBefore) + ": " + Describe(gameAfter));
        } else if (said.noOriginal && gameBefore && gameBefore->kind.state == State::Pristine) {
            fail("said no original is kept, but meteor.exe was " + Describe(gameBefore));
        } else if (!said.warned && !backupTouched) {
            // An unpatched file of the same bytes outside the patch areas (a
            // player's edit of its values is all the tool can know of it).
            auto keeps = [&](const Node* n) {
                return n && n->type == Node::File && n->kind.body == gameAfter->kind.body &&
                       n->kind.state != State::Patched && n->kind.state != State::Other;
            };
            if (!keeps(backupAfter) && !keeps(At(after, asidePath))) {
                fail("said success with no warning, but the original of " + Describe(gameAfter) +
                     " is not kept: meteor.bak is " + Describe(backupAfter) + ", meteor.old " + Describe(asideAfter));
            }
        }
    }
    if (said.ok && said.movedAside && !backupTouched &&
        (!asideAfter || !backupBefore || asideAfter->hash != backupBefore->hash || At(before, asidePath))) {
        fail("said it moved the backup " + Describe(backupBefore) + " aside, meteor.old is " + Describe(asideAfter));
    }
    if (said.ok && !apply && !gameTouched && !backupTouched) {
        if (!gameAfter || !backupBefore || gameAfter->hash != backupBefore->hash || gameAfter->kind.state == State::Patched) {
            fail("said it restored " + Describe(backupBefore) + ", meteor.exe is " + Describe(gameAfter));
        } else if (!said.leftBehind && backupAfter) {
            fail("said it restored, but meteor.bak is still there");
        }
    }
    if (!said.ok && said.gameUnchanged && !gameTouched && !Same(gameBefore, gameAfter)) {
        fail("said meteor.exe is unchanged, but " + Describe(gameBefore) + " became " + Describe(gameAfter));
    }
    if (!said.ok && said.backupUnchanged && !backupTouched && !Same(backupBefore, backupAfter)) {
        fail("said meteor.bak is unchanged, but " + Describe(backupBefore) + " became " + Describe(backupAfter));
    }
}

// Every name that changed in the action and is neither the world's doing
// nor one of the tool's own names; and temporary files a completed run left.
std::string Run::Changes(const Snapshot& before, const Snapshot& after, bool completed) const {
    std::set<std::wstring> changed;
    AddChanges(before, after, changed);
    for (const std::wstring& path : changed) {
        if (Covered(worldChanged_, path) || own_.count(path)) continue;
        const bool temp = IsTempName(path) && tempFolders_.count(Folder(path));
        // A folder that a link swapped away during the run is out of the tool's reach.
        bool reach = false;
        for (int install : ran_) {
            for (const wchar_t* name : {L"", L"\\data", L"\\data\\bak"}) {
                reach = reach || Resolve(after, Lower(world_.InstallName(install)) + name) == Folder(path);
            }
        }
        if (!temp) return "the tool changed " + Narrow(path) + ": " + Describe(before.count(path) ? &before.at(path) : nullptr) +
                          " became " + Describe(after.count(path) ? &after.at(path) : nullptr);
        if (completed && reach && !before.count(path) && after.count(path)) return "a completed run left " + Narrow(path);
    }
    return {};
}

}  // namespace tarnwick::world
