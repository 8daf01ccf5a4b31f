#pragma once
// What happens in the world, one action at a time: the tool's runs on an
// install, and what updaters, mods, the player and links do. Every choice
// an action needs is drawn when the action is drawn and kept in it, so a
// list of actions replays alike on a fresh world of the same seed, also
// with some of them left out.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tarnwick::world {

enum class Do : std::uint8_t {
    None,
    Apply,         // the window's "确认" with a value set
    ApplyFile,     // the command line's apply --from a values file
    Restore,
    Status,
    Update,        // an updater or a reinstall puts an original at meteor.exe
    Mod,           // a mod changes meteor.exe outside the patch areas, or inside one slot
    Copy,          // the player copies one place over another
    Move,
    Delete,
    Swap,          // a link swapped in for Data, Data\Bak or a backup file (or the swap undone)
    Kill,          // the tool's run is cut short at a step
    Hold,          // a scanner holds the file the tool just stepped on for a few steps
    OtherApply,    // another install's apply or restore, on another thread
    OtherRestore,
};

struct Act {
    Do what = Do::None;
    std::uint8_t install = 0, a = 0, b = 0;  // taken modulo what they choose from
    // A run of the tool only: what the world does just before its step
    // `step` (from 1), if any.
    std::uint8_t step = 0;
    Do hook = Do::None;
    std::uint8_t hookInstall = 0, hookA = 0, hookB = 0;
};

bool IsToolRun(Do what);
Act DrawAct(std::mt19937& random);
// As "apply(0,3,1)@12:update(1,4,0)"; ParseActs reads a list of them
// separated by blanks back (an unknown word is skipped).
std::string Describe(const Act& act);
std::vector<Act> ParseActs(const std::string& text);

}  // namespace tarnwick::world
