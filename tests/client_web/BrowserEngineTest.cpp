// The web browser window in the real engine, on a test site's pages.
#include <QWebEngineView>

#include "OnlineWindows.h"
#include "client/VueApropos.h"
#include "client/VueNavigateur.h"
#include "client/VueOptions.h"

namespace {
struct Browser : ::testing::Test {
    OnlineWindows w;
    client::TForm15* browser = nullptr;
    Browser() {
        w.web.SetPage("/pub/index.php", "MORVATEL 3.0.3");
        w.web.SetPage("/red/index.php", "Home", "<p>home</p>");
        online = QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 30000) &&
                 w.waitForRequests("/all/page0.php?req=00", 1);
        browser = dynamic_cast<client::TForm15*>(client::AppForms().Form15);
    }
    void SetUp() override {
        ASSERT_TRUE(online) << "the banner never arrived";
        ASSERT_NE(browser, nullptr);
    }
    bool online = false;
    // Goes to a page and waits until it has loaded.
    bool visit(const std::string& path, int ms = 20000) {
        bool loaded = false;
        auto c = QObject::connect(browser->WB, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
        browser->Go(w.web.Url() + path);
        const bool ok = QTest::qWaitFor([&] { return loaded; }, ms);
        QObject::disconnect(c);
        return ok;
    }
};
} // namespace

TEST_F(Browser, TheWindowHasItsButtonsAndOpensPagesFromTheMenus) {
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->windowTitle(), "Web Browser");
    for (auto [name, hint] : {std::pair{"BTN_1_BACK", "Back"}, {"BTN_1_FORWARD", "Forward"}, {"BTN_1_STOP", "Stop"},
                              {"BTN_1_REFRESH", "Refresh"}, {"BTN_1_HOME", "Home"}}) {
        auto* b = browser->findChild<QToolButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->toolTip(), hint);
    }
    w.main().hmes1->trigger();
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(w.main().Web1->isChecked());
    EXPECT_EQ(w.main().BrowserHomeUrl, client::WebPageUrl(10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.web.CountStartingWith("/red/index.php?") >= 1; }, 20000));
    EXPECT_EQ(w.web.Requests.last(), "/red/index.php?lg=&pw=&dwl=1&opt=1&lang=us");
    browser->BTN_1_BACKClick();  // at the start of the history: nothing happens
    browser->close();
    EXPECT_FALSE(w.main().Web1->isChecked());
}

TEST_F(Browser, EveryPlaceThatOpensAPageOpensItsOwn) {
    client::TForm1& m = w.main();
    auto* about = static_cast<client::TForm2*>(client::AppForms().Form2);
    const std::pair<std::function<void()>, int> rows[] = {
        {[&] { m.hmes1->trigger(); }, 1},
        {[&] { m.lchargerdesjoueurs1->trigger(); }, 3},
        {[&] { m.Downloadlanguages1->trigger(); }, 4},
        {[&] { m.heOnlineGuide1->trigger(); }, 6},
        {[&] { m.VOREKGAMESHomePage1->trigger(); }, 7},
        {[&] { m.Community1->trigger(); }, 10},
        {[&] { m.Editiondesjoueurs1Click(); }, 11},  // no editor beside the program: its page
        {[&] { about->Label5Click(); }, 12},
    };
    for (const auto& [open, opt] : rows) {
        browser->hide();
        open();
        EXPECT_TRUE(browser->isVisible()) << opt;
        const std::string page = "/red/index.php?lg=&pw=&dwl=1&opt=" + std::to_string(opt) + "&lang=us";
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.web.CountStartingWith(page) == 1; }, 20000)) << opt;
    }
}

TEST_F(Browser, ALoggingPageLogsThePlayerInOnce) {
    w.web.SetPage("/red/login.html", "Logging bob&se&cret");
    ASSERT_TRUE(visit("red/login.html"));
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 2));
    QTest::qWait(1000);  // the home page and any later events of the page change nothing
    EXPECT_EQ(client::AppSettings().Surname, "bob");
    EXPECT_EQ(client::AppSettings().NetPassword, "se&cret");
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 2);
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00&wsurnom=bob&wpassword=se%26cret&iop=2"), 1);
    EXPECT_EQ(w.web.CountStartingWith("/red/index.php?lg=bob&pw=se&cret&dwl=1&opt=10"), 1);
}

TEST_F(Browser, ADownloadingPageFetchesAndUnpacksARealArchive) {
    w.web.SetFile("/files/players/zed.zip", ZipWithTool({{"players/zed.vrk", "p"}, {"players/zed/zed.jpg", "j"}}));
    w.web.SetPage("/red/zed.html", "Downloading 0!zed.zip!200");
    ASSERT_TRUE(visit("red/zed.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.refreshes == 1; }, 20000));
    EXPECT_TRUE(Exists(w.inFolder("players/zed.vrk")));
    EXPECT_TRUE(Exists(w.inFolder("players/zed/zed.jpg")));
    EXPECT_FALSE(Exists(w.inFolder("players/zed.zip")));
    QTest::qWait(500);
    EXPECT_EQ(w.web.CountStartingWith("/files/players/zed.zip"), 1);
    EXPECT_EQ(w.web.CountStartingWith("/red/index.php?lg=&pw=&dwl=1&opt=3"), 1);
    EXPECT_TRUE(w.texts().empty());
}

TEST_F(Browser, ATitleNamingAFileOutsideItsFolderIsRefused) {
    w.web.SetPage("/red/evil.html", "Downloading 0!../x!10");
    ASSERT_TRUE(visit("red/evil.html"));
    QTest::qWait(500);
    EXPECT_EQ(w.texts(), std::vector<std::string>{"Impossible to download this plug-in."});
    EXPECT_EQ(w.web.CountStartingWith("/files/"), 0);
    EXPECT_FALSE(Exists(w.inFolder("x")));
}

TEST_F(Browser, AnAddressThatCannotBeVisitedIsReported) {
    for (const char* address : {"http://[bad", "file:///etc/passwd"}) {
        w.texts().clear();
        browser->Go(address);
        ASSERT_EQ(w.texts().size(), 1u) << address;
        EXPECT_EQ(w.texts()[0].rfind(std::string("Unable to navigate to ") + address + ". ", 0), 0u) << w.texts()[0];
    }
}

TEST_F(Browser, AnAccountWithABlankOrAnAccentOpensEveryPage) {
    client::AppSettings().Surname = "Jo Jo";
    client::AppSettings().NetPassword = "p\xe9 w";
    for (int opt : {1, 3, 4, 10}) {
        w.texts().clear();
        client::OpenWebPage(opt);
        const std::string page = "/red/index.php?lg=Jo%20Jo&pw=p%E9%20w&dwl=1&opt=" + std::to_string(opt) + "&lang=us";
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.web.CountStartingWith(page) == 1; }, 20000)) << opt;
        EXPECT_TRUE(w.texts().empty()) << opt << ": " << (w.texts().empty() ? "" : w.texts()[0]);
    }
    browser->BTN_1_HOMEClick();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w.web.CountStartingWith("/red/index.php?lg=Jo%20Jo&pw=p%E9%20w&dwl=1&opt=10&lang=us") == 2; },
        20000));
}

TEST_F(Browser, TheHomeFollowsTheAccountAndClosingTheOptionsShowsItsHomePage) {
    w.main().hmes1->trigger();  // a page opened: Home is set
    auto* options = client::AppForms().Form8;
    w.main().Options1->trigger();
    options->ShowPage(client::TForm8::RowNetwork);
    options->Edit114->setText("Zed");
    options->Edit111->setText("k y");
    EXPECT_EQ(w.main().BrowserHomeUrl, client::WebPageUrl(10));
    EXPECT_NE(w.main().BrowserHomeUrl.find("lg=Zed&pw=k y&"), std::string::npos);
    options->close();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w.web.CountStartingWith("/red/index.php?lg=Zed&pw=k%20y&dwl=1&opt=10") == 1; }, 20000));
    EXPECT_EQ(w.web.CountStartingWith("/red/index.php?lg=Zed&pw=k%20y&dwl=1&opt=10&lang"), 0);
    browser->BTN_1_HOMEClick();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w.web.CountStartingWith("/red/index.php?lg=Zed&pw=k%20y&dwl=1&opt=10&lang=us") == 1; }, 20000));
}
