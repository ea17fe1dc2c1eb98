// The two programs meet as a player would meet them: mvtserver runs as a real process in an
// empty folder against the stand-in site, and the client's main and lobby windows, in this
// process, are its guest, driven through their controls. One whole game at the real pace,
// then a second game that the robot takes and the guest leaves.
#include <QTest>
#include <cstdlib>

#include "net/NetSupport.h"
#include "client/ClientFixture.h"
#include "client/ScriptedUser.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoJeu.h"
#include "client_lobby/SiteUser.h"
#include "game/Statistics.h"
#include "net/JeuNetsc.h"
#include "server/ServerProgram.h"
#include "support/StandInSite.h"

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The site's lobby requests, in the order it saw them.
class SiteRequests {
public:
    explicit SiteRequests(StandInSite& site) : site_(site) {}
    const std::vector<std::string>& all() {
        log_ += site_.ErrorOutput();
        queries_ = LobbyQueries(log_);
        return queries_;
    }
    // The index of the first request from `from` on holding every part, or -1.
    int find(const std::vector<std::string>& parts, int from = 0) {
        const auto& q = all();
        for (int i = std::max(from, 0); i < int(q.size()); ++i) {
            bool all = true;
            for (const std::string& p : parts) all = all && has(q[i], p);
            if (all) return i;
        }
        return -1;
    }
    std::string text() {
        std::string out;
        for (const std::string& q : all()) out += q + "\n";
        return out;
    }

private:
    StandInSite& site_;
    QByteArray log_;
    std::vector<std::string> queries_;
};

// The client as its README tells a player to set it up: nickname, role and game port in the
// network section of its param.ini, the site's address in MORVATEL_SITE_URL.
std::function<void(TempFolder&)> GuestSettings(int port) {
    return [port](TempFolder& folder) {
        folder.write("param.ini", "[Network Options]\r\nSurname=Guesty\r\nBe server=0\r\nServer port=" +
                                      std::to_string(port) + "\r\nPassword=\r\n");
    };
}

// The local player's part of a game: a fitting tile dropped when the window waits for it, the
// "Next round" button clicked when it shows. The window's own timers do the rest.
void PlayerTick(client::TForm1& w, ScriptedUser& user) {
    if (!w.CurrentGame || w.CurrentGame->GameOver) return;
    Jeu& g = *w.CurrentGame;
    if (!w.Timer1->isActive()) {
        if (!w.Button1->isHidden()) QTest::mouseClick(w.Button1, Qt::LeftButton);
        return;
    }
    if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
}

// What a seat's statistics file holds after its one game, from the game's own outcome.
Statistics AfterOneGame(const Jeu& g, int seat) {
    Statistics s;
    s.Played = 1;
    const bool pig = std::find(g.Pigs.begin(), g.Pigs.end(), seat) != g.Pigs.end();
    if (g.RoundWins[seat] >= 3) {
        s.Won = 1;
        s.PigsGiven = int(g.Pigs.size());
    }
    if (pig) s.Lost = 1;
    return s;
}

// The result code a seat posts: 0 won with two pigs, 1 won, 2 lost, 3 the pig.
int ResultOf(const Jeu& g, int seat) {
    if (std::find(g.Pigs.begin(), g.Pigs.end(), seat) != g.Pigs.end()) return 3;
    if (g.RoundWins[seat] >= 3) return g.Pigs.size() == 2 ? 0 : 1;
    return 2;
}

struct Meeting {
    StandInSite site;
    ServerProgram server;
    int serverPort = FreePort();
    int guestPort = FreePort();
    std::unique_ptr<SiteRequests> requests;
    std::unique_ptr<ClientWindows> client;

    bool Start() {
        if (!site.Start()) return false;
        requests = std::make_unique<SiteRequests>(site);
        if (!server.Start(site.Url(), "robot", "secret", serverPort)) return false;
        ::setenv("MORVATEL_SITE_URL", site.Url().c_str(), 1);
        client = std::make_unique<ClientWindows>(true, 1024, 768, GuestSettings(guestPort));
        return true;
    }
    ~Meeting() {
        if (client) main().CloseGameSockets();
        client.reset();
        ::unsetenv("MORVATEL_SITE_URL");
    }
    client::TForm1& main() { return client->main(); }
    client::TForm14& lobby() { return *static_cast<client::TForm14*>(client::AppForms().Form14); }

    // What went on, for a failure: the client's status and game log, the site's requests.
    std::string Story() {
        std::string out = "status: " + main().StatusBar1->currentMessage().toStdString() + "\n";
        if (auto* log = static_cast<client::TForm4*>(client::AppForms().Form4))
            out += log->Memo1->toPlainText().toStdString() + "\n";
        return out + requests->text();
    }

    int RobotRow() {
        for (int r = 1; r < lobby().RowCount(); ++r)
            if (lobby().Cell(r, 0) == "robot") return r;
        return -1;
    }

    // "Game" > "Connect" as a guest, the robot selected in the user list and "Invite"
    // pressed once the robot has listed the guest (a person takes longer than its two
    // seconds to find a name); true when the site saw the invitation.
    bool ConnectAndInvite() {
        const int before = int(requests->all().size());
        lobby().radioType->setCurrentIndex(1);
        main().Connect1->trigger();
        if (!WaitFor([&] { return lobby().LoggedIn() && lobby().Timer4->isActive(); }, 15000)) {
            ADD_FAILURE() << "not logged in";
            return false;
        }
        EXPECT_EQ(lobby().ComboBox1->currentText().toStdString(), "Free Play (C)");
        const int login = requests->find({"req=01&wsurnom=Guesty&"}, before);
        if (login < 0) {
            ADD_FAILURE() << "no log-in seen";
            return false;
        }
        // Invite is enabled by the client's own first list reply after the log-in.
        if (!WaitFor(
                [&] {
                    return RobotRow() > 0 && lobby().ButtonInvite->isEnabled() &&
                           requests->find({"req=03&", "&wsurnom=robot&"}, login + 1) > 0;
                },
                15000)) {
            ADD_FAILURE() << "robot not listed: rows " << lobby().RowCount() << " first " << lobby().Cell(1, 0);
            return false;
        }
        const int row = RobotRow();
        EXPECT_EQ(lobby().Cell(row, 2), "Server");
        EXPECT_EQ(lobby().LobbyUsers[row - 1].Port, serverPort) << "the robot is listed at its game port";
        lobby().GridUsers->selectRow(row - 1);
        EXPECT_TRUE(lobby().ButtonInvite->isVisible());
        QTest::mouseClick(lobby().ButtonInvite, Qt::LeftButton);
        return WaitFor([&] { return requests->find({"req=04&wsurnom=Guesty&", "wtype=2"}, login) > 0; });
    }

    // The robot's 7, the guest's 6, the robot's 5, in that order after `from`; then the
    // client's game over the link.
    bool Handshake(int from, const Jeu* previous) {
        if (!WaitFor(
                [&] {
                    auto* g = dynamic_cast<net::JeuNet*>(main().CurrentGame.get());
                    return g && g != previous && !g->Seats[1].Name.empty() && main().Timer1->isActive();
                },
                30000))
            return false;
        const int seven = requests->find({"req=04&wsurnom=robot&", "wtype=7", "wportdestin=" + std::to_string(guestPort)}, from);
        const int six = requests->find({"req=04&wsurnom=Guesty&", "wtype=6", "wportdestin=" + std::to_string(serverPort)}, seven);
        const int five = requests->find({"req=04&wsurnom=robot&", "wtype=5"}, six);
        EXPECT_TRUE(seven >= 0 && six > seven && five > six) << requests->text();
        return true;
    }
};

TEST(ServerAndClient, TheClientPlaysAWholeGameWithTheRobotWhichThenTakesTheNext) {
    Meeting m;
    ASSERT_TRUE(m.Start());
    client::TForm1& w = m.main();

    // The robot logs in on its own and shows in the client's list; the client invites it.
    ASSERT_TRUE(m.ConnectAndInvite()) << m.requests->text();
    ASSERT_TRUE(m.Handshake(0, nullptr)) << m.requests->text();
    auto* first = dynamic_cast<net::JeuNet*>(w.CurrentGame.get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->NetSeat, 0) << "the robot's guest takes the first free seat";
    const int robotSeat = first->ToLocal(1);
    EXPECT_EQ(first->Seats[robotSeat].Name, "robot");
    EXPECT_EQ(m.lobby().Opponents[0].Name, "robot");

    // A whole game at the robot's pace, the local seat played with the mouse. The window's
    // game is looked up at every step: a hand that every seat has won starts a fresh game.
    ScriptedUser user{w};
    const auto current = [&] { return dynamic_cast<net::JeuNet*>(w.CurrentGame.get()); };
    ASSERT_TRUE(WaitFor(
        [&] {
            PlayerTick(w, user);
            return !current() || current()->GameOver || w.GameAborted;
        },
        480000))
        << m.Story();
    ASSERT_NE(current(), nullptr) << m.Story();
    ASSERT_FALSE(w.GameAborted) << m.Story();
    first = current();
    EXPECT_EQ(std::max({first->RoundWins[0], first->RoundWins[1], first->RoundWins[2]}), 3);

    // Both results reach the site, the robot's after the guest's join, then its new login.
    const int mine = ResultOf(*first, 1), robots = ResultOf(*first, robotSeat);
    EXPECT_EQ(first->LastResult, mine);
    int robotResult = -1;
    ASSERT_TRUE(WaitFor(
        [&] {
            robotResult = m.requests->find({"req=08&wsurnom=robot&", "&wres=" + std::to_string(robots)});
            return robotResult > 0 && m.requests->find({"req=01&wsurnom=robot&"}, robotResult) > 0 &&
                   m.requests->find({"req=08&wsurnom=Guesty&", "&wres=" + std::to_string(mine)}) > 0;
        },
        20000))
        << "robot wres " << robots << ", guest wres " << mine << "\n" << m.requests->text();
    EXPECT_LT(m.requests->find({"req=02&wsurnom=robot&"}), robotResult) << "the robot left the list when the guest joined";
    EXPECT_EQ(m.requests->find({"wres=5"}), -1) << m.requests->text();

    // Both statistics files count the game.
    EXPECT_EQ(ReadStatisticsFile(m.server.Folder() + "/datas_ds.sta"), AfterOneGame(*first, robotSeat));
    EXPECT_EQ(ReadStatisticsFile(m.client->folder.path() + "/datas.sta"), AfterOneGame(*first, 1));

    // The robot is back in the lobby and takes a second invitation; the guest leaves that
    // game at once through "New Game" (answered Yes), and the robot comes back again.
    const int second = int(m.requests->all().size());
    ASSERT_TRUE(m.ConnectAndInvite()) << m.requests->text();
    ASSERT_TRUE(m.Handshake(second, first)) << m.requests->text();
    const int started = int(m.requests->all().size());
    w.NewGame1->trigger();
    EXPECT_FALSE(w.CurrentGame && w.CurrentGame->IsNetworkGame) << "a local game follows";
    EXPECT_TRUE(WaitFor(
        [&] {
            const int abandon = m.requests->find({"req=08&wsurnom=Guesty&", "wres=5"}, started);
            return abandon > 0 && m.requests->find({"req=01&wsurnom=robot&"}, abandon) > 0;
        },
        20000))
        << m.requests->text();
    EXPECT_TRUE(m.server.Running());
}

} // namespace
