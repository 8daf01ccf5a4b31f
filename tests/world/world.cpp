#include "tests/world/world.h"

#include <windows.h>

#include <cwctype>

#include "tests/core/expected_bytes.h"
#include "tests/support/unix_files.h"

namespace tarnwick::world {
namespace {

constexpr GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::string ValuesText(int set) {
    std::string text;
    for (const std::wstring& value : ValueSet(set)) text += std::string(value.begin(), value.end()) + "\r\n";
    return text;
}

void MakeFolder(const std::wstring& path) { CreateDirectoryW(path.c_str(), nullptr); }

}  // namespace

Bytes DrawFile(std::mt19937& random) {
    const unsigned roll = random() % 100;
    Body body{kVersions[random() % 3], static_cast<int>(random() % 3), false, Shape::Whole};
    const int values = static_cast<int>(random() % kValueSets);
    if (roll < 50) return Make(BodyIndex(body));
    if (roll < 62) return Make(BodyIndex(body), State::Patched, values);
    if (roll < 70) return Make(BodyIndex(body), State::SlotEdited);
    if (roll < 75) return Make(BodyIndex(body), State::ValuesOnly, values);
    if (roll < 94) {
        body.modded = roll < 82;
        body.shape = roll < 82 ? Shape::Whole : roll < 88 ? Shape::Longer : Shape::Short;
        return Make(BodyIndex(body));
    }
    return Make(0);  // of no known version
}

std::wstring Resolve(const Snapshot& snapshot, const std::wstring& path, bool followLast) {
    std::wstring done;
    std::size_t start = 0;
    int hops = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        done = done.empty() ? path.substr(start, end - start) : done + L"\\" + path.substr(start, end - start);
        const auto it = snapshot.find(done);
        if (it != snapshot.end() && it->second.type == Node::Link && (followLast || end < path.size()) && ++hops < 16) {
            done = Resolve(snapshot, it->second.target);
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
    if (place >= 3 * kPlacesPerInstall) return L"p\\f" + std::to_wstring(place - 3 * kPlacesPerInstall);
    static const wchar_t* const names[] = {L"meteor.exe", L"Data\\Bak\\meteor.bak", L"Data\\Bak\\meteor.sum",
                                           L"Data\\Bak\\meteor.old", L"Data\\Slowlysave.cfg"};
    return InstallName(place / kPlacesPerInstall) + L"\\" + names[place % kPlacesPerInstall];
}

// Installs after the first share the first one's Data or Data\Bak now and
// then; each folder of backups starts in any state the catalogue allows.
void World::Setup(std::mt19937& random) {
    installs_ = 1 + static_cast<int>(random() % 3);
    for (const wchar_t* folder : {L"p", L"x", L"g0", L"g1", L"g2"}) MakeFolder(Full(folder));
    for (int set = 0; set < kValueSets; ++set) {
        const std::string text = ValuesText(set);
        test::WriteFileBytes(ValuesFile(set), Bytes(text.begin(), text.end()));
    }
    for (int i = 0; i < installs_; ++i) {
        const std::wstring game = InstallName(i);
        const unsigned mode = i == 0 ? 0 : random() % 6;
        if (mode >= 3) {
            MakeFolder(Full(L"g0\\Data"));
            MakeFolder(Full(L"g0\\Data\\Bak"));
        }
        if (mode == 3 || mode == 4) {
            Link(game + L"\\Data", L"g0\\Data");
        } else if (mode == 5) {
            MakeFolder(Full(game + L"\\Data"));
            Link(game + L"\\Data\\Bak", L"g0\\Data\\Bak");
        } else if (random() % 4) {
            MakeFolder(Full(game + L"\\Data"));
            if (random() % 3) {
                MakeFolder(Full(game + L"\\Data\\Bak"));
                const unsigned backup = random() % 20;
                if (backup == 0) {
                    MakeFolder(Full(game + L"\\Data\\Bak\\meteor.bak"));
                } else if (backup == 1) {
                    Link(game + L"\\Data\\Bak\\meteor.bak", L"g0\\meteor.exe");
                } else if (backup < 14) {
                    PutDrawn(game + L"\\Data\\Bak\\meteor.bak", random);
                }
                Bytes kept;
                const unsigned record = random() % 4;
                std::string text = "size 5\r\n";
                if (record == 1 && Fetch(game + L"\\Data\\Bak\\meteor.bak", kept)) text = test::ExpectedBackupRecord(kept);
                if (record == 2) text = test::ExpectedBackupRecord(DrawFile(random));
                if (record != 0) Put(game + L"\\Data\\Bak\\meteor.sum", Bytes(text.begin(), text.end()));
                if (random() % 4 == 0) PutDrawn(game + L"\\Data\\Bak\\meteor.old", random);
            }
        }
        PutDrawn(game + L"\\meteor.exe", random);
    }
}

void World::PutDrawn(const std::wstring& relative, std::mt19937& random) { Put(relative, DrawFile(random)); }

void World::Link(const std::wstring& relative, const std::wstring& target) {
    test::MakeSymbolicLink(Full(relative), Full(target));
    links_.insert(relative);
}

std::wstring World::Aside() { return L"x\\a" + std::to_wstring(++asideCount_); }

void World::Put(const std::wstring& relative, const Bytes& bytes) {
    const std::wstring temp = Aside();
    test::WriteFileBytes(Full(temp), bytes);
    if (!test::UnixRename(Full(temp), Full(relative))) test::UnixDelete(Full(temp));
}

bool World::Fetch(const std::wstring& relative, Bytes& bytes) const {
    if (GetFileAttributesW(Full(relative).c_str()) & FILE_ATTRIBUTE_DIRECTORY) return false;  // also: none there
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
    const auto swapped = swapped_.find(relative);
    if (swapped != swapped_.end()) {
        test::UnixDelete(Full(relative));
        if (!swapped->second.empty()) Move(swapped->second, relative);
        swapped_.erase(swapped);
        return;
    }
    const std::wstring own = relative.substr(0, relative.find(L'\\'));
    const std::wstring rest = relative.substr(own.size());
    const bool folder = rest.find(L'.') == std::wstring::npos;
    std::wstring target = InstallName(otherInstall) + rest;
    if (InstallName(otherInstall) == own) {
        target = folder ? Aside() : L"p\\f0";
        if (folder) MakeFolder(Full(target));
    } else if (folder) {
        MakeFolder(Full(InstallName(otherInstall) + L"\\Data"));
        MakeFolder(Full(target));
    }
    MakeFolder(Full(own + L"\\Data"));
    std::wstring stash;
    if (GetFileAttributesW(Full(relative).c_str()) != INVALID_FILE_ATTRIBUTES || !test::LinkTarget(Full(relative)).empty()) {
        stash = Aside();
        Move(relative, stash);
    }
    swapped_[relative] = stash;
    Link(relative, target);
}

Snapshot World::Look() const {
    Snapshot snapshot;
    Walk(L"", snapshot);
    for (const std::wstring& link : links_) {
        const std::wstring key = Resolve(snapshot, Lower(link), false);
        if (!snapshot.count(key) && !test::LinkTarget(Full(link)).empty()) snapshot[key] = LinkNode(test::LinkTarget(Full(link)));
    }
    return snapshot;
}

Node World::LinkNode(const std::string& target) const {
    Node node;
    node.type = Node::Link;
    const bool inside = target.compare(0, unixRoot_.size() + 1, unixRoot_ + "/") == 0;
    for (char c : inside ? target.substr(unixRoot_.size() + 1) : "?" + target) node.target += c == '/' ? L'\\' : wchar_t(c);
    node.target = Lower(node.target);
    return node;
}

void World::Walk(const std::wstring& relative, Snapshot& into) const {
    WIN32_FIND_DATAW entry;
    const std::wstring folder = relative.empty() ? root_.Path() : Full(relative);
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        Node node;
        const std::string link = test::LinkTarget(Full(path));
        if (!link.empty()) {
            node = LinkNode(link);
        } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            node.type = Node::Folder;
            Walk(path, into);
        } else if (Bytes bytes; Fetch(path, bytes)) {
            const world::Look look = Classify(std::move(bytes));
            node.kind = look.kind;
            node.hash = look.hash;
        }
        into[Lower(path)] = node;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

}  // namespace tarnwick::world
