// The banner and the browser against the stand-in web site, in the real engine.
#include <QWebEnginePage>
#include <QWebEngineView>

#include "OnlineWindows.h"
#include "client/VueNavigateur.h"
#include "support/StandInSite.h"

TEST(StandInSiteEngine, TheBannerVersionDecidesTheOfferAndOneLoginCheckIsSent) {
    for (auto [version, offered] : {std::pair{"3.1.0", true}, std::pair{"3.0.9", false}}) {
        StandInSite site;
        ASSERT_TRUE(site.Start({"--banner-version", version})) << version;
        OnlineWindows w(true, site.Url());
        MessageRecorder no(platform::MsgAnswer::No);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 30000)) << version;
        QTest::qWait(500);
        EXPECT_EQ(no.texts.size(), offered ? 1u : 0u) << version;
        EXPECT_EQ(w.reachable, 1);
        const QByteArray log = site.ErrorOutput();
        EXPECT_EQ(log.count("req=00"), 1) << log.toStdString();
        EXPECT_TRUE(log.contains("iop=1")) << log.toStdString();
    }
}

TEST(StandInSiteEngine, EachKindPickedOnTheSitesPagesIsUnpackedIntoItsFolder) {
    StandInSite site;
    ASSERT_TRUE(site.Start());
    OnlineWindows w(true, site.Url());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 30000));
    auto* browser = dynamic_cast<client::TForm15*>(client::AppForms().Form15);
    ASSERT_NE(browser, nullptr);
    const std::string root = w.windows->folder.path();
    const std::pair<int, const char*> rows[] = {{3, "players/"}, {1, "themes/"}, {4, "univers/"}, {2, "themes/textures/"}};
    for (auto [opt, landing] : rows) {
        const QStringList before = FilesBelow(root);
        bool loaded = false;
        auto c = QObject::connect(browser->WB, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
        client::OpenWebPage(opt);
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded; }, 20000)) << opt;
        QObject::disconnect(c);
        // The player picks the first file the page offers.
        const int refreshes = w.refreshes;
        browser->WB->page()->runJavaScript("document.querySelector('li a').click()");
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.refreshes == refreshes + 1; }, 30000)) << opt;
        QStringList added;
        for (const QString& f : FilesBelow(root))
            if (!before.contains(f)) added << f;
        ASSERT_FALSE(added.isEmpty()) << opt;
        for (const QString& f : added) {
            EXPECT_TRUE(f.startsWith(landing)) << opt << " " << f.toStdString();
            EXPECT_FALSE(f.endsWith(".zip")) << f.toStdString();  // the archive is gone
        }
    }
    EXPECT_TRUE(w.texts().empty());
}
