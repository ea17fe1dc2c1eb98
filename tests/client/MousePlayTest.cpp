#include "../game/GameFixtures.h"
#include "ClientFixture.h"
#include "ScriptedUser.h"

namespace {

// A game in which the local player is to move with a hand and a chain of the test's choice.
class MousePlay : public ::testing::Test {
protected:
    void SetUp() override {
        main().NouvellePartieLocal();
        main().Timer1->stop();
    }
    client::TForm1& main() { return windows.main(); }
    Jeu& game() { return *main().CurrentGame; }
    void table(std::vector<std::pair<int, int>> chain, std::vector<std::pair<int, int>> hand) {
        Jeu& g = game();
        g.NewPack();
        g.RoundOver = false;
        for (auto [a, b] : chain) g.PlaceDomino(Move(a, b, RightEndSide));
        GiveHand(g.Seats[1], hand);
        g.SeatToMove = 1;
        g.Seats[1].Chosen = false;
        g.Seats[1].Waiting = true;
        main().SelectedHandIndex = -1;
    }
    QPoint slot(int i) { return ScriptedUser{main()}.slotCentre(i); }
    QPoint marker(bool left) {
        int x = 0, y = 0;
        EXPECT_TRUE(game().View()->MarkerCentre(left, x, y)) << (left ? "left" : "right");
        return {x, y};
    }
    Joueur& me() { return game().Seats[1]; }

    ClientWindows windows;
};

TEST_F(MousePlay, OnAnEmptyTableReleasingAnywherePlaysRight) {
    table({}, {{3, 1}, {6, 2}});
    QTest::mousePress(main().Area, Qt::LeftButton, {}, slot(1));
    EXPECT_EQ(main().SelectedHandIndex, 1);
    QTest::mouseRelease(main().Area, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(me().Chosen);
    EXPECT_EQ(me().ChosenIndex, 1);
    EXPECT_EQ(me().ChosenEnd, RightEndSide);
    EXPECT_TRUE(game().TilePlayed);
    EXPECT_EQ(main().SelectedHandIndex, -1);
    // The next tick plays it.
    main().Timer1Timer();
    EXPECT_EQ(game().PlayedCount(), 1);
    EXPECT_EQ(me().HandCount, 1);
}

TEST_F(MousePlay, ATileThatFitsBothEndsGoesWhereItIsDropped) {
    for (bool left : {true, false}) {
        table({{5, 2}}, {{5, 2}, {1, 1}});  // ends 2 and 5
        QTest::mousePress(main().Area, Qt::LeftButton, {}, slot(0));
        const QPoint target = marker(left);
        marker(!left);  // both markers are shown
        QTest::mouseRelease(main().Area, Qt::LeftButton, {}, target);
        EXPECT_TRUE(me().Chosen) << left;
        EXPECT_EQ(me().ChosenEnd, left ? LeftEndSide : RightEndSide);
        int x, y;
        EXPECT_FALSE(game().View()->MarkerCentre(true, x, y)) << "markers go on release";
    }
}

TEST_F(MousePlay, ReleasingAwayFromAMarkerOrPressingOffTheHandPlaysNothing) {
    table({{5, 2}}, {{5, 1}, {1, 1}});
    QTest::mousePress(main().Area, Qt::LeftButton, {}, slot(0));
    QTest::mouseRelease(main().Area, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(me().Chosen);
    QTest::mousePress(main().Area, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(main().SelectedHandIndex, -1);
}

TEST_F(MousePlay, APressOnTheBoundaryBetweenTwoSlotsPicksTheLeftOne) {
    table({{5, 2}}, {{5, 1}, {2, 1}, {1, 1}});
    const int w = main().W(), h = main().H();
    const int boundary = static_cast<int>((w - 270) / 2.0 + 10 - 12 + 24);  // a_1
    struct Row {
        int x, y, slot;
    };
    const Row rows[] = {{boundary, h - 175, 0},     {boundary + 1, h - 175, 1},
                        {boundary, h - 175 - 24, -1}, {boundary, h - 175 + 24, 0},
                        {boundary - 24, h - 175, -1}};
    for (const Row& r : rows) EXPECT_EQ(main().HandSlotAt(r.x, r.y), r.slot) << r.x << "," << r.y;
}

TEST_F(MousePlay, DoubleClickPlaysAtTheOnlyEndATileFits) {
    struct Row {
        const char* name;
        std::vector<std::pair<int, int>> chain;
        std::pair<int, int> tile;
        bool played;
        int end;
    };
    const Row rows[] = {
        {"fits the left end only", {{5, 2}}, {2, 6}, true, LeftEndSide},
        {"fits the right end only", {{5, 2}}, {6, 5}, true, RightEndSide},
        {"fits both different ends", {{5, 2}}, {5, 2}, false, 0},
        {"fits neither", {{5, 2}}, {6, 6}, false, 0},
        {"empty table", {}, {6, 6}, true, RightEndSide},
        {"both ends the same", {{4, 4}}, {4, 1}, true, RightEndSide},
    };
    for (const Row& r : rows) {
        table(r.chain, {r.tile, {0, 0}});
        QTest::mouseDClick(main().Area, Qt::LeftButton, {}, slot(0));
        EXPECT_EQ(me().Chosen, r.played) << r.name;
        if (r.played) {
            EXPECT_EQ(me().ChosenEnd, r.end) << r.name;
            // The next press only forgets the double click; it picks nothing.
            QTest::mousePress(main().Area, Qt::LeftButton, {}, slot(1));
            EXPECT_EQ(main().SelectedHandIndex, -1) << r.name;
        }
    }
}

TEST_F(MousePlay, TheMouseDoesNothingWhileAComputerSeatIsToMove) {
    table({{5, 2}}, {{5, 1}});
    game().SeatToMove = 0;
    game().Seats[1].Waiting = false;
    QTest::mousePress(main().Area, Qt::LeftButton, {}, slot(0));
    EXPECT_EQ(main().SelectedHandIndex, -1);
    QTest::mouseDClick(main().Area, Qt::LeftButton, {}, slot(0));
    EXPECT_FALSE(me().Chosen);
    EXPECT_FALSE(game().Seats[0].Chosen);
}
} // namespace
