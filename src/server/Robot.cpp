// The robot in the web lobby: connect, disconnect, polling, the user list, the messages and
// the automatic accept of invitations.
#include <QDateTime>
#include <QUrl>

#include "platform/Latin1.h"
#include "game/ValidName.h"

#include "lobby/Replies.h"
#include "lobby/Stamps.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

using platform::Q;
using platform::S;

namespace {


bool invalidNickname(const std::string& name) {
    return name.find_first_of("*;]&") != std::string::npos;
}

// The computer seat's name: the fourth line of its profile from the sixth character.
std::string profileName(const std::string& file, bool& ok) {
    ok = false;
    if (!platform::IsSafeFileName(file)) return {};
    platform::ChangeToProgramFolder();
    auto lines = platform::ReadLines("players/" + file);
    if (!lines || lines->size() < 4) return {};
    ok = true;
    return (*lines)[3].size() > 5 ? (*lines)[3].substr(5) : std::string();
}

} // namespace

void TForm1::ToolButton5Click() {
    // 1. A game that still runs is stopped first.
    if (CurrentGame && !CurrentGame->GameOver) {
        if (platform::ShowMessage(Srv("Do you really want to stop the game ?"), platform::SiteCaption,
                                  platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
            return;
        CurrentGame->GameOver = true;
        // Reported and dropped here: the driver's next tick would run Connect a second time.
        ReportAbandon();
        dropGame();
    }
    TimerRetry->stop();
    // 2. Back to the not-connected state.
    WSocketServer1->Close();
    TimeUp->stop();
    TimerError->stop();
    setOptionsNetworkEnabled(true);
    setConnectEnabled(true);
    ToolButton5->setEnabled(true);
    setDisconnectEnabled(false);
    ToolButton6->setEnabled(false);
    Timer4->stop();
    ComboBox1->setEnabled(true);
    resetUserGrid("");
    clearMessageControls();
    OpponentCount = 0;
    if (TForm4* info = AppForms().Form4) info->Memo1->clear();
    if (TForm12* chat = AppForms().Form12) chat->Memo1->clear();
    if (TForm2* about = AppForms().Form2) about->hide();
    hideCompetition();

    // 3. The lobby would take a nickname holding one of these apart.
    const ServerSettings& s = AppSettings();
    if (invalidNickname(s.Surname)) {
        platform::ShowMessage(Srv("Invalid nickname. No * & ; ] please."), platform::SiteCaption);
        return;
    }

    // 4 to 7.
    setConnectEnabled(false);
    ToolButton5->setEnabled(false);
    StatusBar1->clearMessage();
    setOptionsNetworkEnabled(false);
    PollingStopped = false;
    LocalIPAddress = Http->Component(0).LocalAddress();
    if (LocalIPAddress.empty()) {
        // No login check has gone out yet: the address toward the site.
        const QUrl site(Q(WebBaseUrl));
        LocalIPAddress = platform::LocalAddressToward(S(site.host()), site.port(80));
    }
    HostSeatName = s.Surname;
    HostSeatAddress = LocalIPAddress;
    ConnectDateTime = lobby::StampA(QDateTime::currentDateTime());
    PollPhase = 0;
    OpponentCount = 0;
    CurrentMessage = 0;
    counter() = CounterRestart;
    lobby::AppCounters().SavedRequestCounter = CounterRestart;
    const std::string item = S(ComboBox1->currentText());
    CompetitionName = item.size() >= 4 ? item.substr(0, item.size() - 4) : std::string();
    const std::string url = requests().Login(IsHost, QDateTime::currentDateTime());
    newLobbyRound();
    if (!sendLobby(1, url)) {
        notConnectedState();
        setConnectEnabled(true);
        ToolButton5->setEnabled(true);
        resetUserGrid(Srv("Not connected"));
        LobbyFailed(1, "not sent");
    }
}

void TForm1::refusedLogin() {
    setConnectEnabled(true);
    ToolButton5->setEnabled(true);
    setOptionsNetworkEnabled(true);
    // Polls go on after a refusal: the window opens once for it, and never refills the
    // fields the owner may be typing in.
    if (lobby::RefusalReason(LobbyReply) == "id" && !refusalShown_) {
        refusalShown_ = true;
        if (TForm8* options = AppForms().Form8)
            if (!options->isVisible()) options->ShowNetwork();
    }
    CounterRestart = counter();
    PollingStopped = false;
    Timer4->stop();
}

void TForm1::NMHTTP1Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refusedLogin();
        return;
    }
    AddHistory("Robot connexion (" + AppSettings().Surname + ")");
    refusalShown_ = false;
    siteDownSaid_ = false;
    if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::Login) {
        OpponentCount = 0;
        ListBox2->clear();
        const ServerSettings& s = AppSettings();
        if (s.PlayWithCpu == 1 && IsHost) {
            OpponentCount = 1;
            bool ok = false;
            std::string name = profileName(s.LeftPlayerFile, ok);
            Opponent& cpu = Opponents[0];
            cpu = Opponent{};
            cpu.State = 3;
            if (ok) {
                cpu.Name = validName(name);
                ListBox2->addItem(Q(cpu.Name + " (CPU)"));
            } else {
                cpu.Name = "Net CPU";
            }
        }
        setConnectEnabled(false);
        ToolButton5->setEnabled(false);
        setOptionsNetworkEnabled(false);
        setDisconnectEnabled(true);
        ToolButton6->setEnabled(true);
        ComboBox1->setEnabled(false);
        GridUsers->setEnabled(true);
        GroupBox2->setEnabled(true);
        ListBox2->setEnabled(true);
        MemoReceived->setEnabled(true);
        GroupBox1->setEnabled(false);
        Label7->setEnabled(false);
        BitBtn5->setEnabled(false);
        BitBtn6->setEnabled(false);
        UnreadCount = 0;
        fillUsers(LobbyReply, false);
        Messages.clear();
        Timer4->start();
    }
    if (!PollingStopped) Timer4->start();
}

void TForm1::fillUsers(const std::string& reply, bool keepSelection) {
    const int selected = GridUsers->currentRow();
    const QString selectedName = selected >= 0 && GridUsers->item(selected, 0)
                                     ? GridUsers->item(selected, 0)->text()
                                     : QString();
    auto list = lobby::ReadUserList(reply);
    if (list.Records.size() > static_cast<size_t>(LobbyUserLimit))
        list.Records.resize(LobbyUserLimit);
    LobbyUsers = std::move(list.Records);
    GridUsers->clearContents();
    if (LobbyUsers.empty()) {
        resetUserGrid(Srv("None connected player"));
        return;
    }
    GridUsers->setRowCount(static_cast<int>(LobbyUsers.size()));
    int keep = 0;
    for (int r = 0; r < static_cast<int>(LobbyUsers.size()); ++r) {
        const lobby::cJoueur& u = LobbyUsers[r];
        const std::string kind = u.IsHost() ? Srv("Server") : Srv("Client");
        std::string state;
        if (u.State == "fr") state = Srv("Free");
        else if (u.State == "lk") state = u.IsHost() ? Srv("Free") : Srv("Linked");
        else if (u.State == "bs") state = Srv("Playing");
        const std::string name = userName(r);
        const std::string cells[5] = {name, u.Country, kind, state, u.ConnectedSince};
        for (int col = 0; col < 5; ++col) GridUsers->setItem(r, col, new QTableWidgetItem(Q(cells[col])));
        if (keepSelection && Q(name) == selectedName) keep = r;
    }
    GridUsers->selectRow(keep);
}

void TForm1::NMHTTP3Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refusedLogin();
    } else if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::UserList) {
        fillUsers(LobbyReply, true);
    }
    if (!PollingStopped) Timer4->start();
}

void TForm1::NMHTTP2Success(const std::string&) {
    PollingStopped = true;
    Timer4->stop();
    // Also the leave sent on a guest's join: Connect is then offered, and asks whether to
    // stop the game.
    setConnectEnabled(true);
    ToolButton5->setEnabled(true);
    setDisconnectEnabled(false);
    ToolButton6->setEnabled(false);
    setOptionsNetworkEnabled(true);
}

void TForm1::NMHTTP1Failure() {
    setConnectEnabled(true);
    // Out of the lobby: nothing to disconnect from.
    setDisconnectEnabled(false);
    ToolButton6->setEnabled(false);
    ToolButton5->setEnabled(true);
    setOptionsNetworkEnabled(true);
    PollingStopped = true;
    Timer4->stop();
    ComboBox1->setEnabled(true);
    resetUserGrid(Srv("Not connected"));
    clearMessageControls();
    OpponentCount = 0;
}

void TForm1::LobbyFailed(int code, const std::string& reason) {
    const std::string request = code == 8 ? "The result report" : "Request " + std::to_string(code);
    const bool lostLobby = code == 1 || code == 3 || code == 5;
    std::string text = Srv("The web site does not answer") + " (" + request + ": " + reason + ")";
    if (code == 0 || (lostLobby && !gameRunning()))
        text += "; " + Srv("trying again in") + " " + std::to_string(RetryDelayMs / 1000) + " s";
    // A site that stays down is told once in the history, and on every try in the status bar.
    // A request that leaves the robot where it is goes to the history only.
    if (!siteDownSaid_) AddHistory(text);
    siteDownSaid_ = true;
    if (code == 0 || lostLobby) StatusBar1->showMessage(Q(" " + text));
    if (code == 0) {
        Timer2->start(RetryDelayMs);
        return;
    }
    if (!lostLobby || gameRunning()) return;
    NMHTTP1Failure();
    TimerRetry->start(RetryDelayMs);
}

void TForm1::TimerRetryTimer() {
    // A game, or a log-in of the owner's, came first.
    if (gameRunning() || CurrentGame || ToolButton6->isEnabled()) return;
    ToolButton5Click();
}

void TForm1::Timer4Timer() {
    Timer4->stop();
    lobby::RequestMaker make = requests();
    if (PollPhase == 0) {
        PollPhase = 1;
        sendLobby(5, make.PollMessages());
    } else {
        PollPhase = 0;
        sendLobby(7, make.Presence());
        sendLobby(3, make.UserList());
    }
}

int TForm1::setUpSlotOf(const std::string& address, int port) const {
    if (!WSocketServer1->IsListening() || OpponentCount < 2) return -1;
    for (int slot = 0; slot < 2; ++slot) {
        const Opponent& o = Opponents[slot];
        if (o.State != 3 && o.IP == address && o.Port == port) return slot;
    }
    return -1;
}

int TForm1::ReturnIndexIP(const std::string& address, int port) const {
    return lobby::ReturnIndexIP(LobbyUsers, address, port);
}

void TForm1::fillOpponent(int slot, int userIndex) {
    Opponent& o = Opponents[slot];
    o = Opponent{};
    const lobby::cJoueur& u = LobbyUsers[userIndex];
    o.Name = validName(userName(userIndex));
    o.State = u.IsHost() ? 0 : 1;
    o.IP = u.IP;
    o.Port = u.Port;
    ListBox2->addItem(Q(o.Name + " (" + u.Country + ")" + (o.State == 0 ? " SE" : "")));
}

void TForm1::NMHTTP5Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refusedLogin();
        if (!PollingStopped) Timer4->start();
        return;
    }
    int records = 0;
    int invitation = -1;
    int acceptance = -1;
    if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::Messages) {
        const std::string reply = LobbyReply;  // the notices below replace LobbyReply
        for (lobby::aMessage& m : lobby::ReadMessages(reply).Records) {
            if (m.Kind == 6) {
                // The guest acknowledged the game start: tell it to connect now. Only a
                // player of the set-up is answered, once: a flood of notices costs nothing.
                const int slot = setUpSlotOf(m.SenderIP, m.SenderPort);
                if (slot >= 0 && !acked_[slot]) {
                    acked_[slot] = true;
                    ServerACK(m.SenderIP, std::to_string(Opponents[slot].Port));
                }
                continue;
            }
            if (static_cast<int>(Messages.size()) >= MessageLimit) {
                // The oldest messages go: a server that runs for days keeps the latest.
                const int drop = static_cast<int>(Messages.size()) - MessageLimit + 1;
                Messages.erase(Messages.begin(), Messages.begin() + drop);
                CurrentMessage = std::max(0, CurrentMessage - drop);
                if (acceptance >= 0) acceptance = std::max(-1, acceptance - drop);
            }
            Messages.push_back(m);
            ++records;
            const int index = static_cast<int>(Messages.size()) - 1;
            if (m.Kind == 4) acceptance = index;
            if (m.Kind == 2) invitation = index;
            if (m.Kind == 2 || m.Kind == 5 || m.Kind == 7) break;
        }
        LobbyReply = reply;
    }

    if (acceptance >= 0 && OpponentCount < 2) {
        const lobby::aMessage& m = Messages[acceptance];
        const int u = ReturnIndexIP(m.SenderIP, m.SenderPort);
        // An acceptance from a user who is not listed has no name, address or port to seat.
        if (u >= 0) {
            OpponentCount += 1;
            fillOpponent(OpponentCount - 1, u);
            if (OpponentCount == 2) ServerEntameJeu();
        }
    }
    if (invitation >= 0) {
        CurrentMessage = invitation;
        const lobby::aMessage& m = Messages[invitation];
        const int u = ReturnIndexIP(m.SenderIP, m.SenderPort);
        MemoReceived->appendPlainText(Q(Srv("Invitation from") + " " + (u >= 0 ? userName(u) : m.SenderIP)));
        Button3Click();
    }

    UnreadCount += records;
    if (records > 0) {
        GroupBox1->setEnabled(true);
        Label7->setEnabled(true);
        Label7->setText(Q(Srv(records == 1 ? "Received message" : "Received messages") + " " +
                          std::to_string(records)));
        if (records == 1 || CurrentMessage >= static_cast<int>(Messages.size()))
            CurrentMessage = static_cast<int>(Messages.size()) - 1;
        showMessage(CurrentMessage);
        BitBtn5->setEnabled(Messages.size() > 1);
        BitBtn6->setEnabled(Messages.size() > 1);
    }
    if (!PollingStopped) Timer4->start();
}

std::string TForm1::userName(int userIndex) const {
    if (userIndex < 0 || userIndex >= static_cast<int>(LobbyUsers.size())) return {};
    const lobby::cJoueur& u = LobbyUsers[userIndex];
    return CompetitionName.size() + 4 == static_cast<std::size_t>(ComboBox1->currentText().size()) &&
                   ComboBox1->currentText().endsWith(" (C)")
               ? u.NameC
               : u.NameOther;
}

void TForm1::showMessage(int index) {
    if (index < 0 || index >= static_cast<int>(Messages.size())) return;
    lobby::aMessage& m = Messages[index];
    const int u = ReturnIndexIP(m.SenderIP, m.SenderPort);
    const std::string sender = u >= 0 ? userName(u) : m.SenderIP;
    MemoReceived->clear();
    switch (m.Kind) {
    case 1: {
        const std::string kind = u < 0 ? std::string() : LobbyUsers[u].IsHost() ? Srv("Server") : Srv("Client");
        MemoReceived->appendPlainText(Q(sender + " (" + kind + ") " + m.DateTime));
        MemoReceived->appendPlainText(Q(m.Data));
        break;
    }
    case 2:
        MemoReceived->appendPlainText(Q(Srv("Invitation from") + " " + sender));
        if (!m.Seen) AddHistory("Invitation of " + sender);
        break;
    case 3:
        MemoReceived->appendPlainText(
            Q(Srv("Refusal of") + " " + sender + " " + Srv("to play with you") + "."));
        break;
    case 4:
        MemoReceived->appendPlainText(
            Q(Srv("Acceptance of") + " " + sender + " " + Srv("to play with you") + "."));
        break;
    default:
        break;
    }
    if (!m.Seen) {
        m.Seen = true;
        if (UnreadCount > 0) --UnreadCount;
    }
}

void TForm1::BitBtn5Click() {
    if (CurrentMessage + 1 < static_cast<int>(Messages.size())) showMessage(++CurrentMessage);
    Label7->setText(UnreadCount == 0 ? QString()
                                     : Q(Srv(UnreadCount == 1 ? "Received message" : "Received messages") +
                                         " " + std::to_string(UnreadCount)));
}

void TForm1::BitBtn6Click() {
    if (CurrentMessage > 0) showMessage(--CurrentMessage);
    Label7->setText(UnreadCount == 0 ? QString()
                                     : Q(Srv(UnreadCount == 1 ? "Received message" : "Received messages") +
                                         " " + std::to_string(UnreadCount)));
}

void TForm1::Button3Click() {
    if (CurrentMessage < 0 || CurrentMessage >= static_cast<int>(Messages.size())) return;
    const bool room = IsHost ? OpponentCount < 2 : OpponentCount == 0;
    if (!room) return;
    lobby::aMessage& m = Messages[CurrentMessage];
    const int u = ReturnIndexIP(m.SenderIP, m.SenderPort);
    if (u < 0) return;
    m.Answered = true;
    OpponentCount += 1;
    fillOpponent(OpponentCount - 1, u);
    if (OpponentCount == 2) {
        ServerEntameJeu();
    } else if (OpponentCount == 1) {
        // Without a computer seat the first accepted guest is told so; the second opens.
        sendLobby(4, requests().Notice(lobby::MessageKind::Acceptance, Opponents[0].IP,
                                       Opponents[0].Port, QDateTime::currentDateTime()));
    }
}

void TForm1::ToolButton6Click() {
    AddHistory("Robot deconnexion (" + AppSettings().Surname + ")");
    Timer4->stop();
    TimerError->stop();
    TimerRetry->stop();
    setDisconnectEnabled(false);
    ToolButton6->setEnabled(false);
    const std::string url = requests().Leave();
    newLobbyRound();
    sendLobby(2, url);
    CounterRestart = counter() + 1;
    ComboBox1->setEnabled(true);
    resetUserGrid(Srv("Not connected"));
    clearMessageControls();
    OpponentCount = 0;
}

} // namespace server
