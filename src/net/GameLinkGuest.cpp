#include "net/GameLinkGuest.h"

#include <QPointer>

#include "game/JeuMessages.h"
#include "net/NetSeat.h"

namespace net {

namespace {
const char* const LeftTheGame = "One of the players have left the game.";

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}
} // namespace

GameLinkGuest::GameLinkGuest(GameLinkWindow& window, QObject* parent)
    : QObject(parent), window_(window), socket_(this) {
    socket_.SetLineEdit(true);
    socket_.SetLineLimit(GuestLineLimit);
    connect(&socket_, &platform::LineSocket::SessionConnected, this,
            &GameLinkGuest::WSocket1SessionConnected);
    connect(&socket_, &platform::LineSocket::DataAvailable, this,
            &GameLinkGuest::WSocket1DataAvailable);
    connect(&socket_, &platform::LineSocket::SessionClosed, this,
            &GameLinkGuest::WSocket1SessionClosed);
    connect(&socket_, &platform::LineSocket::Error, this, [this] { lostLink(); });
    connect(&socket_, &platform::LineSocket::SocksError, this, [this] { lostLink(); });
}

GameLinkGuest::~GameLinkGuest() { socket_.disconnect(this); }

void GameLinkGuest::Connect(const std::string& hostAddress, int port, platform::SocksProxy socks) {
    socks.Host = trimmed(socks.Host);
    socks.User = trimmed(socks.User);
    socks.Password = trimmed(socks.Password);
    socket_.SetSocks(socks);
    socket_.Connect(trimmed(hostAddress), port);
}

void GameLinkGuest::Close() { socket_.Close(); }

void GameLinkGuest::clientSendText(const std::string& text) { socket_.SendStr(text + "\r\n"); }

void GameLinkGuest::NextRound() {
    JeuNet* g = window_.CurrentNetGame();
    if (!g) return;
    g->RoundOver = false;
    if (g->AllSeatsWon) clientSendText(JoinLine(LobbyNickname));
    else if (!g->GameOver) clientSendText(HandRequestLine());
}

void GameLinkGuest::SendChat(const std::string& text) {
    if (JeuNet* g = window_.CurrentNetGame()) clientSendText(ChatLine(g->NetSeat, text));
}

void GameLinkGuest::WSocket1SessionConnected() {
    clientSendText(JoinLine(LobbyNickname));
    window_.Connected();
}

void GameLinkGuest::WSocket1DataAvailable() { ReadText(socket_.ReceiveStr()); }

void GameLinkGuest::WSocket1SessionClosed() { lostLink(); }

void GameLinkGuest::lostLink() {
    JeuNet* g = window_.CurrentNetGame();
    if (!g || g->GameOver) return;
    g->GameOver = true;
    window_.LinkLost();
    if (!window_.LocalAbandon()) window_.ShowStatus(window_.Translate(LeftTheGame));
    window_.Repaint();
}

void GameLinkGuest::ReadText(const std::string& text) {
    for (const std::string& raw : SplitLines(text)) {
        GameLine line;
        switch (ParseGameLine(raw, LineFrom::Host, line)) {
        case ReadResult::Ignored:
            ++counts_.Ignored;
            continue;
        case ReadResult::Malformed:
            ++counts_.Malformed;
            continue;
        case ReadResult::Handled:
            break;
        }
        if (!handleLine(line)) {
            ++counts_.Refused;
            continue;
        }
        ++counts_.Handled;
        if (JeuNet* g = window_.CurrentNetGame()) window_.Ecriremessage(g->Message);
        window_.Repaint();
    }
}

bool GameLinkGuest::handleLine(const GameLine& line) {
    if (line.Code == MsgStartGame) return startGame(line);
    JeuNet* g = window_.CurrentNetGame();
    if (!g) return false;

    switch (line.Code) {
    case MsgTurn:
        if (g->GameOver) return false;
        g->SeatToMove = g->ToLocal(line.Seat);
        return true;

    case MsgTilePlayed: {
        const int seat = g->ToLocal(line.Seat);
        if (!g->CanApplyRemoteTile(seat, line.HandIndex, line.End)) return false;
        g->ApplyRemoteTile(seat, line.HandIndex, line.End);
        window_.Ecriremessage(g->Message);
        g->ScoreHandNet(false, false);
        return true;
    }

    case MsgPass: {
        const int seat = g->ToLocal(line.Seat);
        // The guest's own passes never come back; another seat passes only in its turn.
        if (g->RoundOver || g->GameOver || seat != g->SeatToMove || g->PlaysHere(seat))
            return false;
        g->Passed[seat] = true;
        std::string logLine = g->Seats[seat].Name + " boude";
        window_.Ecriremessage(logLine);
        g->SeatToMove = (seat + 1) % 3;
        g->ScoreHandNet(false, true);
        return true;
    }

    case MsgHand:
        if (g->GameOver) return false;
        nextHand(*g, line.Deal);
        return true;

    case MsgChat:
        window_.ShowChat(g->Seats[g->ToLocal(line.Seat)].Name + ": " + line.Text);
        return true;
    }
    return false;
}

bool GameLinkGuest::startGame(const GameLine& line) {
    const std::array<std::string, 3>& names = line.Names;
    const std::array<std::string, 3>& addresses = line.Addresses;
    int computerSeat = -1;
    if (line.Kinds[2] == "3") computerSeat = 2;
    else if (line.Kinds[0] == "3") computerSeat = 0;

    int netSeat = addresses[0] != LobbyAddress ? 2 : 0;
    if (!LobbyNickname.empty() && addresses[0] == addresses[2]) {
        if (names[0] == LobbyNickname) netSeat = 0;
        else if (names[2] == LobbyNickname) netSeat = 2;
    }
    // A start line that gives the guest's own seat to the host's computer cannot be played.
    if (computerSeat == netSeat) return false;

    window_.StartReceived();
    window_.FillTable();

    NetGameSetup setup;
    static_cast<GameSetup&>(setup) = Setup;
    for (int h = 0; h < 3; ++h) {
        const int local = HostToLocal(h, netSeat);
        setup.Names[local] = names[h];
        setup.Addresses[local] = addresses[h];
    }
    setup.ComputerSeat = computerSeat;
    setup.OwnSeat = netSeat;
    JeuNet* g = &InstallNetGame(window_, setup, StatisticsFile, this, &GameLinkGuest::clientSendText);
    g->Message.clear();
    g->RoundOver = false;
    g->LeftEnd = g->RightEnd = -1;
    g->RoundsDealt += 1;
    window_.ShowStatus(g->StatusText);
    dealt(*g, line.Deal);
    window_.GameStarted(*g, FetchNetPictures);
    FetchNetPictures = false;
    return true;
}

void GameLinkGuest::nextHand(JeuNet& g, const DealTiles& deal) {
    window_.ClearGameLog();
    window_.FillTable();
    for (Joueur& seat : g.Seats) seat.ClearHand();
    g.NewPack();
    g.Message.clear();
    g.RoundOver = false;
    g.LeftEnd = g.RightEnd = -1;
    g.RoundsDealt += 1;
    window_.ShowStatus(g.StatusText);
    dealt(g, deal);
    window_.HandDealt(g);
}

// The hands from the line, then the first lead, as the host made them from the same deal.
void GameLinkGuest::dealt(JeuNet& g, const DealTiles& deal) {
    g.TakeDeal(deal);
    g.TurnTaken = false;
    std::string all = GameTexts().AllTaken;
    window_.Ecriremessage(all);
    g.FirstLead();
    window_.Ecriremessage(g.Message);
    window_.ShowStatus(g.StatusText);
    g.ScoreHandNet(true, false);
}

} // namespace net
