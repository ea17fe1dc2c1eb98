// The server's player list, the options window's seat choice through it, and the message
// composer with the robot's identity.
#include <QMenuBar>
#include <QUrl>
#include <QUrlQuery>

#include "ServerFixture.h"
#include "platform/TextFile.h"

namespace {

// A profile file of twelve lines whose level line holds `level`.
std::string Profile(const std::string& name, const std::string& level) {
    return "[Morvatel player]\r\n\r\nEditor=tester\r\nName=" + name + "\r\nComment=Here\r\nIndex=" + level +
           "\r\nDirectory=none\r\nPresentation sound file=voice.wav\r\nVersion=1.0\r\n\r\n[Picture]\r\nx.jpg\r\n";
}

QUrlQuery Query(const std::string& url) { return QUrlQuery(QUrl(QString::fromStdString(url))); }

class ServerLists : public ServerFixture {
protected:
    void Start() {
        StartServer(SettingsText("robot", "pw", 4321));
        main->Timer2->stop();
        server::ServerSettings& s = server::AppSettings();
        s.LeftPlayerFile = "left.vrk";
        s.MeFile = "players/me.vrk";  // compared by its file-name part
        s.RightPlayerFile = "right.vrk";
        for (const char* n : {"left", "me", "right", "spare"})
            folder.write(std::string("players/") + n + ".vrk", Profile(n, "2"));
    }
    server::TForm9& list() { return *server::AppForms().Form9; }
    server::TForm8& options() { return *server::AppForms().Form8; }
    void Select(const std::string& name) {
        const auto found = list().ListBox1->findItems(QString::fromStdString(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        list().ListBox1->setCurrentItem(found.first());
    }
};

} // namespace

TEST_F(ServerLists, TheSeatedProfilesOfTheServersSettingsCannotBeDeleted) {
    Start();
    // Another current folder: the list still reads the program's.
    ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));
    list().Mode = 0;
    list().FormActivate();
    ASSERT_NE(list().ListBox1->findItems("spare.vrk", Qt::MatchExactly).size(), 0);
    EXPECT_TRUE(list().BitBtn3->isHidden());
    struct Case {
        const char* name;
        bool deletable;
    };
    for (const Case& c : {Case{"left.vrk", false}, Case{"me.vrk", false}, Case{"right.vrk", false},
                          Case{"spare.vrk", true}, Case{"standard player.vrk", true}}) {
        Select(c.name);
        list().ListBox1Click();
        EXPECT_EQ(list().BitBtn1->isEnabled(), c.deletable) << c.name;
        EXPECT_FALSE(list().ProfileSoundFile.empty()) << c.name;  // known, never played
    }
    // A seated profile is refused even when the button is pressed anyway.
    Select("me.vrk");
    {
        MessageRecorder yes(platform::MsgAnswer::Yes);
        list().BitBtn1Click();
        EXPECT_TRUE(yes.texts.empty());
    }
    EXPECT_TRUE(QFile::exists(QString::fromStdString(folder.path() + "/players/me.vrk")));
    Select("spare.vrk");
    {
        MessageRecorder yes(platform::MsgAnswer::Yes);
        list().BitBtn1Click();
        ASSERT_EQ(yes.texts.size(), 1u);
        EXPECT_EQ(yes.texts[0], "Do you really want to delete this Vrk Player ?\nspare.vrk");
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.path() + "/players/spare.vrk")));
    EXPECT_TRUE(list().ListBox1->findItems("spare.vrk", Qt::MatchExactly).isEmpty());
}

TEST_F(ServerLists, TheDownloadButtonOpensTheCommunityPageAndTheListStaysOpen) {
    Start();
    list().show();
    list().BitBtn2Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://127.0.0.1:1/us/community/players");
    EXPECT_TRUE(list().isVisible());
    EXPECT_TRUE(messages.texts.empty());

    server::OpenInBrowser = [](const std::string&) { return false; };
    list().BitBtn2Click();
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts.back(), "Cannot invoke any Web Browser. Please go to http://127.0.0.1:1/ when you can.");
    EXPECT_TRUE(list().isVisible());
    list().Button1Click();
    EXPECT_FALSE(list().isVisible());
}

TEST_F(ServerLists, ChangerPicksTheProfileOfEachPositionAndTheCloseSavesIt) {
    Start();
    folder.write("players/pick.vrk", Profile("Picked one", "4"));
    struct Case {
        int position;
        std::string server::ServerSettings::*seat;
    };
    const Case cases[] = {{0, &server::ServerSettings::LeftPlayerFile},
                          {1, &server::ServerSettings::MeFile},
                          {2, &server::ServerSettings::RightPlayerFile}};
    for (const Case& c : cases) {
        server::AppSettings().*c.seat = "spare.vrk";
        main->Options1Click();
        options().PageControl1->setCurrentIndex(3);
        options().ListBox1->setCurrentRow(c.position);
        options().BitBtn1->click();  // "Changer..." returns at once: the timers go on
        ASSERT_TRUE(list().isVisible()) << c.position;
        EXPECT_NE(list().windowModality(), Qt::NonModal);
        EXPECT_EQ(list().Mode, 1);
        EXPECT_EQ(list().Seat, c.position);
        EXPECT_FALSE(list().BitBtn3->isHidden());
        // The seat's profile is the one selected.
        EXPECT_EQ(list().ListBox1->currentItem()->text().toStdString(), "spare.vrk");
        Select("pick.vrk");
        list().ListBox1DblClick();
        EXPECT_FALSE(list().isVisible());
        EXPECT_EQ(server::AppSettings().*c.seat, "pick.vrk");
        // UpdateComponent shows the new profile of the same position.
        EXPECT_EQ(options().ListBox1->currentRow(), c.position);
        EXPECT_EQ(options().Label3->text().toStdString(), "Picked one");
        options().Button1Click();
        auto lines = platform::ReadLines(folder.path() + "/param_ds.ini");
        ASSERT_TRUE(lines);
        EXPECT_EQ((*lines)[4 + c.position], "pick.vrk") << c.position;
    }
    // A double click on a position opens the list the same way; closing it changes nothing.
    main->Options1Click();
    options().ListBox1->setCurrentRow(0);
    options().ListBox1DblClick();
    ASSERT_TRUE(list().isVisible());
    Select("left.vrk");
    list().Button1Click();
    EXPECT_EQ(server::AppSettings().LeftPlayerFile, "pick.vrk");
    EXPECT_EQ(options().Label3->text().toStdString(), "Picked one");
    options().close();
}

TEST_F(ServerLists, ThePositionsProfileShowsOneStarMorePerLevelAndTheSixthOnlyFor123) {
    Start();
    struct Case {
        const char* level;
        int stars;  // star1 .. star<stars> shown
        bool sixth;
    };
    for (const Case& c : {Case{"-1", 0, false}, Case{"0", 1, false}, Case{"3", 4, false},
                          Case{"4", 5, false}, Case{"122", 5, false}, Case{"123", 5, true}}) {
        folder.write("players/left.vrk", Profile("Lefty", c.level));
        options().Position = 0;
        options().UpdateComponent();
        EXPECT_EQ(options().Label3->text().toStdString(), "Lefty");
        EXPECT_EQ(options().Label5->text().toStdString(), "Edited by tester");
        for (int k = 0; k < 5; ++k) EXPECT_EQ(!options().Stars[k]->isHidden(), k < c.stars) << c.level << k;
        EXPECT_EQ(!options().Stars[5]->isHidden(), c.sixth) << c.level;
    }
    // A level that is not a number: the profile is refused and nothing of it stays shown.
    folder.write("players/left.vrk", Profile("Lefty", "two"));
    options().UpdateComponent();
    EXPECT_EQ(messages.texts.back(), "This player is not valid. You should delete him");
    EXPECT_EQ(options().Label3->text().toStdString(), "");
    for (QLabel* star : options().Stars) EXPECT_TRUE(star->isHidden());
}

TEST_F(ServerLists, TheComposerSendsWithTheRobotsIdentityAndMarksTheAnsweredMessage) {
    Start();
    ConnectedWithOneUser("10.0.0.5", 2032);
    main->NMHTTP5Success("*05:[1;10/12 12:00;10.0.0.5;2032;x;first][1;10/12 12:01;10.0.0.5;2032;x;second]*");
    main->Timer4->stop();
    ASSERT_EQ(main->Messages.size(), 2u);
    main->CurrentMessage = 1;
    auto& composer = *server::AppForms().Form11;
    composer.OpenFor("Answer", "10.0.0.5", 2032);
    EXPECT_TRUE(composer.isVisible());
    EXPECT_FALSE(main->centralWidget()->isEnabled());
    EXPECT_FALSE(main->menuBar()->isEnabled());
    composer.MemoToBeSent->setPlainText("\nlater");
    EXPECT_FALSE(composer.Button1->isEnabled());
    composer.MemoToBeSent->setPlainText("hello robot\nagain & more");
    EXPECT_TRUE(composer.Button1->isEnabled());
    const int counter = lobby::AppCounters().LobbyRequestCounter;
    composer.Button1Click();

    const std::string url = main->Http->Component(4).LastUrl();
    const QUrlQuery q = Query(url);
    EXPECT_NE(url.find("all/page0.php?req=04&"), std::string::npos) << url;
    EXPECT_EQ(q.queryItemValue("wsurnom").toStdString(), "robot");
    EXPECT_EQ(q.queryItemValue("wpassword").toStdString(), "pw");
    EXPECT_EQ(q.queryItemValue("wtype").toStdString(), "1");
    EXPECT_EQ(q.queryItemValue("widsource").toStdString(), "127.0.0.1");
    EXPECT_EQ(q.queryItemValue("wportsource").toStdString(), "4321");
    EXPECT_EQ(q.queryItemValue("widdestin").toStdString(), "10.0.0.5");
    EXPECT_EQ(q.queryItemValue("wportdestin").toStdString(), "2032");
    EXPECT_EQ(q.queryItemValue("wdatetime", QUrl::FullyDecoded).left(4).toStdString(), " le ");
    EXPECT_EQ(q.queryItemValue("wdata", QUrl::FullyDecoded).toStdString(), "hello robot again & more");
    EXPECT_EQ(q.queryItemValue("iop").toInt(), counter);
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, counter);
    EXPECT_FALSE(main->Messages[0].Answered);
    EXPECT_TRUE(main->Messages[1].Answered);
    EXPECT_TRUE(composer.isHidden());
    EXPECT_TRUE(main->centralWidget()->isEnabled());
    EXPECT_TRUE(main->menuBar()->isEnabled());

    // A new message marks nothing; closing the composer gives the main window back.
    main->CurrentMessage = 0;
    composer.OpenFor("Send", "10.0.0.5", 2032);
    composer.MemoToBeSent->setPlainText("new");
    composer.Button1Click();
    EXPECT_FALSE(main->Messages[0].Answered);
    composer.OpenFor("Send", "10.0.0.5", 2032);
    composer.close();
    EXPECT_TRUE(composer.isHidden());
    EXPECT_TRUE(main->centralWidget()->isEnabled());
}

TEST_F(ServerLists, TheListAndTheComposerFollowTheServersLanguage) {
    Start();
    server::AppSettings().LngFilePath = "mvtserver16_francais.lng";
    ASSERT_TRUE(server::UpDateLangue());
    server::TForm7::ApplyToWindows();
    list().Mode = 1;
    list().FormActivate();
    EXPECT_EQ(list().windowTitle().toStdString(), "Changer le joueur...");
    EXPECT_EQ(list().Button1->text().toStdString(), "Fermer");
    EXPECT_EQ(list().BitBtn3->text().toStdString(), "Choisir");
    EXPECT_EQ(server::AppForms().Form11->Button1->text().toStdString(), "Envoyer");
    Select("spare.vrk");
    list().ListBox1Click();
    EXPECT_EQ(list().Details->Editor->text().toLatin1().toStdString(), "Edit\xE9 par tester");
}
