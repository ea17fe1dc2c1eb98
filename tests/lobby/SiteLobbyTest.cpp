// Two players meet on the running stand-in site through the library alone: the requests
// as built, the senders, the readers and the blocking fetch of a game start.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <optional>

#include "lobby/GetInetFile.h"
#include "lobby/Replies.h"
#include "lobby/RequestMaker.h"
#include "lobby/Senders.h"
#include "lobby/Stamps.h"
#include "support/StandInSite.h"

using namespace lobby;

namespace {

// One player: its values, counters and senders, as a lobby window holds them.
struct Player {
    Player(const std::string& site, const std::string& nick, int port) {
        id = {site + "all/", nick, "pw " + nick + "&=+", "Free Play", "", port};
        id.LocalIPAddress = senders.LocalIPAddress(id.WebBaseUrl);
        QObject::connect(&senders, &Senders::Replied,
                         [this](int code, const QByteArray& body) { last = {code, body.toStdString()}; });
        QObject::connect(&senders, &Senders::Failed,
                         [this](int code, const QString& why) { last = {code, "FAILED " + why.toStdString()}; });
    }
    // Sends on a component and waits for its reply; the body, or "FAILED ...".
    std::string ask(int code, const std::string& url) {
        last.reset();
        if (!senders.Send(code, url)) return "FAILED to start";
        QElapsedTimer clock;
        clock.start();
        while (!last && clock.elapsed() < 10000) {
            QEventLoop loop;
            QTimer::singleShot(5, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (!last) return "FAILED no reply";
        EXPECT_EQ(last->first, code);
        return last->second;
    }

    LobbyIdentity id;
    Counters counters;
    RequestMaker make{id, counters};
    Senders senders;
    std::optional<std::pair<int, std::string>> last;
};

const QDateTime Now(QDate(2026, 12, 10), QTime(14, 25, 36));

} // namespace

TEST(SiteLobby, AHostAndAGuestMeetInviteAndStartAGame) {
    StandInSite site;
    ASSERT_TRUE(site.Start()) << site.ErrorOutput().toStdString();
    Player ann(site.Url(), "Ann \xE9", 5001);
    Player bob(site.Url(), "Bob", 5002);
    EXPECT_EQ(ann.id.LocalIPAddress, "127.0.0.1");

    const auto competitions = ReadCompetitions(ann.ask(0, ann.make.LoginCheck()));
    EXPECT_FALSE(competitions.Damaged());
    EXPECT_EQ(CompetitionsOfKind(competitions, 0), (std::vector<std::string>{"Free Play", "Tournoi d'\xE9t\xE9"}));
    EXPECT_EQ(CompetitionsOfKind(competitions, 1).size(), 1u) << "the server's kinds are there too";

    ann.counters.Connecting();
    EXPECT_EQ(KindOf(ann.ask(1, ann.make.Login(true, Now))), ReplyKind::Login);
    bob.counters.Connecting();
    const auto bobsList = ReadUserList(bob.ask(1, bob.make.Login(false, Now)));
    ASSERT_EQ(bobsList.Records.size(), 1u);
    const cJoueur& host = bobsList.Records[0];
    EXPECT_EQ(host.NameOther, "Ann \xE9");
    EXPECT_TRUE(host.IsHost());
    EXPECT_EQ(host.State, "fr");
    EXPECT_EQ(host.Port, 5001);
    EXPECT_EQ(ReturnIndexIP(bobsList.Records, "127.0.0.1", 5001), 0);

    // The invitation is relayed by (address, port) and read back by the host.
    EXPECT_EQ(bob.ask(4, bob.make.Notice(MessageKind::Invitation, host.IP, host.Port, Now)), "*04:ok*");
    EXPECT_EQ(ann.ask(7, ann.make.Presence()), "*07:*");
    const auto annsList = ReadUserList(ann.ask(3, ann.make.UserList()));
    const auto messages = ReadMessages(ann.ask(5, ann.make.PollMessages()));
    ASSERT_EQ(messages.Records.size(), 1u);
    const aMessage& invitation = messages.Records[0];
    EXPECT_EQ(invitation.Kind, static_cast<int>(MessageKind::Invitation));
    EXPECT_EQ(invitation.DateTime, StampB(Now).substr(0, 20));
    EXPECT_EQ(ReturnIndexIP(annsList.Records, invitation.SenderIP, invitation.SenderPort), 0);
    EXPECT_EQ(ann.counters.LobbyRequestCounter, 3) << "log-in, presence and poll stepped it";

    // The game start goes by the blocking fetch; the guest reads it at its next poll.
    std::string reply;
    InetOptions direct;
    direct.Proxy = platform::HttpProxyAddress{};
    EXPECT_TRUE(GetInetFile(ann.make.Notice(MessageKind::GameStart, invitation.SenderIP,
                                            invitation.SenderPort, Now),
                            reply, direct));
    EXPECT_EQ(reply, "*04:ok*");
    const auto start = ReadMessages(bob.ask(5, bob.make.PollMessages()));
    ASSERT_EQ(start.Records.size(), 1u);
    EXPECT_EQ(start.Records[0].Kind, static_cast<int>(MessageKind::GameStart));
    EXPECT_EQ(start.Records[0].SenderPort, 5001);

    // A wrong password is the account refusal.
    Player impostor(site.Url(), "Bob", 5003);
    impostor.id.NetPassword = "nope";
    const std::string refused = impostor.ask(0, impostor.make.LoginCheck());
    EXPECT_TRUE(AccountRefused(refused)) << refused;
}
