#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "lobby/RequestMaker.h"

using namespace lobby;

namespace {

// The iop value an encoded request carries.
int iopOf(const std::string& url) {
    const auto at = url.rfind("&iop=");
    return at == std::string::npos ? INT_MIN : std::stoi(url.substr(at + 5));
}

struct Lobby {
    LobbyIdentity id{"http://127.0.0.1/all/", "nick", "pw", "Club", "10.0.0.1", 5000};
    Counters counters;
    RequestMaker make{id, counters};
};

const QDateTime Now(QDate(2026, 12, 10), QTime(14, 0, 0));

} // namespace

// What each request sends as iop and leaves in the counter, from a counter of 10.
TEST(Counter, EachRequestStepsTheCounterAsItsRowSays) {
    struct Case {
        const char* row;
        std::function<std::string(RequestMaker&)> send;
        int sent, after;
    };
    const std::vector<Case> cases = {
        {"00 from a title or the banner: before", [](RequestMaker& m) { return m.LoginCheck(); }, 11, 11},
        {"00 from the options: unchanged", [](RequestMaker& m) { return m.LoginCheck(LobbyRow::LoginCheckFromOptions); }, 10, 10},
        {"01: before", [](RequestMaker& m) { return m.Login(true, Now); }, 11, 11},
        {"02 with competition: unchanged", [](RequestMaker& m) { return m.LeaveCompetition(); }, 10, 10},
        {"02: unchanged", [](RequestMaker& m) { return m.Leave(); }, 10, 10},
        {"03: unchanged", [](RequestMaker& m) { return m.UserList(); }, 10, 10},
        {"04 kind 1: unchanged", [](RequestMaker& m) { return m.PrivateMessage("1.1.1.1", 1, "s", "t"); }, 10, 10},
        {"04 kind 2: unchanged", [](RequestMaker& m) { return m.Notice(MessageKind::Invitation, "1.1.1.1", 1, Now); }, 10, 10},
        {"04 kind 3: unchanged", [](RequestMaker& m) { return m.Notice(MessageKind::Refusal, "1.1.1.1", 1, Now); }, 10, 10},
        {"04 kind 4: after", [](RequestMaker& m) { return m.Notice(MessageKind::Acceptance, "1.1.1.1", 1, Now); }, 10, 11},
        {"04 kind 5: after", [](RequestMaker& m) { return m.Notice(MessageKind::HostAck, "1.1.1.1", 1, Now); }, 10, 11},
        {"04 kind 6: after", [](RequestMaker& m) { return m.Notice(MessageKind::GuestAck, "1.1.1.1", 1, Now); }, 10, 11},
        {"04 kind 7: after", [](RequestMaker& m) { return m.Notice(MessageKind::GameStart, "1.1.1.1", 1, Now); }, 10, 11},
        {"5: after", [](RequestMaker& m) { return m.PollMessages(); }, 10, 11},
        {"07: after", [](RequestMaker& m) { return m.Presence(); }, 10, 11},
        {"08 abandon: before", [](RequestMaker& m) { return m.Abandon(); }, 11, 11},
        {"08 abandon on time-out: before", [](RequestMaker& m) { return m.TimeOutAbandon(); }, 11, 11},
        {"08 result: before", [](RequestMaker& m) { return m.Result(2); }, 11, 11},
    };
    for (const auto& c : cases) {
        Lobby lobby;
        lobby.counters.LobbyRequestCounter = 10;
        EXPECT_EQ(iopOf(c.send(lobby.make)), c.sent) << c.row;
        EXPECT_EQ(lobby.counters.LobbyRequestCounter, c.after) << c.row;
        EXPECT_EQ(lobby.counters.SavedRequestCounter, 0) << c.row << ": no request saves the counter";
    }
}

TEST(Counter, OnePollingCycleSendsPresenceThenTheListThenThePoll) {
    Lobby lobby;
    lobby.counters.LobbyRequestCounter = 40;
    EXPECT_EQ(iopOf(lobby.make.Presence()), 40);
    EXPECT_EQ(iopOf(lobby.make.UserList()), 41);
    EXPECT_EQ(iopOf(lobby.make.PollMessages()), 41);
    EXPECT_EQ(lobby.counters.LobbyRequestCounter, 42);
}

TEST(Counter, TheSavedCounterCarriesOverToTheNextConnect) {
    {   // Disconnect, then connect again: the log-in carries the counter at disconnect + 2.
        Lobby lobby;
        lobby.counters.Connecting();
        lobby.make.Login(false, Now);
        lobby.make.PollMessages();
        lobby.make.Presence();
        const int atDisconnect = lobby.counters.LobbyRequestCounter;
        EXPECT_EQ(iopOf(lobby.make.Leave()), atDisconnect);
        lobby.counters.Disconnected();
        lobby.make.Presence();  // a stray request in between changes nothing at the connect
        lobby.counters.Connecting();
        EXPECT_EQ(iopOf(lobby.make.Login(false, Now)), atDisconnect + 2);
    }
    {   // A refusal: the next connect starts from the counter at the refusal.
        Lobby lobby;
        lobby.counters.Connecting();
        EXPECT_EQ(iopOf(lobby.make.Login(true, Now)), 1);
        lobby.counters.Refused();
        lobby.counters.Connecting();
        EXPECT_EQ(iopOf(lobby.make.Login(true, Now)), 2);
    }
    {   // A guest leaving for a game keeps the counter the leave request carried.
        Lobby lobby;
        lobby.counters.LobbyRequestCounter = 7;
        EXPECT_EQ(iopOf(lobby.make.LeaveCompetition()), 7);
        lobby.counters.GuestLeftForGame();
        lobby.make.Result(1);
        lobby.counters.Connecting();
        EXPECT_EQ(lobby.counters.LobbyRequestCounter, 7);
    }
}

TEST(Counter, TheHostSavesOnAJoinLineUnlessItsRulesSayNot) {
    Counters client;
    client.LobbyRequestCounter = 12;
    client.GuestJoined();
    EXPECT_EQ(client.SavedRequestCounter, 12);

    Counters server;
    server.Rules.SaveWhenGuestJoins = false;
    server.SavedRequestCounter = 3;
    server.LobbyRequestCounter = 12;
    server.GuestJoined();
    EXPECT_EQ(server.SavedRequestCounter, 3);
    server.Disconnected();
    EXPECT_EQ(server.SavedRequestCounter, 13);
}

TEST(Counter, WrapsAtTheTopOfItsRange) {
    Counters c;
    c.LobbyRequestCounter = INT_MAX;
    EXPECT_EQ(c.Take(CounterStep::After), INT_MAX);
    EXPECT_EQ(c.LobbyRequestCounter, INT_MIN);
    c.LobbyRequestCounter = INT_MAX;
    c.Disconnected();
    EXPECT_EQ(c.SavedRequestCounter, INT_MIN);
}
