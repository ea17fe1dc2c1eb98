// Plays a seeded local game in the real windows and saves pictures of it for people to look
// at: the start, a picked tile with its drop boxes, a long chain, and a round result.
// Usage: morvatel_screenshots OUTPUT_FOLDER [WIDTH HEIGHT]
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "ClientFixture.h"
#include "ScriptedUser.h"

namespace {
void save(client::TForm1& w, const QString& folder, const char* name) {
    QCoreApplication::processEvents();
    const QString path = folder + "/" + name;
    w.grab().save(path);
    std::printf("%s\n", path.toLocal8Bit().constData());
}

// Ticks until the local seat waits or the round ends.
void tickUntilUser(client::TForm1& w) {
    for (int i = 0; i < 500 && w.CurrentGame && !w.CurrentGame->RoundOver; ++i) {
        if (w.CurrentGame->SeatToMove == 1 && w.CurrentGame->Seats[1].Waiting) return;
        w.Timer1Timer();
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : "screenshots";
    const int width = argc > 3 ? std::atoi(argv[2]) : 1024;
    const int height = argc > 3 ? std::atoi(argv[3]) : 768;
    QDir().mkpath(out);
    platform::SetFixedSeed(17);
    ClientWindows windows(true, width, height);
    client::AppSettings().CpuSpeed = 12;  // no waiting between computer moves
    client::TForm1& w = windows.main();
    save(w, out, "1-start.png");
    w.Timer2Timer();  // the splash picture goes after five seconds
    w.NouvellePartieLocal();
    w.Timer1Timer();
    tickUntilUser(w);
    save(w, out, "2-game.png");
    ScriptedUser user{w};
    const int i = user.fittingTile();
    if (i >= 0) {
        QTest::mousePress(w.Area, Qt::LeftButton, {}, user.slotCentre(i));
        save(w, out, "3-picked.png");
        QTest::mouseRelease(w.Area, Qt::LeftButton, {}, QPoint(5, 5));
    }
    for (int step = 0; step < 400 && w.CurrentGame && !w.CurrentGame->RoundOver; ++step) {
        tickUntilUser(w);
        if (!w.CurrentGame->RoundOver && w.CurrentGame->SeatToMove == 1) {
            user.playOnce();
            w.Timer1Timer();
        }
        if (w.CurrentGame->PlayedCount() == 9) save(w, out, "4-chain.png");
    }
    w.Timer1Timer();  // shows the round's result
    save(w, out, "5-round.png");
    return 0;
}
