#include <gtest/gtest.h>

#include <random>

#include "lobby/Replies.h"
#include "lobby/ReplyScanner.h"

using namespace lobby;

namespace {

std::string user(const std::string& name, const std::string& kind, const std::string& state,
                 const std::string& ip, const std::string& port) {
    return "#" + name + " (C);" + name + ";FR;" + kind + ";" + state + ";14:02;" + ip + ";" + port + ";";
}

std::string message(const std::string& kind, const std::string& port, const std::string& body) {
    return "[" + kind + ";on 10/12/2026 at 14:25:36;10.0.0.2;" + port + ";x;" + body + "]";
}

} // namespace

TEST(Replies, RefusalsAndTheAccountFlag) {
    struct Case {
        const char* reply;
        ReplyKind kind;
        const char* reason;
        bool accountRefused;
    };
    const Case cases[] = {
        {"*rj:id**", ReplyKind::Refusal, "id", true},
        {"*rj:id**and more", ReplyKind::Refusal, "id", true},
        {"*rj:id", ReplyKind::Refusal, "id", false},
        {"*rj:id*", ReplyKind::Refusal, "id", false},
        {"*rj:idx*", ReplyKind::Refusal, "id", false},
        {"*rj:tm", ReplyKind::Refusal, "tm", false},
        {"*rj:ar**", ReplyKind::Refusal, "ar", false},
        {"*rj:", ReplyKind::Refusal, "", false},
        {"*00:*", ReplyKind::Competitions, "", false},
        {"*01:*", ReplyKind::Login, "", false},
        {"*03:*", ReplyKind::UserList, "", false},
        {"*05:*", ReplyKind::Messages, "", false},
        {"", ReplyKind::Other, "", false},
        {"*rj", ReplyKind::Other, "", false},
        {"<html>", ReplyKind::Other, "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.reply), c.kind) << c.reply;
        EXPECT_EQ(RefusalReason(c.reply), c.reason) << c.reply;
        EXPECT_EQ(AccountRefused(c.reply), c.accountRefused) << c.reply;
    }
}

TEST(Replies, CompetitionsKeepTheirKinds) {
    const auto list = ReadCompetitions("*00:#Club;0;#Cup;1]#World;2;#Open;0;#Bad;x;*");
    ASSERT_EQ(list.Records.size(), 4u);
    EXPECT_EQ(list.Records[1].Name, "Cup");
    EXPECT_EQ(list.Records[2].Kind, 2);
    EXPECT_EQ(list.Dropped, 1) << "a kind that is not an integer drops its record only";
    EXPECT_EQ(CompetitionsOfKind(list, 0), (std::vector<std::string>{"Club", "Open"}));
    EXPECT_EQ(CompetitionsOfKind(list, 1), (std::vector<std::string>{"Cup"}));
    EXPECT_TRUE(ReadCompetitions("*00:*").Records.empty());
    EXPECT_TRUE(ReadCompetitions("*01:#Club;0;*").Records.empty()) << "only a *00: reply";
}

TEST(Replies, UserListRecords) {
    const std::string reply = "*03:" + user("ann", "Se", "fr", "10.0.0.2", "5001") +
                              user("bob", "Cl", "lk", "10.0.0.3", " 5002 ") + "*";
    const auto list = ReadUserList(reply);
    ASSERT_EQ(list.Records.size(), 2u);
    EXPECT_FALSE(list.Damaged());
    const cJoueur& ann = list.Records[0];
    EXPECT_EQ(ann.NameC, "ann (C)");
    EXPECT_EQ(ann.NameOther, "ann");
    EXPECT_EQ(ann.Country, "FR");
    EXPECT_TRUE(ann.IsHost());
    EXPECT_EQ(ann.State, "fr");
    EXPECT_EQ(ann.ConnectedSince, "14:02");
    EXPECT_EQ(ann.IP, "10.0.0.2");
    EXPECT_EQ(ann.Port, 5001);
    EXPECT_FALSE(list.Records[1].IsHost());
    EXPECT_EQ(list.Records[1].Port, 5002);
    // The log-in reply carries the same list.
    EXPECT_EQ(ReadUserList("*01:" + reply.substr(4)).Records.size(), 2u);
}

TEST(Replies, UserListEdgeCases) {
    struct Case {
        const char* what;
        std::string reply;
        size_t users;
        int dropped;
    };
    const std::string ann = user("ann", "Se", "fr", "10.0.0.2", "5001");
    const Case cases[] = {
        {"no record", "*01:*", 0, 0},
        {"nothing after the head", "*01:", 0, 0},
        {"not a user list", "*05:" + ann + "*", 0, 0},
        {"a port that is not an integer drops that user only",
         "*03:" + user("x", "Cl", "fr", "10.0.0.9", "50a1") + ann + "*", 1, 1},
        {"an empty port", "*03:" + user("x", "Cl", "fr", "10.0.0.9", "") + ann + "*", 1, 1},
        {"a port beyond 32 bits", "*03:" + user("x", "Cl", "fr", "1.1.1.1", "99999999999") + "*", 0, 1},
        {"cut inside a record", "*03:" + ann + ann.substr(0, 20), 1, 1},
        {"cut after a whole record", "*03:" + ann, 1, 0},
        {"a record's fields end at ] too", "*03:#a;b;c;Cl;fr;d;1.2.3.4;7]*", 1, 0},
    };
    for (const auto& c : cases) {
        const auto list = ReadUserList(c.reply);
        EXPECT_EQ(list.Records.size(), c.users) << c.what;
        EXPECT_EQ(list.Dropped, c.dropped) << c.what;
    }
}

TEST(Replies, UserFieldsAreCutToTheirBounds) {
    const std::string longIp = "1234567890.1234567890.123";
    const std::string longName(400, 'n');
    const auto list = ReadUserList("*03:" + user(longName, "Se", "fr", longIp, "1") + "*");
    ASSERT_EQ(list.Records.size(), 1u);
    EXPECT_EQ(list.Records[0].IP, longIp.substr(0, 20));
    EXPECT_EQ(list.Records[0].NameOther.size(), MaxFieldLength);

    std::string many = "*03:";
    for (size_t i = 0; i < MaxUsers + 5; ++i) many += user("u", "Cl", "fr", "1.1.1.1", std::to_string(i));
    const auto big = ReadUserList(many + "*");
    EXPECT_EQ(big.Records.size(), MaxUsers);
    EXPECT_EQ(big.Dropped, 5);
}

TEST(Replies, MessageRecords) {
    const std::string body(300, 'b');
    const auto list = ReadMessages("*05:" + message("2", "5001", "") + message("1", "5001", body) +
                                   message("7", "5002", "") + "*");
    ASSERT_EQ(list.Records.size(), 3u);
    const aMessage& m = list.Records[0];
    EXPECT_EQ(m.Kind, 2);
    EXPECT_EQ(m.DateTime, "on 10/12/2026 at 14:");  // cut to 20
    EXPECT_EQ(m.SenderIP, "10.0.0.2");
    EXPECT_EQ(m.SenderPort, 5001);
    EXPECT_EQ(m.Extra, "x");
    EXPECT_EQ(m.Data, "");
    EXPECT_FALSE(m.Answered);
    EXPECT_FALSE(m.Seen);
    EXPECT_EQ(list.Records[1].Data, body.substr(0, 255));
    EXPECT_EQ(list.Records[2].Kind, 7);
}

TEST(Replies, MessageListEdgeCases) {
    struct Case {
        const char* what;
        std::string reply;
        std::vector<int> kinds;
        int dropped;
    };
    const Case cases[] = {
        {"fifth character ]", "*05:]" + message("1", "1", "a"), {}, 0},
        {"fifth character *", "*05:*" + message("1", "1", "a"), {}, 0},
        {"nothing after the head", "*05:", {}, 0},
        {"the list ends at ] after a record", "*05:" + message("1", "1", "a") + "]" + message("2", "1", ""), {1}, 0},
        {"a kind that is not an integer", "*05:" + message("x", "1", "") + message("4", "1", ""), {4}, 1},
        {"a port that is not an integer", "*05:" + message("4", "p", "") + message("6", "1", ""), {6}, 1},
        {"cut inside the body", "*05:" + message("1", "1", "a") + "[1;s;1.1.1.1;1;x;hal", {1}, 1},
        {"cut inside the port", "*05:[5;s;1.1.1.1;50", {}, 1},
        {"a * ends the body and the list", "*05:[1;s;1.1.1.1;1;x;say*" + message("2", "1", ""), {1}, 0},
    };
    for (const auto& c : cases) {
        const auto list = ReadMessages(c.reply);
        std::vector<int> kinds;
        for (const auto& m : list.Records) kinds.push_back(m.Kind);
        EXPECT_EQ(kinds, c.kinds) << c.what;
        EXPECT_EQ(list.Dropped, c.dropped) << c.what;
    }
    EXPECT_EQ(ReadMessages("*05:[1;s;1.1.1.1;1;x;say*").Records.at(0).Data, "say");
}

TEST(Replies, ReturnIndexIPFindsTheFirstUserByAddressAndPort) {
    EXPECT_EQ(ReturnIndexIP({}, "10.0.0.2", 5001), -1);
    const auto users = ReadUserList("*03:" + user("a", "Se", "fr", "10.0.0.2", "5001") +
                                    user("b", "Cl", "fr", "10.0.0.2", "5002") +
                                    user("c", "Cl", "fr", "10.0.0.2", "5002") + "*")
                           .Records;
    EXPECT_EQ(ReturnIndexIP(users, "10.0.0.2", 5001), 0);
    EXPECT_EQ(ReturnIndexIP(users, "10.0.0.2", 5002), 1);
    EXPECT_EQ(ReturnIndexIP(users, "10.0.0.2", 5003), -1);
    EXPECT_EQ(ReturnIndexIP(users, "10.0.0.20", 5001), -1);
}

TEST(Replies, DecimalFields) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"0", true, 0},         {"5001", true, 5001},       {" 7 ", true, 7},
                          {"-3", true, -3},       {"+4", true, 4},            {"2147483647", true, 2147483647},
                          {"", false, 0},         {" ", false, 0},            {"12a", false, 0},
                          {"1 2", false, 0},      {"+-1", false, 0},          {"0x10", false, 0},
                          {"2147483648", false, 0}, {"1.5", false, 0}};
    for (const auto& c : cases) {
        int v = -99;
        EXPECT_EQ(ParseDecimal(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -99) << c.text << ": a refused text leaves the value alone";
    }
}

// Replies of random bytes after each head: every reader ends, within its bounds.
TEST(Replies, ArbitraryBytesNeverReadPastTheEnd) {
    std::mt19937 random(12345);
    const std::string alphabet = "#;]*0123456789abc \xE9";
    for (int round = 0; round < 3000; ++round) {
        std::string reply = std::vector<std::string>{"*00:", "*01:", "*03:", "*05:"}[round % 4];
        const int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i) reply += alphabet[random() % alphabet.size()];
        for (const auto& u : ReadUserList(reply).Records) EXPECT_LE(u.IP.size(), MaxIPLength);
        for (const auto& m : ReadMessages(reply).Records) EXPECT_LE(m.Data.size(), MaxDataLength);
        ReadCompetitions(reply);
    }
}
