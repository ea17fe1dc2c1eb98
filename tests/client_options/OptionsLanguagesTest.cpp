// The options window's languages page: the grid, details, apply and delete.
#include <QDir>
#include <filesystem>

#include "OptionsFixture.h"
#include "settings/Language.h"

using client::AppSettings;
using client::TForm8;
namespace fs = std::filesystem;

namespace {
int RowOf(TForm8& o, const char* file) {
    for (int r = 0; r < o.StringGridA1->rowCount(); ++r)
        if (o.StringGridA1->item(r, 1) && o.StringGridA1->item(r, 1)->text() == file) return r;
    return -1;
}

void SelectLanguage(TForm8& o, const char* file) {
    o.StringGridA1->setCurrentCell(RowOf(o, file), 0);
    o.StringGridA1Click();
}

// The English file with its first text left out: offered, but refused when applied.
void WriteIncompleteFile(TempFolder& f) {
    std::vector<std::string> lines =
        platform::ReadLines(f.path() + "/univers/morvatel30_english.lng").value_or(std::vector<std::string>{});
    lines[1] = "Incomplete";
    lines.erase(lines.begin() + 6);
    platform::WriteLinesAtomic(f.path() + "/univers/incomplete.lng", lines);
}
} // namespace

TEST(OptionsLanguages, TheGridListsTheOfferedFilesAndTheCurrentOneCannotBeDeleted) {
    OptionsWindows w([](TempFolder& f) { f.write("univers/other.lng", "[Description]\r\nOther\r\nx\r\ny\r\nOther product\r\n3.0\r\n"); });
    TForm8& o = w.options();
    EXPECT_EQ(o.StringGridA1->rowCount(), 2);
    EXPECT_EQ(o.StringGridA1->horizontalHeaderItem(0)->text(), "Language");
    EXPECT_EQ(o.StringGridA1->currentRow(), RowOf(o, "morvatel30_english.lng"));
    EXPECT_FALSE(o.BitBtnA2->isEnabled());
    EXPECT_EQ(o.LabelA1->text(), "Language : English");
    EXPECT_EQ(o.LabelA2->text(), "Author : Morvatel team");
    SelectLanguage(o, "morvatel30_francais.lng");
    EXPECT_TRUE(o.BitBtnA2->isEnabled());
    EXPECT_EQ(o.LabelA1->text(), QString::fromUtf8("Language : Français"));
}

TEST(OptionsLanguages, ApplyingFrenchRetranslatesTheWindowsAndSavesTheChoice) {
    OptionsWindows w;
    TForm8& o = w.options();
    SelectLanguage(o, "morvatel30_francais.lng");
    o.BitBtnA1->click();
    EXPECT_TRUE(w.messages.texts.empty());
    EXPECT_EQ(AppSettings().LngFilePath, "morvatel30_francais.lng");
    EXPECT_EQ(platform::IniFile(AppSettings().IniFilePath).ReadString("General", "LNG file path", ""),
              "morvatel30_francais.lng");
    EXPECT_EQ(o.Outline1->topLevelItem(0)->text(0), client::Q(client::Ui("Game Options")));
    EXPECT_NE(o.Outline1->topLevelItem(0)->text(0), "Game Options");
    EXPECT_EQ(o.windowTitle(), client::Q(client::Ui("Preferences")) + "...");
    EXPECT_EQ(o.BitBtnC4->toolTip(), client::Q(client::Ui("Delete selected theme")));
    EXPECT_EQ(o.ComboBox4->itemText(1), client::Q(client::Ui("During the game")));
    EXPECT_EQ(w.editor().PageControl1->tabText(1), client::Q(client::Ui("Textures")));
    EXPECT_EQ(o.StringGridA1->horizontalHeaderItem(0)->text(), client::Q(client::Ui("Language")));
    EXPECT_FALSE(o.BitBtnA2->isEnabled()) << "French is now the language in force";
    // Back to English for the next tests of this binary.
    SelectLanguage(o, "morvatel30_english.lng");
    o.Button3Click();
    EXPECT_EQ(o.Outline1->topLevelItem(0)->text(0), "Game Options");
}

TEST(OptionsLanguages, AnIncompleteFileIsRefusedAndTheLanguageStays) {
    OptionsWindows w(WriteIncompleteFile);
    TForm8& o = w.options();
    SelectLanguage(o, "incomplete.lng");
    o.Button3Click();
    ASSERT_EQ(w.messages.texts.size(), 1u);
    EXPECT_EQ(w.messages.texts[0], "The selected LNG file is not compatible with your version of MORVATEL");
    EXPECT_EQ(AppSettings().LngFilePath, "morvatel30_english.lng");
    EXPECT_EQ(o.Outline1->topLevelItem(0)->text(0), "Game Options");
}

TEST(OptionsLanguages, DeletingAsksFirstAndRemovesOnlyThatFile) {
    OptionsWindows w([](TempFolder& f) { f.write("morvatel30_francais.lng", "same name, program folder"); });
    TForm8& o = w.options();
    {
        MessageRecorder no(platform::MsgAnswer::No);
        SelectLanguage(o, "morvatel30_francais.lng");
        o.BitBtnA2->click();
        EXPECT_EQ(no.texts.size(), 1u);
        EXPECT_TRUE(w.exists("univers/morvatel30_francais.lng"));
    }
    SelectLanguage(o, "morvatel30_francais.lng");
    o.BitBtnA2->click();
    EXPECT_EQ(w.messages.texts.back(), "Do you really want to delete this language ?\nmorvatel30_francais.lng");
    EXPECT_FALSE(w.exists("univers/morvatel30_francais.lng"));
    EXPECT_TRUE(w.exists("morvatel30_francais.lng"));
    EXPECT_EQ(o.StringGridA1->rowCount(), 1);
    EXPECT_EQ(o.StringGridA1->currentRow(), RowOf(o, "morvatel30_english.lng"));
    EXPECT_FALSE(o.BitBtnA2->isEnabled());
    // The language in force is never deleted, even when asked directly.
    o.BitBtnA2Click();
    EXPECT_TRUE(w.exists("univers/morvatel30_english.lng"));
}

TEST(OptionsLanguages, AnEmptyFolderShowsNoLanguage) {
    OptionsWindows w;
    QDir(QString::fromStdString(w.folder.path() + "/univers")).removeRecursively();
    TForm8& o = w.options();
    o.Update_listLng();
    EXPECT_EQ(o.StringGridA1->rowCount(), 1);
    EXPECT_EQ(o.StringGridA1->item(0, 0)->text(), "No language");
    EXPECT_FALSE(o.BitBtnA2->isEnabled());
    o.Button3Click();
    o.BitBtnA2Click();
    EXPECT_TRUE(w.messages.texts.empty());
}
