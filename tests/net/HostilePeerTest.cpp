// Peers that do not play by the rules against a real listening host: a guest that never
// reads while the other floods, a guest that moves for the other's seat, connections that
// stall before their join.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "NetSupport.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/TempFolder.h"

using namespace net;

namespace {

const char* const LeftTheGame = "One of the players have left the game.";

// A plain socket that connects and is never read: what the host sends it piles up.
class DeafPeer {
public:
    explicit DeafPeer(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int small = 4096;
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~DeafPeer() { ::close(fd_); }
    bool connected() const { return connected_; }
    void send(const std::string& text) { ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL); }
    int localPort() const {
        sockaddr_in a{};
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        return ntohs(a.sin_port);
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

class HostilePeers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        platform::SetProgramFolderForTests(dir.path());
        platform::SetFixedSeed(4321);
        host.OwnName = "Host";
        host.OwnAddress = "127.0.0.9";
        host.JoinTimeoutMs = 300;
    }
    void TearDown() override { platform::ClearFixedSeed(); }
    void twoGuests(const std::string& addressAnn, const std::string& addressBob) {
        host.PlayWithCpu = false;
        host.Opponents[0] = {"Bob", 1, addressBob};  // host seat 2
        host.Opponents[1] = {"Ann", 1, addressAnn};  // host seat 0
        ASSERT_TRUE(host.Listen(0, "127.0.0.1")) << host.LastError();
    }
    void oneGuest() {
        host.Opponents[0] = {"Net CPU", 3, ""};
        host.Opponents[1] = {"Ann", 1, "127.0.0.1"};
        ASSERT_TRUE(host.Listen(0, "127.0.0.1")) << host.LastError();
    }
    RawGuest& guest(const std::string& from = "127.0.0.1") {
        guests.push_back(std::make_unique<RawGuest>());
        EXPECT_TRUE(guests.back()->connectFrom(host.Port(), from));
        return *guests.back();
    }
    // The host's connection object of a raw guest.
    TClientConnection* connectionOf(RawGuest& g) {
        for (int i = 0; i < host.ConnectionCount(); ++i)
            if (host.Connection(i)->PeerPort() == g.socket().localPort()) return host.Connection(i);
        return nullptr;
    }
    int dropped() const { return host.Counts().Refused + host.Counts().Malformed; }

    TempFolder dir;
    HeadlessGameWindow window;
    GameLinkHost host{window};
    std::vector<std::unique_ptr<RawGuest>> guests;
};

// ---- what may wait to be sent -------------------------------------------------------------

TEST_F(HostilePeers, AGuestThatNeverReadsIsDroppedAsLeftAndTheOtherGuestIsTold) {
    twoGuests("127.0.0.1", "127.0.0.1");
    host.SendLimit = 64 * 1024;
    DeafPeer deaf(host.Port());
    ASSERT_TRUE(deaf.connected());
    deaf.send("8:Bob&\r\n");
    ASSERT_TRUE(WaitFor([&] { return host.ConnectionCount() == 1 && host.Connection(0)->Seated; }));

    HeadlessGameWindow annWindow;
    GameLinkGuest ann(annWindow);
    ann.LobbyAddress = "127.0.0.1";
    ann.LobbyNickname = "Ann";
    ann.Connect("127.0.0.1", host.Port());
    ASSERT_TRUE(WaitFor([&] { return window.Game && annWindow.Game; }));
    EXPECT_EQ(annWindow.Game->NetSeat, 0);

    // Ann floods chat lines; the host passes each on to the deaf guest until its queue is full.
    const TClientConnection* deafConnection = nullptr;
    for (int i = 0; i < host.ConnectionCount(); ++i)
        if (host.Connection(i)->PeerPort() == deaf.localPort()) deafConnection = host.Connection(i);
    ASSERT_TRUE(deafConnection);
    QPointer<const QObject> watched(deafConnection);
    qint64 mostQueued = 0;
    const std::string text(280, 'x');
    ASSERT_TRUE(WaitFor(
        [&] {
            if (!watched) return true;
            mostQueued = std::max(mostQueued, deafConnection->BytesToWrite());
            for (int i = 0; i < 50; ++i) ann.SendChat(text);
            return false;
        },
        30000))
        << "the deaf guest was never dropped";
    EXPECT_LE(mostQueued, host.SendLimit);
    EXPECT_TRUE(window.Game->GameOver);
    EXPECT_EQ(window.Status, LeftTheGame);
    // Ann's link is closed, so her window shows the same end.
    ASSERT_TRUE(WaitFor([&] { return annWindow.Game->GameOver; }));
    EXPECT_EQ(annWindow.Status, LeftTheGame);
    EXPECT_TRUE(WaitFor([&] { return host.ConnectionCount() == 0; }));
}

// ---- seats ----------------------------------------------------------------------------------

struct BindCase {
    std::string name;
    std::string annAddress, bobAddress;    // the lobby's addresses of seats 0 and 2
    std::string firstFrom, secondFrom;     // where the two connections come from
    std::string firstJoin, secondJoin;     // their join lines
    int firstSeat, secondSeat;             // the seats they are bound to
};

class SeatBinding : public HostilePeers, public ::testing::WithParamInterface<BindCase> {};

TEST_P(SeatBinding, EachConnectionIsBoundToOneSeatWhenTheGameStarts) {
    const BindCase& c = GetParam();
    twoGuests(c.annAddress, c.bobAddress);
    RawGuest& first = guest(c.firstFrom);
    first.sendLine(c.firstJoin);
    ASSERT_TRUE(WaitFor([&] { return connectionOf(first) && connectionOf(first)->Seated; }));
    RawGuest& second = guest(c.secondFrom);
    second.sendLine(c.secondJoin);
    ASSERT_TRUE(first.waitLines(1) && second.waitLines(1));
    ASSERT_TRUE(window.Game);
    EXPECT_EQ(connectionOf(first)->BoundSeat, c.firstSeat);
    EXPECT_EQ(connectionOf(second)->BoundSeat, c.secondSeat);
}

INSTANTIATE_TEST_SUITE_P(
    Binding, SeatBinding,
    ::testing::Values(
        // Their addresses tell the two apart, whatever the order of the joins and the names.
        BindCase{"by_address", "127.0.0.2", "127.0.0.3", "127.0.0.3", "127.0.0.2", "8:Ann&",
                 "8:&", 2, 0},
        // One address for both: the nickname in the join line.
        BindCase{"by_nickname", "127.0.0.1", "127.0.0.1", "127.0.0.1", "127.0.0.1", "8:Bob&",
                 "8:Ann&", 2, 0},
        BindCase{"by_nickname_reversed", "127.0.0.1", "127.0.0.1", "127.0.0.1", "127.0.0.1",
                 "8:Ann&", "8:Bob&", 0, 2},
        // Both through one proxy, whose address is neither guest's.
        BindCase{"through_a_proxy", "10.1.1.1", "10.2.2.2", "127.0.0.4", "127.0.0.4", "8:Ann&",
                 "8:Bob&", 0, 2},
        // Nothing tells them apart: in the order of the joins, seat 0 then seat 2.
        BindCase{"by_join_order", "127.0.0.1", "127.0.0.1", "127.0.0.1", "127.0.0.1", "8:&",
                 "8:&", 0, 2},
        // One known by its address, the other takes the seat left, whatever name it gives.
        BindCase{"address_then_the_seat_left", "127.0.0.2", "10.2.2.2", "127.0.0.5",
                 "127.0.0.2", "8:Ann&", "8:&", 2, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(HostilePeers, AGuestCannotMovePassOrChatForTheOtherGuestsSeat) {
    twoGuests("127.0.0.2", "127.0.0.3");
    RawGuest& ann = guest("127.0.0.2");
    RawGuest& bob = guest("127.0.0.3");
    ann.sendLine("8:&");
    bob.sendLine("8:&");
    ASSERT_TRUE(ann.waitLines(1) && bob.waitLines(1));
    ASSERT_TRUE(window.Game);
    JeuNet& g = *window.Game;
    SideDriver driver{window};
    // Bob plays his turns and the host its own until it is Ann's turn.
    ASSERT_TRUE(WaitFor([&] {
        if (g.SeatToMove == 1) driver.tick();
        if (g.SeatToMove == 2 && !g.RoundOver) {
            int i = 0, e = 0;
            const int played = g.PlayedCount();
            if (LegalMove(g, 2, i, e)) {
                bob.sendLine(TilePlayedLine(2, i, e));
                WaitFor([&] { return g.PlayedCount() == played + 1; });
            } else {
                bob.sendLine("3:&");
                WaitFor([&] { return g.Passed[2]; });
            }
        }
        return g.SeatToMove == 0 && !g.RoundOver;
    }));
    const TableState before = StateOf(g);

    // Bob moves first for Ann's seat: her tile, a pass in her turn, a chat in her name.
    int index = 0, end = 0;
    const bool canPlay = LegalMove(g, 0, index, end);
    const int before0 = dropped();
    bob.sendLine(canPlay ? TilePlayedLine(0, index, end) : std::string("3:&"));
    bob.sendLine("3:&");
    bob.sendLine("9:0&I am Ann&");
    ASSERT_TRUE(WaitFor([&] { return dropped() == before0 + 3; }));
    EXPECT_EQ(StateOf(g), before);
    EXPECT_TRUE(window.Chat.empty());

    // The game goes on for Ann.
    const int played = g.PlayedCount();
    if (canPlay) {
        ann.sendLine(TilePlayedLine(0, index, end));
        ASSERT_TRUE(WaitFor([&] { return g.PlayedCount() == played + 1; }));
    } else {
        ann.sendLine("3:&");
        ASSERT_TRUE(WaitFor([&] { return g.Passed[0]; }));
    }
    EXPECT_EQ(g.SeatToMove, 1);
    ann.sendLine("9:0&it is me&");
    ASSERT_TRUE(WaitFor([&] { return !window.Chat.empty(); }));
    EXPECT_EQ(window.Chat.back(), "Ann: it is me");
}

// ---- connections before the join ----------------------------------------------------------

struct StallCase {
    std::string name;
    std::string sent;  // what the stray connection sends before it stalls
};

class StalledJoin : public HostilePeers, public ::testing::WithParamInterface<StallCase> {};

TEST_P(StalledJoin, AStrayConnectionNeverKeepsTheRealGuestFromJoining) {
    oneGuest();
    RawGuest& stray = guest();
    if (!GetParam().sent.empty()) stray.send(GetParam().sent);
    ASSERT_TRUE(WaitFor([&] { return host.ConnectionCount() == 1; }));
    Pump(30);

    RawGuest& real = guest();
    real.sendLine("8:&");
    ASSERT_TRUE(real.waitLines(1));
    EXPECT_EQ(real.lines()[0].substr(0, 2), "0:");
    ASSERT_TRUE(window.Game);
    EXPECT_TRUE(WaitFor([&] { return stray.closed(); })) << "the stray is closed";
    EXPECT_FALSE(real.closed());

    // The real guest plays its seat.
    JeuNet& g = *window.Game;
    SideDriver driver{window};
    ASSERT_TRUE(WaitFor([&] {
        if (g.SeatToMove != 0) driver.tick();
        return g.SeatToMove == 0 && !g.RoundOver;
    }));
    int index = 0, end = 0;
    const int played = g.PlayedCount();
    if (LegalMove(g, 0, index, end)) {
        real.sendLine(TilePlayedLine(0, index, end));
        EXPECT_TRUE(WaitFor([&] { return g.PlayedCount() == played + 1; }));
    } else {
        real.sendLine("3:&");
        EXPECT_TRUE(WaitFor([&] { return g.Passed[0]; }));
    }
}

INSTANTIATE_TEST_SUITE_P(Strays, StalledJoin,
                         ::testing::Values(StallCase{"silent", ""}, StallCase{"half_a_join", "8:"},
                                           StallCase{"join_without_line_end", "8:&"},
                                           StallCase{"chat_before_joining", "9:0&hello&\r\n"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(HostilePeers, AConnectionThatSendsNoJoinIsClosedAfterTheJoinTimeOut) {
    oneGuest();
    RawGuest& stray = guest();
    stray.send("8:");
    EXPECT_TRUE(WaitFor([&] { return stray.closed(); }, 5000));
    EXPECT_EQ(host.ConnectionCount(), 0);
    EXPECT_FALSE(window.Game);
}

TEST_F(HostilePeers, AFloodOfConnectionsDropsTheOldestWaitingOnesAndTheGuestStillJoins) {
    oneGuest();
    host.JoinTimeoutMs = 60000;
    host.MaxWaitingConnections = 3;
    std::vector<RawGuest*> strays;
    for (int i = 0; i < 6; ++i) {
        strays.push_back(&guest());
        Pump(5);
    }
    ASSERT_TRUE(WaitFor([&] { return host.ConnectionCount() <= 3; }));
    EXPECT_TRUE(WaitFor([&] { return strays[0]->closed() && strays[1]->closed() && strays[2]->closed(); }));
    RawGuest& real = guest();
    real.sendLine("8:&");
    ASSERT_TRUE(real.waitLines(1));
    EXPECT_EQ(real.lines()[0].substr(0, 2), "0:");
    // With every seat taken, the waiting connections have nothing to wait for.
    EXPECT_TRUE(WaitFor([&] { return host.ConnectionCount() == 1; }));
}

// A connection from an address in no seat of the set-up, whose join line names nobody of
// it, never takes the invited guest's place, however early it joins.
TEST_F(HostilePeers, AStrangersJoinIsClosedAndTheInvitedGuestStillJoins) {
    for (const std::string joinLine : {"8:&", "8:Mallory&"}) {
        SCOPED_TRACE(joinLine);
        guests.clear();
        host.Close();
        oneGuest();
        RawGuest& stranger = guest("127.0.0.7");
        stranger.sendLine(joinLine);
        EXPECT_TRUE(WaitFor([&] { return stranger.closed(); }));
        EXPECT_TRUE(stranger.lines().empty() || stranger.lines().back().substr(0, 2) != "0:");
        RawGuest& invited = guest();
        invited.sendLine("8:Ann&");
        ASSERT_TRUE(invited.waitLines(1));
        EXPECT_EQ(invited.lines()[0].substr(0, 2), "0:");
    }
}

// ---- the guest's side ----------------------------------------------------------------------

TEST(HostileHost, LinesLongerThanAnyHostLineAreDroppedAndTheGameGoesOn) {
    TempFolder dir;
    platform::SetProgramFolderForTests(dir.path());
    RawHost host;
    HeadlessGameWindow window;
    GameLinkGuest guest(window);
    guest.LobbyAddress = "127.0.0.1";
    guest.Connect("127.0.0.1", host.port());
    ASSERT_TRUE(host.accept());
    ASSERT_TRUE(host.pipe().waitLines(1));
    // The longest names a start line may carry still pass.
    const std::string name(150, 'n'), address(140, '1');
    host.pipe().sendLine(StartLine({name, name, name}, {"127.0.0.1", address, address}, {"1", "0", "3"}));
    ASSERT_TRUE(WaitFor([&] { return window.Game != nullptr; }));
    EXPECT_EQ(window.Game->SeatNames[1], name);

    host.pipe().sendLine("9:1&" + std::string(GuestLineLimit, 'y') + "&");
    host.pipe().sendLine("9:1&" + std::string(65000, 'z') + "&");
    host.pipe().sendLine("9:1&short&");
    ASSERT_TRUE(WaitFor([&] { return !window.Chat.empty(); }));
    EXPECT_EQ(window.Chat, std::vector<std::string>{name + ": short"});
    EXPECT_EQ(guest.Counts().Handled, 2);
    EXPECT_FALSE(window.Game->GameOver);
    platform::SetProgramFolderForTests("");
}

TEST(ChatLines, AreCutToWhatTheHostTakes) {
    const std::string line = ChatLine(2, std::string(1000, 'w'));
    EXPECT_EQ(line.size(), static_cast<std::size_t>(HostLineLimit));
    GameLine read;
    ASSERT_EQ(ParseGameLine(line, LineFrom::Guest, read), ReadResult::Handled);
    EXPECT_EQ(read.Text, std::string(HostLineLimit - 5, 'w'));
    EXPECT_EQ(JoinLine(), "8:&");
    ASSERT_EQ(ParseGameLine(JoinLine("Zo&e"), LineFrom::Guest, read), ReadResult::Handled);
    EXPECT_EQ(read.Text, "Zoe");
}

} // namespace
