// Saves pictures of the server's windows for people to look at: the three pages of the main
// window with a lobby list, a received invitation and a history, then in English and in French
// every page of the options window, the player list and the message composer.
// Usage: mvtserver_screenshots OUTPUT_FOLDER (run it under xvfb-run for a real window)
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "server/ServerLanguage.h"
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
    for (const QFileInfo& f : QDir(MORVATEL_SOURCE_DIR "/data/players").entryInfoList(QDir::Files))
        QFile::copy(f.filePath(), dir.path() + "/players/" + f.fileName());
    for (const char* sub : {"standard", "wall"}) {
        QDir().mkpath(dir.path() + "/players/" + sub);
        for (const QFileInfo& f : QDir(QString(MORVATEL_SOURCE_DIR "/data/players/") + sub).entryInfoList(QDir::Files))
            QFile::copy(f.filePath(), dir.path() + "/players/" + sub + "/" + f.fileName());
    }
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
    // The options window page by page, and the player list choosing a seat's profile, in
    // English and then in French.
    for (const char* language : {"english", "francais"}) {
        const std::string suffix = std::string("_") + language;
        server::AppSettings().LngFilePath = std::string("mvtserver16_") + language + ".lng";
        server::UpDateLangue();
        server::TForm7::ApplyToWindows();
        if (suffix == "_francais") {
            main->PageControl1->setCurrentIndex(0);
            SaveScreenshot(*main, out, "server_connexion_francais.png");
        }
        server::TForm8& options = *server::AppForms().Form8;
        options.ShowNetwork();
        for (int page = 0; page < options.PageControl1->count(); ++page) {
            options.PageControl1->setCurrentIndex(page);
            SaveScreenshot(options, out, ("server_options_" + std::to_string(page) + suffix + ".png").c_str());
        }
        options.ListBox1->setCurrentRow(1);
        options.ListBox1DblClick();
        server::TForm9& list = *server::AppForms().Form9;
        SaveScreenshot(list, out, ("server_players" + suffix + ".png").c_str());
        list.Button1Click();
        options.hide();
        server::TForm11& composer = *server::AppForms().Form11;
        composer.OpenFor("Answer", "127.0.0.1", 3000);
        composer.MemoToBeSent->setPlainText("Hello, a game tonight?");
        SaveScreenshot(composer, out, ("server_composer" + suffix + ".png").c_str());
        composer.FormClose();
    }
    server::DestroyServerWindows();
    return 0;
}
