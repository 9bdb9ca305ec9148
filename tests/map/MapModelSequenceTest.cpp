// Seeded random sequences of the map model's editing operations on small maps, run as commands
// run them (through MapEdit): the invariants hold after every step, a refused edit leaves every
// table as it was, undo gives back the map byte for byte as it was before the last edit that
// committed, undo after a swap swaps back, and the objects' flags follow them wherever they are
// renumbered. The same operations on maps with damaged index fields must simply terminate (the
// sanitizers watch every access).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "support/MapInvariants.h"
#include "support/MapModelOps.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

constexpr int kSequencesPerShard = 50;
constexpr int kShards = 10;
constexpr int kSteps = 40;
// Each step tags the objects with numbers of its own (tagObjects), from 1 + step x kTagRange.
constexpr int32_t kTagRange = 700;

struct Step {
    MapOp op;
    uint32_t a, b, c;
};

std::vector<Step> randomSteps(std::mt19937& rng, int count) {
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({MapOp(rng() % uint32_t(MapOp::Count)), uint32_t(rng()), uint32_t(rng()),
                         uint32_t(rng())});
    return steps;
}

std::string history(const std::vector<Step>& steps, size_t upTo) {
    std::ostringstream out;
    for (size_t i = 0; i <= upTo && i < steps.size(); ++i)
        out << i << ":" << mapOpName(steps[i].op) << "(" << steps[i].a % 1000 << ","
            << steps[i].b % 1000 << "," << steps[i].c % 1000 << ") ";
    return out.str();
}

// Holds the clipboard's records as a map, for comparing them with recordDifference.
void copyClipboardRecords(const MapClipboard& clip, MapStore& out) {
    out.sectors = clip.clipSectors;
    out.walls = clip.clipWalls;
    out.sprites = clip.clipSprites;
    out.sectorCount = clip.clipSectorCount;
    out.wallCount = clip.clipWallCount;
    out.spriteCount = clip.clipSpriteCount;
}

// Scratch maps for the comparisons, allocated once per test.
struct Copies {
    std::unique_ptr<MapStore> before = std::make_unique<MapStore>();  // ahead of the current step
    // Ahead of the last edit that committed with an undo snapshot: what undo must give back.
    std::unique_ptr<MapStore> undone = std::make_unique<MapStore>();
    std::unique_ptr<MapStore> clipBefore = std::make_unique<MapStore>();
    std::unique_ptr<MapStore> clipAfter = std::make_unique<MapStore>();
};

void runSequence(uint32_t seed, Copies& copies) {
    std::mt19937 rng(seed);
    auto m = std::make_unique<MapModel>();
    buildRandomMap(m->map, rng);
    ASSERT_EQ(describeViolations(checkMapInvariants(m->map)), "") << "seed " << seed;
    const std::vector<Step> steps = randomSteps(rng, kSteps);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const bool writes = writesMap(s.op);
        const bool undoNext = i + 1 < steps.size() && steps[i + 1].op == MapOp::Undo;
        // Maps small enough for a tag range get tags that tell where each object went.
        const int32_t tagBase = 1 + int32_t(i) * kTagRange;
        const bool tagged = isEdit(s.op) && m->map.sectorCount < kTagRange &&
                            m->map.wallCount < kTagRange && m->map.spriteCount < kTagRange;
        if (tagged) tagObjects(m->map, tagBase);
        if (writes) *copies.before = m->map;
        if (undoNext && s.op == MapOp::Swap) copyClipboardRecords(m->clip, *copies.clipBefore);
        const UndoState undoBefore = m->map.undoState;
        const int32_t heldBefore = m->undo.held;
        const bool done = runMapOp(*m, s.op, s.a, s.b, s.c, true);
        ASSERT_EQ(describeViolations(checkMapInvariants(m->map)), "")
            << "seed " << seed << " after " << history(steps, i);
        if (writes && !done) {
            // A refused edit leaves every table as it was, and the earlier snapshot with it.
            ASSERT_EQ(contentDifference(*copies.before, m->map), "")
                << "seed " << seed << " after " << history(steps, i);
            ASSERT_EQ(m->undo.held, heldBefore);
        } else if (done && isEdit(s.op)) {
            // Flipping, mirroring, reversing and extracting a hole turn loops round: the vertex
            // flags stay with their points while the wall records turn round, so only the
            // invariants apply.
            const bool reversesLoops =
                s.op == MapOp::FlipSectors || s.op == MapOp::MirrorSectors ||
                s.op == MapOp::ReverseLoop || s.op == MapOp::ReverseSector ||
                s.op == MapOp::ExtractLoop || s.op == MapOp::ExtractSelLoops ||
                s.op == MapOp::SplitIsolatedLoops;
            if (tagged && !reversesLoops) {
                // Pastes and the selection-wide clones hand the selection to the new objects.
                const bool pasted = s.op == MapOp::Paste || s.op == MapOp::PasteInPlace ||
                                    s.op == MapOp::CloneSelectedSectors ||
                                    s.op == MapOp::CloneSelectedSprites ||
                                    s.op == MapOp::CloneSelectedLoops ||
                                    s.op == MapOp::CloneLoop || s.op == MapOp::ArrayPaste;
                ASSERT_EQ(describeViolations(
                              checkTablesFollowObjects(*copies.before, m->map, tagBase, pasted)),
                          "")
                    << "seed " << seed << " after " << history(steps, i);
            }
            std::swap(copies.before, copies.undone);
        }
        if (s.op != MapOp::Undo) continue;
        if (undoBefore == UndoState::Snapshot) {
            ASSERT_EQ(snapshotDifference(*copies.undone, m->map), "")
                << "seed " << seed << " after " << history(steps, i);
        } else if (i > 0 && steps[i - 1].op == MapOp::Swap) {
            ASSERT_EQ(recordDifference(*copies.before, m->map), "")
                << "seed " << seed << " after " << history(steps, i);
            copyClipboardRecords(m->clip, *copies.clipAfter);
            ASSERT_EQ(recordDifference(*copies.clipBefore, *copies.clipAfter), "")
                << "seed " << seed << " after " << history(steps, i);
            EXPECT_EQ(m->map.undoState, UndoState::Nothing);
        }
    }
}

class MapModelSequence : public testing::TestWithParam<int> {};

TEST_P(MapModelSequence, InvariantsHoldAndUndoRestoresEveryEdit) {
    Copies copies;
    for (int n = 0; n < kSequencesPerShard && !HasFatalFailure(); ++n)
        runSequence(uint32_t(GetParam() * kSequencesPerShard + n), copies);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MapModelSequence, testing::Range(0, kShards));

// Sets index fields of the records to random values: what a hostile file or the record editor
// can leave behind.
void corruptIndices(MapStore& map, std::mt19937& rng, int count) {
    auto anyIndex = [&]() -> int16_t {
        switch (rng() % 4) {
            case 0:
                return int16_t(-1 - int32_t(rng() % 3));
            case 1:
                return int16_t(rng());
            default:
                return int16_t(rng() % 64);
        }
    };
    for (int i = 0; i < count; ++i) {
        switch (rng() % 7) {
            case 0:
                if (map.wallCount)
                    map.walls[int32_t(rng() % uint32_t(map.wallCount))].point2 = anyIndex();
                break;
            case 1:
                if (map.wallCount)
                    map.walls[int32_t(rng() % uint32_t(map.wallCount))].nextwall = anyIndex();
                break;
            case 2:
                if (map.wallCount)
                    map.walls[int32_t(rng() % uint32_t(map.wallCount))].nextsector = anyIndex();
                break;
            case 3:
                if (map.sectorCount)
                    map.sectors[int32_t(rng() % uint32_t(map.sectorCount))].wallptr = anyIndex();
                break;
            case 4:
                if (map.sectorCount)
                    map.sectors[int32_t(rng() % uint32_t(map.sectorCount))].wallnum = anyIndex();
                break;
            case 5:
                if (map.spriteCount)
                    map.sprites[int32_t(rng() % uint32_t(map.spriteCount))].sectnum = anyIndex();
                break;
            case 6:
                if (map.wallCount)
                    map.wallSector[int32_t(rng() % uint32_t(map.wallCount))] = anyIndex();
                break;
        }
    }
}

class DamagedMapSequence : public testing::TestWithParam<int> {};

TEST_P(DamagedMapSequence, OperationsOnDamagedIndicesTerminate) {
    for (int n = 0; n < 25; ++n) {
        const uint32_t seed = uint32_t(100000 + GetParam() * 25 + n);
        std::mt19937 rng(seed);
        auto m = std::make_unique<MapModel>();
        buildRandomMap(m->map, rng);
        corruptIndices(m->map, rng, 1 + int(rng() % 6));
        for (const Step& s : randomSteps(rng, 30)) {
            runMapOp(*m, s.op, s.a, s.b, s.c, rng() % 2 == 0);
            if (rng() % 8 == 0) corruptIndices(m->map, rng, 1);
            ASSERT_LE(m->map.wallCount, kMaxWalls);
            ASSERT_GE(m->map.wallCount, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DamagedMapSequence, testing::Range(0, 4));

}  // namespace
}  // namespace korvel::test
