// The lobby window's side of agreeing on a game: the computer seat, invitations and their
// answers, the game-start messages 7, 6 and 5, and the requests other windows send.
#include <QDir>
#include <optional>

#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueConnexionsc.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "lobby/GetInetFile.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"

namespace client {

std::string TForm14::OpponentLine(const aJoueur& slot, int row) const {
    if (slot.State == 3) return slot.Name + " (CPU)";
    return slot.Name + " (" + (row >= 1 ? Cell(row, 1) : std::string()) + (slot.State == 1 ? ")" : ") SE");
}

void TForm14::addComputerSeat() {
    const Settings& s = AppSettings();
    std::string name = "Net CPU";
    if (s.LeftPlayerFile.find_first_of("/\\") == std::string::npos && s.LeftPlayerFile.find("..") == std::string::npos) {
        if (auto lines = platform::ReadLines(InProgramDir("players/" + s.LeftPlayerFile));
            lines && lines->size() >= 4)
            name = (*lines)[3].size() > 5 ? (*lines)[3].substr(5) : std::string();
    }
    Opponents[0] = aJoueur{name, "", 3, "", 0};
    OpponentCount = 1;
    ListBox2->clear();
    ListBox2->addItem(Q(OpponentLine(Opponents[0], 0)));
}

void TForm14::fillSlot(int slot, int userIndex, const std::string& ip, int port) {
    const int row = userIndex + 1;
    aJoueur& o = Opponents[slot];
    o.Name = Cell(row, 0);
    o.Other.clear();
    o.State = Cell(row, 2) == "Server" ? 0 : 1;
    o.IP = ip.substr(0, 20);
    o.Port = port;
    ListBox2->addItem(Q(OpponentLine(o, row)));
}

void TForm14::ButtonInviteClick() {
    const int r = selectedRow();
    if (r - 1 >= int(LobbyUsers.size())) return;
    const std::string kind = Cell(r, 2);
    if ((kind == "Server" && IsHost) || (kind == "Client" && !IsHost)) {
        platform::ShowMessage(Ui("You can't invite a same kind as yours player (client or server)"), Ui("Error"));
        return;
    }
    if (Cell(r, 3) == Ui("Linked")) {
        platform::ShowMessage(Ui("Player already linked"), Ui("Error"));
        return;
    }
    const lobby::cJoueur& u = LobbyUsers[r - 1];
    if (!IsHost) invitedHosts_.insert({u.IP, u.Port});
    send(4, Requests().Notice(lobby::MessageKind::Invitation, u.IP, u.Port, QDateTime::currentDateTime()));
    for (QWidget* c : std::initializer_list<QWidget*>{ButtonInvite, ButtonSend, Button3, Button4, ButtonAnswer})
        c->setEnabled(false);
}

void TForm14::Button3Click() {
    if (!((!IsHost && OpponentCount == 0) || (IsHost && OpponentCount <= 1))) return;
    if (!ShownInvitation() || LobbyMessages[CurrentMessage].Answered) return;
    lobby::aMessage& m = LobbyMessages[CurrentMessage];
    const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
    if (who < 0) return;
    m.Answered = true;
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    ++OpponentCount;
    const int slot = OpponentCount - 1;
    const lobby::cJoueur u = LobbyUsers[who];
    if (!IsHost) {
        send(4, Requests().Notice(lobby::MessageKind::Acceptance, u.IP, u.Port, QDateTime::currentDateTime()));
        ButtonInvite->setEnabled(false);
        main().TimerError->start();  // the host has its minute to start the game
    }
    fillSlot(slot, who, u.IP, u.Port);
    if (IsHost) {
        if (OpponentCount == 2) {
            for (QWidget* c : std::initializer_list<QWidget*>{ButtonInvite, ButtonSend, Button3, Button4, ButtonAnswer})
                c->setEnabled(false);
            ServerEntameJeu();
        } else {
            send(4, Requests().Notice(lobby::MessageKind::Acceptance, u.IP, u.Port, QDateTime::currentDateTime()));
        }
    }
}

void TForm14::Button4Click() {
    // Only a shown invitation is refused, and the refusal goes to its sender.
    if (!ShownInvitation() || LobbyMessages[CurrentMessage].Answered) return;
    lobby::aMessage& m = LobbyMessages[CurrentMessage];
    send(4, Requests().Notice(lobby::MessageKind::Refusal, m.SenderIP, m.SenderPort, QDateTime::currentDateTime()));
    for (QWidget* c : std::initializer_list<QWidget*>{ButtonInvite, ButtonSend, Button3, Button4, ButtonAnswer})
        c->setEnabled(false);
    m.Answered = true;
}

void TForm14::keepMessage(const lobby::aMessage& m) {
    // The newest messages are kept: a flood of them drops the oldest, never what comes next.
    LobbyMessages.push_back(m);
    if (LobbyMessages.size() > MaxLobbyMessages) {
        LobbyMessages.erase(LobbyMessages.begin());
        CurrentMessage = std::max(0, CurrentMessage - 1);
    }
}

bool TForm14::fromChosenHost(const lobby::aMessage& m) const {
    const aJoueur& host = Opponents[0];
    return !IsHost && OpponentCount >= 1 && host.State == 0 && host.IP == m.SenderIP && host.Port == m.SenderPort;
}

bool TForm14::mayStartWith(const lobby::aMessage& m) const {
    if (IsHost) return false;
    const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
    if (who < 0 || !LobbyUsers[who].IsHost()) return false;
    // A guest without its host yet takes the start of a host it invited (that host accepted
    // by starting the game at once).
    if (OpponentCount == 0) return invitedHosts_.count({m.SenderIP, m.SenderPort}) > 0;
    return fromChosenHost(m);
}

void TForm14::dispatchMessages(const std::vector<lobby::aMessage>& records, int& kept) {
    kept = 0;
    std::optional<lobby::aMessage> accepted;  // the last kind-4 record
    bool start = false;                        // a kind-7 record from this guest's host
    bool go = false;                           // a kind-5 record from the host it answered
    for (const lobby::aMessage& m : records) {
        if (m.Kind == 6) {
            // The guest is ready: tell it to connect. A sender that is not listed has no port
            // to answer to; the connection time-out then ends the set-up.
            const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
            if (who >= 0) {
                const std::string saved = LobbyReply;
                ServerACK(m.SenderIP, std::to_string(LobbyUsers[who].Port));
                LobbyReply = saved;
            }
            continue;
        }
        keepMessage(m);
        ++kept;
        // A start or a go from anyone but the host this guest is agreeing with is not obeyed.
        if (m.Kind == 5 && startAcknowledged_ && fromChosenHost(m)) {
            go = true;
            break;
        }
        if (m.Kind == 7 && mayStartWith(m)) {
            start = true;
            break;
        }
        if (m.Kind == 4) accepted = m;
        if (m.Kind == 3 && fromChosenHost(m)) {
            hostGaveUp();
            accepted.reset();
        }
    }
    if (go) {
        ClientEntameJeu();
        return;
    }
    if (start) {
        CurrentMessage = int(LobbyMessages.size()) - 1;
        const lobby::aMessage m = LobbyMessages.back();
        const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
        if (OpponentCount == 0) {
            OpponentCount = 1;
            fillSlot(0, who, m.SenderIP, m.SenderPort);
        }
        startAcknowledged_ = true;
        main().TimerError->start();
        ClientACK(m.SenderIP, std::to_string(LobbyUsers[who].Port));
        return;
    }
    if (accepted && ((!IsHost && OpponentCount == 0) || (IsHost && OpponentCount <= 1))) {
        const lobby::aMessage& m = *accepted;
        const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
        if (who < 0) return;
        ++OpponentCount;
        fillSlot(OpponentCount - 1, who, m.SenderIP, m.SenderPort);
        if (!IsHost) main().TimerError->start();  // the host has its minute to start the game
        if (IsHost && OpponentCount == 2) {
            for (QWidget* c : std::initializer_list<QWidget*>{ButtonInvite, ButtonSend, Button3, Button4, ButtonAnswer})
                c->setEnabled(false);
            ServerEntameJeu();
        }
    }
}

void TForm14::hostGaveUp() {
    // The host this guest waited for cannot start the game: the guest is free again.
    OpponentCount = 0;
    ListBox2->clear();
    startAcknowledged_ = false;
    main().TimerError->stop();
    main().setStatus("");
    ButtonInvite->setEnabled(!LobbyUsers.empty());
}

void TForm14::competitionPictures() {
    TForm1& w = main();
    const std::string suffix = CompetitionSuffix();
    w.titreJeu->setText(Q(CompetitionName));
    w.imgComp0->setVisible(suffix == " (C)");
    w.imgComp1->setVisible(suffix == " (T)");
    w.imgComp2->setVisible(suffix == " (W)");
    w.imgCompx->hide();
    IsHost = radioType->currentIndex() == 0;
}

void TForm14::sendStartMessage(lobby::MessageKind kind, const std::string& ip, int port) {
    lobby::GetInetFile(Requests().Notice(kind, ip, port, QDateTime::currentDateTime()), LobbyReply);
}

void TForm14::ServerEntameJeu() {
    const std::array<aJoueur, 2> chosen = Opponents;
    disconnectedLook();
    competitionPictures();
    std::array<net::LobbySlot, 2> seats;
    for (int i = 0; i < 2; ++i) seats[i] = net::LobbySlot{chosen[i].Name, chosen[i].State, chosen[i].IP};
    if (!main().ServerEntameJeu(seats, LocalIPAddress)) {
        // Nothing can be hosted: the guests hear it is off, and the player leaves the lobby
        // with the reason, instead of staying logged in behind a logged-out look.
        for (const aJoueur& o : chosen)
            if (o.State != 3 && !o.IP.empty()) sendStartMessage(lobby::MessageKind::Refusal, o.IP, o.Port);
        ToolButton6Click();
        platform::ShowMessage(S(main().StatusBar1->currentMessage().trimmed()), platform::SiteCaption);
        return;
    }
    if (AppSettings().PlayWithCpu == 0) sendStartMessage(lobby::MessageKind::GameStart, chosen[0].IP, chosen[0].Port);
    sendStartMessage(lobby::MessageKind::GameStart, chosen[1].IP, chosen[1].Port);
    main().setStatus(" " + Ui("Waiting for connection") + "...");
}

void TForm14::ClientACK(const std::string& ip, const std::string& port) {
    main().setStatus(" " + Ui("Waiting for connection") + "...");
    sendStartMessage(lobby::MessageKind::GuestAck, ip, std::atoi(port.c_str()));
}

void TForm14::ServerACK(const std::string& ip, const std::string& port) {
    main().setStatus(" " + Ui("Waiting for connection") + "...");
    sendStartMessage(lobby::MessageKind::HostAck, ip, std::atoi(port.c_str()));
}

void TForm14::ClientEntameJeu() {
    Timer4->stop();
    StopPolling = true;
    send(2, Requests().LeaveCompetition());
    lobby::AppCounters().GuestLeftForGame();
    const aJoueur host = Opponents[0];
    disconnectedLook();
    competitionPictures();
    main().ClientEntameJeu(host.IP, host.Port, LocalIPAddress);
}

void TForm14::PostAbandon() { send(8, Requests().Abandon(), true); }

void TForm14::PostTimeOutAbandon() { send(8, Requests().TimeOutAbandon(), true); }

void TForm14::PostResult(int wres) { send(8, Requests().Result(wres), true); }

void TForm14::PostLeave() { send(2, Requests().Leave(), true); }

void TForm14::PostHostLeavesList() {
    Timer4->stop();
    StopPolling = true;
    send(2, Requests().LeaveCompetition(), true);
    lobby::AppCounters().GuestJoined();
}

void TForm14::PostPrivateMessage(const std::string& toIP, int toPort, const std::string& stamp,
                                 const std::string& text) {
    send(4, Requests().PrivateMessage(toIP, toPort, stamp, text), true);
}

void TForm14::SendClosingRequests(bool abandon) {
    std::string ignored;
    lobby::InetOptions quick;
    quick.Budget = std::chrono::milliseconds(3000);
    // Through the options' HTTP proxy, as every other lobby request goes.
    const Settings& s = AppSettings();
    if (s.IsProxy) quick.Proxy = platform::HttpProxyAddress{s.ProxyAddress, s.ProxyPort, {}, {}};
    if (abandon) lobby::GetInetFile(Requests().Abandon(), ignored, quick);
    if (LoggedIn()) lobby::GetInetFile(Requests().Leave(), ignored, quick);
}

} // namespace client
