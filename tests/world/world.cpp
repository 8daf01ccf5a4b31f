// The world's folders: how a seed sets them up, what other programs do to
// them, and what is in them.
#include <windows.h>

#include <cwctype>

#include "tests/core/expected_bytes.h"
#include "tests/support/unix_files.h"
#include "tests/world/world.h"

namespace tarnwick::world {
namespace {

void MakeFolder(const std::wstring& path) { CreateDirectoryW(path.c_str(), nullptr); }

}  // namespace

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring Resolve(const Snapshot& snapshot, const std::wstring& path, bool followLast, int depth) {
    std::wstring done;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        done += (done.empty() ? L"" : L"\\") + path.substr(start, end - start);
        const auto it = snapshot.find(done);
        // Links in a loop lead nowhere, as the system finds too.
        if (it != snapshot.end() && it->second.type == Node::Link && (followLast || end < path.size()) && depth < 16) {
            done = Resolve(snapshot, it->second.target, true, depth + 1);
        }
        start = end + 1;
    }
    return done;
}

World::World(std::uint32_t seed) : unixRoot_(test::UnixName(root_.Path())) {
    std::mt19937 random(seed);
    Setup(random);
}

World::~World() {
    for (const auto& [path, node] : Look()) {
        if (node.type == Node::Link) test::UnixDelete(Full(path));
    }
}

std::wstring World::Place(int place) const {
    static const wchar_t* const names[] = {L"meteor.exe", L"Data\\Bak\\meteor.bak", L"Data\\Bak\\meteor.sum",
                                           L"Data\\Bak\\meteor.old", L"Data\\Slowlysave.cfg"};
    if (place >= 3 * kPlacesPerInstall) return L"p\\f" + std::to_wstring(place - 3 * kPlacesPerInstall);
    return InstallName(place / kPlacesPerInstall) + L"\\" + names[place % kPlacesPerInstall];
}

// Installs after the first share its Data or Data\Bak now and then; a
// folder of backups starts in any state the catalogue allows.
void World::Setup(std::mt19937& random) {
    installs_ = 1 + static_cast<int>(random() % 3);
    for (const wchar_t* folder : {L"p", L"x", L"g0", L"g1", L"g2"}) MakeFolder(Full(folder));
    for (int set = 0; set < kValueSets; ++set) {
        std::string text;
        for (const std::wstring& value : ValueSet(set)) text += std::string(value.begin(), value.end()) + "\r\n";
        test::WriteFileBytes(ValuesFile(set), Bytes(text.begin(), text.end()));
    }
    for (int i = 0; i < installs_; ++i) {
        const std::wstring data = InstallName(i) + L"\\Data", bak = data + L"\\Bak";
        const unsigned mode = i == 0 ? 0 : random() % 6;
        if (mode >= 3) {
            MakeFolder(Full(L"g0\\Data"));
            MakeFolder(Full(L"g0\\Data\\Bak"));
            if (mode == 5) MakeFolder(Full(data));
            Link(mode == 5 ? bak : data, mode == 5 ? L"g0\\Data\\Bak" : L"g0\\Data");
        } else if (random() % 4) {
            MakeFolder(Full(data));
            if (random() % 3) {
                MakeFolder(Full(bak));
                const unsigned backup = random() % 20;
                if (backup == 0) MakeFolder(Full(bak + L"\\meteor.bak"));
                if (backup == 1) Link(bak + L"\\meteor.bak", L"g0\\meteor.exe");
                if (backup > 1 && backup < 14) Put(bak + L"\\meteor.bak", DrawFile(random));
                Bytes kept;
                const unsigned record = random() % 4;
                std::string text = "size 5\r\n";
                if (record == 1 && Fetch(bak + L"\\meteor.bak", kept)) text = test::ExpectedBackupRecord(kept);
                if (record == 2) text = test::ExpectedBackupRecord(DrawFile(random));
                if (record != 0) Put(bak + L"\\meteor.sum", Bytes(text.begin(), text.end()));
                if (random() % 4 == 0) Put(bak + L"\\meteor.old", DrawFile(random));
            }
        }
        Put(InstallName(i) + L"\\meteor.exe", DrawFile(random));
    }
}

std::wstring World::Aside() { return L"x\\a" + std::to_wstring(++asides_); }

void World::Link(const std::wstring& relative, const std::wstring& target) {
    test::MakeSymbolicLink(Full(relative), Full(target));
}

void World::Put(const std::wstring& relative, const Bytes& bytes) {
    const std::wstring temp = Aside();
    test::WriteFileBytes(Full(temp), bytes);
    if (!test::UnixRename(Full(temp), Full(relative))) test::UnixDelete(Full(temp));
}

void World::PutInPlace(const std::wstring& relative, const Bytes& bytes) {
    try {
        test::WriteFileBytes(Full(relative), bytes);
    } catch (...) {
        // Held without write sharing, or no file there: the mod waits.
    }
}

bool World::Fetch(const std::wstring& relative, Bytes& bytes) const {
    if (GetFileAttributesW(Full(relative).c_str()) & FILE_ATTRIBUTE_DIRECTORY) return false;  // also: nothing there
    try {
        bytes = test::ReadFileBytes(Full(relative));
        return true;
    } catch (...) {
        return false;
    }
}

void World::Move(const std::wstring& from, const std::wstring& to) { test::UnixRename(Full(from), Full(to)); }

void World::Delete(const std::wstring& relative) { test::UnixDelete(Full(relative)); }

void World::SwapLink(const std::wstring& relative, int otherInstall) {
    if (const auto swapped = swapped_.find(relative); swapped != swapped_.end()) {
        test::UnixDelete(Full(relative));
        if (!swapped->second.empty()) Move(swapped->second, relative);
        swapped_.erase(swapped);
        return;
    }
    const std::wstring own = relative.substr(0, relative.find(L'\\')), rest = relative.substr(own.size());
    const bool folder = rest.find(L'.') == std::wstring::npos;
    std::wstring target = InstallName(otherInstall) + rest;
    if (InstallName(otherInstall) == own) target = folder ? Aside() : L"p\\f0";
    if (folder) MakeFolder(Full(InstallName(otherInstall) + L"\\Data"));
    if (folder) MakeFolder(Full(target));
    MakeFolder(Full(own + L"\\Data"));
    const Snapshot now = Look();
    if (Resolve(now, Lower(relative)) == Resolve(now, Lower(target))) return;  // one and the same already
    std::wstring& stash = swapped_[relative];
    if (now.count(Resolve(now, Lower(relative), false))) Move(relative, stash = Aside());
    Link(relative, target);
}

Snapshot World::Look() const {
    Snapshot snapshot;
    Walk(L"", snapshot);
    return snapshot;
}

// Listed through Linux, which also shows links that lead nowhere.
void World::Walk(const std::wstring& relative, Snapshot& into) const {
    for (const std::string& unixName : test::FolderNames(relative.empty() ? root_.Path() : Full(relative))) {
        const std::wstring path = (relative.empty() ? L"" : relative + L"\\") + std::wstring(unixName.begin(), unixName.end());
        Node node;
        Bytes bytes;
        if (const std::string link = test::LinkTarget(Full(path)); !link.empty()) {
            node.type = Node::Link;
            const bool inside = link.compare(0, unixRoot_.size() + 1, unixRoot_ + "/") == 0;
            for (char c : inside ? link.substr(unixRoot_.size() + 1) : "?" + link) node.target += c == '/' ? L'\\' : wchar_t(c);
            node.target = Lower(node.target);
        } else if (GetFileAttributesW(Full(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            node.type = Node::Folder;
            Walk(path, into);
        } else if (Fetch(path, bytes)) {
            node = FileNode(std::move(bytes));
        }
        into[Lower(path)] = node;
    }
}

}  // namespace tarnwick::world
