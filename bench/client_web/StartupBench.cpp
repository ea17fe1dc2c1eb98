// Measures the client's start: from the start of the process to the first paint of the
// main window, with a site that answers and with none, and the memory (resident set) of
// the client and its browser engine processes once the banner has loaded or failed.
//   bench_client_start [runs]          runs each case `runs` times (default 5) and reports
//   bench_client_start --child site|none|bare FOLDER START_NS   one measured start ("bare":
//   no browser engine installed, the baseline)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "client/BrowserEngine.h"
#include "client/ClientFixture.h"
#include "client/ClientApp.h"
#include "client/Forms.h"
#include "client/Vuesc.h"
#include "client_web/TinyWebServer.h"
#include "platform/ProgramFolder.h"
#include "support/MessageRecorder.h"

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Resident set of a process in KiB, from /proc.
long rssKb(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

int parentOf(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), {});
    const auto close = all.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream rest(all.substr(close + 2));
    std::string state;
    int ppid = -1;
    rest >> state >> ppid;
    return ppid;
}

// The resident set of every process below `root`.
long descendantsRssKb(int root) {
    long total = 0;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool ok = false;
        int pid = entry.toInt(&ok);
        if (!ok || pid == root) continue;
        for (int p = parentOf(pid), hops = 0; p > 1 && hops < 8; p = parentOf(p), ++hops)
            if (p == root) {
                total += rssKb(pid);
                break;
            }
    }
    return total;
}

int child(int argc, char** argv) {
    const bool site = std::string(argv[2]) == "site";
    const bool bare = std::string(argv[2]) == "bare";  // no browser engine at all: the baseline
    const std::string folder = argv[3];
    const long long start = std::stoll(argv[4]);
    if (!bare) client::PrepareBrowserEngine();
    QApplication app(argc, argv);
    if (!bare) client::InstallBrowserEngine();
    MessageRecorder answers(platform::MsgAnswer::No);
    TinyWebServer web;
    web.SetPage("/pub/index.php", "MORVATEL 3.0.3");
    std::string url = web.Url();
    if (!site) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        url = "http://127.0.0.1:" + std::to_string(probe.serverPort()) + "/";
    }
    qputenv("MORVATEL_SITE_URL", QByteArray::fromStdString(url));
    platform::SetProgramFolderForTests(folder);

    long long firstPaint = 0;
    struct PaintWatch : QObject {
        long long* stamp;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint && *stamp == 0) *stamp = nowNs();
            return false;
        }
    } watch;
    watch.stamp = &firstPaint;
    client::CreateClientWindows();
    client::TForm1& main = *client::AppForms().Form1;
    main.Area->installEventFilter(&watch);
    main.resize(1024, 700);
    main.show();
    QWebEngineView* view = nullptr;
    bool loaded = false;
    if (!QTest::qWaitFor([&] { return firstPaint != 0; }, 20000)) std::_Exit(1);
    if (bare) {
        std::printf("%lld %ld %ld %d\n", (firstPaint - start) / 1000, rssKb(getpid()), 0L, 0);
        std::fflush(stdout);
        std::_Exit(0);
    }
    if (!QTest::qWaitFor([&] { return (view = qobject_cast<QWebEngineView*>(main.PUB)) != nullptr; }, 5000))
        std::_Exit(1);
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
    if (!QTest::qWaitFor([&] { return loaded || main.Web1->isEnabled(); }, 30000)) std::_Exit(1);
    QTest::qWait(1000);
    std::printf("%lld %ld %ld %d\n", (firstPaint - start) / 1000, rssKb(getpid()), descendantsRssKb(getpid()),
                main.Web1->isEnabled() ? 1 : 0);
    std::fflush(stdout);
    std::_Exit(0);  // the engine's processes go with us
}

} // namespace

int main(int argc, char** argv) {
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (argc >= 5 && std::string(argv[1]) == "--child") return child(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir folder;
    CopyTree(QString(MORVATEL_SOURCE_DIR) + "/data", folder.path());
    // The two cases take turns, so that a busy machine weighs on both alike.
    struct Case {
        const char* mode;
        std::vector<double> paints;
        long rss = 0, engine = 0;
        int online = 0;
    } cases[] = {{"site", {}}, {"none", {}}, {"bare", {}}};
    for (int i = 0; i < runs; ++i)
        for (Case& c : cases) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QCoreApplication::applicationFilePath(),
                    {"--child", c.mode, folder.path(), QString::number(nowNs())});
            p.waitForFinished(90000);
            long long us = 0;
            long selfKb = 0, engineKb = 0;
            int on = 0;
            if (std::sscanf(p.readAllStandardOutput().constData(), "%lld %ld %ld %d", &us, &selfKb, &engineKb, &on) != 4)
                continue;
            c.paints.push_back(us / 1000.0);
            c.rss = std::max(c.rss, selfKb);
            c.engine = std::max(c.engine, engineKb);
            c.online += on;
        }
    for (Case& c : cases) {
        if (c.paints.empty()) {
            std::printf("site %-4s no measurement\n", c.mode);
            continue;
        }
        std::sort(c.paints.begin(), c.paints.end());
        std::printf("site %-4s runs %zu  first paint ms: min %.0f median %.0f max %.0f  "
                    "RSS KiB: client %ld + engine processes %ld  online in %d runs\n",
                    c.mode, c.paints.size(), c.paints.front(), c.paints[c.paints.size() / 2], c.paints.back(),
                    c.rss, c.engine, c.online);
    }
    return 0;
}
