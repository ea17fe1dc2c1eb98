// The client's main block: one running copy, every window, then the event loop.
#include <QApplication>
#include <QScreen>

#include "client/BrowserEngine.h"
#include "client/ClientApp.h"
#include "client/Vuesc.h"

int main(int argc, char** argv) {
    client::PrepareBrowserEngine();
    QApplication app(argc, argv);
    auto lock = client::TakeInstanceLock();
    if (!lock) return 0;  // another copy runs: end silently, with no window
    QApplication::setApplicationName("Morvatel Dominoes 3D 1.0");
    client::InstallMessageBoxes();
    client::InstallBrowserEngine();
    QWidget* main = client::CreateClientWindows();
    // Sized to the screen first, so that it fills it even without a window manager.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main->resize(screen->availableGeometry().size());
    main->showMaximized();
    const int rc = app.exec();
    client::DestroyClientWindows();
    return rc;
}
