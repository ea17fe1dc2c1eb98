// The client's main block: one running copy, every window, then the event loop.
#include <QApplication>

#include "client/ClientApp.h"
#include "client/Vuesc.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto lock = client::TakeInstanceLock();
    if (!lock) return 0;  // another copy runs: end silently, with no window
    QApplication::setApplicationName("Morvatel Dominoes 3D 1.0");
    client::InstallMessageBoxes();
    QWidget* main = client::CreateClientWindows();
    main->showMaximized();
    const int rc = app.exec();
    client::DestroyClientWindows();
    return rc;
}
