// The robot against the stand-in site: what the site sees of a whole game, in order.
#include <QRegularExpression>

#include "ScriptedGuest.h"
#include "ServerFixture.h"
#include "support/StandInSite.h"

namespace {

// The lobby requests of the site's log, each as "req" followed by the keys that matter.
struct SiteLog {
    explicit SiteLog(StandInSite& site) : site_(site) {}
    const std::vector<std::string>& lines() {
        const std::string more = site_.ErrorOutput().toStdString();
        std::size_t start = 0, end;
        buffer_ += more;
        while ((end = buffer_.find('\n', start)) != std::string::npos) {
            const std::string line = buffer_.substr(start, end - start);
            const auto at = line.find("page0.php?");
            if (at != std::string::npos) lines_.push_back(line.substr(at + 10, line.find(' ', at) - at - 10));
            start = end + 1;
        }
        buffer_.erase(0, start);
        return lines_;
    }
    // The robot's requests (nickname "robot"), from position `from` on.
    std::vector<std::string> robot(std::size_t from = 0) {
        std::vector<std::string> out;
        const auto& all = lines();
        for (std::size_t i = from; i < all.size(); ++i)
            if (all[i].find("wsurnom=robot&") != std::string::npos) out.push_back(all[i]);
        return out;
    }
    StandInSite& site_;
    std::string buffer_;
    std::vector<std::string> lines_;
};

bool has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

std::string iop(const std::string& line) {
    const auto at = line.rfind("iop=");
    return at == std::string::npos ? "" : line.substr(at + 4);
}

int indexOf(const std::vector<std::string>& lines, const std::string& a, const std::string& b = "",
            std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (has(lines[i], a) && has(lines[i], b)) return static_cast<int>(i);
    return -1;
}

class RobotAndSite : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        ASSERT_TRUE(site.Start());
        port = FreePort();
        StartServer(SettingsText("robot", "pw", port), site.Url());
        main->GetInetFile = [](const std::string& url) { server::FetchBlocking(url); };
        main->CpuDelayTicks = 0;
        main->Timer1->setInterval(1);
    }
    StandInSite site;
    int port = 0;
};

} // namespace

TEST_F(RobotAndSite, AWholeGameAsTheSiteSeesItFromTheLoginCheckToTheNextLogin) {
    SiteLog log(site);
    // Logged in on its own, the server polls.
    ASSERT_TRUE(WaitFor([&] { return indexOf(log.robot(), "req=03") >= 0; }, 10000));
    EXPECT_FALSE(main->isVisible());  // gone to the tray after the accepted check

    ScriptedGuest guest(site.Url(), "ann", FreePort());
    ASSERT_TRUE(guest.Login());
    ASSERT_TRUE(guest.Meet("robot"));
    ASSERT_TRUE(guest.PlayToTheEnd()) << [&] {
        std::string d;
        if (auto* g = main->CurrentGame.get())
            d += "server seat=" + std::to_string(g->SeatToMove) + " round=" + std::to_string(g->RoundOver) + " over=" + std::to_string(g->GameOver) + " wins=" + std::to_string(g->RoundWins[0]) + std::to_string(g->RoundWins[1]) + std::to_string(g->RoundWins[2]) + " t1=" + std::to_string(main->Timer1->isActive()) + " played=" + std::to_string(g->Played.size());
        else d += "no server game; status=" + main->StatusBar1->currentMessage().toStdString();
        if (auto* g = guest.window->Game.get())
            d += " | guest seat=" + std::to_string(g->SeatToMove) + " round=" + std::to_string(g->RoundOver) + " over=" + std::to_string(g->GameOver) + " played=" + std::to_string(g->Played.size()) + " conn=" + std::to_string(guest.link->IsConnected());
        else d += " | no guest game, conn=" + std::to_string(guest.link->IsConnected());
        return d;
    }();
    // Back in the lobby for the next game.
    ASSERT_TRUE(WaitFor([&] { return !main->CurrentGame && main->ToolButton6->isEnabled(); }, 10000));
    ASSERT_TRUE(WaitFor([&] {
        auto r = log.robot();
        const int leave = indexOf(r, "req=02", "wnomcomp=");
        return leave >= 0 && indexOf(r, "req=08", "", leave) >= 0 && indexOf(r, "req=01", "", leave) >= 0;
    }, 15000));

    const auto r = log.robot();
    ASSERT_GE(r.size(), 8u);
    EXPECT_TRUE(has(r[0], "req=00&wsurnom=robot&wpassword=***&iop=1")) << r[0];
    EXPECT_TRUE(has(r[1], "req=01&")) << r[1];
    EXPECT_TRUE(has(r[1], "&wtype=Se&wetat=fr&wadIP=127.0.0.1&wport=" + std::to_string(port))) << r[1];
    EXPECT_EQ(iop(r[1]), "1");
    // One polling cycle: 5 with n, 07 with n + 1, 03 with n + 2, and the next 5 again. The
    // 07 and the 03 leave together, so the site may see them in either order.
    const int first5 = indexOf(r, "req=5&");
    const int presence = indexOf(r, "req=07&", "", first5);
    const int users = indexOf(r, "req=03&", "", first5);
    const int next5 = indexOf(r, "req=5&", "", first5 + 1);
    ASSERT_TRUE(first5 >= 0 && presence >= 0 && users >= 0 && next5 >= 0);
    EXPECT_EQ(iop(r[first5]), "1");
    EXPECT_EQ(iop(r[presence]), "2");
    EXPECT_EQ(iop(r[users]), "3");
    EXPECT_EQ(iop(r[next5]), "3");

    // The handshake and the game, in order: 7, 5, the leave with the competition, the result.
    const int start = indexOf(r, "req=04", "wtype=7");
    const int ack = indexOf(r, "req=04", "wtype=5");
    const int leave = indexOf(r, "req=02", "wnomcomp=Free%20Play");
    const int result = indexOf(r, "req=08");
    // The result and the next login leave one after the other on two connections.
    const int again = indexOf(r, "req=01", "", leave);
    ASSERT_GE(start, 0);
    EXPECT_LT(start, ack);
    EXPECT_LT(ack, leave);
    EXPECT_LT(leave, result);
    EXPECT_LT(leave, again);
    EXPECT_TRUE(has(r[result], "&wres=")) << r[result];
    EXPECT_FALSE(has(r[result], "wres=5")) << r[result];
    const int code = r[result][r[result].find("wres=") + 5] - '0';
    EXPECT_EQ(server::AppStatistics().Played, 1);
    EXPECT_EQ(folder.read("datas_ds.sta").substr(0, 3), "1\r\n");
    // The code is the server's own result, as the guest's table saw the game.
    const JeuNet& g = *guest.window->Game;
    const int serverWins = g.RoundWins[g.ToLocal(1)];
    EXPECT_EQ(code <= 1, serverWins == 3) << code;
    EXPECT_EQ(code == 3, serverWins == 0) << code;
}

TEST_F(RobotAndSite, ClosingDuringAGameReportsItAbandonedThenLeavesTheLobby) {
    SiteLog log(site);
    ASSERT_TRUE(WaitFor([&] { return indexOf(log.robot(), "req=03") >= 0; }, 10000));
    ScriptedGuest guest(site.Url(), "bob", FreePort());
    ASSERT_TRUE(guest.Login());
    ASSERT_TRUE(guest.Meet("robot"));
    ASSERT_TRUE(WaitFor([&] { return main->CurrentGame != nullptr; }));
    main->Timer1->stop();
    // The robot re-enters the lobby only after a game; here it is in the lobby no more.
    main->ToolButton6->setEnabled(true);
    const std::size_t before = log.robot().size();
    main->close();
    EXPECT_EQ(ended, 1);
    // The abandonment, then the plain leave (the join's leave with the competition may still
    // be on its way).
    const auto plainLeave = [&](const std::vector<std::string>& r, int from) {
        for (int i = std::max(from, 0); i < static_cast<int>(r.size()); ++i)
            if (has(r[i], "req=02") && !has(r[i], "wnomcomp")) return i;
        return -1;
    };
    ASSERT_TRUE(WaitFor([&] {
        const auto r = log.robot(before);
        const int abandon = indexOf(r, "req=08");
        return abandon >= 0 && plainLeave(r, abandon) >= 0;
    }));
    const auto r = log.robot(before);
    const int abandon = indexOf(r, "req=08");
    const int leave = plainLeave(r, abandon);
    EXPECT_TRUE(has(r[abandon], "&wport=" + std::to_string(port) + "&wres=5&iop=")) << r[abandon];
    EXPECT_EQ(iop(r[abandon]), iop(r[leave]));
    EXPECT_TRUE(messages.texts.empty());  // the close box asks nothing
}
