#include <QFile>
#include <QFileInfo>
#include <QTcpServer>

#include "client/VueOptions.h"

#include "LobbyFixture.h"
#include "support/TinyProxy.h"

namespace {

// A network game held by the main window, not started over any link.
void HoldNetworkGame(client::TForm1& main) {
    net::NetGameSetup setup;
    static_cast<GameSetup&>(setup) = main.CurrentGameSetup();
    setup.Names = {"Left", "Me", "Right"};
    setup.Addresses = {"127.0.0.2", "127.0.0.1", "127.0.0.3"};
    main.CurrentGame = std::make_unique<net::JeuNet>(main.MakeTableView(), setup);
}

TEST(NetworkControls, TheTurnTimeOutLosesTheGameAndReportsItAbandoned) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn());
    HoldNetworkGame(w.main());
    const int before = lobby::AppCounters().LobbyRequestCounter;
    w.main().TimeUpTimer();
    EXPECT_TRUE(w.main().CurrentGame->GameOver);
    EXPECT_TRUE(w.main().GameAborted);
    EXPECT_TRUE(w.main().LocalAbandon);
    ASSERT_EQ(w.windows.messages.texts.size(), 1u);
    EXPECT_EQ(w.windows.messages.texts[0], "You have lost the game because you took too much time to play.");
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("08") == 1; }));
    const auto abandon = w.site.Of("08")[0];
    EXPECT_EQ(abandon.key("wres"), "5");
    EXPECT_FALSE(abandon.has("wport")) << "the time-out's abandon carries no port";
    EXPECT_EQ(abandon.iop(), before + 1);

    // Without a game the request and the message go out all the same.
    w.main().CurrentGame.reset();
    w.main().TimeUpTimer();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("08") == 2; }));
    EXPECT_EQ(w.windows.messages.texts.size(), 2u);
}

TEST(NetworkControls, TheConnectionTimeOutGivesUpTheSetUp) {
    LobbyWindows w("Anna", 1);
    client::AppSettings().ServerPort = FreePort();
    ASSERT_TRUE(w.LogIn("*01:" + UserRecordText("Gst", "Cl", "fr", "127.0.0.1", 3003) + "*"));
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(2, "127.0.0.1", 3003) + "*"));
    w.lobby().Button3Click();
    client::TForm1& main = w.main();
    ASSERT_TRUE(main.GameHost && main.GameHost->IsListening());
    ASSERT_TRUE(main.TimerError->isActive());
    EXPECT_EQ(main.titreJeu->text().toStdString(), w.lobby().CompetitionName);

    main.TimerErrorTimer();
    EXPECT_FALSE(main.TimerError->isActive());
    EXPECT_TRUE(main.imgComp0->isHidden());
    EXPECT_TRUE(main.titreJeu->text().isEmpty());
    EXPECT_TRUE(main.BitBtn1->isHidden());
    EXPECT_FALSE(main.GameHost->IsListening()) << "a late guest finds nobody waiting";
    ASSERT_EQ(w.windows.messages.texts.size(), 1u);
    EXPECT_EQ(w.windows.messages.texts[0],
              "Impossible to establish the connection with at least one of your opponents.");
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("02") == 1 && w.lobby().ToolButton5->isEnabled(); }));
    EXPECT_FALSE(w.lobby().Timer4->isActive());
}

TEST(NetworkControls, TheTurnClockRunsOutWhenTheLocalPlayerDoesNotMove) {
    LobbyWindows w("Hosty", 1);
    client::Settings& s = client::AppSettings();
    s.CpuSpeed = 12;
    s.ServerPort = FreePort();
    platform::SetFixedSeed(7);
    client::TForm1& main = w.main();
    ASSERT_TRUE(main.ServerEntameJeu({net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{"Guesty", 1, "127.0.0.1"}},
                                     "127.0.0.1"));
    net::HeadlessGameWindow guestWindow;
    net::GameLinkGuest guest(guestWindow);
    guest.Setup = main.CurrentGameSetup();
    guest.StatisticsFile = w.windows.folder.path() + "/guest.sta";
    guest.LobbyAddress = "127.0.0.1";
    SideDriver driver(guestWindow, &guest);
    guest.Connect("127.0.0.1", s.ServerPort);
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(main.CurrentGame.get()) && guestWindow.Game; }));

    // The local player never moves; ticks come far more often than the (shortened) clock.
    main.TimeUp->setInterval(60);
    const std::string lost = "You have lost the game because you took too much time to play.";
    auto timedOut = [&] {
        const auto& t = w.windows.messages.texts;
        return std::find(t.begin(), t.end(), lost) != t.end();
    };
    ASSERT_TRUE(WaitFor(
        [&] {
            if (main.CurrentGame && !main.CurrentGame->GameOver) main.Timer1Timer();
            driver.tick();
            return timedOut();
        },
        10000));
    EXPECT_TRUE(main.LocalAbandon);
    guest.Close();
}

TEST(NetworkControls, OpponentPicturesAreSavedAndShownOnlyWhenTheyAreReal) {
    LobbyWindows w;
    client::TForm1& main = w.main();
    main.NouvellePartieLocal();
    auto* view = dynamic_cast<TableView*>(main.CurrentGame->View());
    ASSERT_NE(view, nullptr);
    view->SeatPictures[0].reset();
    const std::string folder = w.windows.folder.path() + "/players/net/";

    // Names from the other side that could leave the folder are never asked for.
    for (const char* name : {"../evil", "a/b", "a\\b", ""}) {
        main.CurrentGame->Seats[0].Name = name;
        main.FetchNetPictures(*main.CurrentGame);
        EXPECT_TRUE(main.NetPictureFile[0].empty()) << name;
    }
    EXPECT_TRUE(main.NMHTTPA->LastUrl().empty());

    main.NetPictureFile[0] = "Bob.jpg";
    main.NMHTTPASuccess(QByteArray(68, 'x'));  // 70 bytes with its line end: an error page
    EXPECT_EQ(QFileInfo(QString::fromStdString(folder + "Bob.jpg")).size(), 70);
    EXPECT_FALSE(view->SeatPictures[0]);

    QFile jpeg(QString::fromStdString(w.windows.folder.path() + "/players/bruno/bruno.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    main.NMHTTPASuccess(jpeg.readAll());
    ASSERT_TRUE(view->SeatPictures[0]);

    // A failed download shows the stock picture.
    main.NetPictureFile[1] = "Cleo.jpg";
    main.NMHTTPBFailure();
    EXPECT_TRUE(view->SeatPictures[2]);
}

TEST(NetworkControls, TheMenusOpenTheLobbyAndTheOptionsPageFollowsTheSession) {
    LobbyWindows w;
    client::TForm1& main = w.main();
    QWidget* options = client::AppForms().Form8;
    auto* edit = options->findChild<QWidget*>("Edit114");
    auto* kind = options->findChild<QWidget*>("RadioKind");
    ASSERT_TRUE(edit && kind);
    main.UpdateNetOptionsForm(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(kind->isEnabled());

    w.site.Queue("01", "*01:*");
    main.Connect1Click();
    EXPECT_TRUE(w.lobby().isVisible());
    EXPECT_TRUE(main.Seconnecter1->isChecked());
    EXPECT_FALSE(main.Web1->isChecked());
    ASSERT_TRUE(WaitFor([&] { return w.lobby().LoggedIn(); }));
    EXPECT_FALSE(edit->isEnabled()) << "the network settings are locked while logged in";
    EXPECT_FALSE(main.Connect1->isEnabled());
    main.Disconnect1Click();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("02") == 1 && main.Connect1->isEnabled(); }));
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(kind->isEnabled());
}

TEST(NetworkControls, ClosingOrStoppingANetworkGameReportsItAbandoned) {
    {
        LobbyWindows w;
        ASSERT_TRUE(w.LogIn());
        HoldNetworkGame(w.main());
        w.main().NouvellePartieLocal();
        ASSERT_TRUE(WaitFor([&] { return w.site.Count("08") == 1; }));
        EXPECT_EQ(w.site.Of("08")[0].key("wres"), "5");
        EXPECT_TRUE(w.site.Of("08")[0].has("wport"));
        EXPECT_FALSE(w.main().CurrentGame->IsNetworkGame);
    }
    {
        LobbyWindows w;
        ASSERT_TRUE(w.LogIn());
        HoldNetworkGame(w.main());
        const int n = lobby::AppCounters().LobbyRequestCounter;
        w.main().close();
        const auto abandon = w.site.Of("08");
        ASSERT_EQ(abandon.size(), 1u) << "sent before the program ends";
        EXPECT_EQ(abandon[0].key("wres"), "5");
        EXPECT_EQ(abandon[0].iop(), n + 1);
        const auto leave = w.site.Of("02");
        ASSERT_EQ(leave.size(), 1u);
        EXPECT_FALSE(leave[0].has("wnomcomp"));
    }
    {
        LobbyWindows w;  // not logged in, no game: nothing is sent
        w.main().close();
        EXPECT_TRUE(w.site.Requests().empty());
    }
}

TEST(NetworkControls, TheClosingRequestsGoThroughTheProxyOfTheSettings) {
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Start());
    LobbyWindows w;
    client::Settings& s = client::AppSettings();
    s.IsProxy = true;
    s.ProxyAddress = proxy.Host();
    s.ProxyPort = proxy.Port();
    ASSERT_TRUE(w.LogIn());
    HoldNetworkGame(w.main());
    w.main().close();
    EXPECT_EQ(w.site.Count("08"), 1u);
    EXPECT_EQ(w.site.Count("02"), 1u);
    EXPECT_TRUE(proxy.WaitForLog("GET " + w.site.Url() + "all/page0.php?req=08"));
    EXPECT_TRUE(proxy.WaitForLog("GET " + w.site.Url() + "all/page0.php?req=02"));
}

} // namespace
