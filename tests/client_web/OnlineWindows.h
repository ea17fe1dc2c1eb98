#pragma once
#include <memory>

#include "RecordingBrowser.h"
#include "TinyWebServer.h"
#include "WebFixture.h"
#include "client/ClientFixture.h"
#include "client/LobbySenders.h"
#include "client/Vuesc.h"

// The client's windows with the site's address pointing at a test server (or at nothing).
struct OnlineWindows {
    // `siteUrl` points the client at another site (the stand-in site) instead of `web`.
    explicit OnlineWindows(bool siteUp = true, const std::string& siteUrl = {}) {
        if (!siteUp) {
            // A port that was free a moment ago: nothing answers there.
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            deadUrl = "http://127.0.0.1:" + std::to_string(probe.serverPort()) + "/";
        }
        qputenv("MORVATEL_SITE_URL", QByteArray::fromStdString(!siteUp ? deadUrl : siteUrl.empty() ? web.Url() : siteUrl));
        lobby::AppCounters() = {};
        client::ResetWindowHooks();
        client::OnWebReachable([this] { ++reachable; });
        client::OnDownloadedLists([this] { ++refreshes; });
        windows = std::make_unique<ClientWindows>();
    }
    ~OnlineWindows() {
        windows.reset();
        client::ResetWindowHooks();
        client::SetLobbyLoggedInQuery({});
        qunsetenv("MORVATEL_SITE_URL");
    }
    client::TForm1& main() { return windows->main(); }
    std::vector<std::string>& texts() { return windows->messages.texts; }
    std::string inFolder(const std::string& relative) { return windows->folder.path() + "/" + relative; }
    // Waits until the server has seen `n` requests beginning with prefix.
    bool waitForRequests(const std::string& prefix, int n, int ms = 10000) {
        return QTest::qWaitFor([&] { return web.CountStartingWith(prefix) >= n; }, ms);
    }

    TinyWebServer web;
    std::string deadUrl;
    RecordingShell shell;
    int reachable = 0;
    int refreshes = 0;
    std::unique_ptr<ClientWindows> windows;
};

// The menu items and buttons that wait for the banner.
inline std::vector<QObject*> WebControls(client::TForm1& m) {
    return {m.Community1, m.heOnlineGuide1, m.lchargerdesjoueurs1, m.hmes1, m.Downloadlanguages1,
            m.VOREKGAMESHomePage1, m.Seconnecter1, m.Web1, m.ToolButton2, m.ToolButton3};
}
inline bool Enabled(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
    return static_cast<QWidget*>(o)->isEnabled();
}
