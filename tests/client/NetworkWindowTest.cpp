#include <QTcpServer>

#include "ClientFixture.h"
#include "HostedGame.h"
#include "ScriptedUser.h"
#include "net/NetSupport.h"

namespace {

// One tick of the main window as its timer would give it, with the scripted user moving
// when asked; the guest's next-round button is clicked when it shows.
void WindowTick(client::TForm1& w, ScriptedUser& user) {
    if (!w.CurrentGame) return;
    Jeu& g = *w.CurrentGame;
    if (!w.Timer1->isActive()) {
        if (!w.Button1->isHidden()) QTest::mouseClick(w.Button1, Qt::LeftButton);
        return;
    }
    if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
    w.Timer1Timer();
}

std::array<int, 3> WinsInHostNumbering(const JeuNet& g) {
    std::array<int, 3> wins{};
    for (int s = 0; s < 3; ++s) wins[g.ToHost(s)] = g.RoundWins[s];
    return wins;
}

} // namespace

TEST(NetworkWindow, TheMainWindowHostsAGuestAndBothPlayTheGameToItsEnd) {
    ClientWindows w;
    client::Settings& s = client::AppSettings();
    s.CpuSpeed = 12;
    s.PlayWithCpu = 1;
    s.ServerPort = FreePort();
    s.Surname = "Hosty";
    platform::SetFixedSeed(31);
    client::TForm1& main = w.main();
    ASSERT_TRUE(main.ServerEntameJeu({net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{"Guesty", 1, "127.0.0.1"}},
                                     "127.0.0.1"));
    EXPECT_EQ(main.StatusBar1->currentMessage(), " Waiting for connection...");

    net::HeadlessGameWindow guestWindow;
    net::GameLinkGuest guest(guestWindow);
    guest.Setup = main.CurrentGameSetup();
    guest.StatisticsFile = w.folder.path() + "/guest.sta";
    guest.LobbyAddress = "127.0.0.1";
    SideDriver driver(guestWindow, &guest);
    guest.Connect("127.0.0.1", s.ServerPort);
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(main.CurrentGame.get()) && guestWindow.Game; }));
    EXPECT_TRUE(main.Timer1->isActive());

    ScriptedUser user{main};
    ASSERT_TRUE(WaitFor(
        [&] {
            WindowTick(main, user);
            driver.tick();
            return main.CurrentGame->GameOver && guestWindow.Game && guestWindow.Game->GameOver;
        },
        60000));
    auto& host = dynamic_cast<JeuNet&>(*main.CurrentGame);
    EXPECT_EQ(WinsInHostNumbering(host), WinsInHostNumbering(*guestWindow.Game));
    EXPECT_EQ(*std::max_element(host.RoundWins.begin(), host.RoundWins.end()), 3);
    EXPECT_EQ(ReadStatisticsFile(w.folder.path() + "/datas.sta").Played, 1);
    guest.Close();
}

TEST(NetworkWindow, TheMainWindowJoinsAHostAsAGuest) {
    ClientWindows w;
    client::Settings& s = client::AppSettings();
    s.CpuSpeed = 12;
    s.Surname = "Guesty";
    platform::SetFixedSeed(32);
    client::TForm1& main = w.main();

    net::HeadlessGameWindow hostWindow;
    net::GameLinkHost host(hostWindow);
    ASSERT_TRUE(ListenAsHosty(host, main, w.folder.path() + "/host.sta"));
    SideDriver driver(hostWindow);

    main.ClientEntameJeu("127.0.0.1", host.Port(), "127.0.0.1");
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(main.CurrentGame.get()) != nullptr; }));
    ScriptedUser user{main};
    ASSERT_TRUE(WaitFor(
        [&] {
            WindowTick(main, user);
            driver.tick();
            return main.CurrentGame->GameOver && hostWindow.Game && hostWindow.Game->GameOver;
        },
        60000));
    auto& mine = dynamic_cast<JeuNet&>(*main.CurrentGame);
    EXPECT_EQ(WinsInHostNumbering(mine), WinsInHostNumbering(*hostWindow.Game));
    EXPECT_EQ(ReadStatisticsFile(w.folder.path() + "/datas.sta").Played, 1);

    // The host leaving ends nothing more: the finished game stays, the window keeps running.
    host.Close();
    Pump(50);
    main.Timer1Timer();
}
