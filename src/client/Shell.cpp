#include "client/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QThread>
#include <QUrl>

#include "platform/ProgramFolder.h"

namespace client {
namespace {
ShellHooks& hooks() {
    static ShellHooks h;
    return h;
}
} // namespace

bool OpenWithDesktop(const std::string& path) {
    if (hooks().Open) return hooks().Open(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(platform::FileSystemPath(path)));
}

void EndClientNow() {
    if (hooks().End) return hooks().End();
    // Nothing more is saved: the event loop stops and the main block ends the process.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

ShellHooks SetShellHooks(ShellHooks h) {
    ShellHooks previous = hooks();
    hooks() = std::move(h);
    return previous;
}

} // namespace client
