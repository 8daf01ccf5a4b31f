#pragma once
// The game folders around the tool: one to three installs under a fresh
// temporary folder, some sharing Data or Data\Bak through symbolic links,
// their files drawn from the catalogue; and what other programs and the
// player do to them. The world knows what its files are only by reading
// them back (catalogue.h).
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>

#include "core/disk/game_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/world/catalogue.h"

namespace tarnwick::world {

// One name in the world, by its path below the world's folder in lower case.
struct Node {
    enum Type { File, Folder, Link } type = File;
    Kind kind;
    std::uint64_t hash = 0;  // File: of its bytes (0: could not be read)
    std::wstring target;     // Link: where it leads, below the world's folder
    bool operator==(const Node& o) const { return type == o.type && hash == o.hash && target == o.target; }
};
using Snapshot = std::map<std::wstring, Node>;

// The name `path` leads to once the links on its way are followed (and
// the link it names itself, unless `followLast` is false).
std::wstring Resolve(const Snapshot& snapshot, const std::wstring& path, bool followLast = true);

// The places the player and other programs act on: per install the game
// file, backup, record, kept-aside original and settings cache; then three
// files of the player's own elsewhere.
inline constexpr int kPlacesPerInstall = 5;
inline constexpr int kPlaces = 3 * kPlacesPerInstall + 3;

class World {
public:
    explicit World(std::uint32_t seed);
    ~World();

    int Installs() const { return installs_; }
    GameFolder Folder(int install) const { return {Full(InstallName(install))}; }
    // A place's path below the world's folder (an install past the last
    // wraps round).
    std::wstring Place(int place) const;
    std::wstring Full(const std::wstring& relative) const { return root_.Path() + L"\\" + relative; }
    std::wstring InstallName(int install) const { return L"g" + std::to_wstring(install % installs_); }
    std::wstring ValuesFile(int set) const { return Full(L"p\\values" + std::to_wstring(set % kValueSets) + L".txt"); }

    Snapshot Look() const;

    // What other programs do: each takes effect at once, whatever the tool
    // holds open (as a Linux program's rename or delete does).
    void Put(const std::wstring& relative, const Bytes& bytes);  // written aside, then renamed into place
    bool Fetch(const std::wstring& relative, Bytes& bytes) const;
    void Move(const std::wstring& from, const std::wstring& to);
    void Delete(const std::wstring& relative);
    // A link at `relative` (its folder or file moved aside first) to the same
    // name in another install, or to a place of its own when there is none;
    // or, where a link was swapped in before, the folder or file put back.
    void SwapLink(const std::wstring& relative, int otherInstall);

private:
    void Setup(std::mt19937& random);
    void PutDrawn(const std::wstring& relative, std::mt19937& random);
    void Walk(const std::wstring& relative, Snapshot& into) const;
    Node LinkNode(const std::string& target) const;
    void Link(const std::wstring& relative, const std::wstring& target);
    std::wstring Aside();

    test::TempFolder root_;
    std::string unixRoot_;
    int installs_ = 1;
    int asideCount_ = 0;
    std::map<std::wstring, std::wstring> swapped_;  // link's path -> where its folder or file went
    std::set<std::wstring> links_;  // every link made: a link to nothing is not listed by the system
};

// A file of the catalogue, drawn with weights: mostly originals.
Bytes DrawFile(std::mt19937& random);

}  // namespace tarnwick::world
