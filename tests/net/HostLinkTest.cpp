// The hosting side against scripted guests that speak raw lines over loopback sockets.
#include <gtest/gtest.h>

#include "NetSupport.h"
#include "game/Statistics.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

struct CountingWindow : HeadlessGameWindow {
    int joins = 0;
    void JoinAccepted() override { ++joins; }
};

class HostLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(1234);
        host.OwnName = "Host";
        host.OwnAddress = "127.0.0.9";
        host.Opponents[0] = {"Net CPU", 3, ""};
        host.Opponents[1] = {"Ann", 1, "127.0.0.1"};
        window.Stats = {2, 1, 1, 0};
    }
    void TearDown() override { platform::ClearFixedSeed(); }
    void listen() { ASSERT_TRUE(host.Listen(0, "127.0.0.1")) << host.LastError(); }
    RawGuest& guest() {
        guests.push_back(std::make_unique<RawGuest>());
        EXPECT_TRUE(guests.back()->connectTo(host.Port()));
        return *guests.back();
    }
    // A guest the host may close at once.
    RawGuest& guestMaybeClosed() {
        guests.push_back(std::make_unique<RawGuest>());
        guests.back()->socket().connectToHost(QHostAddress::LocalHost,
                                              static_cast<quint16>(host.Port()));
        return *guests.back();
    }
    // The number of lines a raw guest holds once the lines in flight have come.
    std::size_t mark(RawGuest& g) {
        Pump(30);
        return g.lines().size();
    }
    bool waitConnections(int n) { return WaitFor([&] { return host.ConnectionCount() == n; }); }
    JeuNet& game() { return *window.Game; }
    // New lines of a raw guest since the mark, after the event loop settles.
    std::vector<std::string> since(RawGuest& g, std::size_t mark, int settleMs = 60) {
        Pump(settleMs);
        const auto& all = g.lines();
        return {all.begin() + static_cast<long>(std::min(mark, all.size())), all.end()};
    }

    TempFolder dir;
    CountingWindow window;
    GameLinkHost host{window};
    std::vector<std::unique_ptr<RawGuest>> guests;
};

TEST_F(HostLink, JoinIsAnsweredByOneLineWithSeatsAndDealAndNoTurn) {
    listen();
    RawGuest& g = guest();
    ASSERT_TRUE(waitConnections(1));
    g.sendLine("8:&");
    ASSERT_TRUE(g.waitLines(1));
    const auto lines = since(g, 0, 200);
    ASSERT_EQ(lines.size(), 1u) << "no MsgTurn follows the start line";
    ASSERT_EQ(lines[0].substr(0, 2), "0:");
    const auto f = Fields(lines[0]);
    ASSERT_EQ(f.size(), 51u);
    EXPECT_EQ((std::vector<std::string>(f.begin(), f.begin() + 9)),
              (std::vector<std::string>{"Ann", "127.0.0.1", "1", "Host", "127.0.0.9", "0",
                                        "Net CPU", "", "3"}));
    EXPECT_EQ(window.joins, 1);
    EXPECT_EQ(window.GamesStarted, 1);
    ASSERT_TRUE(window.Game);
    EXPECT_EQ(game().ComputerSeat, 2);
    EXPECT_EQ(game().Seats[2].Kind, Joueur::KindNetLocal);
    EXPECT_EQ(game().Stats, (Statistics{2, 1, 1, 0}));

    // The deal on the line is the host's hands before the opening double left one of them.
    ASSERT_EQ(game().PlayedCount(), 1);
    const Domino lead = game().Played[0].Tile;
    for (int s = 0; s < 3; ++s) {
        std::vector<std::pair<int, int>> dealt, held;
        for (int i = 0; i < 7; ++i) {
            const int a = std::stoi(f[9 + s * 14 + i * 2]), b = std::stoi(f[10 + s * 14 + i * 2]);
            if (!(a == lead.Value1 && b == lead.Value2)) dealt.emplace_back(a, b);
        }
        for (int i = 0; i < game().Seats[s].HandCount; ++i)
            held.emplace_back(game().Seats[s].Hand[i].Value1, game().Seats[s].Hand[i].Value2);
        EXPECT_EQ(dealt, held) << "seat " << s;
    }
}

TEST_F(HostLink, WithTheComputerSeatASecondConnectionIsClosedAndTheFirstStillJoins) {
    listen();
    RawGuest& a = guest();
    ASSERT_TRUE(waitConnections(1));
    a.sendLine("8:&");
    ASSERT_TRUE(a.waitLines(1));
    EXPECT_EQ(a.lines()[0].substr(0, 2), "0:");
    // The one guest's place is taken: a second connection is closed at once.
    RawGuest& b = guestMaybeClosed();
    EXPECT_TRUE(WaitFor([&] { return b.closed(); }));
    ASSERT_TRUE(waitConnections(1));
    EXPECT_FALSE(a.closed());
}

TEST_F(HostLink, LinesBeforeTheJoinChangeNothing) {
    listen();
    RawGuest& g = guest();
    ASSERT_TRUE(waitConnections(1));
    g.send("2:0&0&d&\r\n3:&\r\n7:&\r\n9:0&hi&\r\n2:9&\r\n");
    ASSERT_TRUE(WaitFor([&] { return host.Counts().Refused == 4 && host.Counts().Malformed == 1; }));
    EXPECT_FALSE(window.Game);
    EXPECT_TRUE(since(g, 0).empty());
    g.sendLine("8:&");
    ASSERT_TRUE(g.waitLines(1));
    EXPECT_TRUE(window.Game);
}

// A whole game against one scripted guest at host seat 0; the host's own seat and its
// computer are played through the game loop's ticks.
TEST_F(HostLink, AScriptedGuestPlaysAWholeGame) {
    listen();
    RawGuest& g = guest();
    ASSERT_TRUE(waitConnections(1));
    g.sendLine("8:&");
    ASSERT_TRUE(g.waitLines(1));
    SideDriver driver{window};
    int guestTiles = 0, hands = 0, restarts = 0;

    for (int step = 0; step < 20000 && !game().GameOver; ++step) {
        Pump(1);
        JeuNet& h = game();
        if (h.RoundOver && h.AllSeatsWon) {
            // Every seat has won a hand: the guest's button asks for a new game.
            const std::size_t mark = this->mark(g);
            g.sendLine("8:&");
            ASSERT_TRUE(WaitFor([&] { return g.lines().size() >= mark + 1; }));
            const auto reply = since(g, mark);
            ASSERT_EQ(reply.size(), 1u);
            EXPECT_EQ(reply[0].substr(0, 2), "0:");
            ++restarts;
            continue;
        }
        if (h.RoundOver) {
            // The guest asks for the next hand: the deal comes, then the seat to lead.
            const std::size_t mark = this->mark(g);
            g.sendLine("7:&");
            ASSERT_TRUE(WaitFor([&] { return g.lines().size() >= mark + 2; }));
            const auto reply = since(g, mark);
            ASSERT_EQ(reply.size(), 2u) << ::testing::PrintToString(reply) << " all "
                                        << ::testing::PrintToString(g.lines()) << " step " << step;
            EXPECT_EQ(reply[0].substr(0, 2), "7:");
            EXPECT_EQ(Fields(reply[0]).size(), 42u);
            EXPECT_EQ(reply[1], "1:" + std::to_string(game().SeatToMove) + "&");
            EXPECT_FALSE(game().RoundOver);
            ++hands;
            continue;
        }
        if (h.SeatToMove != 0) {
            driver.tick();
            continue;
        }
        int index = 0, end = 0;
        const std::size_t mark = this->mark(g);
        const int played = h.PlayedCount();
        if (LegalMove(h, 0, index, end)) {
            g.sendLine(TilePlayedLine(0, index, end));
            ASSERT_TRUE(WaitFor([&] { return game().PlayedCount() == played + 1; }));
            const auto reply = since(g, mark);
            if (game().RoundOver) {
                EXPECT_TRUE(reply.empty());
            } else {
                ASSERT_EQ(reply, std::vector<std::string>{"1:1&"});
            }
            ++guestTiles;
        } else {
            g.sendLine("3:&");
            ASSERT_TRUE(WaitFor([&] { return game().Passed[0]; }));
            EXPECT_TRUE(since(g, mark).empty()) << "a pass is followed by no MsgTurn";
            EXPECT_EQ(game().SeatToMove == 1 || game().RoundOver, true);
        }
    }
    ASSERT_TRUE(game().GameOver);
    EXPECT_GT(guestTiles, 0);
    EXPECT_GT(hands, 0);
    // The host's own moves and its computer's went out as lines of seats 1 and 2 only.
    for (const std::string& line : g.withCode('2')) {
        const auto f = Fields(line);
        ASSERT_EQ(f.size(), 3u);
        EXPECT_TRUE(f[0] == "1" || f[0] == "2") << line;
    }
    for (const std::string& line : g.withCode('3')) EXPECT_TRUE(line == "3:1&" || line == "3:2&");
    // The result: posted once and written to the statistics file.
    ASSERT_EQ(window.Results.size(), 1u);
    const Statistics s = ReadStatisticsFile(dir.path() + "/datas.sta");
    EXPECT_EQ(s.Played, 3);
    EXPECT_EQ(s, game().Stats);
    EXPECT_EQ(window.GamesStarted, 1 + restarts);
}

TEST_F(HostLink, MovesThatDoNotFitTheGameAreRefusedAndChangeNothing) {
    listen();
    RawGuest& g = guest();
    ASSERT_TRUE(waitConnections(1));
    g.sendLine("8:&");
    ASSERT_TRUE(g.waitLines(1));
    SideDriver driver{window};
    ASSERT_TRUE(WaitFor([&] {
        if (game().SeatToMove != 0) driver.tick();
        return game().SeatToMove == 0 && !game().RoundOver;
    }));
    const TableState before = StateOf(game());
    const int hand = game().Seats[0].HandCount;
    std::string bad;
    bad += TilePlayedLine(2, 0, RightEndSide) + "\r\n";          // the computer's seat
    bad += TilePlayedLine(1, 0, RightEndSide) + "\r\n";          // the host's seat
    bad += "2:0&" + std::to_string(hand) + "&d&\r\n";            // past the hand
    for (int i = 0; i < hand; ++i) {
        const Domino& d = game().Seats[0].Hand[i];
        if (!d.Fits(game().RightEnd)) bad += TilePlayedLine(0, i, RightEndSide) + "\r\n";
        if (!d.Fits(game().LeftEnd)) bad += TilePlayedLine(0, i, LeftEndSide) + "\r\n";
    }
    bad += "7:&\r\n8:&\r\n9:1&I am the host&\r\n";             // mid-hand deal and join; a false name
    const std::size_t mark = this->mark(g);
    const auto dropped = [&] { return host.Counts().Refused + host.Counts().Malformed; };
    const int before0 = dropped();
    const int expected = static_cast<int>(SplitLines(bad).size());
    g.send(bad);
    ASSERT_TRUE(WaitFor([&] { return dropped() == before0 + expected; }));
    EXPECT_EQ(StateOf(game()), before);
    EXPECT_TRUE(since(g, mark).empty());
    EXPECT_TRUE(window.Chat.empty());
    EXPECT_EQ(window.GamesStarted, 1);
}

TEST_F(HostLink, TwoGuestsHaveEachOthersLinesPassedOnAndNotTheirOwn) {
    host.PlayWithCpu = false;
    host.Opponents[0] = {"Bob", 1, "127.0.0.1"};  // host seat 2
    host.Opponents[1] = {"Ann", 1, "127.0.0.1"};  // host seat 0
    listen();
    RawGuest& a = guest();
    ASSERT_TRUE(waitConnections(1));
    a.sendLine("8:&");
    Pump(100);
    EXPECT_TRUE(a.lines().empty()) << "a join with one guest of two is ignored";
    RawGuest& b = guest();
    ASSERT_TRUE(waitConnections(2));
    b.sendLine("8:&");
    ASSERT_TRUE(a.waitLines(1) && b.waitLines(1));
    RawGuest& c = guestMaybeClosed();
    EXPECT_TRUE(WaitFor([&] { return c.closed(); })) << "a third guest has no seat";
    EXPECT_EQ(a.lines()[0], b.lines()[0]);
    EXPECT_EQ(game().ComputerSeat, -1);

    // A plays seat 0 and B seat 2; the host's own seat is played by ticks.
    SideDriver driver{window};
    bool checkedTile = false, checkedPass = false, checkedBinding = false;
    for (int step = 0; step < 5000 && !(checkedTile && checkedPass && checkedBinding); ++step) {
        Pump(1);
        JeuNet& h = game();
        if (h.RoundOver) {
            if (h.GameOver) break;
            const std::size_t mark = this->mark(b);
            a.sendLine("7:&");
            ASSERT_TRUE(WaitFor([&] { return b.lines().size() >= mark + 2; }));
            continue;
        }
        if (h.SeatToMove == 1) {
            driver.tick();
            continue;
        }
        const int seat = h.SeatToMove;
        RawGuest& mover = seat == 0 ? a : b;
        RawGuest& other = seat == 0 ? b : a;
        if (!checkedBinding && checkedTile && seat == 2) {
            // A has moved for seat 0: it may not move for seat 2.
            int index = 0, end = 0;
            const int refused = host.Counts().Refused;
            if (LegalMove(h, 2, index, end)) a.sendLine(TilePlayedLine(2, index, end));
            else a.sendLine("3:&");
            ASSERT_TRUE(WaitFor([&] { return host.Counts().Refused == refused + 1; }));
            EXPECT_EQ(game().SeatToMove, 2);
            checkedBinding = true;
        }
        const std::size_t markMover = mark(mover), markOther = mark(other);
        int index = 0, end = 0;
        if (LegalMove(h, seat, index, end)) {
            const int played = h.PlayedCount();
            mover.sendLine(TilePlayedLine(seat, index, end));
            ASSERT_TRUE(WaitFor([&] { return game().PlayedCount() == played + 1; }));
            const auto toOther = since(other, markOther);
            const auto toMover = since(mover, markMover, 0);
            ASSERT_GE(toOther.size(), 1u);
            EXPECT_EQ(toOther[0], TilePlayedLine(seat, index, end));
            if (!game().RoundOver) {
                const std::string turn = "1:" + std::to_string(game().SeatToMove) + "&";
                EXPECT_EQ(toMover, std::vector<std::string>{turn});
                EXPECT_EQ(toOther, (std::vector<std::string>{TilePlayedLine(seat, index, end), turn}));
            }
            checkedTile = true;
        } else {
            mover.sendLine("3:&");
            ASSERT_TRUE(WaitFor([&] { return game().Passed[seat]; }));
            EXPECT_EQ(since(other, markOther), std::vector<std::string>{"3:" + std::to_string(seat) + "&"});
            EXPECT_TRUE(since(mover, markMover, 0).empty());
            checkedPass = true;
        }
    }
    EXPECT_TRUE(checkedTile);
    EXPECT_TRUE(checkedBinding);

    // Chat from A reaches the host's window and B, not A.
    const std::size_t markA = mark(a), markB = mark(b);
    a.sendLine("9:0&hello: there&");
    ASSERT_TRUE(WaitFor([&] { return !window.Chat.empty(); }));
    EXPECT_EQ(window.Chat.back(), "Ann: hello: there");
    EXPECT_EQ(since(b, markB), std::vector<std::string>{"9:0&hello: there&"});
    EXPECT_TRUE(since(a, markA, 0).empty());
}

struct DropCase {
    std::string name;
    bool localAbandon;
    std::string status;
};

class HostDrop : public HostLink, public ::testing::WithParamInterface<DropCase> {};

TEST_P(HostDrop, AGuestLeavingMidHandEndsTheGameAndTheHostGoesOn) {
    listen();
    RawGuest& g = guest();
    ASSERT_TRUE(waitConnections(1));
    g.sendLine("8:&");
    ASSERT_TRUE(g.waitLines(1));
    SideDriver driver{window};
    for (int i = 0; i < 5; ++i) driver.tick();
    ASSERT_FALSE(game().GameOver);
    window.LocalAbandonFlag = GetParam().localAbandon;
    g.socket().abort();
    ASSERT_TRUE(WaitFor([&] { return game().GameOver; }));
    EXPECT_TRUE(window.GameAborted);
    EXPECT_EQ(window.Status, GetParam().status);
    EXPECT_TRUE(window.Results.empty()) << "an aborted game posts no result of its own";

    // The host still listens; a new guest can start a new game.
    ASSERT_TRUE(WaitFor([&] { return host.ConnectionCount() == 0; }));
    RawGuest& next = guest();
    ASSERT_TRUE(waitConnections(1));
    next.sendLine("8:&");
    ASSERT_TRUE(next.waitLines(1));
    EXPECT_EQ(window.GamesStarted, 2);
    EXPECT_FALSE(game().GameOver);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, HostDrop,
    ::testing::Values(DropCase{"guest_left", false, "One of the players have left the game."},
                      DropCase{"host_abandoned_first", true, ""}),
    [](const auto& info) { return info.param.name; });

} // namespace
