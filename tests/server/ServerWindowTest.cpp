// The server's main window without a site: start-up, the login check's replies, connect,
// the tray menu, the options window, statistics, languages and the close.
#include "ServerFixture.h"
#include "platform/TextFile.h"
#include "server/Autostart.h"

namespace {

std::vector<std::string> items(QComboBox* box) {
    std::vector<std::string> out;
    for (int i = 0; i < box->count(); ++i) out.push_back(box->itemText(i).toStdString());
    return out;
}

class ServerWindow : public ServerFixture {};

} // namespace

TEST_F(ServerWindow, AStartWithoutSettingsWritesTheDefaultsAndChecksAnEmptyAccount) {
    StartServer("");
    auto lines = platform::ReadLines(folder.path() + "/param_ds.ini");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 37u);
    EXPECT_EQ((*lines)[20], "110");
    EXPECT_EQ(folder.read("datas_ds.sta"), "0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(main->size(), QSize(350, 340));
    EXPECT_TRUE(main->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(main->PageControl1->count(), 3);
    EXPECT_NE(main->Memo2->toPlainText().toStdString().find(" : MORVATEL Lauching"), std::string::npos);
    EXPECT_FALSE(main->Timer1->isActive());
    EXPECT_TRUE(main->Timer2->isActive());

    main->Timer2Timer();
    EXPECT_EQ(main->Timer2->interval(), 300000);
    EXPECT_TRUE(main->Connect1->isEnabled());
    EXPECT_TRUE(main->Actions1->isEnabled());
    EXPECT_NE(main->Http->Component(0).LastUrl().find("all/page0.php?req=00&wsurnom=&wpassword=&iop=1"),
              std::string::npos);
}

TEST_F(ServerWindow, TheLoginCheckReplyListsTheCompetitionsByKind) {
    struct Case {
        std::string reply;
        std::vector<std::string> listed;
    } cases[] = {
        {"*00:*", {"(None competition)"}},
        {"*00:[World;0][Cup;2][Tour;1][Odd;5]*", {"World (C)", "Cup (W)", "Tour (T)"}},
        {"garbage", {"(None competition)"}},
    };
    StartServer(SettingsText("robot", "pw", FreePort()));
    for (const Case& c : cases) {
        main->show();
        main->ToolButton5->setEnabled(false);
        main->NMHTTP0Success(c.reply);
        EXPECT_EQ(items(main->ComboBox1), c.listed) << c.reply;
        EXPECT_EQ(main->ComboBox1->currentIndex(), 0);
        EXPECT_TRUE(main->LoginChecked);
        EXPECT_TRUE(main->AccountAccepted);
        EXPECT_FALSE(main->Timer2->isActive());
        // Accepted: the robot logs in and the server leaves the screen.
        EXPECT_NE(main->Http->Component(1).LastUrl().find("req=01&wsurnom=robot"), std::string::npos);
        EXPECT_FALSE(main->isVisible());
    }
}

TEST_F(ServerWindow, ARefusedAccountOpensTheOptionsAndDoesNotConnect) {
    StartServer(SettingsText("robot", "bad", FreePort()));
    main->show();
    main->NMHTTP0Success("*rj:id**");
    EXPECT_FALSE(main->AccountAccepted);
    EXPECT_TRUE(server::AppForms().Form8->isVisible());
    EXPECT_EQ(main->Http->Component(1).LastUrl(), "");
    EXPECT_TRUE(main->isVisible());
    // "*rj:id" followed by anything else is no account refusal.
    server::AppForms().Form8->hide();
    main->NMHTTP0Success("*rj:idx*");
    EXPECT_TRUE(main->AccountAccepted);
}

TEST_F(ServerWindow, ANicknameTheLobbyWouldSplitIsRefusedBeforeAnyRequest) {
    for (const char* nick : {"a;b", "a&b", "a*b", "a]b"}) {
        StartServer(SettingsText(nick, "pw", FreePort()));
        main->ToolButton5Click();
        EXPECT_EQ(main->Http->Component(1).LastUrl(), "") << nick;
        ASSERT_FALSE(messages.texts.empty());
        EXPECT_EQ(messages.texts.back(), "Invalid nickname. No * & ; ] please.");
        server::DestroyServerWindows();
        main = nullptr;
    }
}

TEST_F(ServerWindow, TheTrayMenuFollowsConnectAndDisconnect) {
    StartServer(SettingsText("robot", "pw", FreePort()));
    ConnectedWithOneUser("10.0.0.5", 2032);
    EXPECT_TRUE(main->Disconnect2->isEnabled());
    EXPECT_FALSE(main->Actions1->isEnabled());
    EXPECT_TRUE(main->ToolButton6->isEnabled());
    EXPECT_EQ(main->ListBox2->item(0)->text().toStdString(), "Standard Player (CPU)");
    EXPECT_EQ(main->OpponentCount, 1);
    // The account, the game port and the proxies cannot change under a connected robot.
    const server::TForm8& options = *server::AppForms().Form8;
    EXPECT_FALSE(options.GroupBoxNetwork->isEnabled());
    EXPECT_FALSE(options.GroupBoxServer->isEnabled());
    EXPECT_FALSE(options.GroupBoxProxy->isEnabled());

    main->NMHTTP1Failure();
    EXPECT_TRUE(main->Actions1->isEnabled());
    EXPECT_TRUE(options.GroupBoxServer->isEnabled());
    EXPECT_FALSE(main->Disconnect2->isEnabled());
    EXPECT_EQ(main->OpponentCount, 0);
    EXPECT_EQ(main->GridUsers->item(0, 0)->text().toStdString(), "Not connected");
}

TEST_F(ServerWindow, MinimisingWithoutANotificationAreaHidesTheServerAndSaysSoOnce) {
    trayAvailable = false;
    StartServer(SettingsText("robot", "pw", FreePort()));
    main->show();
    for (int i = 0; i < 3; ++i) {
        main->Minimize();
        EXPECT_FALSE(main->isVisible());
        main->Open1Click();
        EXPECT_TRUE(main->isVisible());
    }
    main->Minimize();
    const std::string history = main->Memo2->toPlainText().toStdString();
    const std::string note = "No notification area";
    EXPECT_NE(history.find(note), std::string::npos);
    EXPECT_EQ(history.find(note), history.rfind(note)) << history;
}

TEST_F(ServerWindow, ClosingTheOptionsStoresEverythingAndSwitchesTheAutostartEntry) {
    StartServer(SettingsText("robot", "pw", FreePort(), 0));
    server::TForm8& o = *server::AppForms().Form8;
    main->Options1Click();
    ASSERT_TRUE(o.isVisible());
    o.Edit114->setText("newbot");
    o.Edit111->setText("secret");
    o.SpinEdit112->setValue(4567);
    o.CheckBox1->setChecked(true);
    o.CheckBox1Click();
    o.Button1Click();  // "Annuler" still stores and saves
    EXPECT_FALSE(o.isVisible());
    const server::ServerSettings& s = server::AppSettings();
    EXPECT_EQ(s.Surname, "newbot");
    EXPECT_EQ(s.ServerPort, 4567);
    EXPECT_EQ(s.PlayWithCpu, 1);
    EXPECT_EQ(s.BeServer, 1);
    auto lines = platform::ReadLines(folder.path() + "/param_ds.ini");
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[14], "newbot");
    EXPECT_EQ((*lines)[13], "1");
    EXPECT_EQ((*lines)[20], "4567");
    EXPECT_EQ((*lines)[29], "TRUE");
    EXPECT_NE(folder.read("config/autostart/mvtserver.desktop").find("Exec="), std::string::npos);
    // No login reply has come yet: changed or not, nothing is sent.
    EXPECT_EQ(main->Http->Component(0).LastUrl(), "");

    main->LoginChecked = true;
    main->Options1Click();
    o.CheckBox1->setChecked(false);
    o.CheckBox1Click();
    o.close();
    EXPECT_EQ(folder.read("config/autostart/mvtserver.desktop"), "");
    EXPECT_NE(main->Http->Component(0).LastUrl().find("req=00&wsurnom=newbot&wpassword=secret"),
              std::string::npos);
}

TEST_F(ServerWindow, ClosingTheOptionsWhileConnectedOrUnchangedSendsNoCheck) {
    StartServer(SettingsText("robot", "pw", FreePort()));
    main->LoginChecked = true;
    server::TForm8& o = *server::AppForms().Form8;
    main->Options1Click();
    o.close();  // unchanged
    EXPECT_EQ(main->Http->Component(0).LastUrl(), "");
    ConnectedWithOneUser("10.0.0.5", 2032);
    main->Options1Click();
    o.Edit114->setText("other");
    o.EditKeyPress('x');
    o.close();
    EXPECT_EQ(main->Http->Component(0).LastUrl(), "");
}

TEST_F(ServerWindow, AProfileLevelOf123ShowsEveryStar) {
    StartServer(SettingsText("robot", "pw", FreePort()));
    folder.write("players/star.vrk", "[Player]\r\n\r\nEditor=someone\r\nName=Star player\r\n"
                                     "Comment=Nowhere\r\nIndex=123\r\nDirectory=none\r\n\r\n\r\n\r\n\r\nx.jpg\r\n");
    server::AppSettings().LeftPlayerFile = "star.vrk";
    server::TForm8& o = *server::AppForms().Form8;
    o.Position = 0;
    o.UpdateComponent();
    EXPECT_EQ(o.Label3->text().toStdString(), "Star player");
    for (QLabel* star : o.Stars) EXPECT_FALSE(star->isHidden());
    server::AppSettings().LeftPlayerFile = "../escape.vrk";
    o.UpdateComponent();
    EXPECT_EQ(messages.texts.back(), "This player is not valid. You should delete him");
    EXPECT_EQ(o.Label3->text().toStdString(), "");
}

TEST_F(ServerWindow, ResetKeepsTheOldTextsUntilTheStatisticsShowAgain) {
    folder.write("datas_ds.sta", "5\r\n2\r\n3\r\n1\r\n");
    StartServer(SettingsText("robot", "pw", FreePort()));
    server::TForm6& w = *server::AppForms().Form6;
    main->Statistiques1Click();
    EXPECT_EQ(w.Played->text(), "5");
    w.Button2Click();
    EXPECT_EQ(w.Played->text(), "5");
    EXPECT_EQ(folder.read("datas_ds.sta"), "0\r\n0\r\n0\r\n0\r\n");
    w.close();
    main->Statistiques1Click();
    EXPECT_EQ(w.Played->text(), "0");
}

TEST_F(ServerWindow, TheLanguageWindowListsTheServersFilesAndSwitchesEveryCaption) {
    folder.write("univers/client.lng", "[Description]\r\nClient\r\nx\r\ny\r\nMORVATEL DOMINOES\r\n3.0\r\n");
    StartServer(SettingsText("robot", "pw", FreePort()));
    server::TForm7& w = *server::AppForms().Form7;
    ASSERT_EQ(w.StringGrid1->rowCount(), 2);  // the English and the French file
    EXPECT_EQ(main->ToolButton5->text().toStdString(), "Connect");
    for (int r = 0; r < 2; ++r)
        if (w.StringGrid1->item(r, 1)->text() == "mvtserver16_francais.lng") w.StringGrid1->setCurrentCell(r, 0);
    w.BitBtn3Click();
    EXPECT_EQ(server::AppSettings().LngFilePath, "mvtserver16_francais.lng");
    EXPECT_EQ(main->ToolButton5->text().toStdString(), "Connecter");
    EXPECT_EQ(main->GridUsers->horizontalHeaderItem(0)->text().toStdString(), "Surnom");
    const server::TForm8& options = *server::AppForms().Form8;
    EXPECT_EQ(options.LabelNickname->text().toStdString(), "Surnom :");
    EXPECT_EQ(options.LabelPassword->text().toStdString(), "Mot de passe :");
    EXPECT_EQ(options.LabelServerPort->text().toStdString(), "Port du serveur :");
    EXPECT_EQ(platform::ReadLines(folder.path() + "/param_ds.ini")->at(10), "mvtserver16_francais.lng");
    // The file in force cannot be deleted.
    w.FormActivate();
    EXPECT_FALSE(w.BitBtn2->isEnabled());
}

TEST_F(ServerWindow, OnlyTheMenusExitAsksTheCloseBoxEndsAtOnce) {
    StartServer(SettingsText("robot", "pw", FreePort()));
    main->show();
    {
        MessageRecorder no(platform::MsgAnswer::No);
        main->Quitter1Click();
        EXPECT_EQ(no.texts, std::vector<std::string>{"Do you really want to quit Morvatel ?"});
        EXPECT_EQ(ended, 0);
    }
    main->close();
    EXPECT_EQ(ended, 1);
    // Not connected, no game: nothing was sent.
    EXPECT_EQ(main->Http->Component(8).LastUrl(), "");
    EXPECT_EQ(main->Http->Component(2).LastUrl(), "");
}

// A file of the program's folder that cannot be written: the history tells it and the
// status bar keeps it through a Connect, until the file is written again.
TEST_F(ServerWindow, AWriteErrorIsToldAndStaysThroughConnect) {
    for (const std::string file : {"param_ds.ini", "datas_ds.sta"}) {
        SCOPED_TRACE(file);
        StartServer(SettingsText("robot", "pw", 4000));
        // A folder in the file's place: neither the temporary file's rename nor a plain
        // write can succeed.
        QFile::remove(QString::fromStdString(folder.path() + "/" + file));
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder.path() + "/" + file + "/x")));
        if (file == "param_ds.ini") main->SaveIniFile();
        else main->SaveStaFile();
        EXPECT_NE(main->Memo2->toPlainText().toStdString().find("Cannot write the file " + file), std::string::npos);
        main->ToolButton5Click();
        EXPECT_TRUE(main->WriteErrors->isVisibleTo(main));
        EXPECT_NE(main->WriteErrors->text().toStdString().find(file), std::string::npos);
        ASSERT_TRUE(QDir(QString::fromStdString(folder.path() + "/" + file)).removeRecursively());
        if (file == "param_ds.ini") main->SaveIniFile();
        else main->SaveStaFile();
        EXPECT_FALSE(main->WriteErrors->isVisibleTo(main));
        server::DestroyServerWindows();
        main = nullptr;
    }
}

TEST_F(ServerWindow, TheTrayAndTheWindowShowTheApplicationsIcon) {
    StartServer(SettingsText("robot", "pw", 4000));
    main->Minimize();
    ASSERT_TRUE(main->TrayIcon->isVisible());
    EXPECT_FALSE(main->TrayIcon->icon().isNull());
    EXPECT_FALSE(main->TrayIcon->icon().pixmap(16, 16).toImage().isNull());
    EXPECT_FALSE(main->windowIcon().isNull());
}
