// chain_picture [out.png [WIDTHxHEIGHT]]: draws the table of a seeded long round, whose chain
// turns both corners on both arms and comes back, with the three seats' hands, names and
// pictures, and writes the window's picture as a PNG (default chain.png in the current
// folder, window 1024x768). It plays with the shipped profiles from the source tree's data
// folder. For people to look at the table view without starting the client.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "ViewFixtures.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for the names and round counts

    const QString out = QFileInfo(QString::fromLocal8Bit(argc > 1 ? argv[1] : "chain.png")).absoluteFilePath();
    int width = 1024, height = 768;
    if (argc > 2 && (std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || width < 400 || height < 400)) {
        std::fprintf(stderr, "usage: chain_picture [out.png [WIDTHxHEIGHT]] (at least 400x400)\n");
        return 2;
    }

    // Profiles and seat pictures are read relative to the program's folder.
    const std::string data = std::string(MORVATEL_SOURCE_DIR) + "/data";
    if (::chdir(data.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", data.c_str());
        return 1;
    }
    // The default theme's colours with the client's starting camera.
    GameSetup setup;
    const GameSetup camera = viewtest::TableSetup();
    setup.CameraX = camera.CameraX;
    setup.CameraY = camera.CameraY;
    setup.CameraZ = camera.CameraZ;
    setup.CameraAngleX = camera.CameraAngleX;
    setup.CameraAngleY = camera.CameraAngleY;
    setup.ProfileFiles = {"bruno heavy.vrk", "standard player.vrk", "counting clara.vrk"};

    const auto round = viewtest::FindLongRound(setup, 1, 5000);
    if (!round) {
        std::fprintf(stderr, "no seeded round in the range turned both corners on both arms\n");
        return 1;
    }

    viewtest::ViewGame vg(width, height, setup);
    Jeu& game = *vg.game;
    vg.surface.bitmap.GetCanvas().SetBrushColor(game.Theme[Jeu::ThemeTable]);
    vg.surface.bitmap.GetCanvas().FillRect(0, 0, width, height);
    viewtest::LayOut(vg, round->moves);
    viewtest::GiveHands(game, round->hands);
    game.SeatToMove = round->seatToMove;
    game.PaintHands(false, true, false);

    if (!vg.surface.bitmap.ToQImage().save(out, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("seed %u: %d tiles on the chain, hands %d/%d/%d, window %dx%d -> %s\n", round->seed,
                static_cast<int>(round->moves.size()), static_cast<int>(round->hands[0].size()),
                static_cast<int>(round->hands[1].size()), static_cast<int>(round->hands[2].size()), width,
                height, qPrintable(out));
    return 0;
}
