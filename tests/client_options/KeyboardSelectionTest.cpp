// The arrow keys move the selection of every list as a click does: the details and the
// buttons follow, and a deletion acts on, and names, what is shown.
#include <filesystem>

#include <QMenu>

#include "OptionsFixture.h"
#include "settings/ProfileCard.h"
#include "settings/Themes.h"
#include "platform/ProgramFolder.h"

using client::AppSettings;
namespace fs = std::filesystem;

namespace {
void Key(QListWidget* list, Qt::Key key) {
    list->setFocus();
    QTest::keyClick(list, key);
}
std::string Current(const QListWidget* list) {
    return list->currentItem() ? list->currentItem()->text().toStdString() : std::string();
}
} // namespace

TEST(KeyboardSelection, SeatsListShowsTheSeatMovedTo) {
    OptionsWindows w;
    AppSettings().RightPlayerFile = "wall builder.vrk";
    client::TForm8& o = w.options();
    o.UpdateComponent();
    ASSERT_EQ(o.ListBox1->currentRow(), 0);
    EXPECT_EQ(o.SeatDetails->Name->text(), "Standard Player");
    Key(o.ListBox1, Qt::Key_End);
    EXPECT_EQ(o.ListBox1->currentRow(), 2);
    EXPECT_EQ(o.SeatDetails->Name->text(), "Wall Builder");
    EXPECT_EQ(o.SelectedProfile, "wall builder.vrk");
    EXPECT_TRUE(w.messages.texts.empty());
}

TEST(KeyboardSelection, PlayersPageAndPlayerListDeleteWhatTheyShow) {
    struct Case {
        const char* name;
        std::function<QListWidget*(OptionsWindows&)> open;
        std::function<QLabel*(OptionsWindows&)> shownName;
        std::function<QPushButton*(OptionsWindows&)> deleteButton;
    };
    const Case cases[] = {
        {"players page", [](OptionsWindows& w) { w.options().UpdateComponent2(); return w.options().ListBoxB1; },
         [](OptionsWindows& w) { return w.options().PlayerDetails->Name; },
         [](OptionsWindows& w) { return w.options().BitBtnB1; }},
        {"player list",
         [](OptionsWindows& w) {
             w.list().Mode = 0;
             w.list().CurrentProfile = "standard player.vrk";
             w.list().open();
             return w.list().ListBox1;
         },
         [](OptionsWindows& w) { return w.list().Details->Name; },
         [](OptionsWindows& w) { return w.list().BitBtn1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsWindows w;
        QListWidget* list = c.open(w);
        ASSERT_EQ(Current(list), "standard player.vrk");
        EXPECT_FALSE(c.deleteButton(w)->isEnabled()) << "a seated profile";
        Key(list, Qt::Key_Down);
        ASSERT_EQ(Current(list), "wall builder.vrk");
        EXPECT_EQ(c.shownName(w)->text(), "Wall Builder");
        EXPECT_TRUE(c.deleteButton(w)->isEnabled());
        Key(list, Qt::Key_Home);
        ASSERT_EQ(Current(list), "bruno heavy.vrk");
        EXPECT_EQ(c.shownName(w)->text(), "Bruno Heavy");
        c.deleteButton(w)->click();
        EXPECT_EQ(w.messages.texts, std::vector<std::string>{"Do you really want to delete this Vrk Player ?\n"
                                                             "bruno heavy.vrk"});
        EXPECT_FALSE(w.exists("players/bruno heavy.vrk"));
        EXPECT_TRUE(w.exists("players/wall builder.vrk"));
        ASSERT_EQ(Current(list), "counting clara.vrk");
        EXPECT_EQ(c.shownName(w)->text(), "Counting Clara");
    }
}

TEST(KeyboardSelection, ThemesPageChoosesAndDeletesTheThemeMovedTo) {
    OptionsWindows w;
    client::TForm8& o = w.options();
    o.Update_DonneesT();
    ASSERT_EQ(Current(o.ListBoxC2), "Standard Theme");
    Key(o.ListBoxC2, Qt::Key_Down);
    ASSERT_EQ(Current(o.ListBoxC2), "Wood Table");
    EXPECT_EQ(AppSettings().ThemeFilePath, "Wood Table.thm");
    Key(o.ListBoxC2, Qt::Key_Home);
    ASSERT_EQ(Current(o.ListBoxC2), "Midnight Blue");
    o.BitBtnC4->click();
    EXPECT_EQ(w.messages.texts, std::vector<std::string>{"Do you really want to delete this theme ?\nMidnight Blue"});
    EXPECT_FALSE(w.exists("themes/Midnight Blue.thm"));
    EXPECT_TRUE(w.exists("themes/Wood Table.thm"));
}

TEST(KeyboardSelection, ABrokenThemeStaysSelectableButNeverBecomesTheNextStartsTheme) {
    OptionsWindows w([](TempFolder& f) { f.write("themes/Aaa Broken.thm", "[Table Color]\r\nred\r\n"); });
    client::TForm8& o = w.options();
    o.Update_DonneesT();
    Key(o.ListBoxC2, Qt::Key_Home);
    ASSERT_EQ(Current(o.ListBoxC2), "Aaa Broken");
    EXPECT_EQ(AppSettings().ThemeFilePath, "Standard Theme.thm");
    const int table = AppSettings().TableColor;
    o.BitBtnC1->click();
    EXPECT_EQ(w.messages.texts, std::vector<std::string>{"The selected theme file is erroneous or non-existent"});
    EXPECT_EQ(AppSettings().ThemeFilePath, "Standard Theme.thm");
    EXPECT_EQ(AppSettings().TableColor, table);
    EXPECT_EQ(platform::IniFile(AppSettings().IniFilePath).ReadString("General", "Theme file path", ""),
              "Standard Theme.thm");
}

TEST(KeyboardSelection, TextureListChoosesTheTextureMovedTo) {
    OptionsWindows w;
    client::TForm8& o = w.options();
    o.Update_DonneesT();
    o.ListBoxC2->setCurrentItem(o.ListBoxC2->findItems("Wood Table", Qt::MatchExactly).first());
    o.BitBtnC6->click();
    client::TForm3& e = w.editor();
    e.ComboBox1->setCurrentIndex(0);
    ASSERT_EQ(Current(e.FileListBox1), "wood_table.jpg");
    Key(e.FileListBox1, Qt::Key_End);
    EXPECT_EQ(e.WorkTextures[client::TForm3::TableTexture], "");
    EXPECT_EQ(e.StaticText1->text(), "(No texture)");
    EXPECT_FALSE(e.BitBtn6->isEnabled());
    Key(e.FileListBox1, Qt::Key_Home);
    const std::string first = Current(e.FileListBox1);
    EXPECT_EQ(e.WorkTextures[client::TForm3::TableTexture], "themes/textures/" + first);
    EXPECT_TRUE(e.BitBtn6->isEnabled());
    e.BitBtn6->click();
    EXPECT_EQ(w.messages.texts, std::vector<std::string>{"Do you really want to delete this texture ?\n" + first});
    EXPECT_FALSE(w.exists("themes/textures/" + first));
}

TEST(FolderListings, NamesHoldingALineEndAreNotOffered) {
    OptionsWindows w([](TempFolder& f) {
        f.write("themes/textures/two\nlines.jpg", "x");
        f.write("themes/odd\rname.thm", "x");
        f.write("players/new\nline.vrk", "x");
    });
    for (const std::string& name : client::TextureFiles()) EXPECT_TRUE(platform::IsOneLine(name)) << name;
    for (const std::string& name : client::thmList()) EXPECT_TRUE(platform::IsOneLine(name)) << name;
    for (const std::string& name : client::ListVrk()) EXPECT_TRUE(platform::IsOneLine(name)) << name;
    EXPECT_FALSE(client::TextureFiles().empty());
    for (QAction* a : w.main().thmes1->actions()) EXPECT_FALSE(a->text().contains('\r'));
}
