#pragma once
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <string>

#include "sharedwin/ProfileView.h"

// "Preferences": the client's one settings window. A tree of pages on the left, the page
// on the right; every control writes its setting the moment it changes, and closing the
// window saves "param.ini" (and checks an edited web account with the site).
namespace client {

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* mainWindow);

    // The size of the window's client area.
    static constexpr int ClientWidth = 526, ClientHeight = 343;

    // Tree rows, in order.
    enum Row {
        RowGame, RowCpu, RowSound, RowUnivers, RowNetwork, RowServer, RowConfiguration,
        RowFirewall, RowPlayers, RowThemes, RowLanguages, RowCount
    };

    // Structure.
    void FormCreate();
    void UpdateComponent();
    void UpdateComponent2();
    void Outline1Click();
    // Selects a row and shows its page, as other windows open a page.
    void ShowPage(int row);
    int SelectedRow() const;
    // Opening from the main menu: the controls from the settings, the account unedited.
    void OpenFromMenu();

    // CPU, sound and univers pages.
    void CheckBox1Click();
    void ScrollBar1Change();
    void CheckBox2Click();
    void ComboBox2Change();
    void CheckBox3Click();
    void CheckBox5Click();
    void BitBtn3Click();
    void BitBtn7Click();
    void BitBtn2Click();
    void DriveComboBox1Change();
    void ComboBox4Change();
    void RadioButton8Click();
    void RadioButton9Click();
    void RadioButton10Click();

    // Network pages and closing.
    void Edit114Change();
    void Edit111Change();
    void ProxyFieldChange();
    void CheckBox114Click();
    void CheckBox112Click();
    void CheckBox113Click();
    void RadioTypeClick();
    void RadioKindClick();
    void ComboBox1Change();
    void Button112Click();
    void FormClose();
    // The lobby greys the network page while the player is logged in.
    void UpdateNetOptionsForm(bool enable);
    // "Submit..." is offered while the lobby has not seen the account accepted and the web
    // browser can be used.
    void UpdateSubmitButton();
    // Selects the row of the language in force and shows its details.
    void selectCurrentLanguage();

    // Seats and players pages.
    void ListBox1Click();
    void ListBox1DblClick();
    void ListBoxB1Click();
    void BitBtnB1Click();
    void BitBtnB2Click();
    void Update_DonneesJ();

    // Themes page.
    void Update_DonneesT();
    // Selects a theme of the list and applies it, as the theme menu does.
    void ApplyTheme(const std::string& name);
    void Button2Click();
    void ListBoxC2Click();
    void ListBoxC2DblClick();
    void BitBtnC4Click();
    void BitBtnC5Click();

    // Languages page.
    void Update_listLng();
    void StringGridA1Click();
    void Button3Click();
    void BitBtnA2Click();
    void BitBtnA4Click();

    // Dialog state.
    int SelectedSeat = 0;
    std::string SelectedProfile;
    std::string VoiceClip;
    bool AccountEdited = false;

    // The sound file chooser (a file dialog; tests put their own here): the chosen file's
    // full path, or empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& filter)> OpenDialog1;
    // Sends the encoded login check (request 00) through the lobby's component NMHTTP0,
    // with the HTTP proxy of the settings.
    std::function<void(const std::string& encodedUrl)> SendLoginCheck;
    // Whether the machine has a sound output now (tests answer for it).
    std::function<bool()> AudioOutputPresent;

    // Structure.
    QTreeWidget* Outline1;
    QStatusBar* StatusBar1;
    QGroupBox *GroupBox2, *GroupBox11, *GroupBoxB1, *GroupBoxC1, *GroupBoxA1;
    QGroupBox *GroupBox3, *GroupBox7, *GroupBox8, *GroupBox1, *GroupBox4, *GroupBox5;

    // Seats list.
    QWidget* SeatsPanel;
    QListWidget* ListBox1;
    ProfileView* SeatDetails;  // Label3, Label4, Label5, star1..star6, Image1
    QPushButton* BitBtn1;

    // CPU, sound, univers.
    QCheckBox* CheckBox1;
    QScrollBar* ScrollBar1;
    QCheckBox *CheckBox3, *CheckBox5, *CheckBox2, *CheckBox4;
    QComboBox *ComboBox4, *ComboBox2, *DriveComboBox1;
    QLineEdit *Edit4, *Edit3;
    QPushButton *BitBtn2, *BitBtn3, *BitBtn7;
    QRadioButton *RadioButton8, *RadioButton9, *RadioButton10;
    QLabel* Label11;

    // Network.
    QWidget* NetworkPanel;
    QLabel *Label7, *Label113, *Label114, *Label16, *Label17, *Label117, *Label120, *Label121;
    QLabel *Label18, *Label115, *Label116, *Label19, *Label118, *Label119;
    QLineEdit *Edit114, *Edit111, *Edit120, *Edit113, *Edit115, *Edit116;
    QComboBox* ComboBox1;
    QPushButton* Button112;
    QGroupBox *RadioKind, *RadioType;
    QButtonGroup *RadioKindItems, *RadioTypeItems;
    QSpinBox *SpinEdit112, *SpinEdit121, *SpinEdit111;
    QCheckBox *CheckBox114, *CheckBox112, *CheckBox113;

    // Players page.
    QListWidget* ListBoxB1;
    ProfileView* PlayerDetails;  // LabelB3..LabelB6, starB1..starB6, ImageB1
    QPushButton *BitBtnB1, *BitBtnB2;

    // Themes page.
    QListWidget* ListBoxC2;
    QPushButton *BitBtnC1, *BitBtnC4, *BitBtnC6, *BitBtnC5;

    // Languages page.
    QTableWidget* StringGridA1;
    QLabel *LabelA1, *LabelA2, *LabelA3;
    QPushButton *BitBtnA1, *BitBtnA2, *BitBtnA4;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Rebuilds the main window's browser home address after an account or language edit.
    void followAccount();
    void buildStructure();
    void buildGamePages();
    void buildNetworkPages();
    void buildPlayersPage();
    void buildThemesPage();
    void buildLanguagesPage();
    void fillOutline();
    void retranslateItems();
    void updateGamePart();
    void updateSeatsPart();
    void updateNetworkPart();
    void soundEventVisibility();
    void soundEnabling();
    void updateSoundWindow();
    // Shows a profile on the seats list; false when it cannot be read.
    bool showSeatProfile(bool reportBadProfile);
    bool playerSelectedIsSeated() const;
    void showSelectedSeat();
    void showSelectedPlayer();
    void badTheme();
    std::string selectedLanguageFile() const;
    bool noLanguageListed() const;
    void languageDeleteButton();
    void languageDetails();

    bool loading_ = false;  // controls being filled from the settings: no handler writes
    bool centred_ = false;
};

} // namespace client
