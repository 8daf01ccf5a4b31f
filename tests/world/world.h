#pragma once
// A seeded world of game folders around the tool. One to three installs
// under a fresh temporary folder, some sharing Data or Data\Bak through
// symbolic links, their files drawn from a catalogue; actions (the tool's
// runs, updaters, mods, the player, link swaps, runs cut short) drawn with
// weights; and an oracle that holds the tool to its promise after each of
// its runs:
//   1. every original there before a run is still somewhere after it,
//      unless the world (not the tool) took it away;
//   2. what the tool said is true of the files: a success has the game file
//      patched with exactly the values and its unpatched file kept as
//      meteor.bak or meteor.old, or the backup put back; "unchanged" is
//      byte for byte; a warning names what happened;
//   3. nothing but the tool's own names changed, and no temporary file of a
//      completed run is left in its folders.
// The world knows what a file is only by comparing its bytes with the
// catalogue, never by asking the tool.
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::world {

using test::Bytes;

// The catalogue: originals of the three versions in three builds (which
// differ outside the patch areas), modded, one byte longer or cut short;
// their patch areas as installed, patched with one of a few value sets,
// edited in one slot or in the values only.
inline constexpr int kValueSets = 3;
const FieldTexts& ValueSet(int index);

enum class Shape { Whole, Longer, Short };
struct Body {
    GameVersion version;
    int build;
    bool modded;
    Shape shape;
};
const std::vector<Body>& Bodies();
int BodyIndex(const Body& body);

enum class State { Pristine, Patched, SlotEdited, ValuesOnly, Other };
struct Kind {
    int body = -1;  // -1: no file of the catalogue
    State state = State::Other;
    int values = -1;  // Patched, ValuesOnly: the value set
    bool Original() const;  // an unpatched game file as an installer writes it
};
Bytes Make(int body, State state = State::Pristine, int values = 0);
Bytes DrawFile(std::mt19937& random);  // mostly originals

// One name in the world, by its path below the world's folder in lower case.
struct Node {
    enum Type { File, Folder, Link } type = File;
    Kind kind;
    std::uint64_t hash = 0;  // a file's bytes
    std::wstring target;     // where a link leads
    bool operator==(const Node& o) const { return type == o.type && hash == o.hash && target == o.target; }
};
using Snapshot = std::map<std::wstring, Node>;
Node FileNode(Bytes bytes);
std::string Describe(const Node* node);

// The name `path` leads to through the links on its way (and the link it
// names itself, unless `followLast` is false); names in lower case.
std::wstring Lower(std::wstring text);
std::wstring Resolve(const Snapshot& snapshot, const std::wstring& path, bool followLast = true, int depth = 0);

// The places the player and other programs act on: per install the game
// file, backup, record, kept-aside original and settings cache; then three
// files of the player's own.
inline constexpr int kPlacesPerInstall = 5;
inline constexpr int kPlaces = 3 * kPlacesPerInstall + 3;

class World {
public:
    explicit World(std::uint32_t seed);
    ~World();

    int Installs() const { return installs_; }
    std::wstring InstallName(int install) const { return L"g" + std::to_wstring(install % installs_); }
    GameFolder Folder(int install) const { return {Full(InstallName(install))}; }
    std::wstring Place(int place) const;  // below the world's folder
    std::wstring Full(const std::wstring& relative) const { return root_.Path() + L"\\" + relative; }
    std::wstring ValuesFile(int set) const { return Full(L"p\\values" + std::to_wstring(set) + L".txt"); }
    Snapshot Look() const;

    // What other programs do, through Linux calls: at once, whatever the
    // tool holds open.
    void Put(const std::wstring& relative, const Bytes& bytes);  // written aside, renamed into place
    void PutInPlace(const std::wstring& relative, const Bytes& bytes);  // the same file rewritten, where nothing holds it
    bool Fetch(const std::wstring& relative, Bytes& bytes) const;
    void Move(const std::wstring& from, const std::wstring& to);
    void Delete(const std::wstring& relative);
    // A link at `relative` (what was there moved aside) to the same name in
    // another install, or to a place of its own; where one was swapped in
    // before, the swap undone.
    void SwapLink(const std::wstring& relative, int otherInstall);

private:
    void Setup(std::mt19937& random);
    void Walk(const std::wstring& relative, Snapshot& into) const;
    void Link(const std::wstring& relative, const std::wstring& target);
    std::wstring Aside();

    test::TempFolder root_;
    std::string unixRoot_;
    int installs_ = 1;
    int asides_ = 0;
    std::map<std::wstring, std::wstring> swapped_;  // a link swapped in -> where its folder or file went
};

// Actions. Every choice is drawn with the action and kept in it, so a list
// replays alike on a fresh world of the same seed, also with some left out.
enum class Do : std::uint8_t {
    None, Apply, ApplyFile, Restore, Status,  // the window's apply, apply --from, restore, status
    Update, Mod, Copy, Move, Delete, Swap,    // an updater, a mod, the player, a link swapped in
    Kill, Hold, OtherApply, OtherRestore,     // inside a run: cut short, a scanner, another install's run
};
struct Act {
    Do what = Do::None;
    std::uint8_t install = 0, a = 0, b = 0;  // taken modulo what they choose from
    std::uint8_t step = 0;  // a run of the tool: what the world does before its step `step`
    Do hook = Do::None;
    std::uint8_t hookInstall = 0, hookA = 0, hookB = 0;
};
bool IsToolRun(Do what);
Act DrawAct(std::mt19937& random);
// As "apply(0,3,1)@12:update(1,4,0)"; ParseActs reads a list of them back.
std::string Describe(const Act& act);
std::vector<Act> ParseActs(const std::string& text);

struct Verdict {
    int rule = 0;  // 0: the promise kept
    std::string what;
    std::string said;  // the tool's answer
};

// What a run of the tool said, as far as the oracle checks it.
struct Said {
    Do what = Do::None;
    int install = 0, values = 0;
    bool ok = false, warned = false, noOriginal = false, movedAside = false, leftBehind = false;
    bool gameUnchanged = false, backupUnchanged = false;
    std::string outcome;
};

// One replay of a seed: the world and the oracle's memory of one action.
class Run {
public:
    explicit Run(std::uint32_t seed) : world_(seed) {}
    Verdict Perform(const Act& act);
    void Intervene(const Act& act);  // the step watcher's call inside a run
    std::string Listing() const;     // every name and what it is

private:
    Said Tool(Do what, int install, int values, const Snapshot& before);
    void WorldAct(Do what, int install, int a, int b);
    void Check(const Snapshot& before, const Snapshot& after, const Said& said, const std::set<std::wstring>& skip);
    std::string Changes(const Snapshot& before, const Snapshot& after, bool completed) const;

    World world_;
    std::set<int> mustStay_;                // originals that must survive
    std::set<std::wstring> worldChanged_;   // names the world changed during the run
    std::set<std::wstring> othersChanged_;  // those, and those another install's run changed
    std::set<std::wstring> own_;            // the tool's own names as they resolved when it began
    std::set<int> ran_;                     // the installs it ran on
    std::vector<std::string> problems_;
};

}  // namespace tarnwick::world
