#pragma once
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "lobby/Replies.h"
#include "lobby/RequestMaker.h"
#include "lobby/Senders.h"

namespace client {

class TForm1;

// A chosen opponent: State 1 a guest, 0 a host, 3 the host's computer player.
struct aJoueur {
    std::string Name;
    std::string Other;
    int State = 0;
    std::string IP;
    int Port = 0;
};

// "Connection Form": the client's window onto the web lobby. The player picks a role and a
// competition, connects, sees the other players, reads relayed messages, invites and
// answers; an agreed game then starts over the game link. It owns the lobby's senders
// (NMHTTP0 ... NMHTTP8), the polling timer and every lobby value of the session.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(TForm1* mainWindow);
    ~TForm14() override;

    // Window events and buttons.
    void FormCreate();
    void FormCloseQuery();
    void radioTypeChange();
    void ToolButton5Click();   // connect
    void ToolButton6Click();   // disconnect
    void Timer4Timer();
    void BitBtn4Click();       // search
    void BitBtn5Click();       // next message
    void BitBtn6Click();       // previous message
    void ButtonSendClick();
    void ButtonAnswerClick();
    void ButtonInviteClick();
    void Button3Click();       // accept
    void Button4Click();       // refuse

    // Replies and the common failure of the senders.
    void NMHTTP0Success(const std::string& body);
    void NMHTTP1Success(const std::string& body);
    void NMHTTP2Success(const std::string& body);
    void NMHTTP3Success(const std::string& body);
    void NMHTTP4Success(const std::string& body);
    void NMHTTP5Success(const std::string& body);
    void NMHTTP7Success(const std::string&) {}
    void NMHTTP1Failure(int code);

    // The game-start handshake.
    void ServerEntameJeu();
    void ClientEntameJeu();
    void ClientACK(const std::string& ip, const std::string& port);
    void ServerACK(const std::string& ip, const std::string& port);

    // Requests other windows send through the lobby's senders. Failures of these are ignored.
    void PostAbandon();                  // 08 wres=5 (a running network game is stopped)
    void PostTimeOutAbandon();           // 08 wres=5 without the port (lost by time)
    void PostResult(int wres);           // 08 with the game's result
    void PostLeave();                    // 02 (the main window closes)
    void PostHostLeavesList();           // 02 with competition (the host's guest joined)
    void PostPrivateMessage(const std::string& toIP, int toPort, const std::string& stamp,
                            const std::string& text);
    // The close of the program: the abandon and the leave are sent with the blocking fetch,
    // so that they reach the site before the process ends.
    void SendClosingRequests(bool abandon);

    // The lobby's values as the requests carry them, and the maker of the requests (it
    // steps the request counter as each request's row says).
    lobby::LobbyIdentity CurrentIdentity() const;
    lobby::RequestMaker Requests();
    bool LoggedIn() const { return ToolButton6->isEnabled(); }
    // The kind suffix of the competition shown (" (C)" and the like).
    std::string CompetitionSuffix() const;
    int ReturnIndexIP(const std::string& ip, int port) const;
    // The message shown is an invitation (the only kind Accept and Refuse answer).
    bool ShownInvitation() const;
    // Grid cell (r, c) of the user list: row 0 is the title row, rows from 1 the users.
    std::string Cell(int row, int col) const;
    int RowCount() const { return GridUsers->rowCount() + 1; }
    // The line ListBox2 shows for an opponent slot.
    std::string OpponentLine(const aJoueur& slot, int row) const;

    // Controls, named as the tests find them.
    QComboBox *ComboBox1, *radioType;
    QToolButton *ToolButton5, *ToolButton6;
    QTableWidget* GridUsers;
    QLineEdit* EditSearch;
    QPushButton *BitBtn4, *ButtonInvite, *ButtonSend, *BitBtn6, *BitBtn5, *ButtonAnswer, *Button3, *Button4;
    QGroupBox *GroupBox1, *GroupBox2;
    QListWidget* ListBox2;
    QPlainTextEdit* MemoReceived;
    QLabel* Label7;
    QTimer* Timer4;
    lobby::Senders* Http;

    // Session state. LobbyMessages keeps the newest MaxLobbyMessages messages of a session.
    static constexpr std::size_t MaxLobbyMessages = 1000;
    bool StopPolling = true;
    int PollPhase = 0;
    int CurrentMessage = 0;
    int UnreadCount = 0;
    int OpponentCount = 0;
    std::array<aJoueur, 2> Opponents;
    bool IsHost = false;
    bool AccountAccepted = true;
    std::string CompetitionName;
    std::string LocalIPAddress;
    std::string LobbyReply;
    std::vector<lobby::cJoueur> LobbyUsers;
    std::vector<lobby::aMessage> LobbyMessages;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TForm1& main();
    std::string webBase() const;
    // Sends on a component; a quiet send ignores its failure.
    bool send(int code, const std::string& url, bool quiet = false);
    void replied(int code, const QByteArray& body);
    void setHeaders();  // the user list's column titles in the language in force
    void disconnectedLook();
    void loggedInLook();
    void refused(const std::string& reason);
    void enableConnect(bool connectEnabled);
    void rebuildUserList(const std::string& reply);
    void setCell(int row, int col, const std::string& text);
    void selectRow(int row);
    int selectedRow() const;
    void showMessage();
    void unreadLabel(int count);
    void fillSlot(int slot, int userIndex, const std::string& ip, int port);
    void addComputerSeat();
    void competitionPictures();
    bool stopOnGameRunning();
    void sendStartMessage(lobby::MessageKind kind, const std::string& ip, int port);
    void dispatchMessages(const std::vector<lobby::aMessage>& records, int& kept);
    void keepMessage(const lobby::aMessage& m);
    // The guest's host, in the first opponent slot, sent this message.
    bool fromChosenHost(const lobby::aMessage& m) const;
    // A kind 7 this side obeys: to a guest, from its host or from a host it invited.
    bool mayStartWith(const lobby::aMessage& m) const;
    void hostGaveUp();

    TForm1* main_;
    std::set<int> quiet_;  // components whose running request ignores its failure
    bool competitionsRead_ = false;
    bool connectAfterCheck_ = false;  // Connect was pressed before the competitions were known
    lobby::LobbyIdentity identity_;
    std::set<std::pair<std::string, int>> invitedHosts_;  // hosts this guest invited this session
    bool startAcknowledged_ = false;  // this guest answered its host's start with 6
};

} // namespace client
