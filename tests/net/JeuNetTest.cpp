// The network game: its seats, its moves on the link, the end of a hand and of the game.
#include <gtest/gtest.h>

#include "NetSupport.h"
#include "game/Statistics.h"
#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

using Hand = std::vector<std::pair<int, int>>;

void Give(Joueur& seat, const Hand& tiles) {
    seat.ClearHand();
    for (auto [a, b] : tiles) {
        Domino d;
        d.Value1 = a;
        d.Value2 = b;
        seat.AddDomino(d);
    }
}

DominoJoue TileMove(int a, int b, int end = RightEndSide) {
    DominoJoue m;
    m.Tile.Value1 = a;
    m.Tile.Value2 = b;
    m.End = end;
    return m;
}

class JeuNetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
    }
    std::unique_ptr<JeuNet> make(int ownSeat, int computerSeat) {
        NetGameSetup s;
        s.Names = {"Ann", "Me", "Bob"};
        s.Addresses = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
        s.OwnSeat = ownSeat;
        s.ComputerSeat = computerSeat;
        auto g = std::make_unique<JeuNet>(nullptr, s);
        g->Send = [this](const std::string& l) { sent.push_back(l); };
        g->PostResult = [this](int code) { posted.push_back(code); };
        g->StatisticsFile = "datas.sta";
        g->ResetScores();
        g->RoundsDealt = 1;
        return g;
    }
    TempFolder dir;
    std::vector<std::string> sent;
    std::vector<int> posted;
};

TEST_F(JeuNetTest, HostBuildsTheComputerSeatAsNetLocalAndTheOthersAsRemote) {
    auto g = make(1, 2);
    EXPECT_EQ(g->IsNetworkGame, 1);
    EXPECT_TRUE(g->IsHost);
    EXPECT_EQ(g->NetSeat, 1);
    EXPECT_EQ(g->ComputerSeat, 2);
    EXPECT_EQ(g->Seats[0].Kind, Joueur::KindRemote);
    EXPECT_EQ(g->Seats[1].Kind, Joueur::KindRemote);
    EXPECT_EQ(g->Seats[2].Kind, Joueur::KindNetLocal);
    EXPECT_EQ(g->SeatNames, (std::array<std::string, 3>{"Ann", "Me", "Bob"}));
    EXPECT_EQ(g->Seats[2].SeatAddress, "10.0.0.3");
    EXPECT_EQ(g->SeatAddresses[0], "10.0.0.1");
}

TEST_F(JeuNetTest, GuestTurnsTheComputerSeatIntoItsOwnNumbering) {
    struct Case {
        int ownSeat, hostComputerSeat, localComputerSeat;
    };
    for (const Case c : {Case{2, 0, 2}, Case{0, 2, 0}, Case{0, -1, -1},
                         // A start line that puts the computer at the guest's own seat.
                         Case{0, 0, -1}, Case{2, 2, -1}}) {
        auto g = make(c.ownSeat, c.hostComputerSeat);
        SCOPED_TRACE("own " + std::to_string(c.ownSeat) + " cpu " + std::to_string(c.hostComputerSeat));
        EXPECT_FALSE(g->IsHost);
        EXPECT_EQ(g->ComputerSeat, c.localComputerSeat);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(g->Seats[s].Kind,
                      s == c.localComputerSeat ? Joueur::KindNetLocal : Joueur::KindRemote);
        EXPECT_TRUE(g->PlaysHere(1));
        EXPECT_FALSE(g->PlaysHere(c.localComputerSeat));
    }
}

struct BlockedCase {
    std::string name;
    int ownSeat;
    std::array<Hand, 3> hands;  // this program's numbering
    std::vector<int> winners;   // this program's numbering, in list order
    std::string text;
};

class BlockedHand : public JeuNetTest, public ::testing::WithParamInterface<BlockedCase> {};

TEST_P(BlockedHand, LowestScoreThenFewestTilesWinsAndTiesShare) {
    const BlockedCase& c = GetParam();
    auto g = make(c.ownSeat, -1);
    for (int s = 0; s < 3; ++s) Give(g->Seats[s], c.hands[s]);
    g->Passed = {true, true, true};
    g->SeatToMove = 0;
    g->ScoreHandNet(false, true);
    EXPECT_TRUE(g->RoundOver);
    EXPECT_FALSE(g->GameOver);
    EXPECT_EQ(g->Winners, c.winners);
    EXPECT_EQ(g->LastWinner, c.winners.front());
    for (int s = 0; s < 3; ++s) {
        const bool won = std::find(c.winners.begin(), c.winners.end(), s) != c.winners.end();
        EXPECT_EQ(g->RoundWins[s], won ? 1 : 0) << "seat " << s;
    }
    EXPECT_EQ(g->RoundText(), c.text);
    EXPECT_TRUE(sent.empty());  // the end of a hand sends nothing
}

INSTANTIATE_TEST_SUITE_P(
    Scores, BlockedHand,
    ::testing::Values(
        BlockedCase{"seats_0_and_2_tie_seat_1_higher", 1,
                    {Hand{{2, 1}}, Hand{{6, 6}}, Hand{{3, 0}}}, {0, 2},
                    "Ann et Bob have won the round"},
        BlockedCase{"seat_2_ties_seat_1_with_fewer_tiles", 1,
                    {Hand{{6, 5}}, Hand{{2, 1}, {1, 1}}, Hand{{3, 2}}}, {2},
                    "Bob has won the round"},
        BlockedCase{"lower_score_beats_fewer_tiles", 1,
                    {Hand{{6, 6}}, Hand{{1, 0}, {1, 1}}, Hand{{4, 0}}}, {1},
                    "Me has won the round"},
        // A guest at host seat 2 lists a shared hand in the host's seat order (host seat 0 is
        // its local seat 2, host seat 2 its own seat), so it names the same next leader.
        BlockedCase{"guest_lists_winners_in_host_order", 2,
                    {Hand{{6, 6}}, Hand{{3, 0}}, Hand{{2, 1}}}, {2, 1},
                    "Bob et Me have won the round"}),
    [](const auto& info) { return info.param.name; });

struct EndCase {
    std::string name;
    std::array<int, 3> winsBefore;  // round wins before the last hand
    int handWinner;                 // empties its hand
    int result;
    Statistics after;               // from {10, 5, 4, 3}
    std::vector<int> pigs;
    std::string pigText;
    int ownSeat = 1;                // a guest's own seat in the host's numbering
};

class GameEnd : public JeuNetTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(GameEnd, ResultCodeCountersFileAndRequest) {
    const EndCase& c = GetParam();
    auto g = make(c.ownSeat, -1);
    g->SetStatistics(10, 5, 4, 3);
    g->RoundWins = c.winsBefore;
    for (int s = 0; s < 3; ++s) Give(g->Seats[s], {{s, 0}});
    g->Seats[c.handWinner].ClearHand();
    g->SeatToMove = c.handWinner;
    g->ScoreHandNet(false, false);

    EXPECT_TRUE(g->GameOver);
    EXPECT_EQ(g->Winners, std::vector<int>{c.handWinner});
    EXPECT_EQ(g->Pigs, c.pigs);
    EXPECT_EQ(g->PigText(), c.pigText);
    EXPECT_EQ(g->LastResult, c.result);
    EXPECT_EQ(posted, std::vector<int>{c.result});
    EXPECT_EQ(g->Stats, c.after);
    EXPECT_EQ(ReadStatisticsFile(dir.path() + "/datas.sta"), c.after);
    EXPECT_EQ(dir.read("datas.sta"),
              std::to_string(c.after.Played) + "\r\n" + std::to_string(c.after.PigsGiven) +
                  "\r\n" + std::to_string(c.after.Won) + "\r\n" + std::to_string(c.after.Lost) +
                  "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Results, GameEnd,
    ::testing::Values(
        EndCase{"won_with_two_pigs", {0, 2, 0}, 1, 0, {11, 7, 5, 3}, {0, 2},
                "Ann et Bob are the pigs!"},
        EndCase{"won_with_one_pig", {1, 2, 0}, 1, 1, {11, 6, 5, 3}, {2}, "Bob is the pig!"},
        EndCase{"won_with_no_pig_still_counts_one", {1, 2, 1}, 1, 1, {11, 6, 5, 3}, {}, ""},
        EndCase{"local_player_is_a_pig", {2, 0, 0}, 0, 3, {11, 5, 4, 4}, {1, 2},
                "Me et Bob are the pigs!"},
        EndCase{"lost_without_being_a_pig", {2, 1, 0}, 0, 2, {11, 5, 4, 3}, {2},
                "Bob is the pig!"},
        // A guest names the pigs in its own seat order, whatever its seat at the host.
        EndCase{"guest_at_host_seat_2_lists_pigs_in_its_order", {0, 2, 0}, 1, 0, {11, 7, 5, 3},
                {0, 2}, "Ann et Bob are the pigs!", 2},
        EndCase{"guest_at_host_seat_0_lists_pigs_in_its_order", {0, 2, 0}, 1, 0, {11, 7, 5, 3},
                {0, 2}, "Ann et Bob are the pigs!", 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(JeuNetTest, AGameEndingOnABlockedHandReportsItsResultToo) {
    auto g = make(1, -1);
    g->RoundWins = {0, 2, 0};
    Give(g->Seats[0], {{6, 6}});
    Give(g->Seats[1], {{1, 0}});
    Give(g->Seats[2], {{5, 5}});
    g->Passed = {true, true, true};
    g->ScoreHandNet(false, true);
    EXPECT_TRUE(g->GameOver);
    EXPECT_EQ(posted, std::vector<int>{0});
    EXPECT_EQ(ReadStatisticsFile(dir.path() + "/datas.sta").Won, 1);
}

TEST_F(JeuNetTest, AStatisticsFileThatCannotBeWrittenIsTold) {
    auto g = make(1, -1);
    std::vector<std::string> warned;
    g->Warn = [&](const std::string& t) { warned.push_back(t); };
    g->StatisticsFile = "missing-folder/datas.sta";
    g->RoundWins = {0, 2, 0};
    for (int s = 0; s < 3; ++s) Give(g->Seats[s], {{s, 0}});
    g->Seats[1].ClearHand();
    g->SeatToMove = 1;
    g->ScoreHandNet(false, false);
    EXPECT_TRUE(g->GameOver);
    ASSERT_EQ(warned.size(), 1u);
    EXPECT_NE(warned[0].find("missing-folder/datas.sta"), std::string::npos);
}

// A host game with the computer at seat 2, the chain opened with 6-6.
class HostTurn : public JeuNetTest {
protected:
    void SetUp() override {
        JeuNetTest::SetUp();
        g = make(1, 2);
        Give(g->Seats[0], {{0, 0}, {1, 0}});
        Give(g->Seats[1], {{5, 1}, {6, 2}, {4, 4}});
        g->PlaceDomino(TileMove(6, 6));
    }
    std::unique_ptr<JeuNet> g;
};

TEST_F(HostTurn, TheComputerSendsItsTileAndThenTheNextSeat) {
    Give(g->Seats[2], {{1, 1}, {6, 3}, {2, 0}});
    g->SeatToMove = 2;
    g->TurnStep();
    ASSERT_EQ(sent.size(), 2u);
    const auto f = Fields(sent[0]);
    ASSERT_EQ(sent[0].substr(0, 2), "2:");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], "2");
    EXPECT_EQ(f[1], "1");  // 6-3, the one tile that fits, by its index before the move
    EXPECT_TRUE(f[2] == "d" || f[2] == "g");
    EXPECT_EQ(sent[1], "1:0&");
    EXPECT_EQ(g->SeatToMove, 0);
    EXPECT_EQ(g->Seats[2].HandCount, 2);
    EXPECT_EQ(g->Played.back().Tile.Value2, 3);
    EXPECT_TRUE(g->TilePlayed);
}

TEST_F(HostTurn, APassSendsThePassAndNoTurn) {
    Give(g->Seats[2], {{1, 1}, {2, 0}});
    g->SeatToMove = 2;
    g->TurnStep();
    EXPECT_EQ(sent, std::vector<std::string>{"3:2&"});
    EXPECT_TRUE(g->Passed[2]);
    EXPECT_TRUE(g->SeatPassed);
    EXPECT_EQ(g->Message, "Bob boude");
    EXPECT_EQ(g->SeatToMove, 0);
}

TEST_F(HostTurn, TheHostsOwnTileGoesOutWhenChosenAndNotBefore) {
    g->SeatToMove = 1;
    g->TurnStep();
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(g->Seats[1].Waiting);
    EXPECT_EQ(g->SeatToMove, 1);
    g->Seats[1].ChosenIndex = 1;
    g->Seats[1].ChosenEnd = LeftEndSide;
    g->Seats[1].Chosen = true;
    g->TurnStep();
    EXPECT_EQ(sent, (std::vector<std::string>{"2:1&1&g&", "1:2&"}));
    EXPECT_EQ(g->Message, "Me plays 6 of 2");
    EXPECT_EQ(g->LeftEnd, 2);
}

TEST_F(HostTurn, AGuestsSeatIsNeverPlayedHere) {
    g->SeatToMove = 0;  // a guest's seat; 0-0 and 1-0 do not fit, which would be a pass
    g->TurnStep();
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(g->Passed[0]);
    EXPECT_EQ(g->SeatToMove, 0);
    EXPECT_EQ(g->Seats[0].HandCount, 2);
}

TEST_F(JeuNetTest, GuestSendsItsMovesWithItsHostSeatAndMovesTheTurnItself) {
    auto g = make(2, -1);
    Give(g->Seats[1], {{3, 3}, {6, 1}});
    g->PlaceDomino(TileMove(6, 6));
    g->SeatToMove = 1;
    g->Seats[1].ChosenIndex = 1;
    g->Seats[1].ChosenEnd = RightEndSide;
    g->Seats[1].Chosen = true;
    g->TurnStep();
    EXPECT_EQ(sent, std::vector<std::string>{"2:2&1&d&"});
    EXPECT_EQ(g->SeatToMove, 2);
    EXPECT_EQ(g->RightEnd, 1);

    sent.clear();
    g->SeatToMove = 1;  // 3-3 fits neither 6 nor 1: the seat passes by itself
    g->TurnStep();
    EXPECT_EQ(sent, std::vector<std::string>{"3:&"});
    EXPECT_TRUE(g->Passed[1]);
    EXPECT_EQ(g->Message, "Me sulks ");
    EXPECT_EQ(g->SeatToMove, 2);
}

TEST_F(JeuNetTest, ARemoteTileIsCheckedAgainstTurnHandAndEnds) {
    auto g = make(1, 2);
    Give(g->Seats[0], {{6, 1}, {2, 2}, {5, 0}});
    g->PlaceDomino(TileMove(6, 6));
    g->PlaceDomino(TileMove(6, 5, LeftEndSide));  // ends: left 5, right 6
    ASSERT_EQ(g->LeftEnd, 5);
    ASSERT_EQ(g->RightEnd, 6);
    g->SeatToMove = 0;
    EXPECT_TRUE(g->CanApplyRemoteTile(0, 0, RightEndSide));
    EXPECT_FALSE(g->CanApplyRemoteTile(0, 0, LeftEndSide));   // 6-1 on the 5
    EXPECT_TRUE(g->CanApplyRemoteTile(0, 2, LeftEndSide));
    EXPECT_FALSE(g->CanApplyRemoteTile(0, 1, RightEndSide));  // 2-2 fits nowhere
    EXPECT_FALSE(g->CanApplyRemoteTile(0, 3, RightEndSide));  // past the hand
    EXPECT_FALSE(g->CanApplyRemoteTile(0, -1, RightEndSide));
    EXPECT_FALSE(g->CanApplyRemoteTile(2, 0, RightEndSide));  // not to move
    g->SeatToMove = 2;
    EXPECT_FALSE(g->CanApplyRemoteTile(2, 0, RightEndSide));  // the host's computer
    g->SeatToMove = 1;
    EXPECT_FALSE(g->CanApplyRemoteTile(1, 0, RightEndSide));  // the host itself
    g->SeatToMove = 0;
    g->RoundOver = true;
    EXPECT_FALSE(g->CanApplyRemoteTile(0, 0, RightEndSide));

    g->RoundOver = false;
    g->ApplyRemoteTile(0, 2, LeftEndSide);
    EXPECT_EQ(g->Seats[0].HandCount, 2);
    EXPECT_EQ(g->LeftEnd, 0);
    EXPECT_EQ(g->Message, "Ann plays 5 of 0");
    EXPECT_FALSE(g->Seats[0].Chosen);
}

} // namespace
