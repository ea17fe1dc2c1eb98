// The options window's structure and its game, sound and univers pages.
#include <QDir>
#include <QFile>

#include "OptionsFixture.h"
#include "client/VueSon.h"
#include "client/WindowHooks.h"
#include "platform/IniFile.h"

using client::AppSettings;
using client::TForm8;
using client::S;

TEST(OptionsPages, EachTreeRowShowsItsFrameAndExactlyItsSubPage) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.show();
    struct Case {
        int row;
        QGroupBox* frame;
        QGroupBox* sub;  // nullptr: the frame's own content
    };
    const Case cases[] = {
        {TForm8::RowGame, o.GroupBox2, nullptr},        {TForm8::RowCpu, o.GroupBox2, o.GroupBox3},
        {TForm8::RowSound, o.GroupBox2, o.GroupBox7},   {TForm8::RowUnivers, o.GroupBox2, o.GroupBox8},
        {TForm8::RowNetwork, o.GroupBox11, nullptr},    {TForm8::RowServer, o.GroupBox11, o.GroupBox1},
        {TForm8::RowConfiguration, o.GroupBox11, o.GroupBox4}, {TForm8::RowFirewall, o.GroupBox11, o.GroupBox5},
        {TForm8::RowPlayers, o.GroupBoxB1, nullptr},    {TForm8::RowThemes, o.GroupBoxC1, nullptr},
        {TForm8::RowLanguages, o.GroupBoxA1, nullptr},
    };
    QGroupBox* frames[] = {o.GroupBox2, o.GroupBox11, o.GroupBoxB1, o.GroupBoxC1, o.GroupBoxA1};
    QGroupBox* subs[] = {o.GroupBox3, o.GroupBox7, o.GroupBox8, o.GroupBox1, o.GroupBox4, o.GroupBox5};
    for (const Case& c : cases) {
        o.ShowPage(c.row);
        EXPECT_EQ(o.SelectedRow(), c.row);
        for (QGroupBox* f : frames) EXPECT_EQ(f->isVisible(), f == c.frame) << c.row << " " << S(f->objectName());
        for (QGroupBox* s : subs) EXPECT_EQ(s->isVisible(), s == c.sub) << c.row << " " << S(s->objectName());
        EXPECT_EQ(o.SeatsPanel->isVisible(), c.row == TForm8::RowGame) << c.row;
        EXPECT_EQ(o.NetworkPanel->isVisible(), c.row == TForm8::RowNetwork) << c.row;
    }
    EXPECT_EQ(o.Outline1->topLevelItemCount(), 5);
}

TEST(OptionsPages, ControlsShowTheStoredSettings) {
    OptionsWindows w;
    client::Settings& s = AppSettings();
    s.ApplyTactic = false;
    s.CpuSpeed = 8;
    s.CheckNewVersion = 0;
    s.UniversLanguage = "fr";
    s.PutSound = false;
    s.SoundMode = 2;
    s.DisplayInformation = false;
    s.CdDirectory = 'e';
    s.Surname = "zoe";
    s.NetPassword = "pw";
    s.IsProxy = true;
    s.ProxyAddress = "10.0.0.1";
    s.ProxyPort = 3128;
    s.ServerPort = 4000;
    s.IsSocksProxy = true;
    s.ProxySocksAddress = "10.0.0.2";
    s.ProxySocksPort = 1081;
    s.IsAuthentificationSocks = true;
    s.ProxySocksLogin = "sam";
    s.ProxySocksPassword = "secret";
    s.BeServer = 0;
    s.DoNotAskParameters = 1;
    TForm8& o = w.options();
    o.UpdateComponent();
    EXPECT_FALSE(o.CheckBox1->isChecked());
    EXPECT_EQ(o.ScrollBar1->value(), 8);
    EXPECT_FALSE(o.CheckBox2->isChecked());
    EXPECT_EQ(o.ComboBox2->currentIndex(), 3);
    EXPECT_TRUE(o.CheckBox3->isChecked());
    EXPECT_TRUE(o.RadioButton10->isChecked());
    EXPECT_FALSE(o.CheckBox4->isChecked());
    EXPECT_EQ(o.DriveComboBox1->currentData().toChar(), QChar('e'));
    EXPECT_EQ(o.Edit114->text(), "zoe");
    EXPECT_EQ(o.Edit111->text(), "pw");
    EXPECT_EQ(o.Edit111->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(o.CheckBox114->isChecked());
    EXPECT_TRUE(o.Edit120->isEnabled());
    EXPECT_EQ(o.Edit120->text(), "10.0.0.1");
    EXPECT_EQ(o.SpinEdit121->value(), 3128);
    EXPECT_EQ(o.SpinEdit112->value(), 4000);
    EXPECT_TRUE(o.CheckBox112->isChecked());
    EXPECT_EQ(o.Edit113->text(), "10.0.0.2");
    EXPECT_EQ(o.SpinEdit111->value(), 1081);
    EXPECT_TRUE(o.CheckBox113->isChecked());
    EXPECT_EQ(o.Edit115->text(), "sam");
    EXPECT_EQ(o.Edit116->text(), "secret");
    EXPECT_EQ(o.RadioTypeItems->checkedId(), 0);
    EXPECT_EQ(o.RadioKindItems->checkedId(), 0);
    EXPECT_EQ(o.ComboBox1->currentIndex(), 1);
    // Filling the controls is not an edit of the account.
    EXPECT_FALSE(o.AccountEdited);
}

TEST(OptionsPages, EachControlWritesItsSettingAtOnce) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.UpdateComponent();
    client::Settings& s = AppSettings();
    struct Case {
        const char* control;
        std::function<void()> act;
        std::function<bool()> written;
    };
    const Case cases[] = {
        {"CheckBox1", [&] { o.CheckBox1->click(); }, [&] { return s.ApplyTactic == o.CheckBox1->isChecked(); }},
        {"ScrollBar1", [&] { o.ScrollBar1->setValue(9); }, [&] { return s.CpuSpeed == 9 && s.CpuDelayTicks == 7; }},
        {"CheckBox2", [&] { o.CheckBox2->click(); }, [&] { return s.CheckNewVersion == (o.CheckBox2->isChecked() ? 1 : 0); }},
        {"ComboBox2", [&] { o.ComboBox2->setCurrentIndex(5); }, [&] { return s.UniversLanguage == "pt"; }},
        {"CheckBox4", [&] { o.CheckBox4->click(); }, [&] { return s.DisplayInformation == o.CheckBox4->isChecked(); }},
        {"RadioButton10", [&] { o.RadioButton10->click(); }, [&] { return s.SoundMode == 2; }},
        {"RadioButton9", [&] { o.RadioButton9->click(); }, [&] { return s.SoundMode == 1; }},
        {"RadioButton8", [&] { o.RadioButton8->click(); }, [&] { return s.SoundMode == 0; }},
        {"DriveComboBox1", [&] { o.DriveComboBox1->setCurrentIndex(6); }, [&] { return s.CdDirectory == 'g'; }},
        {"Edit114", [&] { o.Edit114->setText("nick"); }, [&] { return s.Surname == "nick" && o.AccountEdited; }},
        {"Edit111", [&] { o.Edit111->setText("word"); }, [&] { return s.NetPassword == "word"; }},
        {"ComboBox1", [&] { o.ComboBox1->setCurrentIndex(1); }, [&] { return s.DoNotAskParameters == 1; }},
        {"RadioType", [&] { o.RadioTypeItems->button(1)->click(); }, [&] { return s.BeServer == 1; }},
        {"SpinEdit112", [&] { o.SpinEdit112->setValue(2500); }, [&] { return s.ServerPort == 2500; }},
        {"CheckBox114", [&] { o.CheckBox114->click(); }, [&] { return s.IsProxy && o.Edit120->isEnabled(); }},
        {"Edit120", [&] { o.Edit120->setText("1.2.3.4"); }, [&] { return s.ProxyAddress == "1.2.3.4"; }},
        {"SpinEdit121", [&] { o.SpinEdit121->setValue(8080); }, [&] { return s.ProxyPort == 8080; }},
        {"CheckBox112", [&] { o.CheckBox112->click(); }, [&] { return s.IsSocksProxy && o.Edit113->isEnabled(); }},
        {"Edit113", [&] { o.Edit113->setText("5.6.7.8"); }, [&] { return s.ProxySocksAddress == "5.6.7.8"; }},
        {"SpinEdit111", [&] { o.SpinEdit111->setValue(1090); }, [&] { return s.ProxySocksPort == 1090; }},
        {"CheckBox113", [&] { o.CheckBox113->click(); }, [&] { return s.IsAuthentificationSocks && o.Edit115->isEnabled(); }},
        {"Edit115", [&] { o.Edit115->setText("user"); }, [&] { return s.ProxySocksLogin == "user"; }},
        {"Edit116", [&] { o.Edit116->setText("pass"); }, [&] { return s.ProxySocksPassword == "pass"; }},
        {"CheckBox3", [&] { o.CheckBox3->click(); }, [&] { return !s.PutSound && !w.main().Voice.SoundOn; }},
    };
    for (const Case& c : cases) {
        ASSERT_NE(o.findChild<QObject*>(c.control), nullptr) << c.control;
        c.act();
        EXPECT_TRUE(c.written()) << c.control;
    }
    // None of them wrote the file.
    EXPECT_EQ(platform::IniFile(s.IniFilePath).ReadString("Network Options", "Surname", ""), "");
}

TEST(OptionsPages, SpeedPositionsGiveTheCutTickCounts) {
    OptionsWindows w;
    TForm8& o = w.options();
    const std::pair<int, int> cases[] = {{0, 30}, {1, 27}, {3, 22}, {7, 12}, {9, 7}, {10, 5}};
    for (auto [position, ticks] : cases) {
        o.ScrollBar1->setValue(position == 0 ? 1 : 0);  // a change every time
        o.ScrollBar1->setValue(position);
        EXPECT_EQ(AppSettings().CpuDelayTicks, ticks) << position;
    }
}

TEST(OptionsPages, AnUnknownWebLanguageShowsTheFirstItemAndStaysUntilPicked) {
    OptionsWindows w;
    AppSettings().UniversLanguage = "xx";
    w.options().UpdateComponent();
    EXPECT_EQ(w.options().ComboBox2->currentIndex(), 0);
    EXPECT_EQ(AppSettings().UniversLanguage, "xx");
    w.options().ComboBox2->setCurrentIndex(1);
    EXPECT_EQ(AppSettings().UniversLanguage, "us");
}

TEST(OptionsPages, WithSoundOffEverySoundControlIsDisabled) {
    OptionsWindows w;
    AppSettings().PutSound = false;
    AppSettings().BeginningSoundPath = "players/standard/begin.wav";
    TForm8& o = w.options();
    o.UpdateComponent();
    o.ShowPage(TForm8::RowSound);
    for (QWidget* c : std::initializer_list<QWidget*>{o.CheckBox5, o.BitBtn2, o.BitBtn3, o.RadioButton8, o.RadioButton9,
                                                      o.RadioButton10, o.Edit3, o.BitBtn7, o.Label11, o.DriveComboBox1})
        EXPECT_FALSE(c->isEnabled()) << S(c->objectName());
    // Sound on again: the existing start-up file is ticked and can be heard.
    o.CheckBox3->click();
    EXPECT_TRUE(o.CheckBox5->isChecked());
    EXPECT_TRUE(o.CheckBox5->isEnabled());
    EXPECT_TRUE(o.BitBtn2->isEnabled());
    EXPECT_TRUE(o.RadioButton9->isEnabled());
}

TEST(OptionsPages, SoundEventChooserSwapsTheStartupAndMusicControls) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.show();
    o.ShowPage(TForm8::RowSound);
    o.ComboBox4->setCurrentIndex(0);
    EXPECT_TRUE(o.Edit4->isVisible());
    EXPECT_FALSE(o.RadioButton9->isVisible());
    o.ComboBox4->setCurrentIndex(1);
    EXPECT_FALSE(o.Edit4->isVisible());
    EXPECT_TRUE(o.RadioButton9->isVisible());
    EXPECT_TRUE(o.DriveComboBox1->isVisible());
}

TEST(OptionsPages, StartupSoundBoxAndDisplayInformation) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.OpenDialog1 = [&](QWidget*, const QString&) { return QString::fromStdString(w.folder.path() + "/players/standard/begin.wav"); };
    o.UpdateComponent();
    o.BitBtn3Click();
    EXPECT_EQ(AppSettings().BeginningSoundPath, "players/standard/begin.wav");
    EXPECT_TRUE(o.CheckBox5->isChecked());
    EXPECT_TRUE(o.BitBtn2->isEnabled());
    // Listening to an existing file reports nothing and shows that the machine has sound;
    // without a sound output it is told; a missing file is told too.
    w.main().Voice.SoundDevicesPresent = false;
    o.AudioOutputPresent = [] { return false; };
    o.BitBtn2Click();
    EXPECT_EQ(w.messages.texts, std::vector<std::string>{"This file doesn't correspond to a valid sound"});
    EXPECT_FALSE(w.main().Voice.SoundDevicesPresent);
    w.messages.texts.clear();
    o.AudioOutputPresent = [] { return true; };
    o.BitBtn2Click();
    EXPECT_TRUE(w.messages.texts.empty());
    EXPECT_TRUE(w.main().Voice.SoundDevicesPresent);
    EXPECT_TRUE(w.main().Controleduson1->isEnabled());
    EXPECT_TRUE(w.main().ToolButton7->isEnabled()) << "the tool button follows its menu item";
    // Unticking forgets the file; the information box is written whatever the sound box says.
    o.CheckBox5->click();
    EXPECT_EQ(AppSettings().BeginningSoundPath, "");
    EXPECT_FALSE(o.CheckBox5->isEnabled());
    const bool info = o.CheckBox4->isChecked();
    o.CheckBox4->click();
    EXPECT_EQ(AppSettings().DisplayInformation, !info);
    o.Edit4->setText("nothing.wav");
    o.BitBtn2Click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "This file doesn't correspond to a valid sound");
    // A cancelled chooser changes nothing.
    o.OpenDialog1 = [](QWidget*, const QString&) { return QString(); };
    o.BitBtn7Click();
    EXPECT_EQ(AppSettings().GameSoundPath, "");
}

TEST(OptionsPages, MenuOpensWithFreshControlsAndClosingSavesEverySetting) {
    OptionsWindows w;
    TForm8& o = w.options();
    w.main().Options1->trigger();
    EXPECT_TRUE(o.isVisible());
    EXPECT_TRUE(w.main().Options1->isChecked());
    o.CheckBox1->click();
    o.ScrollBar1->setValue(6);
    o.ComboBox2->setCurrentIndex(2);
    o.Edit120->setText("192.168.1.10");
    o.SpinEdit111->setValue(1999);
    o.Edit116->setText("sockspw");
    o.Edit111->setText("abc");
    w.main().Options1->trigger();  // the menu item closes it again
    EXPECT_FALSE(o.isVisible());
    EXPECT_FALSE(w.main().Options1->isChecked());
    client::Settings read;
    client::SetProgramDir(read, w.folder.path());
    client::LoadIniFile(read, read.IniFilePath);
    const client::Settings& s = AppSettings();
    EXPECT_EQ(read.ApplyTactic, s.ApplyTactic);
    EXPECT_EQ(read.CpuSpeed, 6);
    EXPECT_EQ(read.UniversLanguage, "es");
    EXPECT_EQ(read.ProxyAddress, "192.168.1.10");
    EXPECT_EQ(read.ProxySocksPort, 1999);
    EXPECT_EQ(read.ProxySocksPassword, "sockspw");
    EXPECT_EQ(read.NetPassword, "abc");
    EXPECT_EQ(platform::IniFile(s.IniFilePath).ReadString("Network Options", "Password", ""), "134135136");
}

TEST(OptionsPages, SoundWindowOpensTheSoundPageAndItsSwitchFollowsTheBox) {
    OptionsWindows w;
    auto* sound = static_cast<client::TForm5*>(client::AppForms().Form5);
    w.main().Voice.SoundOn = true;
    AppSettings().PutSound = true;
    sound->BitBtn1->click();
    EXPECT_TRUE(w.options().isVisible());
    EXPECT_EQ(w.options().SelectedRow(), TForm8::RowSound);
    EXPECT_TRUE(w.options().GroupBox7->isVisible());
    sound->SoundOnClick();
    EXPECT_TRUE(w.options().CheckBox3->isChecked());
}

TEST(OptionsWeb, DownloadButtonsWaitForTheSiteAndDownloadsRefreshTheLists) {
    OptionsWindows w;
    TForm8& o = w.options();
    std::vector<QWidget*> downloads = {o.BitBtnB2, o.BitBtnC5, o.BitBtnA4, w.editor().BitBtn8, w.list().BitBtn2};
    for (QWidget* b : downloads) EXPECT_FALSE(b->isEnabled()) << S(b->objectName());
    client::WebBecameReachable();
    for (QWidget* b : downloads) EXPECT_TRUE(b->isEnabled()) << S(b->objectName());

    w.folder.write("themes/Fresh.thm", w.folder.read("themes/Wood Table.thm"));
    w.folder.write("players/fresh.vrk", ProfileText("Fresh", "1", "fresh"));
    std::string french = w.folder.read("univers/morvatel30_francais.lng");
    french.replace(french.find("Fran"), 8, "Nouveau");
    w.folder.write("univers/nouveau.lng", french);
    client::RefreshDownloadedLists();
    EXPECT_FALSE(o.ListBoxC2->findItems("Fresh", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(o.ListBoxB1->findItems("fresh.vrk", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(o.StringGridA1->rowCount(), 3);
}

// Sound files with accented names are kept as Latin-1 model paths and found again through
// their file-system names; a name Latin-1 cannot hold is refused with a message.
TEST(OptionsPages, AccentedSoundFilesAreAcceptedAndOthersRefusedWithAMessage) {
    OptionsWindows w;
    TForm8& o = w.options();
    const QString folder = QString::fromStdString(w.folder.path());
    ASSERT_TRUE(QDir(folder).mkpath("sons"));
    QFile::copy(folder + "/players/standard/begin.wav", folder + QStringLiteral(u"/sons/d\u00e9but.wav"));
    o.OpenDialog1 = [&](QWidget*, const QString&) { return folder + QStringLiteral(u"/sons/d\u00e9but.wav"); };
    o.UpdateComponent();
    o.BitBtn3Click();
    EXPECT_EQ(AppSettings().BeginningSoundPath, "sons/d\xE9" "but.wav");
    o.AudioOutputPresent = [] { return true; };
    o.BitBtn2Click();  // listening finds the file
    EXPECT_TRUE(w.messages.texts.empty());
    o.BitBtn7Click();
    EXPECT_EQ(AppSettings().GameSoundPath, S(folder) + "/sons/d\xE9" "but.wav");

    o.OpenDialog1 = [&](QWidget*, const QString&) { return folder + QStringLiteral(u"/sons/\u266b.mp3"); };
    o.BitBtn7Click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "This file name holds characters that cannot be stored");
    EXPECT_EQ(AppSettings().GameSoundPath, S(folder) + "/sons/d\xE9" "but.wav");
}
