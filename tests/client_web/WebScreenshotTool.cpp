// Saves pictures of the main window with its banner and of the web browser on a page, for
// people to look at. Run under Xvfb: morvatel_web_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWebEngineView>
#include <cstdio>
#include <unistd.h>

#include "client/BrowserEngine.h"
#include "client/BrowserEngineAsan.h"
#include "client/ClientFixture.h"
#include "client/ClientApp.h"
#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/VueNavigateur.h"
#include "client/Vuesc.h"
#include "platform/ProgramFolder.h"
#include "support/MessageRecorder.h"
#include "client_web/TinyWebServer.h"

int main(int argc, char** argv) {
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    client::PrepareBrowserEngine(true);
    QApplication app(argc, argv);
    client::InstallBrowserEngine();
    const QString out = argc > 1 ? argv[1] : "screenshots";
    QDir().mkpath(out);
    MessageRecorder answers(platform::MsgAnswer::No);

    TinyWebServer web;
    web.SetPage("/pub/index.php", "MORVATEL 3.0.3",
                "<div style='margin:0;height:60px;background:linear-gradient(90deg,#0b3d0b,#3a8a3a);color:#fff;"
                "font:bold 22px sans-serif;line-height:60px;text-align:center'>MORVATEL Dominoes 3D online</div>"
                "<style>body{margin:0}</style>");
    web.SetPage("/red/index.php", "Players to download",
                "<h2>Players to download</h2><ul><li><a href='/red/zed.html'>Zed (12 KB)</a></li>"
                "<li><a href='/red/ann.html'>Ann (9 KB)</a></li></ul>");
    qputenv("MORVATEL_SITE_URL", QByteArray::fromStdString(web.Url()));

    QTemporaryDir folder;
    CopyTree(QString(MORVATEL_SOURCE_DIR) + "/data", folder.path());
    platform::SetProgramFolderForTests(folder.path().toStdString());
    client::CreateClientWindows();
    client::TForm1& main = *client::AppForms().Form1;
    main.resize(1024, 700);
    main.show();
    if (!QTest::qWaitFor([&] { return main.Web1->isEnabled(); }, 30000)) std::fprintf(stderr, "no banner\n");
    QTest::qWait(1500);  // the banner's own drawing
    main.grab().save(out + "/main-banner.png");

    main.lchargerdesjoueurs1->trigger();
    auto* browser = dynamic_cast<client::TForm15*>(client::AppForms().Form15);
    browser->resize(800, 500);
    if (!QTest::qWaitFor([&] { return browser->WB->title() == "Players to download"; }, 20000))
        std::fprintf(stderr, "no page\n");
    QTest::qWait(1500);
    browser->grab().save(out + "/browser.png");
    client::DestroyClientWindows();
    return 0;
}
