// The banner's page arriving, as the main window sees it: the title of each progress event.
#include "OnlineWindows.h"
#include "client/VueConnexionsc.h"
#include "client/VueOptions.h"

namespace {
client::TForm14& Lobby() { return *static_cast<client::TForm14*>(client::AppForms().Form14); }
} // namespace

TEST(Banner, UntilItsPageArrivesEveryWebControlIsOffAndALocalGamePlays) {
    OnlineWindows w;
    for (QObject* c : WebControls(w.main())) EXPECT_FALSE(Enabled(c)) << c->objectName().toStdString();
    EXPECT_FALSE(w.main().Panel4->isHidden());
    for (const char* title : {"", "about:blank", "Morvatel 3.1.0", "MORVATEL3.1.0", "127.0.0.1/pub/index.php"})
        w.main().PUBProgressChange(title);
    for (QObject* c : WebControls(w.main())) EXPECT_FALSE(Enabled(c)) << c->objectName().toStdString();
    EXPECT_EQ(w.reachable, 0);
    w.main().NouvellePartieLocal();
    EXPECT_NE(w.main().CurrentGame, nullptr);
    QTest::qWait(200);
    EXPECT_TRUE(w.web.Requests.empty());
}

TEST(Banner, ItsPageEnablesTheControlsOnceAndSendsTheLoginCheckOnce) {
    OnlineWindows w;
    client::AppSettings().Surname = "bob smith";
    client::AppSettings().NetPassword = "a&b=c";
    auto* options = client::AppForms().Form8;
    options->UpdateNetOptionsForm(false);
    for (int i = 0; i < 3; ++i) w.main().PUBProgressChange("MORVATEL 3.0.3");
    EXPECT_TRUE(options->Edit114->isEnabled()) << "the lobby's online controls in the options";
    EXPECT_TRUE(options->SpinEdit112->isEnabled());
    for (QObject* c : WebControls(w.main())) EXPECT_TRUE(Enabled(c)) << c->objectName().toStdString();
    EXPECT_FALSE(w.main().Disconnect1->isEnabled());
    EXPECT_TRUE(w.main().Panel4->isHidden());
    EXPECT_EQ(w.reachable, 1);
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    QTest::qWait(200);
    EXPECT_EQ(w.web.Requests, QList<std::string>{"/all/page0.php?req=00&wsurnom=bob%20smith&wpassword=a%26b%3Dc&iop=1"});
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 1);
    EXPECT_TRUE(w.texts().empty());
}

TEST(Banner, ItsCheckReplyFillsTheCompetitionsAndTheLobbyWindowSendsNoCheckOfItsOwn) {
    OnlineWindows w;
    w.web.Set("/all/page0.php", {200, "text/plain", "*00:[Free Play;0][Cup;1]*"});
    client::AppSettings().Surname = "bob";
    w.main().PUBProgressChange("MORVATEL 3.0.3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lobby().ComboBox1->currentText() == "Free Play (C)"; }, 10000));
    EXPECT_EQ(Lobby().ComboBox1->count(), 1) << "only the competitions of the client's kind";
    w.main().Seconnecter1->trigger();
    EXPECT_TRUE(Lobby().isVisible());
    QTest::qWait(200);
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00"), 1);
    // Connect logs in at once, into the competition the banner's check brought.
    Lobby().ToolButton5Click();
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=01", 1));
    EXPECT_NE(w.web.Requests.back().find("wnomcomp=Free%20Play&"), std::string::npos) << w.web.Requests.back();
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00"), 1);
    EXPECT_TRUE(w.texts().empty());
}

TEST(Banner, AFailedCheckIsSilentUntilAConnectWaitsForIt) {
    OnlineWindows w;  // the test site has no lobby: every lobby request fails
    w.main().PUBProgressChange("MORVATEL 3.0.3");
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Lobby().Http->Busy(0); }, 10000));
    QTest::qWait(100);
    EXPECT_TRUE(w.texts().empty());
    // Connect without competitions checks the account first; that failure is the user's.
    Lobby().ToolButton5Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.texts().empty(); }, 10000));
    EXPECT_EQ(w.texts(), std::vector<std::string>{"Impossible to connect the server"});
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00"), 2);
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=01"), 0);
    EXPECT_TRUE(Lobby().ToolButton5->isEnabled());
    EXPECT_FALSE(Lobby().LoggedIn());
}

TEST(Banner, ANewerVersionIsOfferedOnlyWhenAskedFor) {
    struct Row {
        const char* title;
        int checkNewVersion;
        bool offered;
    };
    const Row rows[] = {{"MORVATEL 3.1.0", 1, true}, {"MORVATEL 3.0.9", 1, false},
                        {"MORVATEL 3.0.3", 1, false}, {"MORVATEL 3.1.0", 0, false}};
    for (const Row& r : rows) {
        OnlineWindows w;
        w.windows->messages.texts.clear();
        client::AppSettings().CheckNewVersion = r.checkNewVersion;
        // The player says no: nothing is fetched.
        MessageRecorder no(platform::MsgAnswer::No);
        w.main().PUBProgressChange(r.title);
        const std::vector<std::string> offer{"MORVATEL 3.1. is currently available. Do you want to download it ?"};
        EXPECT_EQ(no.texts, r.offered ? offer : std::vector<std::string>{}) << r.title;
        EXPECT_TRUE(w.main().Web1->isEnabled()) << r.title;
        ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1)) << r.title;
        QTest::qWait(100);
        EXPECT_EQ(w.web.CountStartingWith("/files/"), 0) << r.title;
    }
}

TEST(Banner, TheAcceptedUpdateIsFetchedToTheTemporaryFolderAndHandedToTheDesktop) {
    QTemporaryDir temp;
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    {
        OnlineWindows w;
        w.web.SetFile("/files/software/morvatel/morvatelSetup.exe", "MZ the installer");
        w.main().PUBProgressChange("MORVATEL 3.1.0");  // the fixture answers Yes
        auto* download = w.main().findChild<client::TForm10*>("TForm10");
        ASSERT_NE(download, nullptr);
        EXPECT_EQ(download->Label1->text(), "Filename : morvatelSetup.exe");
        EXPECT_EQ(download->ProgressBar1->maximum(), 2500000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.shell.ended == 1; }, 10000));
        const std::string setup = temp.path().toStdString() + "/morvatelSetup.exe";
        EXPECT_EQ(w.shell.opened, std::vector<std::string>{setup});
        EXPECT_EQ(ReadText(setup), "MZ the installer");
        EXPECT_EQ(w.web.CountStartingWith("/files/software/morvatel/morvatelSetup.exe"), 1);
    }
    if (previousTemp.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", previousTemp);
}
