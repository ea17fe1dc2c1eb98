#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "settings/ThemeFile.h"

// "Theme Edition": edits one theme file on a working copy. Apply tries the copy on the
// running game, OK writes it back to its file, save as stores it under a new name as the
// current theme, Cancel puts the current theme back on screen.
namespace client {

// Picks a colour (0xBBGGRR) starting from `initial`; nothing when the user cancels. The
// editor asks through this function, so tests answer without a modal colour dialog.
using ColorChooser = std::function<std::optional<int>(int initial, QWidget* parent)>;
// Installs a chooser and returns the previous one (the default opens a QColorDialog).
ColorChooser SetColorChooser(ColorChooser chooser);

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* mainWindow);

    // The colour slots of the working copy, in theme order.
    enum Colour {
        Table, Dominoes, Dots, DominoesBack, Border, BackBorder, NormalText, LightedText,
        SelectedDomino, InfoText, InfoBack, ColourCount
    };
    enum Texture { TableTexture, FaceTexture, BackTexture, TextureCount };

    // Working copy.
    std::string ThemeFileName;  // inside "themes/", with ".thm"
    std::array<int, ColourCount> WorkColours{};
    int FileFontSize = 8;
    int ChosenFontSize = 8;
    std::array<std::string, TextureCount> WorkTextures;

    void FormCreate();
    void Update_Donnees();
    void UpdateComponent();
    void PanelClick(int slot);
    void ShowPage(int page);  // the side bar's Image4Click ... Image6Click
    void PageControl1Change();
    void ComboBox2Click();
    void ComboBox1Change();
    void FileListBox1Click();
    void Edit3Change();
    void BitBtn6Click();
    void BitBtn8Click();
    void Button3Click();  // Apply
    void Button1Click();  // OK
    void BitBtn5Click();  // save as
    void Button2Click();  // Cancel
    void FormKeyPress(int key);

    // The text of the no-texture entry at the end of the texture list.
    static QString NoTextureEntry();

    QTabWidget* PageControl1;
    std::array<QPushButton*, 4> SideBar{};  // StaticText2, StaticText3, StaticText5, StaticText6
    std::array<QPushButton*, ColourCount> Swatches{};  // Panel1 ... Panel12, by slot
    QComboBox *ComboBox2, *ComboBox1;
    QListWidget* FileListBox1;
    QLabel *StaticText1, *Image1;
    QPushButton *BitBtn6, *BitBtn8, *BitBtn5, *Button1, *Button2, *Button3;
    QLineEdit* Edit3;
    QLabel* FileName;  // the file that OK writes, "themes/" + ThemeFileName

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void fillTextureList();
    void paintSwatch(int slot);
    void showTexture();
    void selectChosenTexture();
    bool noTextureSelected() const;
    void copyToSettings();
    // The working copy as a theme, with the chosen font size.
    ThemeValues workingTheme();
    // Writes the working copy to "themes/" + fileName. A file the copy was not read from is
    // only replaced on the user's Yes; a failed write is told. True when written.
    bool writeWorkingCopy(const std::string& fileName);
    // Pushes a theme to the screen: the main window, the running game, the game log.
    void pushTheme(const std::array<int, ColourCount>& colours, const std::array<std::string, TextureCount>& textures,
                   int fontSize, bool updateSound);
    void retranslateItems();
    bool loading_ = false;
    std::string readFrom_;  // the theme file the working copy was read from, empty for none
};

} // namespace client
