// The theme editor's working copy: colours, font size, textures, Apply, OK, save as,
// Cancel, and a theme file that cannot be read.
#include <filesystem>
#include <unistd.h>

#include "OptionsFixture.h"
#include "settings/ThemeFile.h"
#include "client/VueInfoJeu.h"

using client::AppSettings;
using client::TForm3;
namespace fs = std::filesystem;

namespace {
// Answers every colour question with one colour and counts the questions.
class FixedColours {
public:
    explicit FixedColours(int colour) {
        previous_ = client::SetColorChooser([this, colour](int initial, QWidget*) -> std::optional<int> {
            asked.push_back(initial);
            if (colour < 0) return std::nullopt;
            return colour;
        });
    }
    ~FixedColours() { client::SetColorChooser(std::move(previous_)); }
    std::vector<int> asked;

private:
    client::ColorChooser previous_;
};

// Opens the editor on a theme as the themes page does.
TForm3& Edit(OptionsWindows& w, const std::string& theme) {
    w.options().Update_DonneesT();
    auto* list = w.options().ListBoxC2;
    {
        // Only the editor's file is chosen: the current theme stays another one.
        const QSignalBlocker quiet(list);
        list->setCurrentItem(list->findItems(QString::fromStdString(theme), Qt::MatchExactly).first());
    }
    w.options().BitBtnC6->click();
    return w.editor();
}
} // namespace

TEST(ThemeEditor, OpensModallyOnTheChosenThemesWorkingCopy) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    EXPECT_TRUE(e.isVisible());
    EXPECT_TRUE(e.isModal());
    EXPECT_EQ(e.ThemeFileName, "Wood Table.thm");
    client::ThemeValues wood;
    ASSERT_TRUE(client::ReadThemeFile(w.folder.path() + "/themes/Wood Table.thm", wood));
    EXPECT_EQ(e.WorkColours[TForm3::Table], wood.TableColor);
    EXPECT_EQ(e.WorkColours[TForm3::BackBorder], wood.BackDominoesBorder);
    EXPECT_EQ(e.WorkColours[TForm3::InfoBack], wood.InfoBackColor);
    EXPECT_EQ(e.WorkTextures[TForm3::TableTexture], wood.BackgroundTexturePath);
    EXPECT_EQ(e.StaticText1->text(), "wood_table.jpg");
    EXPECT_FALSE(e.Image1->pixmap().isNull());
    EXPECT_EQ(e.FileListBox1->item(e.FileListBox1->count() - 1)->text(), " (No texture)");
}

TEST(ThemeEditor, EachSwatchEditsItsOwnSlotOfTheWorkingCopyOnly) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Standard Theme");
    const client::Settings before = AppSettings();
    const char* names[] = {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel15",
                           "Panel6", "Panel7", "Panel8", "Panel11", "Panel12"};
    for (int slot = 0; slot < TForm3::ColourCount; ++slot) {
        FixedColours pick(0x010203 + slot);
        const auto work = e.WorkColours;
        auto* swatch = e.findChild<QPushButton*>(names[slot]);
        ASSERT_NE(swatch, nullptr) << names[slot];
        swatch->click();
        ASSERT_EQ(pick.asked.size(), 1u);
        EXPECT_EQ(pick.asked[0], work[slot]) << "the chooser starts from the slot's colour";
        for (int other = 0; other < TForm3::ColourCount; ++other)
            EXPECT_EQ(e.WorkColours[other], other == slot ? 0x010203 + slot : work[other]) << names[slot];
    }
    FixedColours cancel(-1);
    const auto work = e.WorkColours;
    e.Swatches[0]->click();
    EXPECT_EQ(e.WorkColours, work);
    EXPECT_TRUE(AppSettings() == before);
}

TEST(ThemeEditor, ApplyShowsTheCopyAndCancelPutsTheCurrentThemeBack) {
    OptionsWindows w;
    w.main().NouvellePartieLocal();
    Jeu& game = *w.main().CurrentGame;
    const int table = AppSettings().TableColor;
    TForm3& e = Edit(w, "Standard Theme");
    FixedColours pick(0x0000FF);
    e.Swatches[TForm3::Table]->click();
    e.Swatches[TForm3::InfoBack]->click();
    e.Button3->click();
    EXPECT_EQ(game.Theme[Jeu::ThemeTable], 0x0000FF);
    EXPECT_EQ(w.main().CurrentTableColor, 0x0000FF);
    EXPECT_EQ(client::AppForms().Form4->Memo1->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(AppSettings().TableColor, table) << "Apply stores nothing";
    e.Button2->click();
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(game.Theme[Jeu::ThemeTable], table);
    EXPECT_EQ(w.main().CurrentTableColor, table);
    EXPECT_EQ(AppSettings().TableColor, table);
}

TEST(ThemeEditor, ApplyWithoutAGameChangesTheWindowAndTheLog) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Standard Theme");
    FixedColours pick(0x00FF00);
    e.Swatches[TForm3::Table]->click();
    e.Swatches[TForm3::InfoText]->click();
    e.Button3Click();
    EXPECT_EQ(w.main().CurrentTableColor, 0x00FF00);
    EXPECT_EQ(w.main().Surface().ToQImage().pixel(3, 3), QColor(0, 255, 0).rgb());
    EXPECT_EQ(client::AppForms().Form4->Memo1->palette().color(QPalette::Text), QColor(0, 255, 0));
}

TEST(ThemeEditor, OkWritesTheEditedFileButKeepsTheCurrentTheme) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    FixedColours pick(0x123456);
    e.Swatches[TForm3::Dots]->click();
    e.ComboBox2->setCurrentIndex(e.ComboBox2->findText("12"));
    e.Button1->click();
    EXPECT_FALSE(e.isVisible());
    client::ThemeValues saved;
    ASSERT_TRUE(client::ReadThemeFile(w.folder.path() + "/themes/Wood Table.thm", saved));
    EXPECT_EQ(saved.DominoesDotsColor, 0x123456);
    EXPECT_EQ(saved.FontSize, 12);
    EXPECT_EQ(AppSettings().ThemeFilePath, "Standard Theme.thm");
}

TEST(ThemeEditor, SaveAsMakesANewCurrentThemeThatTheMenuLists) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    EXPECT_FALSE(e.BitBtn5->isEnabled());
    e.ShowPage(3);
    QTest::keyClicks(e.Edit3, "My Own");
    EXPECT_TRUE(e.BitBtn5->isEnabled());
    e.BitBtn5->click();
    EXPECT_EQ(AppSettings().ThemeFilePath, "My Own.thm");
    EXPECT_EQ(e.ThemeFileName, "My Own.thm");
    EXPECT_EQ(w.lines("themes/My Own.thm").size(), 38u);
    EXPECT_EQ(w.lines("themes/My Own.thm")[31], "themes/textures/wood_table.jpg");
    EXPECT_EQ(platform::IniFile(AppSettings().IniFilePath).ReadString("General", "Theme file path", ""), "My Own.thm");
    EXPECT_TRUE(e.Edit3->text().isEmpty());
    EXPECT_FALSE(e.BitBtn5->isEnabled());
    EXPECT_FALSE(w.options().ListBoxC2->findItems("My Own", Qt::MatchExactly).isEmpty());
    bool listed = false;
    for (QAction* a : w.main().thmes1->actions()) listed |= a->text() == "My Own" && a->isChecked();
    EXPECT_TRUE(listed);
}

TEST(ThemeEditor, SaveAsRefusesNamesThatLeaveTheThemesFolder) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    for (const char* name : {"../escape", "sub/dir", "..", "a\\b"}) {
        w.messages.texts.clear();
        e.Edit3->setText(name);
        e.BitBtn5Click();
        ASSERT_EQ(w.messages.texts.size(), 1u) << name;
        EXPECT_EQ(w.messages.texts[0], "This name cannot be used for a theme");
        EXPECT_EQ(AppSettings().ThemeFilePath, "Standard Theme.thm") << name;
    }
    EXPECT_FALSE(w.exists("escape.thm"));
}

TEST(ThemeEditor, AnUnreadableThemeIsReportedReplacedAndNothingIsDeleted) {
    OptionsWindows w([](TempFolder& f) {
        f.write("themes/Broken.thm", "[Table Color]\r\nnot a number\r\n");
        f.write("Broken.thm", "a file of the same name in the program folder");
    });
    TForm3& e = w.editor();
    e.ThemeFileName = "Broken.thm";
    e.Update_Donnees();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "This theme is not valid");
    EXPECT_EQ(e.ThemeFileName, "Standard Theme.thm");
    EXPECT_EQ(e.WorkColours[TForm3::Table], 0x408000);
    EXPECT_EQ(e.WorkColours[TForm3::NormalText], 0x804000);
    EXPECT_EQ(e.FileFontSize, 8);
    EXPECT_TRUE(w.exists("Broken.thm"));
    EXPECT_TRUE(w.exists("themes/Broken.thm"));
}

TEST(ThemeEditor, TheNoTextureEntryEmptiesTheChosenTexture) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    for (int which = 0; which < TForm3::TextureCount; ++which) {
        e.ComboBox1->setCurrentIndex(which);
        EXPECT_TRUE(e.BitBtn6->isEnabled()) << which;  // the theme's own texture is selected
        e.FileListBox1->setCurrentRow(e.FileListBox1->count() - 1);
        e.FileListBox1Click();
        EXPECT_EQ(e.WorkTextures[which], "") << which;
        EXPECT_EQ(e.StaticText1->text(), "(No texture)");
        EXPECT_FALSE(e.BitBtn6->isEnabled());
    }
    e.FileListBox1->setCurrentItem(e.FileListBox1->findItems("midnight_face.jpg", Qt::MatchExactly).first());
    e.FileListBox1Click();
    EXPECT_EQ(e.WorkTextures[TForm3::BackTexture], "themes/textures/midnight_face.jpg");
}

TEST(ThemeEditor, DeletingATextureRemovesThatFileOnly) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    e.ComboBox1->setCurrentIndex(0);
    ASSERT_EQ(e.FileListBox1->currentItem()->text(), "wood_table.jpg");
    const int count = e.FileListBox1->count();
    e.BitBtn6->click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "Do you really want to delete this texture ?\nwood_table.jpg");
    EXPECT_FALSE(w.exists("themes/textures/wood_table.jpg"));
    EXPECT_TRUE(w.exists("themes/textures/wood_face.jpg"));
    EXPECT_TRUE(w.exists("themes/Wood Table.thm"));
    EXPECT_EQ(e.FileListBox1->count(), count - 1);
    ASSERT_NE(e.FileListBox1->currentItem(), nullptr);
    EXPECT_EQ(e.FileListBox1->currentItem()->text(), " (No texture)");
    // The working path still names the deleted file, and loads nothing.
    e.Button3Click();
    EXPECT_EQ(w.main().CurrentBackgroundTexture, "");
}

TEST(ThemeEditor, FontSizePreviewAndEscape) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Standard Theme");
    EXPECT_EQ(e.ComboBox2->currentText().toInt(), AppSettings().FontSize);
    e.ComboBox2->setCurrentIndex(e.ComboBox2->findText("14"));
    EXPECT_EQ(client::AppForms().Form4->Memo1->font().pointSize(), 14);
    EXPECT_EQ(AppSettings().FontSize, 8);
    e.FormKeyPress(27);
    EXPECT_FALSE(e.isVisible());
}

namespace {
// What stands in the way of a theme file: each fails for root as well, except the read-only
// folder, which root writes anyway (that case is skipped when the tests run as root).
struct Obstacle {
    const char* what;
    std::string themeName;
    std::function<void(TempFolder&)> place;
    bool failsForRoot = true;
};

std::vector<Obstacle> Obstacles() {
    return {
        {"a name of 300 characters", std::string(300, 'n'), {}},
        {"a folder where the new file goes", "Blocked", [](TempFolder& f) { f.write("themes/Blocked.thm/x", "x"); }},
        {"a folder where the temporary file goes", "Blocked",
         [](TempFolder& f) { f.write("themes/Blocked.thm.tmp/x", "x"); }},
        {"a read-only themes folder", "Locked",
         [](TempFolder& f) { fs::permissions(f.path() + "/themes", fs::perms::owner_write, fs::perm_options::remove); },
         false},
    };
}
} // namespace

TEST(ThemeEditor, ASaveAsThatFailsIsToldAndTheNextStartKeepsTheThemeAndTheAccount) {
    for (const Obstacle& o : Obstacles()) {
        SCOPED_TRACE(o.what);
        if (!o.failsForRoot && ::geteuid() == 0) continue;
        OptionsWindows w;
        client::Settings& s = AppSettings();
        s.Surname = "alice";
        s.NetPassword = "secret";
        s.ServerPort = 4321;
        ASSERT_TRUE(client::SaveIniFile());
        const std::string ini = w.folder.read("param.ini");
        TForm3& e = Edit(w, "Wood Table");
        if (o.place) o.place(w.folder);
        e.ShowPage(3);
        e.Edit3->setText(QString::fromStdString(o.themeName));
        e.BitBtn5->click();
        ASSERT_EQ(w.messages.texts.size(), 1u);
        EXPECT_EQ(w.messages.texts[0], "The theme file could not be written.\nthemes/" + o.themeName + ".thm");
        EXPECT_TRUE(e.isVisible()) << "the window stays open with the edit";
        EXPECT_EQ(e.Edit3->text().toStdString(), o.themeName);
        EXPECT_EQ(e.ThemeFileName, "Wood Table.thm");
        EXPECT_EQ(s.ThemeFilePath, "Standard Theme.thm");
        EXPECT_EQ(w.folder.read("param.ini"), ini);
        fs::permissions(w.folder.path() + "/themes", fs::perms::owner_all, fs::perm_options::add);
        e.reject();
        w.restart();
        EXPECT_EQ(AppSettings().ThemeFilePath, "Standard Theme.thm");
        EXPECT_EQ(AppSettings().Surname, "alice");
        EXPECT_EQ(AppSettings().NetPassword, "secret");
        EXPECT_EQ(AppSettings().ServerPort, 4321);
    }
}

TEST(ThemeEditor, AnOkThatCannotWriteIsToldAndKeepsTheWindowAndTheFile) {
    OptionsWindows w;
    TForm3& e = Edit(w, "Wood Table");
    const std::string before = w.folder.read("themes/Wood Table.thm");
    w.folder.write("themes/Wood Table.thm.tmp/x", "in the way");
    FixedColours pick(0x123456);
    e.Swatches[TForm3::Table]->click();
    const int table = AppSettings().TableColor;
    e.Button1->click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "The theme file could not be written.\nthemes/Wood Table.thm");
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.WorkColours[TForm3::Table], 0x123456);
    EXPECT_EQ(AppSettings().TableColor, table) << "nothing is stored";
    EXPECT_EQ(w.folder.read("themes/Wood Table.thm"), before);
}

TEST(ThemeEditor, AfterAFailedReadItNamesTheFileItWritesAndAsksBeforeReplacingIt) {
    OptionsWindows w([](TempFolder& f) { f.write("themes/Broken.thm", "[Table Color]\r\nnot a number\r\n"); });
    const std::string standard = w.folder.read("themes/Standard Theme.thm");
    TForm3& e = Edit(w, "Broken");
    ASSERT_EQ(w.messages.texts, std::vector<std::string>{"This theme is not valid"});
    EXPECT_EQ(e.FileName->text(), "themes/Standard Theme.thm");
    {
        MessageRecorder no(platform::MsgAnswer::No);
        e.Button1->click();
        EXPECT_EQ(no.texts, std::vector<std::string>{"Replace this theme file with the theme shown ?\n"
                                                     "themes/Standard Theme.thm"});
    }
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(w.folder.read("themes/Standard Theme.thm"), standard);
    w.messages.texts.clear();
    e.Button1->click();
    EXPECT_EQ(w.messages.texts.size(), 1u) << "asked again, and answered Yes";
    EXPECT_FALSE(e.isVisible());
    client::ThemeValues written;
    ASSERT_TRUE(client::ReadThemeFile(w.folder.path() + "/themes/Standard Theme.thm", written));
    EXPECT_EQ(written.TableColor, 0x408000);
    // A file the editor has read is written back without a question.
    w.messages.texts.clear();
    TForm3& again = Edit(w, "Wood Table");
    again.Button1->click();
    EXPECT_TRUE(w.messages.texts.empty());
    EXPECT_FALSE(again.isVisible());
}
