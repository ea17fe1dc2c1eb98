#include <gtest/gtest.h>

#include "GameFixtures.h"
#include "game/Jeusc.h"

namespace {

struct Placed {
    int x, y, orientation;
};

class ChainLayout : public ::testing::Test {
protected:
    Jeu game{nullptr, GameSetup{}};
    Placed place(int a, int b, int end) {
        game.PlaceDomino(Move(a, b, end));
        const Domino& t = game.Played.back().Tile;
        return {t.LayoutX, t.LayoutY, t.Orientation};
    }
};

void expectAt(const Placed& p, int x, int y, int orientation, const char* what) {
    EXPECT_EQ(p.x, x) << what;
    EXPECT_EQ(p.y, y) << what;
    EXPECT_EQ(p.orientation, orientation) << what;
}

TEST_F(ChainLayout, OpeningDoubleThenATileToTheRight) {
    expectAt(place(6, 6, LeftEndSide), 0, 0, 1, "6-6");
    EXPECT_EQ(game.RightArmX, 405);
    EXPECT_EQ(game.LeftArmX, -405);
    expectAt(place(6, 3, RightEndSide), 405, 0, 0, "6-3");
    EXPECT_EQ(game.LeftEnd, 6);
    EXPECT_EQ(game.RightEnd, 3);
}

TEST_F(ChainLayout, FirstTileToTheLeftSetsBothEnds) {
    expectAt(place(5, 2, LeftEndSide), 0, 0, 2, "5-2");
    EXPECT_EQ(game.LeftEnd, 2);
    EXPECT_EQ(game.RightEnd, 5);
    EXPECT_EQ(game.RightArmX, 500);
    EXPECT_EQ(game.LeftArmX, -530);
}

TEST_F(ChainLayout, RightArmTurnsBothCorners) {
    place(5, 2, RightEndSide);
    EXPECT_EQ(game.RightEnd, 5);
    EXPECT_EQ(game.LeftEnd, 2);
    expectAt(place(5, 1, RightEndSide), 530, 0, 0, "5-1");
    expectAt(place(1, 3, RightEndSide), 1060, 0, 0, "1-3");
    expectAt(place(3, 4, RightEndSide), 1590, 0, 0, "3-4 reaches the first corner");
    EXPECT_EQ(game.RightDirection, 1);
    expectAt(place(4, 6, RightEndSide), 1995, 125, 1, "4-6 runs along y");
    place(6, 0, RightEndSide);
    expectAt(place(0, 2, RightEndSide), 1995, 1185, 1, "0-2");
    EXPECT_EQ(game.RightDirection, 1);
    expectAt(place(2, 1, RightEndSide), 1995, 1715, 1, "2-1 reaches the second corner");
    EXPECT_EQ(game.RightDirection, 2);
    expectAt(place(1, 4, RightEndSide), 1620, 1870, 2, "1-4 comes back");
    EXPECT_EQ(game.RightEnd, 4);
    EXPECT_EQ(game.RightArmX, 1090);
}

TEST_F(ChainLayout, SwappedTileAtTheSecondCornerDoesNotTurnTheArm) {
    for (auto [a, b] : std::vector<std::pair<int, int>>{{5, 2}, {5, 1}, {1, 3}, {3, 4}, {4, 6},
                                                        {6, 0}, {0, 2}})
        place(a, b, RightEndSide);
    expectAt(place(1, 2, RightEndSide), 1995, 1715, 3, "1-2 swapped");
    EXPECT_EQ(game.RightDirection, 1);
    expectAt(place(1, 5, RightEndSide), 1995, 2245, 1, "1-5 turns");
    EXPECT_EQ(game.RightDirection, 2);
    EXPECT_EQ(game.RightArmX, 1620);
    EXPECT_EQ(game.RightArmY, 2400);
}

TEST_F(ChainLayout, DoubleAtTheFirstCornerIsMovedIntoTheTurn) {
    place(5, 2, RightEndSide);
    place(5, 1, RightEndSide);
    place(1, 3, RightEndSide);
    expectAt(place(3, 3, RightEndSide), 1215, 250, 0, "3-3 moved");
    EXPECT_EQ(game.RightEnd, 3);
    EXPECT_EQ(game.RightDirection, 1);
    EXPECT_EQ(game.RightArmX, 1215);
    EXPECT_EQ(game.RightArmY, 625);
}

TEST_F(ChainLayout, LeftArmTurnsBothCornersWithItsOwnNumbers) {
    place(5, 2, LeftEndSide);
    expectAt(place(3, 2, LeftEndSide), -530, 0, 0, "3-2");
    place(4, 3, LeftEndSide);
    expectAt(place(1, 4, LeftEndSide), -1590, 0, 0, "1-4 reaches the first corner");
    EXPECT_EQ(game.LeftDirection, 3);
    EXPECT_EQ(game.LeftArmX, -1995);
    EXPECT_EQ(game.LeftArmY, 125);
    expectAt(place(6, 1, LeftEndSide), -1995, 125, 3, "6-1 along y");
    place(0, 6, LeftEndSide);
    // Only a tile drawn with orientation 1 at y >= 2S turns the left arm.
    expectAt(place(0, 5, LeftEndSide), -1995, 1185, 1, "0-5 turns");
    EXPECT_EQ(game.LeftEnd, 5);
    EXPECT_EQ(game.LeftDirection, 2);
    EXPECT_EQ(game.LeftArmX, -1620);
    EXPECT_EQ(game.LeftArmY, 1340);
}

TEST_F(ChainLayout, DoublesOnTheArmsKeepTheEnds) {
    place(5, 2, LeftEndSide);  // ends 2 and 5
    expectAt(place(5, 5, RightEndSide), 500 - 125, 0, 1, "5-5 across the right arm");
    EXPECT_EQ(game.RightEnd, 5);
    expectAt(place(2, 2, LeftEndSide), -530 + 125, 0, 1, "2-2 across the left arm");
    EXPECT_EQ(game.LeftEnd, 2);
    EXPECT_EQ(game.PlayedCount(), 3);
}

} // namespace
