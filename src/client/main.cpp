// The client's main block: one running copy, every window, then the event loop. The browser
// engine is a module beside the program, loaded once the main window has painted.
#include <QApplication>
#include <QScreen>

#include "client/BrowserEngineAsan.h"
#include "client/ClientApp.h"
#include "client/Vuesc.h"
#include "client/WebModule.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto lock = client::TakeInstanceLock();
    if (!lock) return 0;  // another copy runs: end silently, with no window
    QApplication::setApplicationName("Morvatel Dominoes 3D 1.0");
    client::InstallMessageBoxes();
#ifndef MORVATEL_WITHOUT_WEB_ENGINE
    client::SetWebModulePath(QCoreApplication::applicationDirPath() + "/" + client::WebModuleFileName);
#endif
    QWidget* main = client::CreateClientWindows();
    // Sized to the screen first, so that it fills it even without a window manager.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main->resize(screen->availableGeometry().size());
    main->showMaximized();
    const int rc = app.exec();
    client::DestroyClientWindows();
    return rc;
}
