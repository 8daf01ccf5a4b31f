// Drawing actions with weights, and writing them out and reading them back.
#include <cstdio>
#include <utility>

#include "tests/world/world.h"

namespace tarnwick::world {
namespace {

template <std::size_t N>
Do Pick(const std::pair<Do, unsigned> (&weights)[N], std::mt19937& random) {
    unsigned total = 0;
    for (const auto& w : weights) total += w.second;
    unsigned roll = random() % total;
    for (const auto& w : weights) {
        if (roll < w.second) return w.first;
        roll -= w.second;
    }
    return Do::None;
}

const char* Name(Do what) {
    static const char* const names[] = {"none",   "apply", "apply-file", "restore", "status", "update", "mod", "copy",
                                        "move",   "delete", "swap",      "kill",    "hold",   "other-apply", "other-restore"};
    return names[static_cast<int>(what)];
}

// "name(install,a,b)" at `text`; false when it is no such part.
bool ParsePart(const std::string& text, Do& what, std::uint8_t& install, std::uint8_t& a, std::uint8_t& b) {
    const std::size_t open = text.find('(');
    unsigned i = 0, x = 0, y = 0;
    if (open == std::string::npos || std::sscanf(text.c_str() + open, "(%u,%u,%u)", &i, &x, &y) != 3) return false;
    for (int n = 1; n <= static_cast<int>(Do::OtherRestore); ++n) {
        if (text.compare(0, open, Name(static_cast<Do>(n))) == 0) what = static_cast<Do>(n);
    }
    install = static_cast<std::uint8_t>(i), a = static_cast<std::uint8_t>(x), b = static_cast<std::uint8_t>(y);
    return what != Do::None;
}

}  // namespace

std::vector<Act> ParseActs(const std::string& text) {
    std::vector<Act> acts;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
        const std::string word = text.substr(start, text.find(' ', start) - start);
        start += word.size();
        Act act;
        const std::size_t at = word.find('@');
        unsigned step = 0;
        if (!ParsePart(word.substr(0, at), act.what, act.install, act.a, act.b)) continue;
        if (at != std::string::npos && std::sscanf(word.c_str() + at, "@%u:", &step) == 1 &&
            ParsePart(word.substr(word.find(':', at) + 1), act.hook, act.hookInstall, act.hookA, act.hookB)) {
            act.step = static_cast<std::uint8_t>(step);
        }
        acts.push_back(act);
    }
    return acts;
}

bool IsToolRun(Do what) {
    return what == Do::Apply || what == Do::ApplyFile || what == Do::Restore || what == Do::Status ||
           what == Do::OtherApply || what == Do::OtherRestore;
}

Act DrawAct(std::mt19937& random) {
    static const std::pair<Do, unsigned> actions[] = {
        {Do::Apply, 18}, {Do::ApplyFile, 4}, {Do::Restore, 12}, {Do::Status, 4}, {Do::Update, 8},
        {Do::Mod, 5},    {Do::Copy, 8},      {Do::Move, 5},     {Do::Delete, 5}, {Do::Swap, 3}};
    static const std::pair<Do, unsigned> hooks[] = {
        {Do::Kill, 15}, {Do::Update, 20}, {Do::OtherApply, 15}, {Do::OtherRestore, 10}, {Do::Swap, 12},
        {Do::Copy, 6},  {Do::Move, 6},    {Do::Delete, 8},      {Do::Mod, 4},          {Do::Hold, 4}};
    Act act;
    act.what = Pick(actions, random);
    act.install = static_cast<std::uint8_t>(random());
    act.a = static_cast<std::uint8_t>(random());
    act.b = static_cast<std::uint8_t>(random());
    if (IsToolRun(act.what) && random() % 100 < 60) {
        act.step = static_cast<std::uint8_t>(1 + random() % 50);
        act.hook = Pick(hooks, random);
        act.hookInstall = static_cast<std::uint8_t>(random());
        act.hookA = static_cast<std::uint8_t>(random());
        act.hookB = static_cast<std::uint8_t>(random());
    }
    return act;
}

std::string Describe(const Act& act) {
    auto part = [](Do what, int install, int a, int b) {
        return std::string(Name(what)) + "(" + std::to_string(install) + "," + std::to_string(a) + "," + std::to_string(b) + ")";
    };
    std::string text = part(act.what, act.install, act.a, act.b);
    if (act.hook != Do::None) text += "@" + std::to_string(act.step) + ":" + part(act.hook, act.hookInstall, act.hookA, act.hookB);
    return text;
}

}  // namespace tarnwick::world
