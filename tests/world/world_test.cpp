// The world test: seeded runs of actions on a world of game folders, the
// oracle checked after every run of the tool. A broken promise prints the
// seed and the shortest list of actions that still breaks it.
// TARNWICK_WORLD_SEED and TARNWICK_WORLD_STEPS run one seed for any length;
// TARNWICK_WORLD_ACTS replays a printed list of actions on the seed's world,
// and TARNWICK_WORLD_TRACE prints the world and the tool's answer at each.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "tests/world/world.h"

namespace tarnwick::world {
namespace {

// Seeds whose worlds, before the fixes to apply and restore, broke the
// promise in five different ways (see the README's world test section).
constexpr std::uint32_t kSeeds[] = {1, 5, 12, 26, 68, 2, 3, 4, 6, 7};
constexpr std::uint32_t kSteps = 150;
constexpr int kShrinkBudget = 3000;  // actions replayed to shrink one failure, at most

struct Failure {
    std::size_t at = 0;
    Verdict verdict;
};

// The actions played on a fresh world of the seed: the first broken promise.
std::optional<Failure> Play(std::uint32_t seed, const std::vector<Act>& acts, int* performed = nullptr) {
    Run run(seed);
    const bool trace = std::getenv("TARNWICK_WORLD_TRACE") != nullptr;
    for (std::size_t i = 0; i < acts.size(); ++i) {
        if (performed) ++*performed;
        if (trace) std::printf("%s", run.Listing().c_str());
        const Verdict verdict = run.Perform(acts[i]);
        if (trace) std::printf("%zu %s: %s\n", i + 1, Describe(acts[i]).c_str(), verdict.said.c_str());
        if (trace && verdict.rule) std::printf("%s", run.Listing().c_str());
        if (verdict.rule) return Failure{i, verdict};
    }
    return std::nullopt;
}

// The last actions alone where they do, then delta debugging over the
// list, each candidate replayed on a fresh world; then each hook dropped where the promise still breaks alike: the
// same rule, at the same action (not at another that breaks it otherwise).
std::vector<Act> Shrink(std::uint32_t seed, std::vector<Act> acts, int rule) {
    int replayed = 0;
    const Act last = acts.back();
    auto fails = [&](const std::vector<Act>& list) {
        const auto failure = replayed < kShrinkBudget ? Play(seed, list, &replayed) : std::nullopt;
        if (!failure || failure->verdict.rule != rule) return false;
        const Act& at = list[failure->at];
        return at.what == last.what && at.install == last.install && at.a == last.a && at.b == last.b;
    };
    // Most breaks need only the last few actions: those first, cheaply.
    for (std::size_t tail = 1; tail < acts.size(); tail *= 2) {
        if (std::vector<Act> last(acts.end() - tail, acts.end()); fails(last)) {
            acts = last;
            break;
        }
    }
    for (std::size_t parts = 2; acts.size() >= 2 && replayed < kShrinkBudget;) {
        const std::size_t chunk = (acts.size() + parts - 1) / parts;
        bool reduced = false;
        for (std::size_t start = 0; start < acts.size() && !reduced; start += chunk) {
            std::vector<Act> rest(acts.begin(), acts.begin() + start);
            rest.insert(rest.end(), acts.begin() + std::min(start + chunk, acts.size()), acts.end());
            if ((reduced = fails(rest))) acts = rest;
        }
        if (reduced) parts = std::max<std::size_t>(parts - 1, 2);
        else if (chunk == 1) break;
        else parts = std::min(parts * 2, acts.size());
    }
    for (Act& act : acts) {
        const Act kept = act;
        act.hook = Do::None;
        if (kept.hook == Do::None || !fails(acts)) act = kept;
    }
    return acts;
}

std::uint32_t FromEnvironment(const char* name, std::uint32_t otherwise) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : otherwise;
}

TEST(World, KeepsItsPromiseAfterEveryRunOfTheTool) {
    std::vector<std::uint32_t> seeds(std::begin(kSeeds), std::end(kSeeds));
    if (std::getenv("TARNWICK_WORLD_SEED")) seeds = {FromEnvironment("TARNWICK_WORLD_SEED", 0)};
    const std::uint32_t steps = FromEnvironment("TARNWICK_WORLD_STEPS", kSteps);
    int performed = 0;
    DWORD playing = 0;
    for (std::uint32_t seed : seeds) {
        std::mt19937 random(seed * 2654435761u + 97);
        std::vector<Act> acts;
        while (acts.size() < steps) acts.push_back(DrawAct(random));
        if (const char* given = std::getenv("TARNWICK_WORLD_ACTS")) acts = ParseActs(given);
        const DWORD start = GetTickCount();
        const auto failure = Play(seed, acts, &performed);
        playing += GetTickCount() - start;
        if (!failure) continue;
        acts.resize(failure->at + 1);
        const std::vector<Act> shrunk = Shrink(seed, acts, failure->verdict.rule);
        const auto again = Play(seed, shrunk);
        std::string list;
        for (const Act& act : shrunk) list += " " + Describe(act);
        ADD_FAILURE() << "seed " << seed << ", action " << failure->at + 1 << ", rule " << failure->verdict.rule << ": "
                      << failure->verdict.what << "\n  shortest list (" << shrunk.size() << " actions):" << list
                      << "\n  which breaks: " << (again ? again->verdict.what : std::string("nothing (not replayed alike)"));
    }
    std::printf("world: %d actions in %.1f s, %.1f actions per second (shrinking not counted)\n", performed,
                playing / 1000.0, playing ? performed * 1000.0 / playing : 0.0);
}

}  // namespace
}  // namespace tarnwick::world
