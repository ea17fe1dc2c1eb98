#include <gtest/gtest.h>

#include "GameFixtures.h"
#include "RecordingView.h"
#include "game/JeuMessages.h"
#include "game/Jeusc.h"
#include "platform/Random.h"
#include "support/GameDriver.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

namespace {

using Hand = std::vector<std::pair<int, int>>;

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        auto v = std::make_unique<RecordingView>();
        view = v.get();
        game = std::make_unique<Jeu>(std::move(v), GameSetup{});
        game->Seats[0].Name = "Left";
        game->Seats[1].Name = "Me";
        game->Seats[2].Name = "Right";
        game->ResetScores();
    }
    void hands(Hand a, Hand b, Hand c) {
        GiveHand(game->Seats[0], a);
        GiveHand(game->Seats[1], b);
        GiveHand(game->Seats[2], c);
    }
    // Ends no hand can match, two seats already passed, the third to move: the next step
    // blocks the round.
    void blockAfterNextStep() {
        game->LeftEnd = 6;
        game->RightEnd = 6;
        game->Passed = {true, true, false};
        game->SeatToMove = 2;
        game->RoundOver = false;
    }
    // Seat 0 to move with one tile, which fits: the next step empties its hand.
    void emptyHandAfterNextStep() {
        hands({{3, 2}}, {{6, 6}, {5, 5}}, {{1, 1}});
        game->LeftEnd = 4;
        game->RightEnd = 3;
        game->SeatToMove = 0;
    }
    TempFolder folder;
    RecordingView* view = nullptr;
    std::unique_ptr<Jeu> game;
};

TEST_F(Rules, FirstRoundIsLedByTheHighestDoubleInHand) {
    game->RoundsDealt = 1;
    hands({{5, 5}, {1, 0}}, {{4, 4}, {6, 2}}, {{5, 1}, {3, 3}});  // 6-6 is among the unused
    game->FirstLead();
    EXPECT_EQ(game->Message, "Left plays double 5");
    ASSERT_EQ(game->PlayedCount(), 1);
    EXPECT_EQ(game->LeftEnd, 5);
    EXPECT_EQ(game->RightEnd, 5);
    EXPECT_EQ(game->Seats[0].HandCount, 1);
    EXPECT_EQ(game->SeatToMove, 1);
    EXPECT_EQ(view->pauses, 1);
}

TEST_F(Rules, FirstRoundWithoutAnyDoubleIsLedByTheHeaviestTile) {
    game->RoundsDealt = 1;
    hands({{5, 1}, {1, 0}}, {{6, 2}, {2, 0}}, {{6, 5}, {3, 2}});
    game->FirstLead();
    EXPECT_EQ(game->Message, "Right plays 6 of 5");
    EXPECT_EQ(game->LeftEnd + game->RightEnd, 11);
    EXPECT_EQ(game->SeatToMove, 0);
}

TEST_F(Rules, LaterRoundsAreLedByTheLastWinnerAndAStepAfterTheDealDoesNothingTwice) {
    game->RoundsDealt = 2;
    game->LastWinner = 2;
    hands({{6, 6}}, {{1, 0}}, {{2, 1}});
    game->FirstLead();
    EXPECT_EQ(game->PlayedCount(), 0);
    EXPECT_EQ(game->SeatToMove, 2);
    // Once a turn has been taken the first lead does nothing.
    game->RoundsDealt = 1;
    game->TurnTaken = true;
    game->FirstLead();
    EXPECT_EQ(game->PlayedCount(), 0);
}

TEST_F(Rules, DealGivesSevenTilesToEachSeatAndLeavesSeven) {
    game->Deal();
    for (const Joueur& s : game->Seats) EXPECT_EQ(s.HandCount, 7);
    EXPECT_EQ(game->Pack.Count, 7);
    EXPECT_EQ(game->RoundsDealt, 1);
    EXPECT_EQ(game->Message, GameTexts().AllTaken);
    EXPECT_EQ(game->StatusText, GameTexts().AllReceiving);
    EXPECT_FALSE(game->TurnTaken);
}

struct ScoreCase {
    const char* name;
    Hand seat0, seat1, seat2;
    std::vector<int> winners;
};

class BlockedRounds : public Rules, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(BlockedRounds, LowestSumThenFewestTilesThenShared) {
    const ScoreCase& c = GetParam();
    hands(c.seat0, c.seat1, c.seat2);
    blockAfterNextStep();
    game->TurnStep();
    ASSERT_TRUE(game->RoundOver) << c.name;
    EXPECT_EQ(game->Winners, c.winners) << c.name;
    EXPECT_EQ(game->LastWinner, c.winners.front()) << c.name;
    for (int s = 0; s < 3; ++s) {
        const bool won = std::find(c.winners.begin(), c.winners.end(), s) != c.winners.end();
        EXPECT_EQ(game->RoundWins[s], won ? 1 : 0) << c.name << " seat " << s;
    }
    ASSERT_FALSE(view->texts.empty());
    const std::string& text = view->texts.back().text;
    EXPECT_NE(text.find(c.winners.size() == 1 ? "has won the round" : "have won the round"),
              std::string::npos)
        << text;
    EXPECT_EQ(view->texts.back().y, 130);
    EXPECT_EQ(view->texts.back().x, static_cast<int>(800 / 2.0 - 10.0 * text.size() / 2.0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockedRounds,
    ::testing::Values(
        ScoreCase{"seat 2 lowest after a tie of 0 and 1", {{2, 1}}, {{3, 0}}, {{1, 0}}, {2}},
        ScoreCase{"seats 0 and 2 share", {{2, 1}, {0, 0}}, {{4, 1}}, {{3, 0}, {0, 0}}, {0, 2}},
        ScoreCase{"fewer tiles wins a tie", {{2, 1}, {0, 0}}, {{3, 0}}, {{5, 1}}, {1}},
        ScoreCase{"all three share", {{1, 1}}, {{2, 0}}, {{0, 2}}, {0, 1, 2}},
        ScoreCase{"seat 0 lowest", {{0, 0}}, {{1, 0}}, {{2, 0}}, {0}}),
    CaseName());

TEST_F(Rules, SharedRoundNamesBothWinnersAndTheLowestLeadsNext) {
    game->RoundsDealt = 1;
    hands({{2, 1}, {0, 0}}, {{4, 1}}, {{3, 0}, {0, 0}});
    blockAfterNextStep();
    game->TurnStep();
    EXPECT_EQ(view->texts.back().text, "Left and Right have won the round");
    game->NewPack();
    game->Deal();
    game->FirstLead();
    EXPECT_EQ(game->SeatToMove, 0);
}

TEST_F(Rules, EmptyingTheHandWinsTheRoundAlone) {
    emptyHandAfterNextStep();
    std::vector<std::string> log;
    view->log = &log;
    game->TurnStep();
    EXPECT_TRUE(game->RoundOver);
    EXPECT_EQ(game->Winners, std::vector<int>{0});
    EXPECT_EQ(game->RoundWins[0], 1);
    EXPECT_EQ(game->LastWinner, 0);
    EXPECT_EQ(game->Message, "Left plays 3 of 2");
    EXPECT_TRUE(game->TilePlayed);
    // The hands are shown face up, then the message is drawn.
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "paint 111");
    EXPECT_EQ(log.back(), "text Left has won the round");
    // Further ticks are ignored.
    const int paints = view->paints;
    game->TurnStep();
    EXPECT_EQ(view->paints, paints);
}

TEST_F(Rules, TheRoundsMessagesComeAfterTheHandPanelsSoNoPanelClearsThem) {
    struct Ending {
        const char* name;
        bool blocked;
    };
    for (const Ending e : {Ending{"blocked", true}, Ending{"emptied hand", false}}) {
        SCOPED_TRACE(e.name);
        SetUp();
        // The game ends with this round: the pig line is drawn too.
        game->RoundWins = {2, 0, 0};
        if (e.blocked) {
            hands({{0, 0}}, {{4, 1}}, {{3, 0}});
            blockAfterNextStep();
        } else {
            emptyHandAfterNextStep();
        }
        std::vector<std::string> log;
        view->log = &log;
        game->TurnStep();
        ASSERT_TRUE(game->GameOver);
        const auto lastPaint = std::find(log.rbegin(), log.rend(), "paint 111");
        ASSERT_NE(lastPaint, log.rend());
        const std::vector<std::string> after(log.rbegin(), lastPaint);
        EXPECT_EQ(after, (std::vector<std::string>{"text Left has won the round",
                                                   "text Me and Right are the pigs!"}))
            << "drawn after the last painting, newest first";
    }
}

TEST_F(Rules, ThreePassesMustBeInARow) {
    // Seat 0 passes, seat 1 (the user) plays, seat 2 passes, seat 0 passes: not blocked.
    hands({{0, 0}, {1, 1}}, {{5, 4}, {4, 4}}, {{0, 1}, {1, 2}});
    game->LeftEnd = 5;
    game->RightEnd = 6;
    game->SeatToMove = 0;
    game->TurnStep();
    EXPECT_EQ(game->Message, "Left sulks");
    EXPECT_TRUE(game->SeatPassed);
    EXPECT_TRUE(game->Passed[0]);
    game->Seats[1].ChosenIndex = 0;
    game->Seats[1].ChosenEnd = 0;
    game->Seats[1].Chosen = true;
    game->TurnStep();
    EXPECT_FALSE(game->Passed[1]);
    EXPECT_EQ(game->LeftEnd, 4);
    game->TurnStep();  // seat 2 passes
    game->TurnStep();  // seat 0 passes again
    EXPECT_FALSE(game->RoundOver);
    EXPECT_EQ(game->SeatToMove, 1);
}

TEST_F(Rules, AStepWithoutTheUsersChoiceChangesNothing) {
    hands({{0, 0}}, {{5, 4}, {3, 3}}, {{0, 1}});
    game->LeftEnd = 5;
    game->RightEnd = 6;
    game->SeatToMove = 1;
    const int paints = view->paints;
    game->TurnStep();
    EXPECT_EQ(game->SeatToMove, 1);
    EXPECT_EQ(game->Seats[1].HandCount, 2);
    EXPECT_EQ(game->PlayedCount(), 0);
    EXPECT_TRUE(game->Seats[1].Waiting);
    EXPECT_EQ(view->paints, paints);  // the waiting user's hand is not repainted
    EXPECT_TRUE(game->Message.empty());
}

TEST_F(Rules, GameEndsAtThreeWinsWithPigsAndStatistics) {
    game->RoundWins = {2, 0, 0};
    hands({{3, 2}}, {{6, 6}}, {{1, 1}});
    game->LeftEnd = 3;
    game->RightEnd = 4;
    game->SeatToMove = 0;
    game->SetStatistics(4, 3, 2, 1);
    game->TurnStep();
    EXPECT_TRUE(game->GameOver);
    EXPECT_EQ(game->Pigs, (std::vector<int>{1, 2}));
    EXPECT_EQ(game->PigText(), "Me and Right are the pigs!");
    EXPECT_FALSE(game->AllSeatsWon);
    // Local player was a pig: played +1, lost +1.
    EXPECT_EQ(game->Stats, (Statistics{5, 3, 2, 2}));
    EXPECT_EQ(folder.read("datas.sta"), "5\r\n3\r\n2\r\n2\r\n");
}

TEST_F(Rules, SharedRoundCanEndTheGameWithNoPig) {
    game->RoundWins = {2, 1, 2};
    hands({{1, 0}}, {{3, 2}}, {{0, 1}});  // seats 0 and 2 tie on sum and count
    blockAfterNextStep();
    game->TurnStep();
    EXPECT_TRUE(game->GameOver);
    EXPECT_TRUE(game->Pigs.empty());
    EXPECT_TRUE(game->AllSeatsWon);
    for (const auto& t : view->texts) EXPECT_EQ(t.text.find("pig"), std::string::npos) << t.text;
}

TEST_F(Rules, EverySeatWinningARoundIsFlaggedForARestart) {
    game->RoundWins = {1, 1, 0};
    hands({{3, 2}}, {{6, 6}}, {{1, 1}});
    game->LeftEnd = 4;
    game->RightEnd = 6;
    game->SeatToMove = 2;
    game->Seats[2].ClearHand();
    game->Seats[2].AddDomino(D(4, 1));
    game->TurnStep();
    EXPECT_TRUE(game->RoundOver);
    EXPECT_FALSE(game->GameOver);
    EXPECT_TRUE(game->AllSeatsWon);
}

struct StatsCase {
    const char* name;
    std::array<int, 3> winsBefore;
    int finisher;  // the seat that wins the deciding round by emptying its hand
    Statistics expectDelta;
};

class StatisticsUpdate : public Rules, public ::testing::WithParamInterface<StatsCase> {};

TEST_P(StatisticsUpdate, CountsOnceAtTheGameEnd) {
    const StatsCase& c = GetParam();
    game->RoundWins = c.winsBefore;
    hands({{6, 6}}, {{6, 6}}, {{6, 6}});
    GiveHand(game->Seats[c.finisher], {{3, 2}});
    game->LeftEnd = 3;
    game->RightEnd = 4;
    game->SeatToMove = c.finisher;
    game->Seats[c.finisher].ChosenIndex = 0;  // the user's seat answers through its slots
    game->Seats[c.finisher].ChosenEnd = 1;
    game->Seats[c.finisher].Chosen = true;
    game->SetStatistics(10, 10, 10, 10);
    game->TurnStep();
    ASSERT_TRUE(game->GameOver) << c.name;
    const Statistics& s = game->Stats;
    EXPECT_EQ((Statistics{s.Played - 10, s.PigsGiven - 10, s.Won - 10, s.Lost - 10}), c.expectDelta)
        << c.name;
    EXPECT_EQ(ReadStatisticsFile("datas.sta"), s) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatisticsUpdate,
    ::testing::Values(StatsCase{"wins 3-0-0", {0, 2, 0}, 1, {1, 2, 1, 0}},
                      StatsCase{"wins 3-1-0", {1, 2, 0}, 1, {1, 1, 1, 0}},
                      StatsCase{"wins while both won a round", {1, 2, 1}, 1, {1, 1, 1, 0}},
                      StatsCase{"local player is a pig", {2, 0, 1}, 0, {1, 0, 0, 1}},
                      StatsCase{"another seat wins", {2, 1, 0}, 0, {1, 0, 0, 0}}),
    CaseName());

TEST_F(Rules, AStatisticsWriteFailureIsReportedAndTheGameStillEnds) {
    MessageRecorder messages;
    game->StatisticsFile = folder.path() + "/no-such-folder/datas.sta";
    game->RoundWins = {2, 0, 0};
    hands({{3, 2}}, {{6, 6}}, {{1, 1}});
    game->LeftEnd = 3;
    game->RightEnd = 4;
    game->SeatToMove = 0;
    game->TurnStep();
    EXPECT_TRUE(game->GameOver);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("could not be written"), std::string::npos);
}

TEST(Statistics, ReadingAndWriting) {
    TempFolder folder;
    EXPECT_EQ(ReadStatisticsFile("datas.sta"), Statistics{});
    ASSERT_TRUE(WriteStatisticsFile("datas.sta", {12, 7, 5, 3}));
    EXPECT_EQ(folder.read("datas.sta"), "12\r\n7\r\n5\r\n3\r\n");
    EXPECT_EQ(ReadStatisticsFile("datas.sta"), (Statistics{12, 7, 5, 3}));
    folder.write("datas.sta", "12\r\n7\r\n");  // half-written
    EXPECT_EQ(ReadStatisticsFile("datas.sta"), Statistics{});
    folder.write("datas.sta", "1\nx\n2\n3\n");
    EXPECT_EQ(ReadStatisticsFile("datas.sta"), Statistics{});
}

TEST(WholeGame, SeededComputerGamesRunToTheirEndAndRewriteTheStatistics) {
    TempFolder folder;
    for (std::uint32_t seed : {1u, 7u, 42u, 1234u}) {
        platform::SetFixedSeed(seed);
        GameDriver driver(GameSetup{});
        ASSERT_TRUE(driver.playToEnd()) << "seed " << seed;
        const Jeu& g = *driver.game;
        EXPECT_TRUE(g.GameOver);
        EXPECT_EQ(*std::max_element(g.RoundWins.begin(), g.RoundWins.end()), 3);
        const Statistics s = ReadStatisticsFile("datas.sta");
        EXPECT_EQ(s, g.Stats);
        EXPECT_EQ(s.Played, 1);
        int tiles = 0;
        for (const Joueur& seat : g.Seats) tiles += seat.HandCount;
        EXPECT_EQ(tiles + g.PlayedCount(), 21) << "no tile lost or made up";
        std::remove("datas.sta");
    }
    platform::ClearFixedSeed();
}

} // namespace
