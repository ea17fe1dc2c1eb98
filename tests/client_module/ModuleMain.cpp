// main() of the module tests: an application object made as the program's main block makes
// it (nothing of the engine before it), no GPU for the engine, no engine linked.
#include <QApplication>
#include <gtest/gtest.h>

#include "client/BrowserEngineAsan.h"

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
