#include <gtest/gtest.h>

#include "lobby/Replies.h"
#include "lobby/Requests.h"

namespace {

TEST(LobbyReplies, UserListsReadEveryFieldAndStopAtTheirEnd) {
    struct Case {
        const char* name;
        std::string reply;
        std::size_t users;
    };
    const Case cases[] = {
        {"empty list", "*01:*", 0},
        {"one user", "*01:[a;b;c;Se;fr;f;1.2.3.4;2032;*", 1},
        {"two users", "*03:[a;b;c;Se;fr;f;1.2.3.4;2032;[d;e;f;Cl;lk;g;5.6.7.8;3000;*", 2},
        {"no end marker", "*03:[a;b;c;Se;fr;f;1.2.3.4;2032;", 1},
        {"cut inside a record", "*03:[a;b;c;Se;fr;f;1.2.3.4;2032;[d;e;f", 1},
        {"a port that is no number", "*03:[a;b;c;Se;fr;f;1.2.3.4;x;[d;e;f;Cl;lk;g;5.6.7.8;3000;*", 1},
        {"not a user list", "*05:[a;b;c;Se;fr;f;1.2.3.4;2032;*", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(lobby::ReadUserList(c.reply).size(), c.users) << c.name;

    const auto users = lobby::ReadUserList("*01:[Nc;No;since;Se;lk;extra;123456789012345678901234;2032]*");
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(users[0].NameC, "Nc");
    EXPECT_EQ(users[0].NameOther, "No");
    EXPECT_EQ(users[0].Info, "since");
    EXPECT_EQ(users[0].Kind, "Se");
    EXPECT_EQ(users[0].State, "lk");
    EXPECT_EQ(users[0].Extra, "extra");
    EXPECT_EQ(users[0].IP, "12345678901234567890");  // cut to 20
    EXPECT_EQ(users[0].Port, 2032);
}

TEST(LobbyReplies, MessageListsEndAtStarBracketOrTheTextsEnd) {
    struct Case {
        const char* name;
        std::string reply;
        std::size_t messages;
    };
    const Case cases[] = {
        {"star at once", "*05:*", 0},
        {"bracket at once", "*05:]", 0},
        {"two", "*05:[2;d;1.1.1.1;10;e;;[1;d;1.1.1.1;10;e;hello;*", 2},
        {"cut in the middle", "*05:[2;d;1.1.1.1;10;e;;[1;d;1.1", 1},
        {"a kind that is no number", "*05:[x;d;1.1.1.1;10;e;;[1;d;1.1.1.1;10;e;hi;*", 1},
        {"empty text", "", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(lobby::ReadMessages(c.reply).size(), c.messages) << c.name;

    const auto m = lobby::ReadMessages("*05:[1;" + std::string(30, 'd') + ";9.9.9.9;77;e;" + std::string(300, 'x') + ";*");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].Kind, 1);
    EXPECT_EQ(m[0].DateTime.size(), 20u);
    EXPECT_EQ(m[0].SenderIP, "9.9.9.9");
    EXPECT_EQ(m[0].SenderPort, 77);
    EXPECT_EQ(m[0].Data.size(), 255u);
    EXPECT_FALSE(m[0].Answered);
    EXPECT_FALSE(m[0].Seen);
}

TEST(LobbyReplies, RefusalsCompetitionsAndTheUserLookUp) {
    EXPECT_EQ(lobby::RefusalReason("*rj:tm"), "tm");
    EXPECT_EQ(lobby::RefusalReason("*rj:id**"), "id");
    EXPECT_FALSE(lobby::RefusalReason("*01:*"));
    EXPECT_EQ(lobby::ReadCompetitions("*00:[Open;0;[Closed;1;[Cup;0;*"),
              (std::vector<std::string>{"Open", "Cup"}));

    std::vector<lobby::cJoueur> users{{"a", "a", 10, "1.1.1.1"}, {"b", "b", 11, "1.1.1.1"}};
    EXPECT_EQ(lobby::ReturnIndexIP(users, "1.1.1.1", 11), 1);
    EXPECT_EQ(lobby::ReturnIndexIP(users, "1.1.1.1", 12), -1);
    EXPECT_EQ(lobby::ReturnIndexIP({}, "1.1.1.1", 10), -1);
}

TEST(LobbyRequests, KeysComeInTheirOrderWithEncodedValues) {
    const lobby::Account a{"Jos\xE9 A", "p&w", "Cup", "10.0.0.1", 2032};
    const std::string base = "http://site/all/";
    EXPECT_EQ(lobby::LogInRequest(base, a, true, "1/2", 4),
              "http://site/all/page0.php?req=01&wsurnom=Jos%E9%20A&wpassword=p%26w&wnomcomp=Cup&wtype=Se"
              "&wetat=fr&wadIP=10.0.0.1&wport=2032&wdatetime=1/2&iop=4");
    EXPECT_EQ(lobby::PollMessagesRequest(base, a, 5),
              "http://site/all/page0.php?req=5&wsurnom=Jos%E9%20A&wpassword=p%26w&widsource=10.0.0.1"
              "&wportsource=2032&iop=5");
    EXPECT_EQ(lobby::UserListRequest(base, a, 6),
              "http://site/all/page0.php?req=03&wadIP=10.0.0.1&wport=2032&wsurnom=Jos%E9%20A&wpassword=p%26w"
              "&wnomcomp=Cup&iop=6");
    EXPECT_EQ(lobby::TimeOutAbandonRequest(base, a, 7),
              "http://site/all/page0.php?req=08&wsurnom=Jos%E9%20A&wpassword=p%26w&wnomcomp=Cup"
              "&wadIP=10.0.0.1&wres=5&iop=7");
    EXPECT_EQ(lobby::MessageRequest(base, a, 4, "10.0.0.2", 3000, "on d at t", "10.0.0.2", 8),
              "http://site/all/page0.php?req=04&wsurnom=Jos%E9%20A&wpassword=p%26w&wtype=4&widsource=10.0.0.1"
              "&wportsource=2032&widdestin=10.0.0.2&wportdestin=3000&wdatetime=on%20d%20at%20t"
              "&wdata=10.0.0.2&iop=8");
}

} // namespace
