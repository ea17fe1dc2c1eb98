// The browser engine's module as the program meets it: loaded after the first paint, or
// absent or broken, when the client plays offline.
#include <QFile>

#include "client/ClientApp.h"
#include "client/ScriptedUser.h"
#include "client/VueInfoJeu.h"
#include "client/WebModule.h"
#include "client/WebParts.h"
#include "client_web/OnlineWindows.h"

namespace {

const QString BuiltModule = QString(MORVATEL_OUT_DIR) + "/" + client::WebModuleFileName;

// The module the next windows load; the web parts of an earlier case forgotten.
struct ModuleAt {
    explicit ModuleAt(const QString& path) {
        client::InstallWebParts({});
        client::SetWebModulePath(path);
    }
    ~ModuleAt() {
        client::InstallWebParts({});
        client::SetWebModulePath({});
    }
};

// Records, at the main window's first paint, how far the module had come.
struct FirstPaint : QObject {
    bool seen = false;
    client::WebModuleState state = client::WebModuleState::NotTried;
    bool browser = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !seen) {
            seen = true;
            state = client::WebModuleStatus();
            browser = client::AppBrowser() != nullptr;
        }
        return false;
    }
};

// One round with the mouse on the user's seat; true when it came to its end.
bool playOneRound(client::TForm1& w) {
    ScriptedUser user{w};
    for (int step = 0; step < 5000; ++step) {
        Jeu& g = *w.CurrentGame;
        if (g.RoundOver) return true;
        if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
        w.Timer1Timer();
    }
    return false;
}

} // namespace

TEST(WebModule, WithoutAWorkingModuleLocalGamesPlayAndTheOnlineItemsStayOff) {
    TempFolder files;
    const QString broken = QString::fromStdString(files.path()) + "/" + client::WebModuleFileName;
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no library\n");
    f.close();
    struct Case {
        const char* what;
        QString path;
        client::WebModuleState state;
    } cases[] = {{"module removed", QString::fromStdString(files.path()) + "/none/libmorvatel_web.so",
                  client::WebModuleState::Absent},
                 {"module broken", broken, client::WebModuleState::Failed},
                 {"no module named", QString(), client::WebModuleState::Absent}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModuleAt module(c.path);
        OnlineWindows w;  // a site that answers: only the engine is missing
        w.web.SetPage("/pub/index.php", "MORVATEL 3.0.3");
        ASSERT_TRUE(QTest::qWaitFor([] { return client::WebModuleStatus() != client::WebModuleState::NotTried; },
                                    10000));
        EXPECT_EQ(client::WebModuleStatus(), c.state);
        QTest::qWait(300);
        for (QObject* control : WebControls(w.main()))
            EXPECT_FALSE(Enabled(control)) << control->objectName().toStdString();
        EXPECT_EQ(w.main().PUB, nullptr);
        EXPECT_EQ(client::AppBrowser(), nullptr);
        EXPECT_EQ(w.web.CountStartingWith("/"), 0);
        EXPECT_TRUE(w.texts().empty());
        // The menu's web item does nothing, and a local game plays through the window.
        w.main().Web1->trigger();
        EXPECT_FALSE(client::AppForms().Form15->isVisible());
        client::AppSettings().CpuSpeed = 12;
        platform::SetFixedSeed(4);
        w.main().NouvellePartieLocal();
        ASSERT_NE(w.main().CurrentGame, nullptr);
        EXPECT_TRUE(playOneRound(w.main()));
        EXPECT_FALSE(client::AppForms().Form4->Memo1->toPlainText().isEmpty());
    }
}

TEST(WebModule, LoadedAfterTheFirstPaintItBringsTheBannerAndTheBrowser) {
    ASSERT_TRUE(QFile::exists(BuiltModule)) << BuiltModule.toStdString();
    ModuleAt module(BuiltModule);
    FirstPaint paint;
    qApp->installEventFilter(&paint);
    OnlineWindows w;
    w.web.SetPage("/pub/index.php", "MORVATEL 3.0.3");
    w.web.SetPage("/red/index.php", "Community");
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.main().Web1->isEnabled(); }, 60000));
    qApp->removeEventFilter(&paint);
    ASSERT_TRUE(paint.seen);
    EXPECT_EQ(paint.state, client::WebModuleState::NotTried);
    EXPECT_FALSE(paint.browser);
    EXPECT_EQ(client::WebModuleStatus(), client::WebModuleState::Loaded);
    for (QObject* control : WebControls(w.main()))
        EXPECT_TRUE(Enabled(control)) << control->objectName().toStdString();
    EXPECT_TRUE(w.waitForRequests("/all/page0.php?req=00", 1));

    // The browser took the place of the window made without it: one browser, a child of the
    // main window (so languages reach it), and the menu's item opens the site's home.
    ASSERT_NE(client::AppBrowser(), nullptr);
    QWidget* browser = client::AppForms().Form15;
    EXPECT_EQ(browser->parentWidget(), &w.main());
    EXPECT_EQ(w.main().findChildren<QWidget*>("TForm15").size(), 1);
    EXPECT_EQ(browser->windowTitle(), "Web Browser");
    w.main().Web1->trigger();
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(w.waitForRequests("/red/index.php?", 1, 30000));
    // The module stays: windows made again get the browser at once.
    client::AttachWebBrowser();
    EXPECT_EQ(client::AppForms().Form15, browser);
}
