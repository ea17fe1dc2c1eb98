#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "sharedwin/MessageComposer.h"
#include "sharedwin/PlayerList.h"
#include "sharedwin/ProfileView.h"

// The server's windows beside its main window.
namespace server {

class TForm1;

std::string ShortDate();
std::string ShortTime();
// The blocking fetch of a notice; what it reads is not used.
void FetchBlocking(const std::string& url);
// Sends a notice on a connection of its own and goes on at once; the reply is not used and
// the request gives up after a few seconds, so the event loop never waits for the site.
void PostNotice(QObject* owner, const std::string& url);
// Opens an address in the desktop's web browser; false when none could be started.
extern std::function<bool(const std::string& url)> OpenInBrowser;
// Opens the address in the desktop's browser; when none starts, tells the owner to go to
// the site's address later. False then.
bool OpenInBrowserOrTell(const std::string& url);
// The site's page of player profiles to download.
std::string CommunityPlayersUrl();

// "Informations": the log of the hosted game.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* mainWindow);
    void FormCreate();
    QPlainTextEdit* Memo1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// "A propos de MORVATEL": the maker's name, which opens the maker's web site.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow);
    void ShowModal();
    void Button1Click() { close(); }
    void Label5Click();
    QLabel* Label5;
    QPushButton* Button1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// "Statistiques": the server's four counters, with a reset.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* mainWindow);
    void ShowModal();
    // Rereads datas_ds.sta into the counters; false when it cannot be read.
    bool UpdateStat();
    void FormActivate();
    void Button1Click() { close(); }
    // Zeroes the counters and writes the file; the texts keep the old values until the
    // window is activated again.
    void Button2Click();
    void ApplyLanguage();
    QLabel *Label1, *Label2, *Label3, *Label4;  // captions
    QLabel *Played, *Won, *Lost, *PigsGiven;    // values
    QPushButton *Button1, *Button2;

protected:
    void showEvent(QShowEvent* event) override;
};

// "Choisissez votre langue...": the server's language files.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* mainWindow);
    void FormCreate();
    void FormActivate();
    void Update_listLng();
    void StringGrid1Click();
    void StringGrid1DblClick();
    void BitBtn3Click();
    void BitBtn2Click();
    // Applies the language in force to every window of the server.
    static void ApplyToWindows();

    QTableWidget* StringGrid1;
    QLabel *Label1, *Label2, *Label3;
    QPushButton *BitBtn2, *BitBtn3, *BitBtn4;

private:
    bool choose(const std::string& failureKey);
    void selectCurrent();
    std::string selectedFile() const;
};

// The options: account, game port, proxies, the seats' profiles, start with the session.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* mainWindow);
    void FormCreate();
    // Fills the controls from the settings.
    void UpdateComponent2();
    // Shows the profile of the chosen position.
    void UpdateComponent();
    // The options on their first page with the network panel, as the menu and a refused
    // login open them (modal, without blocking the server's timers).
    void ShowNetwork();
    // The profile file of a position (0 left, 1 me, 2 right): the file-name part of its
    // setting.
    std::string SeatFile(int position) const;
    void SetNetworkEnabled(bool on);
    // Stores every control, saves the settings, writes or removes the autostart entry and
    // sends the login check again when needed.
    void FormClose();
    void Button1Click() { close(); }
    void Button112Click();
    void ListBox1DblClick();
    void CheckBox1Click();
    void CheckBox112Click();
    void CheckBox113Click();
    void CheckBox114Click();
    void EditKeyPress(int key);
    void SpinEditChange() { Modified = true; }
    void ApplyLanguage();

    bool Modified = false;
    int Position = 0;

    QTabWidget* PageControl1;
    QGroupBox *GroupBoxNetwork, *GroupBoxServer, *GroupBoxProxy, *GroupBox111, *GroupBox112;
    QLineEdit *Edit114, *Edit111, *Edit120, *Edit113, *Edit115, *Edit116;
    QPushButton *Button112, *Button1, *BitBtn1;
    QSpinBox *SpinEdit112, *SpinEdit121, *SpinEdit111;
    QCheckBox *CheckBox114, *CheckBox112, *CheckBox113, *CheckBox1;
    QLabel *Label115, *Label116, *Label118, *Label119, *Label120, *Label121;
    QLabel *LabelNickname, *LabelPassword, *LabelServerPort;
    client::ProfileView* SeatDetails;  // Label3, Label4, Label5, star1..star6, Image1
    QLabel *Label3, *Label4, *Label5, *Image1;
    std::array<QLabel*, 6> Stars{};
    QListWidget* ListBox1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void enableByChecks();
};

// "Players list": the client's list on the server's three seats. A click shows a profile
// without its voice; the download button opens the site's community players page in the
// desktop's browser and leaves the list open.
class TForm9 : public client::PlayerList {
    Q_OBJECT
public:
    explicit TForm9(QWidget* mainWindow);

protected:
    std::array<std::string, 3> SeatFiles() const override;
    void ChooseProfile(const std::string& fileName) override;
    void PlayProfileSound() override {}
    void OpenDownloadPage() override;
    void BeforeListVrk() override;
};

// "Message": the client's composer with the server's identity, sent by the robot's lobby
// connection for request 04; an answer marks the robot's received message.
class TForm11 : public client::MessageComposer {
    Q_OBJECT
public:
    explicit TForm11(TForm1* mainWindow);

protected:
    void SetMainInputEnabled(bool enabled) override;
    void MarkAnswered() override;
    void PostComposed(const std::string& stamp, const std::string& text) override;

private:
    TForm1* main_;
};

// The chat of the hosted game.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* mainWindow);
    // A received line; the window shows when the main window is visible, hides otherwise.
    void AddLine(const std::string& line, bool show);
    // Sends the text to the guest as the server's own seat ("9:" seat "&" text "&").
    void Button1Click();
    QPlainTextEdit* Memo1;
    QLineEdit* Edit1;
    QPushButton* Button1;
};

} // namespace server
