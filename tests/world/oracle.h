#pragma once
// One replay of a seed: a fresh world, the actions performed on it one by
// one, and the oracle that holds the tool to its promise after each of
// its runs:
//   1. every original there before an action is still somewhere after it,
//      unless the world (not the tool) took it away;
//   2. what the tool said is true of the files: a success has the game
//      file patched with exactly the values and its original kept as
//      meteor.bak or meteor.old, or the backup put back; "unchanged" is
//      byte for byte; a warning names what happened;
//   3. nothing but the tool's own names changed, and no temporary file of
//      a completed run is left.
#include <set>
#include <string>
#include <vector>

#include "tests/world/actions.h"
#include "tests/world/world.h"

namespace tarnwick::world {

struct Verdict {
    int rule = 0;  // 0: kept
    std::string what;
    std::string said;  // of a run of the tool: its outcome
};

// What a run of the tool said, in the facts the oracle checks.
struct Said {
    Do what = Do::None;
    int install = 0;
    int values = 0;
    bool ok = false;
    bool warned = false;  // a success with any warning (the command line tells no more)
    bool noOriginal = false, movedAside = false, leftBehind = false;
    bool gameUnchanged = false, backupUnchanged = false;
    std::string outcome;
};

class Run {
public:
    explicit Run(std::uint32_t seed) : world_(seed) {}
    Verdict Perform(const Act& act);
    // Called by the step watcher inside a run of the tool.
    void Intervene(const Act& act);
    // Every name in the world and what it is, one a line.
    std::string Listing() const;

private:
    Said Tool(Do what, int install, int values, const Snapshot& before);
    void WorldAct(Do what, int install, int a, int b);
    void Check(const Snapshot& before, const Snapshot& after, const Said& said, const std::set<std::wstring>& skip);
    void OwnNames(const Snapshot& snapshot, int install);
    std::string Changes(const Snapshot& before, const Snapshot& after, bool completed) const;

    World world_;
    std::set<int> mustStay_;              // originals that must survive the action
    std::set<std::wstring> worldChanged_;  // names the world changed during the action
    std::set<std::wstring> othersChanged_;  // the same, and those a run on another install changed
    std::set<std::wstring> own_;           // the tool's own names, as they resolved when its run began
    std::set<std::wstring> tempFolders_;   // where its temporary files may be
    std::set<int> ran_;                     // the installs the tool ran on
    std::vector<std::string> problems_;
};

}  // namespace tarnwick::world
