// The options window's themes page and LoadTheme.
#include <filesystem>

#include "OptionsFixture.h"
#include "settings/ThemeFile.h"
#include "settings/Themes.h"

using client::AppSettings;
using client::TForm8;
namespace fs = std::filesystem;

namespace {
// A theme file whose lines are those of `theme` with line `line` (1-based) replaced.
std::string ThemeWithLine(int line, const std::string& text) {
    client::ThemeValues theme;
    std::vector<std::string> lines = client::ThemeFileLines(theme);
    lines[line - 1] = text;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

QRgb PixelAt(client::TForm1& main, int x, int y) { return main.Surface().ToQImage().pixel(x, y); }

void Select(QListWidget* list, const char* text) {
    list->setCurrentItem(list->findItems(text, Qt::MatchExactly).first());
}
} // namespace

TEST(LoadTheme, FontSizeIsKeptInRangeAndABadFileGivesTheBuiltInTheme) {
    OptionsWindows w([](TempFolder& f) {
        f.write("themes/big.thm", ThemeWithLine(18, "30"));
        f.write("themes/small.thm", ThemeWithLine(18, "4"));
        f.write("themes/bad.thm", ThemeWithLine(4, "blue"));
    });
    client::Settings& s = AppSettings();
    client::LoadTheme("big.thm");
    EXPECT_EQ(s.FontSize, 16);
    client::LoadTheme("small.thm");
    EXPECT_EQ(s.FontSize, 8);
    EXPECT_EQ(s.ThemeFilePath, "small.thm");

    s.TableColor = 1;
    s.BackgroundTexturePath = "themes/textures/wood_table.jpg";
    s.LeftPlayerFile = s.MeFile = s.RightPlayerFile = "bruno heavy.vrk";
    s.SoundMode = 7;
    const char* bad[] = {"bad.thm", "missing.thm", "../param.ini"};
    for (const char* name : bad) {
        client::LoadTheme(name);
        EXPECT_EQ(s.TableColor, 0x005500) << name;
        EXPECT_EQ(s.InfoBackColor, 0x0080FF) << name;
        EXPECT_EQ(s.BackgroundTexturePath, "") << name;
        EXPECT_EQ(s.MeFile, "standard player.vrk") << name;
        EXPECT_EQ(s.RightPlayerFile, "standard player.vrk") << name;
        EXPECT_EQ(s.SoundMode, 0) << name;
    }
}

TEST(OptionsThemes, ApplyingAThemeRepaintsTheRunningTable) {
    OptionsWindows w;
    TForm8& o = w.options();
    w.main().NouvellePartieLocal();
    w.main().FormPaint();
    const QRgb before = PixelAt(w.main(), 5, w.main().H() / 2);
    o.Update_DonneesT();
    Select(o.ListBoxC2, "Midnight Blue");
    o.BitBtnC1->click();
    const client::Settings& s = AppSettings();
    EXPECT_EQ(s.ThemeFilePath, "Midnight Blue.thm");
    EXPECT_EQ(s.TableColor, 3937290);
    EXPECT_EQ(w.main().CurrentGame->Theme[Jeu::ThemeTable], 3937290);
    EXPECT_EQ(w.main().CurrentGame->BackgroundTexturePath, s.BackgroundTexturePath);
    EXPECT_NE(PixelAt(w.main(), 5, w.main().H() / 2), before);
    EXPECT_EQ(platform::IniFile(s.IniFilePath).ReadString("General", "Theme file path", ""), "Midnight Blue.thm");
    EXPECT_TRUE(w.messages.texts.empty());
}

TEST(OptionsThemes, ClickingAThemeOnlyChoosesItForTheNextStart) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.Update_DonneesT();
    const int colour = AppSettings().TableColor;
    Select(o.ListBoxC2, "Wood Table");
    o.ListBoxC2Click();
    EXPECT_EQ(AppSettings().ThemeFilePath, "Wood Table.thm");
    EXPECT_EQ(AppSettings().TableColor, colour);
    EXPECT_EQ(o.ListBoxC2->currentItem()->text(), "Wood Table");
}

TEST(OptionsThemes, DeletingTheOnlyThemeLeavesAnEmptyListAndTouchesNothingElse) {
    OptionsWindows w([](TempFolder& f) {
        fs::remove(f.path() + "/themes/Midnight Blue.thm");
        fs::remove(f.path() + "/themes/Wood Table.thm");
        f.write("Standard Theme.thm", "a file of the same name outside themes/");
    });
    TForm8& o = w.options();
    o.Update_DonneesT();
    ASSERT_EQ(o.ListBoxC2->count(), 1);
    Select(o.ListBoxC2, "Standard Theme");
    o.BitBtnC4->click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "Do you really want to delete this theme ?\nStandard Theme");
    EXPECT_FALSE(w.exists("themes/Standard Theme.thm"));
    EXPECT_TRUE(w.exists("Standard Theme.thm"));
    EXPECT_TRUE(w.exists("themes/textures/wood_table.jpg"));
    EXPECT_EQ(o.ListBoxC2->count(), 0);
    EXPECT_FALSE(o.BitBtnC4->isEnabled());
    // The theme menu follows.
    for (QAction* a : w.main().thmes1->actions()) EXPECT_NE(a->text(), "Standard Theme");
}

TEST(OptionsThemes, DeletingSelectsTheNextAndMakesItCurrent) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.Update_DonneesT();
    Select(o.ListBoxC2, "Standard Theme");
    o.BitBtnC4Click();
    EXPECT_EQ(o.ListBoxC2->currentItem()->text(), "Wood Table");
    EXPECT_EQ(AppSettings().ThemeFilePath, "Wood Table.thm");
}

TEST(ThemeDeletion, NamesNeverLeaveTheirFolder) {
    TempFolder folder;
    platform::SetProgramFolderForTests(folder.path());
    client::SetProgramDir(folder.path());
    folder.write("themes/a.thm", "theme");
    folder.write("themes/textures/t.jpg", "jpeg");
    folder.write("themes/textures/sub.jpg/inner.jpg", "a folder named like a texture");
    folder.write("secret.thm", "outside");
    folder.write("param.ini", "settings");
    folder.write("themes/a.thm.jpg", "odd");
    const char* themes[] = {"", "../secret", "..", "textures/t", "/tmp/a", "a\\..\\..\\secret"};
    for (const char* name : themes) EXPECT_FALSE(client::DeleteTheme(name)) << name;
    const char* textures[] = {"", "../a.thm", "../../param.ini", "..", "sub.jpg", "t.jpg/"};
    for (const char* name : textures) EXPECT_FALSE(client::DeleteTexture(name)) << name;
    for (const char* kept : {"themes/a.thm", "themes/textures/t.jpg", "themes/textures/sub.jpg/inner.jpg",
                             "secret.thm", "param.ini", "themes/a.thm.jpg"})
        EXPECT_TRUE(fs::exists(folder.path() + "/" + kept)) << kept;
    EXPECT_TRUE(client::DeleteTheme("a"));
    EXPECT_TRUE(client::DeleteTexture("t.jpg"));
    EXPECT_FALSE(fs::exists(folder.path() + "/themes/a.thm"));
    EXPECT_FALSE(fs::exists(folder.path() + "/themes/textures/t.jpg"));
    EXPECT_TRUE(fs::exists(folder.path() + "/themes/a.thm.jpg"));
    platform::SetProgramFolderForTests("");
}
