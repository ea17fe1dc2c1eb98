#include <gtest/gtest.h>

#include <set>

#include "GameFixtures.h"
#include "platform/Random.h"

// One row: a rule list, a hand, the ends and the moves played; the tiles that may come out
// (several when the list ends in a random pick) or a pass.
struct RuleCase {
    const char* name;
    std::vector<std::string> rules;
    std::vector<std::pair<int, int>> hand;
    int left, right;
    std::vector<std::pair<int, int>> played;
    std::set<std::pair<int, int>> allowed;  // empty: the seat passes
};

class ChooseDominoRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ChooseDominoRules, PicksOnlyAllowedTiles) {
    const RuleCase& c = GetParam();
    Joueur seat = RuleSeat(c.rules);
    seat.ClearHand();
    for (auto [a, b] : c.hand) seat.AddDomino(D(a, b));
    std::vector<DominoJoue> played;
    for (auto [a, b] : c.played) played.push_back(Move(a, b));
    std::set<std::pair<int, int>> seen;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        platform::SetFixedSeed(seed);
        const int i = seat.ChooseDomino(c.left, c.right, played);
        if (c.allowed.empty()) {
            EXPECT_EQ(i, -1) << c.name;
        } else {
            ASSERT_GE(i, 0) << c.name;
            ASSERT_LT(i, seat.HandCount) << c.name;
            seen.insert({seat.Hand[i].Value1, seat.Hand[i].Value2});
        }
    }
    platform::ClearFixedSeed();
    if (!c.allowed.empty()) {
        EXPECT_EQ(seen, c.allowed) << c.name;
    }
}

using P = std::pair<int, int>;
INSTANTIATE_TEST_SUITE_P(
    Keywords, ChooseDominoRules,
    ::testing::Values(
        RuleCase{"smallestDomino", {"&smallestDomino", "&anything"}, {{6, 5}, {1, 0}}, 5, 0, {},
                 {P{1, 0}}},
        RuleCase{"biggestDomino ties stay", {"&biggestDomino", "&anything"},
                 {{6, 1}, {5, 2}, {1, 0}}, 1, 2, {}, {P{6, 1}, P{5, 2}}},
        RuleCase{"biggestDouble", {"&biggestDouble"}, {{3, 3}, {5, 5}, {5, 3}, {4, 4}}, 3, 5, {},
                 {P{5, 5}}},
        RuleCase{"smallestDouble", {"&smallestDouble"}, {{3, 3}, {5, 5}, {5, 3}}, 3, 5, {},
                 {P{3, 3}}},
        // No fitting double: the list runs out and the seat passes.
        RuleCase{"biggestDouble none passes", {"&biggestDouble"}, {{5, 3}, {6, 6}}, 3, 5, {}, {}},
        RuleCase{"empty list passes", {}, {{5, 3}}, 3, 5, {}, {}},
        RuleCase{"onBiggestEnd right", {"&onBiggestEnd", "&anything"}, {{2, 1}, {5, 4}}, 2, 5, {},
                 {P{5, 4}}},
        RuleCase{"onBiggestEnd equal ends left", {"&onBiggestEnd", "&anything"},
                 {{3, 1}, {3, 4}}, 3, 3, {}, {P{3, 1}, P{3, 4}}},
        RuleCase{"onSmallestEnd", {"&onSmallestEnd", "&anything"}, {{2, 1}, {5, 4}}, 2, 5, {},
                 {P{2, 1}}},
        RuleCase{"onEndHasMost left group", {"&onEndHasMost", "&anything"},
                 {{3, 1}, {3, 2}, {5, 4}}, 3, 5, {}, {P{3, 1}, P{3, 2}}},
        RuleCase{"onEndHasLeast right group", {"&onEndHasLeast", "&anything"},
                 {{3, 1}, {3, 2}, {5, 4}}, 3, 5, {}, {P{5, 4}}},
        RuleCase{"endHasMost", {"&endHasMost", "&anything"}, {{3, 1}, {5, 4}, {4, 2}, {4, 0}},
                 3, 5, {}, {P{5, 4}}},
        RuleCase{"endHasLeast", {"&endHasLeast", "&anything"}, {{3, 1}, {5, 4}, {4, 2}, {4, 0}},
                 3, 5, {}, {P{3, 1}}},
        RuleCase{"onMostPlayedEnd", {"&onMostPlayedEnd", "&anything"}, {{3, 1}, {5, 4}}, 3, 5,
                 {{3, 3}, {6, 3}, {5, 0}}, {P{3, 1}}},
        RuleCase{"onMostPlayedEnd tie right", {"&onMostPlayedEnd", "&anything"}, {{3, 1}, {5, 4}},
                 3, 5, {{6, 3}, {5, 0}}, {P{5, 4}}},
        RuleCase{"onLeastPlayedEnd", {"&onLeastPlayedEnd", "&anything"}, {{3, 1}, {5, 4}}, 3, 5,
                 {{3, 3}, {6, 3}, {5, 0}}, {P{5, 4}}},
        RuleCase{"mostPlayedEnd", {"&mostPlayedEnd", "&anything"}, {{3, 1}, {5, 4}}, 3, 5,
                 {{4, 4}, {6, 4}, {3, 0}}, {P{5, 4}}},
        RuleCase{"leastPlayedEnd", {"&leastPlayedEnd", "&anything"}, {{3, 1}, {5, 4}}, 3, 5,
                 {{4, 4}, {6, 4}, {3, 0}}, {P{3, 1}}},
        RuleCase{"jamGame last match", {"&jamGame", "&anything"}, {{5, 3}, {3, 1}, {3, 5}}, 3, 5,
                 {}, {P{3, 5}}},
        RuleCase{"jamGame none keeps all", {"&jamGame", "&anything"}, {{3, 1}, {5, 4}}, 3, 5, {},
                 {P{3, 1}, P{5, 4}}},
        // Filters that find nothing keep the candidates; an unknown keyword picks at random.
        RuleCase{"end filters on empty table", {"&onEndHasMost", "&onBiggestEnd", "&whatever"},
                 {{3, 1}, {5, 4}}, -1, -1, {}, {P{3, 1}, P{5, 4}}},
        RuleCase{"filters chain", {"&onEndHasMost", "&biggestDomino", "&anything"},
                 {{3, 1}, {3, 6}, {5, 4}, {0, 0}}, 3, 5, {}, {P{3, 6}}},
        RuleCase{"no candidate passes", {"&anything"}, {{1, 1}}, 3, 5, {}, {}}),
    CaseName());

TEST(ChooseDomino, TacticSwitchOffTurnsEveryRuleIntoARandomPick) {
    Joueur seat = RuleSeat({"&jamGame"}, /*useRules=*/false);
    GiveHand(seat, {{5, 3}, {3, 1}, {5, 4}, {0, 0}});
    std::set<int> seen;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        platform::SetFixedSeed(seed);
        seen.insert(seat.ChooseDomino(3, 5, {}));
    }
    platform::ClearFixedSeed();
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));
}

TEST(ChooseDomino, ListFollowsTheTableAndTheHandSize) {
    // Each list picks a different double, so the pick tells which list ran.
    Joueur seat;
    seat.Kind = Joueur::KindComputer;
    seat.Rules = {std::vector<std::string>{"&smallestDomino", "&anything"}, {"&biggestDouble"},
                  {"&smallestDouble"}, {"&biggestDomino", "&anything"}};
    seat.ThinkThresholds = {5, 2};
    struct Row {
        int handSize;
        bool emptyTable;
        int expectList;
    };
    const Row rows[] = {{7, false, 3}, {6, false, 3}, {5, false, 2}, {4, false, 2},
                        {3, false, 2}, {2, false, 1}, {1, false, 1}, {7, true, 0}};
    for (const Row& row : rows) {
        // Hand: the doubles 1-1 and 6-6 first, then tiles that all fit the ends 1 and 6.
        const std::vector<std::pair<int, int>> base{{1, 1}, {6, 6}, {3, 1}, {6, 1}, {3, 6},
                                                    {6, 2}, {1, 0}};
        seat.ClearHand();
        for (int i = 0; i < row.handSize; ++i) seat.AddDomino(D(base[i].first, base[i].second));
        const int L = row.emptyTable ? -1 : 1, R = row.emptyTable ? -1 : 6;
        const int i = seat.ChooseDomino(L, R, {});
        ASSERT_GE(i, 0) << row.handSize;
        const Domino& t = seat.Hand[i];
        switch (row.expectList) {
        case 0: EXPECT_EQ(t.PipSum(), 1) << "list 0 takes the smallest tile"; break;
        case 1: EXPECT_EQ(t.Value1, row.handSize >= 2 ? 6 : 1) << "list 1"; break;
        case 2: EXPECT_TRUE(t.Value1 == 1 && t.Value2 == 1) << "list 2, size " << row.handSize; break;
        case 3: EXPECT_EQ(t.PipSum(), 12) << "list 3, size " << row.handSize; break;
        }
    }
}

TEST(ChooseDomino, OverlappingThresholdsFavourListOne) {
    Joueur seat;
    seat.Kind = Joueur::KindComputer;
    seat.Rules = {std::vector<std::string>{}, {"&biggestDomino", "&anything"}, {}, {}};
    seat.ThinkThresholds = {2, 5};  // n <= T2 wins over n > T1
    GiveHand(seat, {{6, 6}, {6, 1}, {1, 0}, {6, 0}});
    const int i = seat.ChooseDomino(6, 1, {});
    ASSERT_GE(i, 0);
    EXPECT_EQ(seat.Hand[i].PipSum(), 12);
}
