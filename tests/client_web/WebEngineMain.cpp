// main() of the tests that run the real browser engine: shared OpenGL contexts before the
// application object, no GPU, and the client's web parts installed.
#include <QApplication>
#include <gtest/gtest.h>
#include <unistd.h>

#include "client/BrowserEngine.h"

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine's sandbox cannot run as root (CTest sets this too; a whole run may not).
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    client::PrepareBrowserEngine(/*disableGpu=*/true);
    QApplication app(argc, argv);
    client::InstallBrowserEngine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
