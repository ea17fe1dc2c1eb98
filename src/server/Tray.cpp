// The notification-area icon, minimising, and the shutdown.
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <utility>
#include <cstdio>

#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

QIcon AppIcon() {
    // A domino tile, 3 and 5, drawn once: the icon of the window and of the notification area.
    QPixmap tile(32, 32);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8.5, 1.5, 15, 29), 3, 3);
    p.drawLine(QPointF(10, 16), QPointF(22, 16));
    p.setBrush(Qt::black);
    const auto pip = [&p](double x, double y) { p.drawEllipse(QPointF(x, y), 1.6, 1.6); };
    for (double k : {0.0, 1.0, 2.0}) pip(12 + 4 * k, 4.5 + 4 * k);
    for (auto [x, y] : {std::pair{12.0, 20.0}, {20.0, 20.0}, {16.0, 23.5}, {12.0, 27.0}, {20.0, 27.0}}) pip(x, y);
    return QIcon(tile);
}

void TForm1::Minimize() {
    const bool tray = TrayAvailable && TrayAvailable();
    if (tray) {
        TrayIcon->show();
    } else if (!TrayAbsenceSaid) {
        TrayAbsenceSaid = true;
        // Nowhere to put the icon: the server goes on running without a window, and says
        // so once.
        const std::string note = "No notification area: MVT Server runs on out of sight.";
        AddHistory(note);
        std::fprintf(stderr, "%s\n", note.c_str());
    }
    MinimisedOutOfSight = !tray;
    Actions1->setEnabled(Connect1->isEnabled());
    Disconnect2->setEnabled(Disconnect1->isEnabled());
    if (TForm8* options = AppForms().Form8) options->hide();
    if (TForm2* about = AppForms().Form2) about->hide();
    hide();
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        QTimer::singleShot(0, this, &TForm1::Minimize);
    }
}

void TForm1::TrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        Open1Click();
    } else if (reason == QSystemTrayIcon::Context) {
        Actions1->setEnabled(Connect1->isEnabled());
        Disconnect2->setEnabled(Disconnect1->isEnabled());
    }
}

void TForm1::Open1Click() {
    MinimisedOutOfSight = false;
    showNormal();
    raise();
    activateWindow();
    TrayIcon->hide();
}

void TForm1::Halt1Click() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept();
}

void TForm1::FormCloseQuery() {
    // Nothing else may start while the last requests go out.
    for (QTimer* t : {Timer1, Timer2, Timer4, TimeUp, TimerError}) t->stop();
    // Each request is given a moment to reach the site before the next one, so that the site
    // learns of the abandoned game before the robot leaves.
    const auto waitFor = [this](int code) {
        QElapsedTimer clock;
        clock.start();
        while (Http->Component(code).Busy() && clock.elapsed() < ShutdownWaitMs) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    };
    const bool inLobby = ToolButton6->isEnabled();
    // 1. A running game is reported as abandoned.
    if (CurrentGame && !CurrentGame->GameOver && CurrentGame->IsNetworkGame == 1) {
        // The closed link must not report the game a second time.
        resultReported_ = true;
        sendLobby(8, requests().Abandon());
        CurrentGame->GameOver = true;
        if (CurrentGame->IsHost) WSocketServer1->Close();
        waitFor(8);
    }
    // 2. The robot leaves the lobby.
    if (inLobby) {
        sendLobby(2, requests().Leave());
        waitFor(2);
    }
    // 3, 4. The icon goes, and the program ends: no window is asked, no file written.
    TrayIcon->hide();
    if (EndProgram) EndProgram();
    else QCoreApplication::exit(0);
}

} // namespace server
