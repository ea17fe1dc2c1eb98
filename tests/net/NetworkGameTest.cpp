// Whole network games between a real host and real guests in one process, over loopback
// sockets, and the end of a game when one side leaves.
#include <gtest/gtest.h>

#include "NetSupport.h"
#include "game/Statistics.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

// The result code a side should post, from the final round wins (host numbering).
int ExpectedResult(const std::array<int, 3>& wins, int ownHostSeat) {
    int pigs = 0;
    for (int w : wins) pigs += w == 0 ? 1 : 0;
    if (wins[ownHostSeat] == 0) return 3;
    if (wins[ownHostSeat] >= 3) return pigs == 2 ? 0 : 1;
    return 2;
}

struct Side {
    explicit Side(bool isGuest) : driver{window} {
        if (isGuest) {
            guest = std::make_unique<GameLinkGuest>(window);
            driver.guest = guest.get();
        }
    }
    HeadlessGameWindow window;
    std::unique_ptr<GameLinkGuest> guest;
    SideDriver driver;
    JeuNet* game() { return window.Game.get(); }
    bool over() { return game() && game()->GameOver; }
};

struct GameCase {
    std::string name;
    bool playWithCpu;
    std::array<LobbySlot, 2> opponents;
    std::vector<std::string> guestAddresses;  // one guest per address, connecting in this order
    std::vector<int> guestSeats;              // the host seat each should find
    unsigned seed;
};

class NetworkGame : public ::testing::TestWithParam<GameCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(GetParam().seed);
    }
    void TearDown() override { platform::ClearFixedSeed(); }

    // Starts the host and connects every guest; true once the first hand is dealt everywhere.
    bool startAll() {
        const GameCase& c = GetParam();
        hostLink = std::make_unique<GameLinkHost>(host.window);
        hostLink->PlayWithCpu = c.playWithCpu;
        hostLink->Opponents = c.opponents;
        hostLink->OwnName = "Host";
        hostLink->OwnAddress = "10.0.0.1";
        hostLink->StatisticsFile = "host.sta";
        if (!hostLink->Listen(0, "127.0.0.1")) return false;
        for (std::size_t i = 0; i < c.guestAddresses.size(); ++i) {
            guests.push_back(std::make_unique<Side>(true));
            GameLinkGuest& g = *guests.back()->guest;
            g.LobbyAddress = c.guestAddresses[i];
            // As the main window does: the guest's lobby nickname goes with its join.
            for (const LobbySlot& slot : c.opponents)
                if (slot.IP == g.LobbyAddress) g.LobbyNickname = slot.Name;
            g.StatisticsFile = "guest" + std::to_string(i) + ".sta";
            g.Connect("127.0.0.1", hostLink->Port());
            if (!WaitFor([&] { return hostLink->ConnectionCount() == static_cast<int>(i) + 1; }))
                return false;
        }
        return WaitFor([&] {
            if (!host.game()) return false;
            for (auto& g : guests)
                if (!g->game()) return false;
            return true;
        });
    }
    bool everyoneOver() {
        if (!host.over()) return false;
        for (auto& g : guests)
            if (!g->over()) return false;
        return true;
    }
    // Plays until every side's game is over; false past the limit.
    bool playToEnd(int limitMs = 30000) {
        QElapsedTimer clock;
        clock.start();
        while (!everyoneOver()) {
            if (clock.elapsed() > limitMs) return false;
            Pump(1);
            host.driver.tick();
            for (auto& g : guests) g->driver.tick();
        }
        Pump(20);
        host.driver.tick();
        for (auto& g : guests) g->driver.tick();
        return true;
    }

    TempFolder dir;
    Side host{false};
    std::unique_ptr<GameLinkHost> hostLink;
    std::vector<std::unique_ptr<Side>> guests;
};

TEST_P(NetworkGame, HostAndGuestsAgreeOnEveryHandAndOnTheResult) {
    const GameCase& c = GetParam();
    ASSERT_TRUE(startAll());
    for (std::size_t i = 0; i < guests.size(); ++i)
        EXPECT_EQ(guests[i]->game()->NetSeat, c.guestSeats[i]);
    ASSERT_TRUE(playToEnd()) << "the game did not end";

    const auto& hostHands = host.driver.handWinners;
    ASSERT_FALSE(hostHands.empty());
    ASSERT_EQ(host.driver.finalWins.size(), 1u);
    const std::array<int, 3> wins = host.driver.finalWins[0];
    EXPECT_TRUE(wins[0] >= 3 || wins[1] >= 3 || wins[2] >= 3);
    for (std::size_t i = 0; i < guests.size(); ++i) {
        SCOPED_TRACE("guest " + std::to_string(i));
        Side& g = *guests[i];
        EXPECT_EQ(g.driver.handWinners, hostHands);
        EXPECT_EQ(g.driver.finalWins, host.driver.finalWins);
        // The last table: same chain and hands on both sides.
        TableState a = StateOf(*host.game()), b = StateOf(*g.game());
        a.seatToMove = b.seatToMove = -1;
        EXPECT_EQ(a, b);
        const int result = ExpectedResult(wins, c.guestSeats[i]);
        EXPECT_EQ(g.window.Results, std::vector<int>{result});
        EXPECT_EQ(ReadStatisticsFile(dir.path() + "/guest" + std::to_string(i) + ".sta").Played, 1);
        EXPECT_EQ(g.guest->Counts().Refused, 0);
        EXPECT_EQ(g.guest->Counts().Malformed, 0);
    }
    EXPECT_EQ(host.window.Results, std::vector<int>{ExpectedResult(wins, 1)});
    const Statistics hs = ReadStatisticsFile(dir.path() + "/host.sta");
    EXPECT_EQ(hs.Played, 1);
    EXPECT_EQ(hs, host.game()->Stats);
    EXPECT_EQ(hostLink->Counts().Malformed, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Games, NetworkGame,
    ::testing::Values(
        GameCase{"computer_at_host_seat_2", true,
                 {LobbySlot{"Net CPU", 3, ""}, LobbySlot{"Ann", 1, "10.0.0.5"}},
                 {"10.0.0.5"}, {0}, 11},
        GameCase{"computer_at_host_seat_0", true,
                 {LobbySlot{"Ann", 1, "10.0.0.5"}, LobbySlot{"Wall CPU", 3, ""}},
                 {"10.0.0.5"}, {2}, 12},
        GameCase{"two_guests", false,
                 {LobbySlot{"Bob", 1, "10.0.0.7"}, LobbySlot{"Ann", 1, "10.0.0.5"}},
                 {"10.0.0.5", "10.0.0.7"}, {0, 2}, 13},
        GameCase{"two_guests_other_order", false,
                 {LobbySlot{"Bob", 1, "10.0.0.7"}, LobbySlot{"Ann", 1, "10.0.0.5"}},
                 {"10.0.0.7", "10.0.0.5"}, {2, 0}, 14}),
    [](const auto& info) { return info.param.name; });

class LeavingPlayer : public NetworkGame {};

TEST_P(LeavingPlayer, AGuestThatDropsMidHandEndsTheGameOnTheHost) {
    ASSERT_TRUE(startAll());
    for (int i = 0; i < 40; ++i) {
        Pump(1);
        host.driver.tick();
        for (auto& g : guests) g->driver.tick();
    }
    ASSERT_FALSE(host.over());
    guests[0]->guest->Close();
    ASSERT_TRUE(WaitFor([&] { return host.over(); }));
    EXPECT_TRUE(host.window.GameAborted);
    EXPECT_EQ(host.window.Status, "One of the players have left the game.");
    EXPECT_TRUE(host.window.Results.empty());
    EXPECT_TRUE(hostLink->IsListening());
    // Closing its own socket stops the leaving guest's game as well.
    EXPECT_TRUE(guests[0]->over());
}

TEST_P(LeavingPlayer, AHostThatDropsMidHandEndsTheGameOnEveryGuest) {
    ASSERT_TRUE(startAll());
    for (int i = 0; i < 40; ++i) {
        Pump(1);
        host.driver.tick();
        for (auto& g : guests) g->driver.tick();
    }
    host.window.LocalAbandonFlag = true;
    hostLink->Close();
    for (auto& g : guests) {
        ASSERT_TRUE(WaitFor([&] { return g->over(); }));
        EXPECT_TRUE(g->window.GameAborted);
        EXPECT_EQ(g->window.Status, "One of the players have left the game.");
    }
    EXPECT_TRUE(host.over());
    EXPECT_EQ(host.window.Status, "") << "the host left first: no text on its side";
}

INSTANTIATE_TEST_SUITE_P(
    Drops, LeavingPlayer,
    ::testing::Values(GameCase{"one_guest", true,
                               {LobbySlot{"Net CPU", 3, ""}, LobbySlot{"Ann", 1, "10.0.0.5"}},
                               {"10.0.0.5"}, {0}, 21},
                      GameCase{"two_guests", false,
                               {LobbySlot{"Bob", 1, "10.0.0.7"}, LobbySlot{"Ann", 1, "10.0.0.5"}},
                               {"10.0.0.5", "10.0.0.7"}, {0, 2}, 22}),
    [](const auto& info) { return info.param.name; });

} // namespace
