#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <array>
#include <string>

#include "sharedwin/ProfileView.h"

// The player list: the profiles of "players" with the selected one's details and picture.
// A plain list (Mode 0) or, with Mode above 0, the choice of a profile for a seat. What
// differs between programs (the seats compared against, where a choice goes, the voice,
// the download page, where the list is read) is virtual; each program's TForm9 says it.
namespace client {

class PlayerList : public QDialog {
    Q_OBJECT
public:
    explicit PlayerList(QWidget* mainWindow);

    // Mode > 0: a profile is being chosen for Seat (0 left, 1 me, 2 right).
    int Mode = 0;
    int Seat = 0;
    // The profile selected when the list opens (the options window's current profile).
    std::string CurrentProfile;
    // The voice clip of the profile shown, relative to the program folder.
    std::string ProfileSoundFile;

    void FormActivate();
    void Update_Donnees();
    void ListBox1Click();
    void ListBox1DblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();
    void FormKeyPress(int key);

    QListWidget* ListBox1;
    ProfileView* Details;  // Label3, Label4, Label5, Label6, star1..star6, Image1
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *Button1;

protected:
    // The profile files of the three seats.
    virtual std::array<std::string, 3> SeatFiles() const = 0;
    // Where a chosen profile goes: the chosen seat's setting.
    virtual void ChooseProfile(const std::string& fileName) = 0;
    virtual void PlayProfileSound() = 0;
    virtual void OpenDownloadPage() = 0;
    // Runs before the profiles are listed.
    virtual void BeforeListVrk() {}

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string selectedName() const;
    void showSelected();
    bool selectedIsSeated() const;
};

} // namespace client
