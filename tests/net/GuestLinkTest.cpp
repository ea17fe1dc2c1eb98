// The guest's side against a scripted host over a loopback socket: the turned table, the
// computer seat, and moves applied alike on both sides.
#include <gtest/gtest.h>

#include "NetSupport.h"
#include "net/NetSeat.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

struct Window : HeadlessGameWindow {
    std::vector<bool> fetches;
    void GameStarted(JeuNet& g, bool fetch) override {
        HeadlessGameWindow::GameStarted(g, fetch);
        fetches.push_back(fetch);
    }
};

struct SeatCase {
    std::string name;
    int netSeat;
    std::array<std::string, 3> names, addresses, kinds;  // host numbering
    std::array<std::string, 3> localNames;
    int localComputer;
};

class GuestLink : public ::testing::TestWithParam<SeatCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(77);
        guest.LobbyAddress = "10.0.0.5";
        guest.FetchNetPictures = true;
        guest.Connect(" 127.0.0.1 ", host.port());
        ASSERT_TRUE(host.accept());
        ASSERT_TRUE(host.pipe().waitLines(1));
        EXPECT_EQ(host.pipe().lines()[0], "8:&") << "the guest joins as soon as it is connected";
        EXPECT_TRUE(window.IsConnected);
    }
    void TearDown() override { platform::ClearFixedSeed(); }
    RawPipe& wire() { return host.pipe(); }
    // Sends host lines and waits until the guest has read them.
    void hostSends(const std::string& lines) {
        const LineCounts before = guest.Counts();
        const int n = static_cast<int>(SplitLines(lines).size());
        wire().send(lines);
        ASSERT_TRUE(WaitFor([&] {
            const LineCounts& c = guest.Counts();
            return c.Handled + c.Refused + c.Malformed + c.Ignored ==
                   before.Handled + before.Refused + before.Malformed + before.Ignored + n;
        }));
    }
    void start(const SeatCase& c, const DealTiles& deal = DealInBuildOrder()) {
        hostSends(StartLine(c.names, c.addresses, c.kinds, deal) + "\r\n");
        ASSERT_TRUE(window.Game);
    }
    JeuNet& game() { return *window.Game; }

    TempFolder dir;
    RawHost host;
    Window window;
    GameLinkGuest guest{window};
};

TEST_P(GuestLink, StartLineTurnsTheTableSoTheGuestSitsAtSeatOne) {
    const SeatCase& c = GetParam();
    start(c);
    JeuNet& g = game();
    EXPECT_FALSE(g.IsHost);
    EXPECT_EQ(g.NetSeat, c.netSeat);
    EXPECT_EQ(g.SeatNames, c.localNames);
    EXPECT_EQ(g.ComputerSeat, c.localComputer);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(g.Seats[s].Kind, s == c.localComputer ? Joueur::KindNetLocal : Joueur::KindRemote);
    EXPECT_EQ(g.Seats[1].SeatAddress, "10.0.0.5");

    // Host seat 2 holds 5-5 and leads it; the other hands are as dealt.
    const DealTiles deal = DealInBuildOrder();
    ASSERT_EQ(g.PlayedCount(), 1);
    EXPECT_EQ(g.Played[0].Tile.Value1, 5);
    EXPECT_EQ(g.Played[0].Tile.Value2, 5);
    EXPECT_EQ(g.SeatToMove, g.ToLocal(0));
    for (int h = 0; h < 2; ++h) {
        const Joueur& seat = g.Seats[g.ToLocal(h)];
        ASSERT_EQ(seat.HandCount, 7);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(seat.Hand[i].Value1, deal[h][i].Value1);
            EXPECT_EQ(seat.Hand[i].Value2, deal[h][i].Value2);
        }
    }
    EXPECT_EQ(g.Seats[g.ToLocal(2)].HandCount, 6);
    EXPECT_EQ(window.fetches, std::vector<bool>{true});
    EXPECT_FALSE(guest.FetchNetPictures);

    // A turn for the host seat lands on the host's local seat.
    hostSends("1:1&\r\n");
    EXPECT_EQ(g.SeatToMove, c.netSeat == 2 ? 0 : 2);
}

// The scripted host keeps its own game in the host's numbering (a host-side JeuNet whose
// lines go straight onto the raw socket) and reads the guest's lines into it; after every
// line both sides hold the same chain, hands and seat to move.
TEST_P(GuestLink, MovesOnBothSidesLeaveTheSameTable) {
    const SeatCase& c = GetParam();
    start(c);
    NetGameSetup hs;
    hs.Names = c.names;
    hs.Addresses = c.addresses;
    hs.ComputerSeat = c.kinds[2] == "3" ? 2 : (c.kinds[0] == "3" ? 0 : -1);
    hs.OwnSeat = 1;
    JeuNet ref(nullptr, hs);
    ref.Send = [&](const std::string& line) { wire().sendLine(line); };
    ref.StatisticsFile = "host.sta";
    ref.ResetScores();
    ref.RoundsDealt = 1;
    ref.TakeDeal(DealInBuildOrder());
    ref.FirstLead();
    ASSERT_EQ(StateOf(ref), StateOf(game()));

    SideDriver me{window, &guest};
    // At the end of a hand the guest moves the turn on after its own last move; the host
    // does not. The seat to move is compared while a hand runs.
    const auto same = [&] {
        TableState a = StateOf(ref), b = StateOf(game());
        if (ref.RoundOver) a.seatToMove = b.seatToMove = -1;
        return a == b;
    };
    std::size_t read = wire().lines().size();
    int hands = 0, guestMoves = 0, hostLines = 0;
    bool newGameAsked = false;
    for (int step = 0; step < 20000 && !ref.GameOver && hands < 3 && !newGameAsked; ++step) {
        Pump(1);
        // The guest's lines into the host's game.
        const auto& lines = wire().lines();
        for (; read < lines.size(); ++read) {
            GameLine l;
            ASSERT_EQ(ParseGameLine(lines[read], LineFrom::Guest, l), ReadResult::Handled) << lines[read];
            if (l.Code == MsgTilePlayed) {
                EXPECT_EQ(l.Seat, c.netSeat);
                ASSERT_TRUE(ref.CanApplyRemoteTile(l.Seat, l.HandIndex, l.End)) << lines[read];
                ref.ApplyRemoteTile(l.Seat, l.HandIndex, l.End);
                ref.ScoreHandNet(false, false);
                ++guestMoves;
            } else if (l.Code == MsgPass) {
                ASSERT_EQ(ref.SeatToMove, c.netSeat);
                ref.Passed[ref.SeatToMove] = true;
                ref.ScoreHandNet(false, true);
                ++guestMoves;
            } else if (l.Code == MsgHand) {
                ASSERT_TRUE(ref.RoundOver);
                ref.NewPack();
                ref.Deal();
                wire().sendLine(DealLine(ref.HandsByHostSeat()));
                ref.FirstLead();
                wire().sendLine(TurnLine(ref.SeatToMove));
                ++hands;
            } else if (l.Code == MsgJoin) {
                newGameAsked = true;  // every seat has won a hand: a new game would start
            }
        }
        if (ref.RoundOver) {
            // Both sides saw the same winners.
            if (window.Game->RoundOver) {
                std::vector<int> mine;
                for (int s : game().Winners) mine.push_back(game().ToHost(s));
                EXPECT_EQ(mine, ref.Winners);
            }
            me.tick();  // the guest's next-round button
            continue;
        }
        if (ref.SeatToMove == c.netSeat) {
            me.tick();
            continue;
        }
        // The host's own seat and its computer move on the host's side.
        Joueur& mover = ref.Seats[ref.SeatToMove];
        if (ref.SeatToMove == 1 && !mover.Chosen) {
            for (int i = 0; i < mover.HandCount; ++i)
                if (ref.IsEmptyTable() || mover.Hand[i].Fits(ref.LeftEnd) || mover.Hand[i].Fits(ref.RightEnd)) {
                    mover.ChosenIndex = i;
                    mover.ChosenEnd = ref.IsEmptyTable() || mover.Hand[i].Fits(ref.RightEnd) ? RightEndSide : LeftEndSide;
                    mover.Chosen = true;
                    break;
                }
        }
        ref.TurnStep();
        ++hostLines;
        ASSERT_TRUE(WaitFor(same, 3000)) << "after a host move, step " << step;
    }
    EXPECT_GT(guestMoves, 0);
    EXPECT_GT(hostLines, 0);
    EXPECT_GE(hands, 1);
    EXPECT_EQ(guest.Counts().Refused, 0);
    EXPECT_EQ(guest.Counts().Malformed, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Seats, GuestLink,
    ::testing::Values(
        // The guest's address is seat 0's: it is host seat 0, and the computer at host seat 2
        // sits at its left.
        SeatCase{"guest_at_host_seat_0", 0, {"Me", "Host", "CPU"}, {"10.0.0.5", "10.0.0.1", ""},
                 {"1", "0", "3"}, {"CPU", "Me", "Host"}, 0},
        // Any other address: host seat 2, the host at its left, the computer at its right.
        SeatCase{"guest_at_host_seat_2", 2, {"CPU", "Host", "Me"}, {"", "10.0.0.1", "10.0.0.5"},
                 {"3", "0", "1"}, {"Host", "Me", "CPU"}, 2}),
    [](const auto& info) { return info.param.name; });

class GuestLines : public GuestLink {};

// Host seat 0 (the computer) leads 5-5; the host and host seat 2 cannot follow.
DealTiles ComputerLeadsDeal() {
    const DealTiles d = DealInBuildOrder();
    return {d[2], d[0], d[1]};
}

const SeatCase AtSeat2{"at_2", 2, {"CPU", "Host", "Me"}, {"", "10.0.0.1", "10.0.0.5"},
                       {"3", "0", "1"}, {"Host", "Me", "CPU"}, 2};

TEST_F(GuestLines, APassMovesTheTurnOnAndATileWaitsForTheTurnLine) {
    start(AtSeat2, ComputerLeadsDeal());
    JeuNet& g = game();
    ASSERT_EQ(g.SeatToMove, 0);  // the host, after the computer's 5-5
    hostSends("3:1&\r\n");
    EXPECT_TRUE(g.Passed[0]);
    EXPECT_EQ(g.SeatToMove, 1);
    EXPECT_EQ(window.Log.back(), "Host boude");
    // The guest's own seat cannot follow 5 either: it passes through its turn step.
    g.TurnStep();
    ASSERT_TRUE(wire().waitLines(2));
    EXPECT_EQ(wire().lines()[1], "3:&");
    EXPECT_EQ(g.SeatToMove, 2);
    // The computer plays 5-0 on the right: the turn stays until the host's MsgTurn.
    hostSends("2:0&1&d&\r\n");
    EXPECT_EQ(g.RightEnd, 0);
    EXPECT_EQ(g.Seats[2].HandCount, 5);
    EXPECT_EQ(g.SeatToMove, 2);
    EXPECT_FALSE(g.Passed[2]);
    hostSends("1:1&\r\n");
    EXPECT_EQ(g.SeatToMove, 0);
}

TEST_F(GuestLines, HostLinesThatDoNotFitTheGameAreRefused) {
    start(AtSeat2, ComputerLeadsDeal());
    JeuNet& g = game();
    const TableState before = StateOf(g);
    hostSends("2:2&0&d&\r\n"    // the guest's own seat: its moves never come back
              "2:1&0&d&\r\n"    // the host holds no 5: 0-0 does not fit
              "2:0&1&d&\r\n"    // the computer is not to move
              "2:1&6&d&\r\n"    // 3-0: no
              "3:0&\r\n"        // a pass out of turn
              "3:2&\r\n"        // the guest's own pass
              "0:a&b&\r\n");    // a start line cut short
    EXPECT_EQ(guest.Counts().Refused, 6);
    EXPECT_EQ(guest.Counts().Malformed, 1);
    EXPECT_EQ(StateOf(g), before);
    EXPECT_EQ(window.Game.get(), &g);
}

TEST_F(GuestLines, AStartLineGivingTheGuestsSeatToTheComputerIsRefused) {
    hostSends(StartLine({"Me", "Host", "Bob"}, {"10.0.0.5", "10.0.0.1", "10.0.0.7"},
                        {"3", "0", "1"}) + "\r\n");
    EXPECT_FALSE(window.Game);
    EXPECT_EQ(guest.Counts().Refused, 1);
}

TEST_F(GuestLines, ASecondStartLineReplacesTheGameWithoutFetchingPicturesAgain) {
    start(AtSeat2);
    JeuNet* first = window.Game.get();
    first->Stats = {5, 0, 1, 0};  // what the first game counted
    first->GameOver = true;
    start(AtSeat2);
    EXPECT_NE(window.Game.get(), first);
    EXPECT_EQ(window.fetches, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.Game->Stats, (Statistics{5, 0, 1, 0}));
    EXPECT_FALSE(window.Game->GameOver);
}

TEST_F(GuestLines, TwoGuestsWithOneAddressAreToldApartByNickname) {
    guest.LobbyNickname = "Zoe";
    hostSends(StartLine({"Yan", "Host", "Zoe"}, {"10.0.0.5", "10.0.0.1", "10.0.0.5"},
                        {"1", "0", "1"}) + "\r\n");
    ASSERT_TRUE(window.Game);
    EXPECT_EQ(window.Game->NetSeat, 2);
    EXPECT_EQ(window.Game->Seats[1].Name, "Zoe");
}

TEST_F(GuestLines, NextRoundAsksForAHandOrANewGame) {
    start(AtSeat2);
    JeuNet& g = game();
    g.RoundOver = true;
    guest.NextRound();
    EXPECT_FALSE(g.RoundOver);
    g.AllSeatsWon = true;
    guest.NextRound();
    g.AllSeatsWon = false;
    g.GameOver = true;
    guest.NextRound();  // nothing after the end of a game
    Pump(50);
    EXPECT_EQ(wire().lines(), (std::vector<std::string>{"8:&", "7:&", "8:&"}));
}

TEST_F(GuestLines, ChatNamesTheWriterInTheGuestsNumbering) {
    start(AtSeat2);
    hostSends("9:1&hi: all&\r\n9:0&beep&\r\n");
    EXPECT_EQ(window.Chat, (std::vector<std::string>{"Host: hi: all", "CPU: beep"}));
    guest.SendChat("hello & bye");
    ASSERT_TRUE(wire().waitLines(2));
    EXPECT_EQ(wire().lines()[1], "9:2&hello  bye&");
}

TEST_F(GuestLines, TheHostLeavingMidHandEndsTheGame) {
    start(AtSeat2);
    wire().socket().abort();
    ASSERT_TRUE(WaitFor([&] { return game().GameOver; }));
    EXPECT_TRUE(window.GameAborted);
    EXPECT_EQ(window.Status, "One of the players have left the game.");
    EXPECT_FALSE(guest.IsConnected());
}

} // namespace
