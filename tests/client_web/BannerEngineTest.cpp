// The banner in the real browser engine against a test site.
#include <QWebEngineView>

#include "OnlineWindows.h"

namespace {
void serveBanner(TinyWebServer& web, const std::string& version) {
    web.SetPage("/pub/index.php", "MORVATEL " + version, "<p>banner</p>");
}
QWebEngineView* banner(client::TForm1& m) { return qobject_cast<QWebEngineView*>(m.PUB); }
} // namespace

TEST(BannerEngine, ThePageEnablesTheOnlineControlsOnceAndSendsOneLoginCheck) {
    OnlineWindows w;
    serveBanner(w.web, "3.0.3");
    // The banner is made after the first paint, not before.
    ASSERT_TRUE(QTest::qWaitFor([&] { return banner(w.main()) != nullptr; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 30000));
    for (QObject* c : WebControls(w.main())) EXPECT_TRUE(Enabled(c)) << c->objectName().toStdString();
    ASSERT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));
    QTest::qWait(500);  // later progress events of the same page change nothing
    EXPECT_EQ(w.reachable, 1);
    EXPECT_EQ(w.web.CountStartingWith("/pub/index.php?lang=us"), 1);
    EXPECT_EQ(w.web.CountStartingWith("/all/page0.php?req=00&wsurnom=&wpassword=&iop=1"), 1);
    EXPECT_EQ(w.web.CountStartingWith("/all/"), 1);
    EXPECT_TRUE(w.main().Panel4->isHidden());
    EXPECT_TRUE(w.texts().empty());
}

TEST(BannerEngine, TheAnnouncedVersionDecidesTheOffer) {
    for (auto [version, offered] : {std::pair{"3.1.0", true}, std::pair{"3.0.9", false}}) {
        OnlineWindows w;
        MessageRecorder no(platform::MsgAnswer::No);
        serveBanner(w.web, version);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 30000)) << version;
        EXPECT_EQ(no.texts.size(), offered ? 1u : 0u) << version;
        if (offered) {
            EXPECT_EQ(no.texts[0], "MORVATEL 3.1. is currently available. Do you want to download it ?");
        }
    }
}

TEST(BannerEngine, WithNoSiteTheClientStaysOfflineAndPlaysLocally) {
    OnlineWindows w(/*siteUp=*/false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return banner(w.main()) != nullptr; }, 5000));
    bool finished = false;
    QObject::connect(banner(w.main()), &QWebEngineView::loadFinished, [&](bool) { finished = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 30000));
    QTest::qWait(300);
    for (QObject* c : WebControls(w.main())) EXPECT_FALSE(Enabled(c)) << c->objectName().toStdString();
    EXPECT_EQ(w.reachable, 0);
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 0);
    EXPECT_FALSE(w.main().Panel4->isHidden());
    w.main().Web1->trigger();  // disabled: nothing opens
    EXPECT_FALSE(client::AppForms().Form15->isVisible());
    w.main().NouvellePartieLocal();
    ASSERT_NE(w.main().CurrentGame, nullptr);
    EXPECT_TRUE(w.texts().empty());
}
