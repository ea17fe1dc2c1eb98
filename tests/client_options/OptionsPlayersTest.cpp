// Player profiles in the options window and the player list: details, stars, seats,
// deletion and its guards.
#include <QDir>
#include <filesystem>

#include "OptionsFixture.h"
#include "settings/ProfileCard.h"
#include "game/ValidName.h"

using client::AppSettings;
using client::TForm8;
using client::TForm9;
namespace fs = std::filesystem;

TEST(ProfileNames, ValidNameRemovesTheFourMarkersAndKeepsTheRest) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"Plain Name", "Plain Name"},
        {"*a;b]c&d", "abcd"},
        {"**x&&y;;]]z*", "xyz"},
        {"caf\xE9 & co", "caf\xE9  co"},
    };
    for (auto [in, out] : cases) EXPECT_EQ(validName(in), out) << in;
}

TEST(ProfileCards, StarLineDecidesWhichStarsShow) {
    TempFolder folder;
    platform::SetProgramFolderForTests(folder.path());
    client::SetProgramDir(folder.path());
    struct Case {
        const char* stars;
        int shown;  // stars 1..5 shown
        bool sixth;
    };
    const Case cases[] = {{"-1", 0, false}, {"0", 1, false}, {"4", 5, false}, {"7", 5, false}, {"123", 5, true}};
    for (const Case& c : cases) {
        folder.write("players/p.vrk", ProfileText("Someone", c.stars, "p"));
        const auto card = client::ReadProfileCard("p.vrk");
        ASSERT_TRUE(card) << c.stars;
        int shown = 0;
        for (int k = 1; k <= 5; ++k) shown += client::StarShown(card->Stars, k);
        EXPECT_EQ(shown, c.shown) << c.stars;
        EXPECT_EQ(client::StarShown(card->Stars, 6), c.sixth) << c.stars;
    }
    folder.write("players/long.vrk", ProfileText("A Name Longer Than Fifteen", "1", "../escape", "x.jpg"));
    const auto card = client::ReadProfileCard("long.vrk");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->Name, "A Name Longer T");
    EXPECT_EQ(card->Editor, "Tester");
    EXPECT_EQ(card->Origin, "Testland");
    EXPECT_EQ(card->Version, "2.5");
    EXPECT_EQ(card->Picture, "") << "a folder leaving players/ is not followed";
    EXPECT_EQ(card->VoiceClip, "");
    folder.write("players/short.vrk", "[Morvatel player]\r\n\r\nEditor=x\r\n");
    folder.write("players/stars.vrk", ProfileText("Bad", "many", "b"));
    EXPECT_FALSE(client::ReadProfileCard("short.vrk"));
    EXPECT_FALSE(client::ReadProfileCard("stars.vrk"));
    EXPECT_FALSE(client::ReadProfileCard("../players/long.vrk"));
    platform::SetProgramFolderForTests("");
}

TEST(ProfileDeletion, OnlyTheProfileAndItsOwnFolderGo) {
    TempFolder folder;
    platform::SetProgramFolderForTests(folder.path());
    client::SetProgramDir(folder.path());
    folder.write("players/anna.vrk", ProfileText("Anna", "1", "anna"));
    folder.write("players/anna/pic.jpg", "jpeg");
    folder.write("players/anna/hello.wav", "wav");
    folder.write("players/anna/keep/inner.txt", "a sub-folder is not followed");
    folder.write("players/bob.vrk", ProfileText("Bob", "1", "bob"));
    folder.write("players/bob/pic.jpg", "jpeg");
    folder.write("players/x.vrk", ProfileText("X", "1", "x"));
    folder.write("players/x.txt", "not a profile");
    folder.write("players/a.b", "short");
    folder.write("players/inside.vrk.txt", "text");
    folder.write("param.ini", "[General]\r\n");
    folder.write("outside/victim.txt", "stays");
    folder.write("outside.vrk", "stays");
    fs::create_directory_symlink(folder.path() + "/outside", folder.path() + "/players/linked");
    folder.write("players/linked.vrk", ProfileText("Linked", "1", "linked"));

    EXPECT_TRUE(client::DeleteProfile("anna.vrk"));
    EXPECT_FALSE(fs::exists(folder.path() + "/players/anna.vrk"));
    EXPECT_FALSE(fs::exists(folder.path() + "/players/anna/pic.jpg"));
    EXPECT_TRUE(fs::exists(folder.path() + "/players/anna/keep/inner.txt"));
    EXPECT_TRUE(fs::exists(folder.path() + "/players/bob/pic.jpg"));

    // Hostile or odd names touch nothing.
    const char* refused[] = {"", ".vrk", "x.txt", "a.b", "x.VRK.txt", "../outside.vrk", "..vrk", "players/x.vrk",
                             "x\\..\\..\\param.vrk", "/tmp/x.vrk", "..", "inside.vrk.txt"};
    for (const char* name : refused) EXPECT_FALSE(client::DeleteProfile(name)) << name;
    for (const char* kept : {"players/bob.vrk", "players/x.vrk", "players/x.txt", "players/a.b", "param.ini",
                             "outside/victim.txt", "outside.vrk", "players/inside.vrk.txt"})
        EXPECT_TRUE(fs::exists(folder.path() + "/" + kept)) << kept;

    // A profile whose folder is a link to elsewhere loses the link, never what it points at.
    EXPECT_TRUE(client::DeleteProfile("linked.vrk"));
    EXPECT_TRUE(fs::exists(folder.path() + "/outside/victim.txt"));
    platform::SetProgramFolderForTests("");
}

TEST(OptionsSeats, ChangingASeatThroughThePlayerListSeatsThatProfileInTheNextGame) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.OpenFromMenu();
    o.ListBox1->setCurrentRow(0);
    o.ListBox1Click();
    EXPECT_EQ(o.SelectedProfile, "standard player.vrk");
    EXPECT_EQ(o.SeatDetails->Name->text(), "Standard Player");
    o.BitBtn1->click();
    TForm9& list = w.list();
    ASSERT_TRUE(list.isVisible());
    EXPECT_TRUE(list.isModal());
    EXPECT_TRUE(list.BitBtn3->isVisible());
    EXPECT_EQ(list.ListBox1->currentItem()->text(), "standard player.vrk");
    list.ListBox1->setCurrentItem(list.ListBox1->findItems("bruno heavy.vrk", Qt::MatchExactly).first());
    list.ListBox1Click();
    list.BitBtn3->click();
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(AppSettings().LeftPlayerFile, "bruno heavy.vrk");
    EXPECT_EQ(o.SelectedSeat, 0);
    EXPECT_EQ(o.SeatDetails->Name->text(), "Bruno Heavy");
    EXPECT_FALSE(o.SeatDetails->Picture->pixmap().isNull());
    w.main().NouvellePartieLocal();
    ASSERT_TRUE(w.main().CurrentGame);
    EXPECT_EQ(w.main().CurrentGame->Seats[0].Name, "Bruno Heavy");
    EXPECT_EQ(w.main().CurrentGame->Seats[0].PicturePath, "players/bruno/bruno.jpg");
}

TEST(OptionsPlayers, SeatedProfilesCannotBeDeletedAndTheLastDeletionSelectsTheNewLast) {
    OptionsWindows w([](TempFolder& f) {
        f.write("players/zed.vrk", ProfileText("Zed", "2", "zed"));
        f.write("players/zed/pic.jpg", "not really");
    });
    TForm8& o = w.options();
    o.UpdateComponent();
    o.UpdateComponent2();
    auto select = [&](const char* name) {
        o.ListBoxB1->setCurrentItem(o.ListBoxB1->findItems(name, Qt::MatchExactly).first());
        o.ListBoxB1Click();
    };
    select("standard player.vrk");
    EXPECT_FALSE(o.BitBtnB1->isEnabled());
    o.BitBtnB1Click();  // even when asked directly
    EXPECT_TRUE(w.exists("players/standard player.vrk"));
    EXPECT_TRUE(w.messages.texts.empty());
    select("zed.vrk");
    EXPECT_TRUE(o.BitBtnB1->isEnabled());
    EXPECT_EQ(o.PlayerDetails->Version->text(), "Version : 2.5");
    const int count = o.ListBoxB1->count();
    o.BitBtnB1->click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "Do you really want to delete this Vrk Player ?\nzed.vrk");
    EXPECT_FALSE(w.exists("players/zed.vrk"));
    EXPECT_FALSE(w.exists("players/zed"));
    EXPECT_EQ(o.ListBoxB1->count(), count - 1);
    EXPECT_EQ(o.ListBoxB1->currentRow(), count - 2);
    EXPECT_EQ(o.ListBoxB1->currentItem()->text(), "wall builder.vrk");
}

TEST(OptionsPlayers, AnsweringNoKeepsTheProfile) {
    OptionsWindows w;
    MessageRecorder no(platform::MsgAnswer::No);
    TForm8& o = w.options();
    o.UpdateComponent2();
    o.ListBoxB1->setCurrentItem(o.ListBoxB1->findItems("wall builder.vrk", Qt::MatchExactly).first());
    o.BitBtnB1Click();
    EXPECT_TRUE(w.exists("players/wall builder.vrk"));
    EXPECT_EQ(no.texts.size(), 1u);
}

TEST(OptionsPlayers, AnEmptyPlayersFolderGivesAnEmptyListAndNoDeletion) {
    OptionsWindows w([](TempFolder& f) { QDir(QString::fromStdString(f.path() + "/players")).removeRecursively(); });
    TForm8& o = w.options();
    o.UpdateComponent2();
    EXPECT_EQ(o.ListBoxB1->count(), 0);
    EXPECT_FALSE(o.BitBtnB1->isEnabled());
    o.BitBtnB1Click();
    o.ListBoxB1Click();
}

TEST(OptionsPlayers, AnUnreadableProfileEmptiesTheDetailsAndSaysSo) {
    OptionsWindows w([](TempFolder& f) { f.write("players/aaa broken.vrk", "[Morvatel player]\r\n"); });
    TForm8& o = w.options();
    w.messages.texts.clear();
    o.SelectedProfile = "aaa broken.vrk";
    o.UpdateComponent2();
    EXPECT_EQ(o.ListBoxB1->currentItem()->text(), "aaa broken.vrk");
    EXPECT_EQ(o.PlayerDetails->Name->text(), "");
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "This player is not valid. You should delete him");
}

TEST(PlayerList, PlainAndChoiceModes) {
    OptionsWindows w;
    TForm9& list = w.list();
    QAction* menu = w.main().findChild<QAction*>("Listedesjoueurs1");
    ASSERT_NE(menu, nullptr);
    menu->trigger();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.windowTitle(), "Players list");
    EXPECT_FALSE(list.BitBtn3->isVisible());
    list.ListBox1->setCurrentRow(0);
    list.ListBox1DblClick();  // plain mode: no choice
    EXPECT_TRUE(list.isVisible());
    const client::Settings before = AppSettings();
    EXPECT_TRUE(AppSettings() == before);
    list.Button1Click();
    EXPECT_FALSE(list.isVisible());

    list.Mode = 1;
    list.Seat = 2;
    list.CurrentProfile = "counting clara.vrk";
    list.open();
    EXPECT_EQ(list.windowTitle(), "Change the player...");
    EXPECT_TRUE(list.BitBtn3->isVisible());
    EXPECT_EQ(list.ListBox1->currentItem()->text(), "counting clara.vrk");
    EXPECT_EQ(list.Details->Name->text(), "Counting Clara");
    list.ListBox1DblClick();
    EXPECT_EQ(AppSettings().RightPlayerFile, "counting clara.vrk");
    EXPECT_FALSE(list.isVisible());
}

TEST(PlayerList, DeletionKeepsSeatedProfilesAndSelectsTheNewLast) {
    OptionsWindows w([](TempFolder& f) { f.write("players/zz last.vrk", ProfileText("Last", "1", "zz last")); });
    TForm9& list = w.list();
    list.Mode = 0;
    list.CurrentProfile = "standard player.vrk";
    list.open();
    EXPECT_FALSE(list.BitBtn1->isEnabled());
    list.BitBtn1Click();
    EXPECT_TRUE(w.exists("players/standard player.vrk"));
    list.ListBox1->setCurrentRow(list.ListBox1->count() - 1);
    list.ListBox1Click();
    ASSERT_TRUE(list.BitBtn1->isEnabled());
    const int count = list.ListBox1->count();
    list.BitBtn1->click();
    EXPECT_FALSE(w.exists("players/zz last.vrk"));
    EXPECT_EQ(list.ListBox1->count(), count - 1);
    EXPECT_EQ(list.ListBox1->currentRow(), count - 2);
    EXPECT_EQ(list.ListBox1->currentItem()->text(), "wall builder.vrk");
    list.FormKeyPress(27);
    EXPECT_FALSE(list.isVisible());
}
