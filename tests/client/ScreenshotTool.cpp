// Plays a seeded local game in the real windows and saves pictures of it for people to look
// at: the start, a picked tile with its drop boxes, a long chain, a round result, the table
// shrunk while a tile is held, and the statistics and about windows in English and French.
// Usage: morvatel_screenshots OUTPUT_FOLDER [WIDTH HEIGHT]
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "ClientFixture.h"
#include "settings/Language.h"
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

    // A new game shrunk while the user holds a tile, to two sizes.
    w.NouvellePartieLocal();
    for (int step = 0; step < 400 && w.CurrentGame->PlayedCount() < 6; ++step) {
        tickUntilUser(w);
        if (w.CurrentGame->RoundOver || !user.playOnce()) break;
        w.Timer1Timer();
    }
    tickUntilUser(w);
    for (const QSize size : {QSize(1024, 700), QSize(800, 600)}) {
        const int picked = user.fittingTile();
        if (picked >= 0) QTest::mousePress(w.Area, Qt::LeftButton, {}, user.slotCentre(picked));
        w.resize(size);
        const QString name = QString("6-resized-%1x%2.png").arg(size.width()).arg(size.height());
        save(w, out, name.toLatin1().constData());
        if (picked >= 0) QTest::mouseRelease(w.Area, Qt::LeftButton, {}, QPoint(5, 5));
    }

    // The small windows in both languages.
    for (const char* language : {"en", "fr"}) {
        if (std::string(language) == "fr") {
            client::SwitchLanguage("morvatel30_francais.lng", "The selected LNG file is erroneous or non-existent");
            w.resize(width, height);
            save(w, out, "7-main-fr.png");
        }
        for (auto [window, what] : {std::pair{client::AppForms().Form6, "statistics"},
                                    std::pair{client::AppForms().Form2, "about"}}) {
            window->show();
            QCoreApplication::processEvents();
            const QString path = out + QString("/8-%1-%2.png").arg(what, language);
            window->grab().save(path);
            std::printf("%s\n", path.toLocal8Bit().constData());
            window->hide();
        }
    }
    return 0;
}
