#include "client/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include "platform/ProgramFolder.h"
#include "client/UiText.h"

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

void OpenWithDesktopOrTell(const std::string& path, std::function<void(const std::string& why)> failed) {
    if (hooks().Open) {
        if (!hooks().Open(path)) failed(Ui("The desktop could not open it."));
        return;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return failed(Ui("No program on this desktop opens this kind of file."));
    auto* run = new QProcess(QCoreApplication::instance());
    QObject::connect(run, &QProcess::errorOccurred, run, [run, failed](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        failed(Ui("No program on this desktop opens this kind of file."));
        run->deleteLater();
    });
    QObject::connect(run, &QProcess::finished, run, [run, failed](int code, QProcess::ExitStatus status) {
        // xdg-open: 3 when no tool for the file's kind was found, 4 when the one found failed.
        if (status != QProcess::NormalExit || code != 0)
            failed(Ui(code == 3 ? "No program on this desktop opens this kind of file." : "The desktop could not open it."));
        run->deleteLater();
    });
    run->setProcessChannelMode(QProcess::ForwardedChannels);
    run->start(opener, {platform::FileSystemPath(path)});
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
