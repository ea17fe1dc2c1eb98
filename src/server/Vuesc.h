#pragma once
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lobby/Senders.h"
#include "net/GameLinkHost.h"
#include "net/GameLinkWindow.h"
#include "lobby/Counter.h"
#include "lobby/Replies.h"
#include "lobby/RequestMaker.h"
#include "lobby/Requests.h"

namespace server {

// One seat the robot has filled: the lobby user's name, state (1 a client user, 0 a server
// user, 3 the computer), address and game port.
struct Opponent : net::LobbySlot {
    int Port = 0;
};

// "MVT Server 1.6": the dedicated server's main window. It owns the hosted game, the robot's
// lobby state, the timers, the HTTP components of the lobby and the listening socket; every
// other window of the server reads and writes its fields.
class TForm1 : public QMainWindow, public net::GameLinkWindow {
    Q_OBJECT
public:
    // Lines kept in the history and game memos: a server that runs for days keeps the
    // latest ones only.
    static constexpr int HistoryLineLimit = 500;
    // Lobby records kept from the replies (users of one list, received messages).
    static constexpr int LobbyUserLimit = 500;
    static constexpr int MessageLimit = 100;

    TForm1();
    ~TForm1() override;

    // Start-up (FormCreate runs in the constructor).
    void FormCreate();
    void Timer2Timer();
    void NMHTTP0Success(const std::string& body);
    void SaveIniFile();
    void SaveStaFile();
    // A write of param_ds.ini or datas_ds.sta: a failure is told in the history and stays
    // in the status bar until that file is written again.
    void WriteResult(const std::string& file, bool written);

    // Menus.
    void Connect1Click();
    void Disconnect1Click();
    void Vuedesinformations1Click();
    void Quitter1Click();
    void Options1Click();
    void Statistiques1Click();
    void VOREKGAMESHomePage1Click();
    void VOREKDomino1Click();

    // The robot in the lobby.
    void ToolButton5Click();  // Connect
    void ToolButton6Click();  // Disconnect
    void Timer4Timer();       // polling
    void NMHTTP1Success(const std::string& body);
    void NMHTTP2Success(const std::string& body);
    void NMHTTP3Success(const std::string& body);
    void NMHTTP5Success(const std::string& body);
    void NMHTTP1Failure();
    // A lobby request of that code failed: told in the history and the status bar; a failed
    // login or poll takes the robot out of the lobby and it logs in again after RetryDelayMs.
    void LobbyFailed(int code, const std::string& reason);
    void TimerRetryTimer();
    // The pause before the robot tries the site again after a failure: never less than a
    // few seconds, so that a site that is down is not flooded.
    int RetryDelayMs = 15000;
    void Button3Click();  // accept the invitation at CurrentMessage
    void BitBtn5Click();  // next message
    void BitBtn6Click();  // previous message
    int ReturnIndexIP(const std::string& address, int port) const;
    // A private message (request 04, kind 1) with the robot's identity, sent by NMHTTP4;
    // a failure is not told.
    void PostPrivateMessage(const std::string& toIP, int toPort, const std::string& stamp,
                            const std::string& text);

    // Hosting.
    void ServerEntameJeu();
    void ServerACK(const std::string& address, const std::string& port);
    void serverSendText(int index, const std::string& text);
    void TimeUpTimer();
    // Reports the current game as abandoned (result 5), once per game.
    void ReportAbandon();
    void TimerErrorTimer();
    void WSocketServer1ClientDisconnect();

    // The game driver.
    void Timer1Timer();
    // The game is over by any way (its end, the turn time-out, a guest that left): the next
    // tick of Timer1 drops it and takes the robot back to the lobby, even between rounds.
    void GameEnded();

    // Tray and shutdown.
    void Minimize();
    void Open1Click();
    void Halt1Click();
    void Actions1Click() { Connect1Click(); }
    void Disconnect2Click() { Disconnect1Click(); }
    void TrayActivated(QSystemTrayIcon::ActivationReason reason);
    // The close request: reports a running game as abandoned, leaves the lobby, ends.
    void FormCloseQuery();
    // Whether the desktop shows notification icons; tests may say it does not.
    std::function<bool()> TrayAvailable;
    // Ends the program (tests record it instead).
    std::function<void()> EndProgram;
    // How long the shutdown waits for its two requests to be sent.
    int ShutdownWaitMs = 2000;

    // Applies the language in force to every caption of the main window.
    void ApplyLanguage();
    // A history line: short date + " - " + short time + " : " + event.
    void AddHistory(const std::string& event);

    // GameLinkWindow.
    net::JeuNet* CurrentNetGame() override { return CurrentGame.get(); }
    void SetCurrentGame(std::unique_ptr<net::JeuNet> game) override;
    Statistics CurrentStatistics() override;
    std::string Translate(const std::string& english) override;
    bool LocalAbandon() const override;
    void Ecriremessage(std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void ClearGameLog() override;
    void ShowChat(const std::string& line) override;
    void JoinAccepted() override;
    void GameCreated(net::JeuNet& game) override;
    void GameStarted(net::JeuNet& game, bool fetchPictures) override;
    void HandDealt(net::JeuNet& game) override;
    void LinkLost() override;
    void PostResult(int resultCode) override;

    // Sends a game-start notice without waiting for it (replaced by tests).
    std::function<void(const std::string& url)> GetInetFile;

    // State of the program.
    std::string ProgramDir, ProgramPath, IniFilePath, StatsFilePath;
    int CpuDelayTicks = 18;
    int CpuDelayCountdown = 0;
    std::unique_ptr<net::JeuNet> CurrentGame;
    bool IsHost = true;
    bool LoginChecked = false;
    bool AccountAccepted = false;
    std::string WebBaseUrl, HomePageUrl, LobbyReply;

    // The robot.
    int CounterRestart = 0;
    std::string LocalIPAddress, CompetitionName, ConnectDateTime;
    std::string HostSeatName, HostSeatAddress;
    bool PollingStopped = false;
    int PollPhase = 0;
    std::vector<lobby::cJoueur> LobbyUsers;
    std::array<Opponent, 2> Opponents;  // slots 1 and 2 of the lobby: [0] and [1]
    int OpponentCount = 0;
    std::vector<lobby::aMessage> Messages;
    int CurrentMessage = 0;
    int UnreadCount = 0;
    bool GameAborted = false;
    bool TimeUpFired = false;
    bool MinimisedOutOfSight = false;  // minimised with no notification area to go to
    bool TrayAbsenceSaid = false;      // the missing notification area has been told
    int SelectedHandIndex = -1;

    // Controls.
    QAction *Partie1, *Competitions1, *Connect1, *Disconnect1, *Vuedesinformations1, *Quitter1;
    QAction *Options1, *Statistiques1, *VOREKGAMESHomePage1, *VOREKDomino1;
    QMenu *PartieMenu, *CompetitionsMenu, *OptionsMenu, *HelpMenu;
    QToolButton *ToolButton5, *ToolButton6;
    QComboBox* ComboBox1;
    QLabel *titreJeu, *imgComp0, *imgComp1, *imgComp2;
    QTabWidget* PageControl1;
    QWidget *TabConnexion, *TabMessages, *TabHistory;
    QTableWidget* GridUsers;
    QGroupBox *GroupBox1, *GroupBox2;  // "Messages reçus", "Adversaires"
    QPlainTextEdit* MemoReceived;
    QLabel* Label7;
    QPushButton *BitBtn6, *BitBtn5;
    QListWidget* ListBox2;
    QPlainTextEdit* Memo2;
    QStatusBar* StatusBar1;
    QLabel* WriteErrors;  // the files that could not be written, beside the status text
    QTimer *Timer1, *Timer2, *Timer4, *TimeUp, *TimerError, *TimerRetry;
    lobby::Senders* Http;  // NMHTTP0 ... NMHTTP8
    net::GameLinkHost* WSocketServer1;
    QMenu* PopupMenu1;
    QAction *Actions1, *Disconnect2, *Open1, *Halt1;
    QSystemTrayIcon* TrayIcon;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildPages();
    void setConnectEnabled(bool on);
    void setDisconnectEnabled(bool on);
    void notConnectedState();
    void resetUserGrid(const std::string& text);
    void clearMessageControls();
    void refusedLogin();
    void fillUsers(const std::string& reply, bool keepSelection);
    void showMessage(int index);
    // A lobby user's name as the chosen competition shows it.
    std::string userName(int userIndex) const;
    void fillOpponent(int slot, int userIndex);
    void setOptionsNetworkEnabled(bool on);
    // Sends on the component of that code; the reply counts only while no later log-in or
    // leave has gone out since (see stale()).
    bool sendLobby(int code, const std::string& url);
    // A new log-in or leave: the replies of the requests sent before it change nothing.
    void newLobbyRound() { ++lobbyRound_; }
    // The reply or failure of that code answers a request a later log-in or leave overtook.
    bool stale(int code) const;
    bool gameRunning() const { return CurrentGame && !CurrentGame->GameOver; }
    int lobbyRound_ = 0;
    std::array<int, 9> sentRound_{};
    // The opponent slot of a human player of the game being set up at that lobby address
    // and port; -1 when none (or no game is being set up).
    int setUpSlotOf(const std::string& address, int port) const;
    std::array<bool, 2> acked_{};  // the slot's game-start acknowledgement has been answered
    std::string iniWriteError_, staWriteError_;
    bool refusalShown_ = false;
    bool siteDownSaid_ = false;  // the history has told the site's failure
    bool resultReported_ = false;  // the current game's result has gone to the site
    void dropGame();  // the options window was opened for the current refusal
    void hideCompetition();
    bool showingOptions() const;
    int& counter();
    lobby::LobbyIdentity identity() const;
    lobby::RequestMaker requests();
    lobby::LobbyIdentity identity_;
};

// The application's icon: the main window's and the notification area's.
QIcon AppIcon();

// The server's windows, created once at start-up in their fixed order.
struct Forms {
    TForm1* Form1 = nullptr;
    class TForm2* Form2 = nullptr;  // about box
    class TForm4* Form4 = nullptr;  // game information
    class TForm8* Form8 = nullptr;  // options
    class TForm9* Form9 = nullptr;  // player list
    class TForm6* Form6 = nullptr;  // statistics
    class TForm7* Form7 = nullptr;  // language choice
    class TForm12* Form12 = nullptr;  // chat
    class TForm11* Form11 = nullptr;  // message composer
};
Forms& AppForms();

// The main block's windows, in their order, and their end.
TForm1* CreateServerWindows();
void DestroyServerWindows();
void InstallMessageBoxes();

} // namespace server
