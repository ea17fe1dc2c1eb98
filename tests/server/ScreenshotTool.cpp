// Saves pictures of the server's windows for people to look at: the three pages of the main
// window with a lobby list, a received invitation and a history, and the options window.
// Usage: mvtserver_screenshots OUTPUT_FOLDER (run it under xvfb-run for a real window)
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"
#include "support/Screenshot.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/univers");
    for (const char* f : {"mvtserver16_english.lng", "mvtserver16_francais.lng"})
        QFile::copy(QString(MORVATEL_SOURCE_DIR "/data/univers/") + f, dir.path() + "/univers/" + f);
    QDir().mkpath(dir.path() + "/players");
    QFile::copy(MORVATEL_SOURCE_DIR "/data/players/standard player.vrk", dir.path() + "/players/standard player.vrk");
    platform::SetProgramFolderForTests(dir.path().toStdString());
    ::setenv("MORVATEL_SITE_URL", "http://127.0.0.1:1/", 1);
    platform::SetMessageHandler([](const platform::MessageRequest&) { return platform::MsgAnswer::No; });
    server::TForm1* main = server::CreateServerWindows();
    main->Timer2->stop();
    main->TrayAvailable = [] { return false; };
    main->show();
    main->NMHTTP0Success("*00:[Free Play;0][Cup;2]*");
    main->Http->Component(1).Abort();
    main->Open1Click();
    server::AppForms().Form8->hide();
    main->ComboBox1->clear();
    main->ComboBox1->addItem("Free Play (C)");
    main->LocalIPAddress = "127.0.0.1";
    main->NMHTTP1Success("*01:[ann;Ann;FR;Cl;fr;10/12/2026;127.0.0.1;3000][Rob;Rob;DE;Se;bs;09/12/2026;10.0.0.2;2032]*");
    main->Timer4->stop();
    main->AddHistory("Invitation of ann");
    main->PageControl1->setCurrentIndex(0);
    SaveScreenshot(*main, out, "server_connexion.png");
    main->NMHTTP5Success("*05:[1;10/12 12:00;127.0.0.1;3000;x;Hello robot, a game?]*");
    main->Timer4->stop();
    main->PageControl1->setCurrentIndex(1);
    SaveScreenshot(*main, out, "server_messages.png");
    main->PageControl1->setCurrentIndex(2);
    SaveScreenshot(*main, out, "server_history.png");
    server::TForm8& options = *server::AppForms().Form8;
    options.ShowNetwork();
    SaveScreenshot(options, out, "server_options.png");
    options.PageControl1->setCurrentIndex(3);
    SaveScreenshot(options, out, "server_options_players.png");
    server::DestroyServerWindows();
    return 0;
}
