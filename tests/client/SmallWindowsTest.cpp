#include <algorithm>
#include <cmath>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "ClientFixture.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "game/JeuMessages.h"
#include "client/VueInfoJeu.h"
#include "client/VueSon.h"
#include "client/VueStatistique.h"

namespace {
void hover(QWidget* w, int times) {
    for (int i = 0; i < times; ++i) {
        QMouseEvent e(QEvent::MouseMove, QPointF(5 + i % 3, 5), QPointF(5 + i % 3, 5), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
}
QWidget* arrow(const char* name) { return client::AppForms().Form17->findChild<QWidget*>(name); }
} // namespace

TEST(CameraDialog, WithoutAGameNothingMoves) {
    ClientWindows w;
    const client::Settings before = client::AppSettings();
    hover(arrow("Image2"), 5);
    hover(arrow("Image7"), 3);
    client::AppForms().Form17->Button1->click();
    EXPECT_TRUE(client::AppSettings() == before);
}

TEST(CameraDialog, EachHoverStepMovesOneCameraValue) {
    ClientWindows w;
    w.main().NouvellePartieLocal();
    Jeu& g = *w.main().CurrentGame;
    const double z = g.CameraPosition[2];
    hover(arrow("Image2"), 5);
    EXPECT_DOUBLE_EQ(g.CameraPosition[2], z + 250);
    EXPECT_DOUBLE_EQ(client::AppSettings().CameraPositionZ, z + 250);
    struct Row {
        const char* name;
        double* value;
        double* setting;
        double step;
    };
    client::Settings& s = client::AppSettings();
    const Row rows[] = {
        {"Image7", &g.CameraAngleX, &s.CameraAngleX, -1.0 / 36},
        {"Image9", &g.CameraAngleX, &s.CameraAngleX, 1.0 / 36},
        {"Image10", &g.CameraAngleY, &s.CameraAngleY, -1.0 / 36},
        {"Image8", &g.CameraAngleY, &s.CameraAngleY, 1.0 / 36},
        {"Image1", &g.CameraPosition[0], &s.CameraPositionX, -50},
        {"dImage13", &g.CameraPosition[0], &s.CameraPositionX, 50},
        {"Image3", &g.CameraPosition[1], &s.CameraPositionY, -50},
        {"Image4", &g.CameraPosition[1], &s.CameraPositionY, 50},
        {"Image43", &g.CameraPosition[2], &s.CameraPositionZ, -50},
    };
    for (const Row& r : rows) {
        const double before = *r.value;
        hover(arrow(r.name), 1);
        EXPECT_DOUBLE_EQ(*r.value, before + r.step) << r.name;
        EXPECT_DOUBLE_EQ(*r.setting, *r.value) << r.name;
    }
    client::AppForms().Form17->Button1->click();
    EXPECT_DOUBLE_EQ(g.CameraAngleX, -0.5235987755982988);
    EXPECT_DOUBLE_EQ(g.CameraAngleY, -3.141592653589793);
    EXPECT_EQ(g.CameraPosition, (std::array<double, 3>{0, -800, -2200}));
    EXPECT_DOUBLE_EQ(s.CameraPositionZ, -2200);
}

TEST(CameraDialog, ClosingUnticksItsMenuItem) {
    ClientWindows w;
    w.main().NouvellePartieLocal();
    w.main().NouvellePartie1->trigger();
    EXPECT_TRUE(client::AppForms().Form17->isVisible());
    client::AppForms().Form17->close();
    EXPECT_FALSE(w.main().NouvellePartie1->isChecked());
}

TEST(MainMenus, HelpAndPlayerEditorFailuresAreReported) {
    ClientWindows w;
    QFile::remove(QString::fromStdString(w.folder.path() + "/doc/morvatel.html"));
    w.main().RglesCommandes1->trigger();
    w.main().Editiondesjoueurs1->trigger();
    ASSERT_EQ(w.messages.texts.size(), 2u);
    EXPECT_EQ(w.messages.texts[0], "Problem in calling the help file.");
    EXPECT_EQ(w.messages.texts[1], "Vrk Editor not found. You can download it at Morvatel Online.");
}

TEST(MainMenus, HelpTellsWhatFailedWhenTheDesktopCannotOpenIt) {
    struct Case {
        const char* what;
        const char* opener;  // the xdg-open on the path; nullptr: none at all
        std::vector<std::string> messages;
    };
    const std::string failed = "Problem in calling the help file. ";
    const Case cases[] = {
        {"an opener that opens it", "exit 0", {}},
        {"no application for HTML files", "exit 3", {failed + "No program on this desktop opens this kind of file."}},
        {"an application that fails", "exit 4", {failed + "The desktop could not open it."}},
        {"no opener at all", nullptr, {failed + "No program on this desktop opens this kind of file."}},
    };
    const QByteArray path = qgetenv("PATH");
    for (const Case& c : cases) {
        ClientWindows w;
        QFile help(QString::fromStdString(w.folder.path() + "/doc/morvatel.html"));
        QDir().mkpath(QFileInfo(help).path());
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.close();
        QTemporaryDir bin;
        if (c.opener) {
            QFile script(bin.filePath("xdg-open"));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(QByteArray("#!/bin/sh\n") + c.opener + "\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(bin.path()) + (c.opener ? ":/bin:/usr/bin" : ""));
        w.main().RglesCommandes1->trigger();
        qputenv("PATH", path);
        // The opener runs on its own; the window goes on meanwhile.
        for (QProcess* p : QCoreApplication::instance()->findChildren<QProcess*>()) p->waitForFinished(5000);
        QTest::qWait(20);
        EXPECT_EQ(w.messages.texts, c.messages) << c.what;
    }
}

TEST(MainMenus, QuitAsksFirst) {
    ClientWindows w;
    MessageRecorder no(platform::MsgAnswer::No);
    w.main().Quitter1->trigger();
    EXPECT_EQ(no.texts, std::vector<std::string>{"Do you really want to quit Morvatel ?"});
    EXPECT_TRUE(w.main().isVisible());
}

TEST(MainMenus, TheThemesSubmenuListsTheThemesAndSwitchesThem) {
    ClientWindows w;
    QStringList captions;
    QAction* wood = nullptr;
    for (QAction* a : w.main().thmes1->actions()) {
        captions << a->text();
        if (a->text() == "Wood Table") wood = a;
        if (a->text() == "Standard Theme") EXPECT_TRUE(a->isChecked());
    }
    EXPECT_EQ(captions.size(), 5);  // three themes, the separator and "Download themes"
    ASSERT_NE(wood, nullptr);
    w.main().NouvellePartieLocal();
    wood->trigger();
    EXPECT_EQ(client::AppSettings().ThemeFilePath, "Wood Table.thm");
    EXPECT_EQ(w.main().CurrentGame->Theme[Jeu::ThemeTable], client::AppSettings().TableColor);
    EXPECT_NE(w.folder.read("param.ini").find("Theme file path=Wood Table.thm"), std::string::npos);
}

TEST(StatisticsWindow, ShowsTheFileAndResetsIt) {
    ClientWindows w;
    w.folder.write("datas.sta", "5\r\n4\r\n3\r\n2\r\n");  // played, pigs given, won, lost
    w.main().Statistiques1->trigger();
    auto* stats = static_cast<client::TForm6*>(client::AppForms().Form6);
    ASSERT_TRUE(stats->isVisible());
    EXPECT_EQ(w.main().Stats, (Statistics{5, 4, 3, 2}));
    EXPECT_EQ(stats->Played->text(), "5");
    EXPECT_EQ(stats->Won->text(), "3");
    EXPECT_EQ(stats->Lost->text(), "2");
    EXPECT_EQ(stats->PigsGiven->text(), "4");
    stats->Button2->click();
    EXPECT_EQ(w.folder.read("datas.sta"), "0\r\n0\r\n0\r\n0\r\n");
    for (QLabel* l : {stats->Played, stats->Won, stats->Lost, stats->PigsGiven}) EXPECT_EQ(l->text(), "0");
    QTest::keyClick(stats, Qt::Key_Escape);
    EXPECT_FALSE(stats->isVisible());
}

TEST(AboutBox, ShowsTheVersion) {
    ClientWindows w;
    w.main().VOREKDomino1->trigger();
    auto* about = static_cast<client::TForm2*>(client::AppForms().Form2);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->Label2->text(), "Dominoes 3.0.3");
    EXPECT_EQ(about->Label8->text(), "MORVATEL Dominoes 3.0.3");
    about->close();
    EXPECT_FALSE(about->isVisible());
}

namespace {
struct RecordingMusic : client::ClipPlayer {
    std::vector<std::string> calls;
    bool playing = false;
    void Play(const std::string& f) override {
        calls.push_back("play " + f);
        playing = true;
    }
    void Stop() override {
        calls.push_back("stop");
        playing = false;
    }
    void PlayCd() override {
        calls.push_back("cd");
        playing = true;
    }
    void Pause() override { calls.push_back("pause"); }
    void NextTrack() override { calls.push_back("next"); }
    void PreviousTrack() override { calls.push_back("previous"); }
    bool Playing() const override { return playing; }
};
} // namespace

TEST(SoundWindow, SwitchesSoundAndDrivesTheMusic) {
    ClientWindows w;
    client::TForm1& main = w.main();
    RecordingMusic music;
    main.Music = &music;
    main.Voice.SoundDevicesPresent = true;
    main.Voice.SoundOn = true;
    auto* sound = static_cast<client::TForm5*>(client::AppForms().Form5);
    sound->FormCreate();  // as at a start on a machine with sound
    client::Settings& s = client::AppSettings();

    s.SoundMode = 1;
    s.GameSoundPath = "no-such-music.mp3";
    sound->UpdateButton();
    EXPECT_TRUE(sound->IPlay->isEnabled());
    sound->IPlay->click();
    EXPECT_TRUE(music.calls.empty()) << "a missing music file plays nothing";

    s.GameSoundPath = "sounds/start.wav";
    sound->IPlay->click();
    EXPECT_EQ(music.calls, std::vector<std::string>{"play sounds/start.wav"});
    EXPECT_FALSE(sound->IPlay->isEnabled());
    EXPECT_TRUE(sound->IStop->isEnabled());
    EXPECT_FALSE(sound->IEject->isEnabled());
    sound->INext->click();
    sound->IPrev->click();
    sound->IStop->click();
    EXPECT_EQ(music.calls, (std::vector<std::string>{"play sounds/start.wav", "next", "previous", "stop"}));

    sound->IPlay->click();
    sound->SoundOn->click();  // shown while sound is on: switches it off
    EXPECT_FALSE(main.Voice.SoundOn);
    EXPECT_FALSE(s.PutSound);
    EXPECT_EQ(music.calls.back(), "stop");
    EXPECT_NE(w.folder.read("param.ini").find("Put sound=0"), std::string::npos);
    EXPECT_FALSE(sound->IPlay->isEnabled());
    sound->SoundOff->click();
    EXPECT_TRUE(main.Voice.SoundOn);
    EXPECT_NE(w.folder.read("param.ini").find("Put sound=1"), std::string::npos);

    s.SoundMode = 2;
    sound->UpdateButton();
    EXPECT_TRUE(sound->IEject->isEnabled());
    sound->IPlay->click();
    EXPECT_EQ(music.calls.back(), "cd");
    main.Music = &main.MP4;
}

TEST(SoundWindow, HiddenWithoutDevicesAndClosingUnticksItsItem) {
    ClientWindows w;
    auto* sound = static_cast<client::TForm5*>(client::AppForms().Form5);
    EXPECT_FALSE(sound->isVisible());
    EXPECT_FALSE(sound->SoundOn->isEnabled() && !w.main().Voice.SoundDevicesPresent);
    sound->show();
    w.main().Controleduson1->setChecked(true);
    sound->close();
    EXPECT_FALSE(w.main().Controleduson1->isChecked());
}

TEST(MainMenus, TheLanguageSubmenuSwitchesEveryCaption) {
    ClientWindows w;
    QStringList names;
    QAction* french = nullptr;
    for (QAction* a : w.main().Language1->actions()) {
        names << a->text();
        if (a->text() == QString::fromLatin1("Fran\xe7" "ais")) french = a;
        if (a->text() == "English") EXPECT_TRUE(a->isChecked());
    }
    EXPECT_EQ(names.size(), 4);  // two languages, the separator and "Download languages"
    ASSERT_NE(french, nullptr);
    const QString englishGame = w.main().Partie1->title();
    french->trigger();
    EXPECT_EQ(client::AppSettings().LngFilePath, "morvatel30_francais.lng");
    EXPECT_NE(w.main().Partie1->title(), englishGame);
    EXPECT_NE(w.main().NewGame1->text(), "New Game");
    EXPECT_NE(GameTexts().HasWonTheRound, "has won the round");
    EXPECT_NE(w.folder.read("param.ini").find("morvatel30_francais.lng"), std::string::npos);
    // And back, for the tests that follow.
    for (QAction* a : w.main().Language1->actions())
        if (a->text() == "English") a->trigger();
    EXPECT_EQ(w.main().NewGame1->text(), "New Game");
    EXPECT_EQ(GameTexts().HasWonTheRound, "has won the round");
}

TEST(StatisticsWindow, AnUnreadableFileIsToldAndTheWindowStaysClosed) {
    for (const char* content : {"5\r\n4\r\n", "five\r\nfour\r\nthree\r\ntwo\r\n"}) {
        SCOPED_TRACE(content);
        ClientWindows w;
        w.main().Stats = Statistics{1, 1, 1, 1};
        w.folder.write("datas.sta", content);
        w.main().Statistiques1->trigger();
        EXPECT_EQ(w.messages.texts, std::vector<std::string>{"The statistics file could not be read."});
        EXPECT_FALSE(client::AppForms().Form6->isVisible());
        EXPECT_EQ(w.main().Stats, (Statistics{1, 1, 1, 1})) << "the counters stay as they were";
    }
}

TEST(CameraDialog, StopsAtTheLimitTheSettingsFileAccepts) {
    ClientWindows w;
    w.main().NouvellePartieLocal();
    Jeu& g = *w.main().CurrentGame;
    g.CameraPosition[2] = client::CameraValueLimit - 60;
    hover(arrow("Image2"), 1);
    EXPECT_DOUBLE_EQ(g.CameraPosition[2], client::CameraValueLimit - 10);
    hover(arrow("Image2"), 3);
    EXPECT_DOUBLE_EQ(g.CameraPosition[2], client::CameraValueLimit - 10);
    EXPECT_DOUBLE_EQ(client::AppSettings().CameraPositionZ, client::CameraValueLimit - 10);
    hover(arrow("Image43"), 1);
    EXPECT_DOUBLE_EQ(g.CameraPosition[2], client::CameraValueLimit - 60) << "and moves back";
    EXPECT_TRUE(w.messages.texts.empty());
}

TEST(CameraDialog, ARedrawThatCannotBeDoneIsToldOncePerGame) {
    ClientWindows w;
    w.main().NouvellePartieLocal();
    Jeu& g = *w.main().CurrentGame;
    g.CameraPosition[2] = 1e308;  // every face's sum overflows
    for (int i = 0; i < 3; ++i) g.RedrawTable();
    ASSERT_FALSE(w.messages.texts.empty());
    const std::set<std::string> distinct(w.messages.texts.begin(), w.messages.texts.end());
    EXPECT_EQ(distinct.size(), w.messages.texts.size()) << "a failure told twice";
    EXPECT_TRUE(distinct.count("Exception in Add Method"));
    // A new game tells it again, once.
    w.messages.texts.clear();
    w.main().NouvellePartieLocal();
    w.main().CurrentGame->CameraPosition[2] = 1e308;
    w.main().CurrentGame->RedrawTable();
    w.main().CurrentGame->RedrawTable();
    EXPECT_EQ(std::count(w.messages.texts.begin(), w.messages.texts.end(), "Exception in Add Method"), 1);
}
