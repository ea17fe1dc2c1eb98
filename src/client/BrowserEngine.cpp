#include "client/BrowserEngine.h"

#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstdio>
#include <unistd.h>

#include "sharedwin/QtColors.h"
#include "client/VueNavigateur.h"
#include "client/WebParts.h"
#include "platform/WireUrl.h"

// The engine's own set-up of the OpenGL context it shares with the application's windows;
// done by itself when it is loaded before the application object, called by the module
// otherwise. It does nothing once the context exists.
namespace QtWebEngineCore {
void initialize();
}

namespace client {

void PrepareBrowserEngine(bool disableGpu) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (disableGpu) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--disable-gpu")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --disable-gpu");
    }
}

namespace {
QWidget* openBanner(QWidget* panel, const std::string& address,
                    std::function<void(const std::string&)> onProgress) {
    auto* view = new QWebEngineView(panel);
    // The banner is read from the site every time, never from a cache. The profile is made
    // after the view, so the view and its page go first.
    auto* profile = new QWebEngineProfile(panel);
    profile->setHttpCacheType(QWebEngineProfile::NoCache);
    view->setPage(new QWebEnginePage(profile, view));
    auto report = [view, onProgress] { onProgress(S(view->title())); };
    QObject::connect(view, &QWebEngineView::loadProgress, view, report);
    QObject::connect(view, &QWebEngineView::titleChanged, view, report);
    QObject::connect(view, &QWebEngineView::loadFinished, view, report);
    view->show();
    view->load(platform::ToQUrl(address));
    return view;
}
} // namespace

void RunEngineWithoutSandboxAsRoot() {
    // The engine refuses to start its sandbox as root and would end the program.
    if (::geteuid() != 0 || !qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) return;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs("morvatel: running as root: the browser engine runs without its sandbox\n", stderr);
}

void InstallBrowserEngine() {
    RunEngineWithoutSandboxAsRoot();
    QtWebEngineCore::initialize();
    InstallWebParts({[](QWidget* main) -> QWidget* { return new TForm15(main); }, openBanner});
}

} // namespace client
