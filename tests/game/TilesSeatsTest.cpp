#include <gtest/gtest.h>

#include <set>

#include "GameFixtures.h"
#include "game/Paquetsc.h"
#include "platform/Random.h"

TEST(Paquet, NewSetHoldsEachPairOnceLargerValueFirst) {
    Paquet p;
    EXPECT_EQ(p.Count, 28);
    EXPECT_EQ(p.TileSize, 48);
    std::set<std::pair<int, int>> seen;
    int doubles = 0;
    for (const Domino& d : p.Tiles) {
        EXPECT_GE(d.Value1, d.Value2);
        EXPECT_LE(d.Value1, 6);
        EXPECT_GE(d.Value2, 0);
        seen.insert({d.Value1, d.Value2});
        doubles += d.IsDouble();
    }
    EXPECT_EQ(seen.size(), 28u);
    EXPECT_EQ(doubles, 7);
    // Build order: 0-0; 1-0, 1-1; 2-0 ...
    EXPECT_EQ(p.Tiles[1].Value1, 1);
    EXPECT_EQ(p.Tiles[1].Value2, 0);
    EXPECT_EQ(p.Tiles[27].Value1, 6);
    EXPECT_EQ(p.Tiles[27].Value2, 6);
}

TEST(Paquet, ShuffleKeepsTheTilesAndNeverLeavesTheLastTileInPlace) {
    // Index 27 is never a swap target, so whatever tile stands at 27 when the last step
    // comes is always moved away: 6-6, built last, can only stay there if it came back.
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        platform::SetFixedSeed(seed);
        Paquet p;
        p.Shuffle();
        std::set<std::pair<int, int>> seen;
        for (const Domino& d : p.Tiles) seen.insert({d.Value1, d.Value2});
        ASSERT_EQ(seen.size(), 28u) << "seed " << seed;
        // Reproduce the last step: the tile at 27 before it was swapped to r < 27.
        platform::SetFixedSeed(seed);
        Paquet q;
        platform::Randomize();
        for (int i = 0; i < 27; ++i) std::swap(q.Tiles[i], q.Tiles[platform::RandomInt(27)]);
        const Domino before = q.Tiles[27];
        const int r = platform::RandomInt(27);
        ASSERT_LT(r, 27);
        EXPECT_EQ(p.Tiles[r].Value1, before.Value1);
        EXPECT_EQ(p.Tiles[r].Value2, before.Value2);
    }
    platform::ClearFixedSeed();
}

TEST(Paquet, DrawTakesTheFrontAndThreeSevenDrawsLeaveSeven) {
    Paquet p;
    const Domino second = p.Tiles[1];
    const Domino first = p.DrawDomino();
    EXPECT_EQ(first.Value1, 0);
    EXPECT_EQ(first.Value2, 0);
    EXPECT_EQ(p.Count, 27);
    EXPECT_EQ(p.Tiles[0].Value1, second.Value1);
    EXPECT_EQ(p.Tiles[0].Value2, second.Value2);
    EXPECT_EQ(p.Tiles.size(), 28u);  // the array keeps its length
    for (int i = 1; i < 21; ++i) p.DrawDomino();
    EXPECT_EQ(p.Count, 7);
}

TEST(Joueur, AddAndTakeDominoKeepTheHandInOrder) {
    Joueur seat;
    GiveHand(seat, {{1, 0}, {2, 2}, {6, 3}});
    EXPECT_EQ(seat.HandCount, 3);
    DominoJoue last = seat.TakeDomino(2);
    EXPECT_EQ(last.Tile.Value1, 6);
    EXPECT_EQ(last.Tile.Value2, 3);
    EXPECT_EQ(last.End, 0);
    EXPECT_EQ(seat.HandCount, 2);
    EXPECT_EQ(seat.Hand[1].Value1, 2);
    DominoJoue first = seat.TakeDomino(0);
    EXPECT_EQ(first.Tile.Value1, 1);
    EXPECT_EQ(seat.HandCount, 1);
    EXPECT_EQ(seat.Hand[0].Value1, 2);
    seat.ClearHand();
    EXPECT_EQ(seat.HandCount, 0);
    seat.AddDomino(D(4, 4));
    EXPECT_EQ(seat.HandCount, 1);
    EXPECT_EQ(seat.Hand[0].Value1, 4);
}

struct PlayCase {
    const char* name;
    int kind;
    int seatIndex;
    bool chosen;
    int chosenIndex;
    int chosenEnd;
    int left, right;
    bool expectPass, expectNoMove;
    int expectV1, expectEnd, expectHandAfter;
    bool expectWaiting;
};

class JoueurPlay : public ::testing::TestWithParam<PlayCase> {};

TEST_P(JoueurPlay, AnswersPerSeatKind) {
    const PlayCase& c = GetParam();
    Joueur seat = RuleSeat({"&anything"});
    seat.Kind = c.kind;
    seat.SeatIndex = c.seatIndex;
    GiveHand(seat, {{5, 3}, {6, 6}, {2, 1}});
    seat.Chosen = c.chosen;
    seat.ChosenIndex = c.chosenIndex;
    seat.ChosenEnd = c.chosenEnd;
    const DominoJoue m = seat.Play(c.left, c.right, {});
    EXPECT_EQ(m.Passed, c.expectPass) << c.name;
    EXPECT_EQ(m.NoMoveYet, c.expectNoMove) << c.name;
    if (!c.expectPass && !c.expectNoMove) {
        EXPECT_EQ(m.Tile.Value1, c.expectV1) << c.name;
        EXPECT_EQ(m.End, c.expectEnd) << c.name;
    }
    EXPECT_EQ(seat.HandCount, c.expectHandAfter) << c.name;
    EXPECT_EQ(seat.Waiting, c.expectWaiting) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, JoueurPlay,
    ::testing::Values(
        // A local user with no fitting tile on a non-empty table passes, whatever Chosen holds.
        PlayCase{"human no fit passes", 1, 1, true, 0, 1, 4, 0, true, false, 0, 0, 3, false},
        // On an empty table a local user is never passed automatically.
        PlayCase{"human empty table waits", 1, 1, false, 0, 0, -1, -1, false, true, 0, 0, 3, true},
        PlayCase{"human chosen plays", 1, 1, true, 2, 0, 4, 1, false, false, 2, 0, 2, false},
        PlayCase{"remote seat 1 like human", 2, 1, true, 0, 1, 3, 4, false, false, 5, 1, 2, false},
        // A remote seat's tile stays in the hand: the network game keeps that hand.
        PlayCase{"remote keeps hand", 2, 0, true, 1, 1, 6, 2, false, false, 6, 1, 3, false},
        PlayCase{"remote not chosen", 2, 2, false, 0, 0, 6, 2, false, true, 0, 0, 3, false},
        PlayCase{"remote no fit passes", 2, 0, true, 0, 0, 4, 4, true, false, 0, 0, 3, false},
        // A computer tile that fits both ends goes to the right end.
        PlayCase{"computer both ends right", 0, 0, false, 0, 0, 5, 3, false, false, 5, 1, 2, false},
        PlayCase{"computer left only", 3, 2, false, 0, 0, 1, 4, false, false, 2, 0, 2, false},
        PlayCase{"computer no fit", 0, 0, false, 0, 0, 4, 0, true, false, 0, 0, 3, false},
        // A choice pointing outside the hand is dropped and the seat is asked again.
        PlayCase{"human bad index", 1, 1, true, 9, 0, 5, 1, false, true, 0, 0, 3, true}),
    CaseName());

TEST(Joueur, ComputerOnEmptyTablePlaysToTheLeftAndRecordsItsChoice) {
    Joueur seat = RuleSeat({"&biggestDomino", "&anything"});
    GiveHand(seat, {{1, 0}, {6, 5}, {2, 2}});
    const DominoJoue m = seat.Play(-1, -1, {});
    EXPECT_EQ(m.Tile.Value1, 6);
    EXPECT_EQ(m.End, 0);
    EXPECT_EQ(seat.ChosenIndex, 1);
    EXPECT_EQ(seat.HandCount, 2);
}
