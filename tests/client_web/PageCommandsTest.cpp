// Title commands of the site's pages, run as the browser window runs them.
#include "OnlineWindows.h"
#include "client/PageCommands.h"

namespace {
struct Online : ::testing::Test {
    OnlineWindows w;
    RecordingBrowser browser;
    Online() { w.main().PUBProgressChange("MORVATEL 3.0.3"); }
    // One loaded document with this title, seen on `events` progress events.
    void document(const std::string& title, int events = 1) {
        bool armed = true;
        for (int i = 0; i < events; ++i) client::RunTitleCommand(title, armed, browser);
    }
    std::string page(int opt) { return client::WebPageUrl(opt); }
};
} // namespace

TEST_F(Online, LoggingTakesTheAccountOncePerDocumentAndChecksIt) {
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));  // the banner's check
    document("Logging bob&pa&ss w", 3);
    const client::Settings& s = client::AppSettings();
    EXPECT_EQ(s.Surname, "bob");
    EXPECT_EQ(s.NetPassword, "pa&ss w");
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 2);
    EXPECT_EQ(browser.visited, std::vector<std::string>{page(10)});
    EXPECT_EQ(w.main().BrowserHomeUrl, page(10));
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 2));
    EXPECT_EQ(w.web.Requests.last(), "/all/page0.php?req=00&wsurnom=bob&wpassword=pa%26ss%20w&iop=2");
    // Saved: a fresh read of the settings file has the account.
    client::Settings reread;
    client::LoadIniFile(reread, s.IniFilePath);
    EXPECT_EQ(reread.Surname, "bob");
    EXPECT_EQ(reread.NetPassword, "pa&ss w");
}

TEST_F(Online, LoggedIntoTheLobbyTheAccountIsTakenButNotCheckedNorSaved) {
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    client::SetLobbyLoggedInQuery([] { return true; });
    document("Logging ann&pw");
    EXPECT_EQ(client::AppSettings().Surname, "ann");
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 2);
    EXPECT_TRUE(browser.visited.empty());
    QTest::qWait(200);
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00"), 1);
    client::Settings reread;
    client::LoadIniFile(reread, client::AppSettings().IniFilePath);
    EXPECT_EQ(reread.Surname, "");
}

TEST_F(Online, EachKindOfDownloadLandsInItsFolderAndRefreshesTheLists) {
    struct Row {
        int kind;
        const char* remote;
        ZipEntries entries;
        const char* archive;
        QStringList unpacked;
        int page;
    };
    const Row rows[] = {
        {0, "/files/players/zed.zip", {{"players/zed.vrk", "p"}, {"players/zed/zed.jpg", "j"}}, "players/zed.zip",
         {"players/zed.vrk", "players/zed/zed.jpg"}, 3},
        {1, "/files/themes/night.zip", {{"themes/Night.thm", "t"}}, "themes/night.zip", {"themes/Night.thm"}, 1},
        {2, "/files/languages/de.zip", {{"univers/morvatel30_deutsch.lng", "l"}}, "univers/de.zip",
         {"univers/morvatel30_deutsch.lng"}, 4},
        {3, "/files/textures/wood.zip", {{"wood.jpg", "w"}}, "themes/wood.zip", {"themes/textures/wood.jpg"}, 2},
    };
    for (const Row& r : rows) {
        browser.visited.clear();
        const int before = w.refreshes;
        w.web.SetFile(r.remote, ZipWithTool(r.entries));
        const std::string file = QFileInfo(r.archive).fileName().toStdString();
        document("Downloading " + std::to_string(r.kind) + "!" + file + "!12", 2);
        EXPECT_EQ(browser.visited, std::vector<std::string>{page(r.page)}) << r.kind;
        auto* download = w.main().findChild<client::TForm10*>("TForm10");
        ASSERT_NE(download, nullptr) << r.kind;
        EXPECT_EQ(download->Label1->text().toStdString(), "Filename : " + file + " (12 octets)");
        EXPECT_EQ(WaitForDownload(download), client::TForm10::Outcome::Extracted) << r.kind;
        for (const QString& f : r.unpacked) EXPECT_TRUE(Exists(w.inFolder(f.toStdString()))) << f.toStdString();
        EXPECT_FALSE(Exists(w.inFolder(r.archive))) << r.kind;
        EXPECT_EQ(w.refreshes, before + 1) << r.kind;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.main().findChild<client::TForm10*>("TForm10"); }, 2000));
    }
    // The new theme is in the themes menu.
    bool listed = false;
    for (QAction* a : w.main().thmes1->actions()) listed |= a->text() == "Night";
    EXPECT_TRUE(listed);
}

TEST_F(Online, DownloadTitlesThatAreRefusedTouchNothing) {
    const std::pair<const char*, const char*> rows[] = {
        {"Downloading 0!../x!10", "Impossible to download this plug-in."},
        {"Downloading 0!/etc/passwd!10", "Impossible to download this plug-in."},
        {"Downloading 9!a.zip!10", "Impossible to download this plug-in."},
        {"Downloading zero!a.zip!10", "'zero' is not a valid integer value."},
    };
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));  // the banner's check
    const QStringList before = FilesBelow(w.windows->folder.path());
    const qsizetype requests = w.web.Requests.size();
    for (auto [title, message] : rows) {
        w.texts().clear();
        document(title, 2);
        EXPECT_EQ(w.texts(), std::vector<std::string>{message}) << title;
        EXPECT_EQ(w.main().findChild<client::TForm10*>("TForm10"), nullptr) << title;
    }
    QTest::qWait(100);
    EXPECT_TRUE(browser.visited.empty());
    EXPECT_EQ(FilesBelow(w.windows->folder.path()), before);
    EXPECT_EQ(w.web.Requests.size(), requests);
    EXPECT_FALSE(Exists(w.inFolder("x")));
}

TEST_F(Online, AnyOtherTitleIsNoCommandAndKeepsTheDocumentArmed) {
    bool armed = true;
    for (const char* title : {"Welcome", "logging bob&x", "Downloadingfast", ""})
        client::RunTitleCommand(title, armed, browser);
    EXPECT_TRUE(armed);
    EXPECT_EQ(client::AppSettings().Surname, "");
    bool disarmed = false;
    client::RunTitleCommand("Logging bob&x", disarmed, browser);
    EXPECT_EQ(client::AppSettings().Surname, "");
}

TEST_F(Online, AnArchiveOfEachKindUnpacksOnlyIntoItsOwnFolderOrNotAtAll) {
    const std::string program = w.inFolder("morvatel");
    WriteBytes(program, "the program");
    QFile::setPermissions(QString::fromStdString(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::string settings = ReadText(w.inFolder("param.ini"));
    ASSERT_FALSE(settings.empty());
    struct Row {
        int kind;
        const char* folder;  // where the page's file goes
        ZipEntries entries;
    };
    // Each archive's good entries come first; its last entry is the bad one.
    const Row rows[] = {
        {0, "players", {{"players/a.vrk", "a"}, {"morvatel", "evil"}}},
        {0, "players", {{"players/a.vrk", "a"}, {"players\\..\\param.ini", "evil"}}},
        {1, "themes", {{"themes/a.thm", "a"}, {"param.ini", "evil"}}},
        {1, "themes", {{"themes/a.thm", "a"}, {"players/a.vrk", "not a theme"}}},
        {2, "languages", {{"univers/a.lng", "a"}, {"/tmp/morvatel-abs-entry", "evil"}}},
        {2, "languages", {{"univers/a.lng", "a"}, {"univers/b\r\n.lng", "evil"}}},
        {3, "textures", {{"a.jpg", "a"}, {"..\\..\\morvatel", "evil"}}},
        {3, "textures", {{"a.jpg", "a"}, {"../../param.ini", "evil"}}},
    };
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    for (const Row& r : rows) {
        w.texts().clear();
        const QStringList before = FilesBelow(w.windows->folder.path());
        w.web.SetFile(std::string("/files/") + r.folder + "/bad.zip", ZipWithNames(r.entries));
        document("Downloading " + std::to_string(r.kind) + "!bad.zip!10");
        auto* download = w.main().findChild<client::TForm10*>("TForm10");
        ASSERT_NE(download, nullptr) << r.kind;
        EXPECT_EQ(WaitForDownload(download), client::TForm10::Outcome::UnpackFailed) << r.entries.back().first;
        EXPECT_EQ(w.texts(), std::vector<std::string>{
                                 "Impossible to automatically unzip the file you downloaded. Please do it by yourself."});
        // Only the archive itself is new; it stays for the player to look at.
        QStringList after = FilesBelow(w.windows->folder.path());
        after.removeAll(r.kind == 2 ? "univers/bad.zip" : r.kind == 0 ? "players/bad.zip" : "themes/bad.zip");
        EXPECT_EQ(after, before) << r.entries.back().first;
        QFile::remove(QString::fromStdString(w.inFolder(r.kind == 2 ? "univers/bad.zip" : r.kind == 0 ? "players/bad.zip" : "themes/bad.zip")));
        QTest::qWaitFor([&] { return !w.main().findChild<client::TForm10*>("TForm10"); }, 2000);
    }
    EXPECT_EQ(ReadText(program), "the program");
    EXPECT_EQ(ReadText(w.inFolder("param.ini")), settings);
    EXPECT_FALSE(Exists("/tmp/morvatel-abs-entry"));
    EXPECT_EQ(w.refreshes, 0);
}

TEST_F(Online, AFinishedDownloadSaysSoAndShowsItsListAgain) {
    w.web.SetFile("/files/players/zed.zip", ZipWithTool({{"players/zed.vrk", "p"}}));
    document("Downloading 0!zed.zip!12");
    auto* download = w.main().findChild<client::TForm10*>("TForm10");
    ASSERT_NE(download, nullptr);
    EXPECT_EQ(WaitForDownload(download), client::TForm10::Outcome::Extracted);
    EXPECT_EQ(w.main().StatusBar1->currentMessage().toStdString(), "Download finished: zed.zip");
    EXPECT_EQ(browser.visited, (std::vector<std::string>{page(3), page(3)}));
}
