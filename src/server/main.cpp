// The dedicated server's main block: every window in its order, then the event loop. Any
// number of copies may run.
#include <QApplication>

#include "lobby/Counter.h"
#include "server/Vuesc.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("MVT Dedicated Server 1.6");
    // Hidden in the notification area the server has no window left, and still runs.
    QApplication::setQuitOnLastWindowClosed(false);
    server::InstallMessageBoxes();
    server::TForm1* main = server::CreateServerWindows();
    main->show();
    const int rc = app.exec();
    server::DestroyServerWindows();
    return rc;
}
