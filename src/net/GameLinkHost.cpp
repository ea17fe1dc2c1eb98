#include "net/GameLinkHost.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "game/JeuMessages.h"
#include "platform/Random.h"

namespace net {

namespace {
const char* const LeftTheGame = "One of the players have left the game.";
} // namespace

TClientConnection::TClientConnection(QTcpSocket* accepted, QObject* parent)
    : platform::LineSocket(accepted, parent) {
    SetLineEdit(true);
    SetLineLimit(HostLineLimit);
}

GameLinkHost::GameLinkHost(GameLinkWindow& window, QObject* parent)
    : QObject(parent), window_(window), server_(this) {
    server_.SetLineLimit(HostLineLimit);
    server_.SetLineEdit(true);
    server_.SetClientFactory([](QTcpSocket* accepted, QObject* owner) -> platform::LineSocket* {
        return new TClientConnection(accepted, owner);
    });
    connect(&server_, &platform::LineServer::ClientConnected, this,
            &GameLinkHost::onClientConnected);
    connect(&server_, &platform::LineServer::ClientDisconnect, this,
            &GameLinkHost::onClientDisconnect);
    connect(&server_, &platform::LineServer::SocksError, this, [this] { lostLink(); });
}

GameLinkHost::~GameLinkHost() = default;

bool GameLinkHost::Listen(int port, const std::string& address) {
    return server_.Listen(address, port);
}

void GameLinkHost::Close() { server_.CloseAll(); }

TClientConnection* GameLinkHost::Connection(int index) const {
    return static_cast<TClientConnection*>(server_.Client(index));
}

void GameLinkHost::serverSendText(int index, const std::string& text) {
    if (TClientConnection* c = Connection(index)) c->SendStr(text + "\r\n");
}

int GameLinkHost::seatedCount() const {
    int n = 0;
    for (int i = 0; i < server_.ClientCount(); ++i)
        if (Connection(i)->Seated) ++n;
    return n;
}

bool GameLinkHost::isCurrent(const TClientConnection& c) const {
    return server_.IndexOf(&c) >= 0;
}

void GameLinkHost::broadcast(const std::string& line) {
    for (int i = 0; i < server_.ClientCount(); ++i)
        if (Connection(i)->Seated) serverSendText(i, line);
}

void GameLinkHost::relay(const TClientConnection& from, const std::string& line) {
    if (PlayWithCpu) return;
    for (int i = 0; i < server_.ClientCount(); ++i) {
        TClientConnection* c = Connection(i);
        if (c != &from && c->Seated) serverSendText(i, line);
    }
}

void GameLinkHost::SendChat(const std::string& text) {
    JeuNet* g = window_.CurrentNetGame();
    if (!g) return;
    broadcast(ChatLine(1, text));
}

void GameLinkHost::onClientConnected(platform::LineSocket* client) {
    auto* c = static_cast<TClientConnection*>(client);
    c->SetSendLimit(SendLimit);
    if (!Banner.empty()) c->SendStr(Banner + "\r\n");
    connect(c, &platform::LineSocket::DataAvailable, this, [this, c] { ClientLineReceived(*c); });
    if (seatedCount() >= guestsWanted()) {
        // Every place of the game already has its guest.
        drop(*c);
        return;
    }
    QTimer::singleShot(JoinTimeoutMs, c, [this, c] {
        if (!c->Seated) drop(*c);
    });
    std::vector<TClientConnection*> waiting;
    for (int i = 0; i < server_.ClientCount(); ++i) {
        TClientConnection* w = Connection(i);
        if (!w->Seated && !w->Dropped) waiting.push_back(w);
    }
    const auto most = static_cast<std::size_t>(std::max(MaxWaitingConnections, 0));
    for (std::size_t i = 0; i + most < waiting.size(); ++i) drop(*waiting[i]);
}

void GameLinkHost::onClientDisconnect(platform::LineSocket* client) {
    if (static_cast<TClientConnection*>(client)->Seated) lostLink();
}

// Closed from the event loop: the connection may be in the middle of handling its lines.
void GameLinkHost::drop(TClientConnection& c) {
    if (c.Dropped) return;
    c.Dropped = true;
    QMetaObject::invokeMethod(&c, &platform::LineSocket::Abort, Qt::QueuedConnection);
}

void GameLinkHost::dropWaiting() {
    for (int i = 0; i < server_.ClientCount(); ++i)
        if (!Connection(i)->Seated) drop(*Connection(i));
}

bool GameLinkHost::expected(const TClientConnection& c, const std::string& nickname) const {
    const std::string from = c.PeerAddr();
    for (const LobbySlot& o : Opponents) {
        if (o.State == 3) continue;
        if (!from.empty() && o.IP == from) return true;
        // Behind a proxy or a router the address is another's: the join line names the player.
        if (!nickname.empty() && o.Name == nickname) return true;
    }
    return false;
}

bool GameLinkHost::seat(TClientConnection& from, const std::string& nickname) {
    if (from.Seated) return true;
    if (from.Dropped) return false;
    if (seatedCount() >= guestsWanted() || !expected(from, nickname)) {
        drop(from);
        return false;
    }
    from.Seated = true;
    from.JoinOrder = ++joins_;
    from.JoinName = nickname;
    if (seatedCount() == guestsWanted()) dropWaiting();
    return true;
}

void GameLinkHost::lostLink() {
    JeuNet* g = window_.CurrentNetGame();
    if (!g || g->GameOver) return;
    g->GameOver = true;
    // The guests still here cannot play on: closing their links tells them the game ended.
    for (int i = 0; i < server_.ClientCount(); ++i) {
        TClientConnection* c = Connection(i);
        if (c->Seated && !c->Dropped) {
            c->Dropped = true;
            QMetaObject::invokeMethod(c, &platform::LineSocket::Close, Qt::QueuedConnection);
        }
    }
    window_.LinkLost();
    if (!window_.LocalAbandon()) window_.ShowStatus(window_.Translate(LeftTheGame));
    window_.Repaint();
}

void GameLinkHost::ClientLineReceived(TClientConnection& from) {
    ReadText(from, from.ReceiveStr());
}

void GameLinkHost::ReadText(TClientConnection& from, const std::string& text) {
    for (const std::string& raw : SplitLines(text)) {
        // The window may close the link while a line is handled; what follows is not read.
        if (!isCurrent(from)) return;
        GameLine line;
        switch (ParseGameLine(raw, LineFrom::Guest, line)) {
        case ReadResult::Ignored:
            ++counts_.Ignored;
            continue;
        case ReadResult::Malformed:
            ++counts_.Malformed;
            continue;
        case ReadResult::Handled:
            break;
        }
        if (handleLine(from, line)) {
            ++counts_.Handled;
            window_.Repaint();
        } else {
            ++counts_.Refused;
        }
    }
}

bool GameLinkHost::mayMoveFor(const TClientConnection& from, int hostSeat) const {
    return from.Seated && from.BoundSeat == hostSeat;
}

void GameLinkHost::bindSeats(const std::array<std::string, 3>& names,
                             const std::array<std::string, 3>& addresses, int computerSeat) {
    std::vector<TClientConnection*> joined;
    for (int i = 0; i < server_.ClientCount(); ++i) {
        TClientConnection* c = Connection(i);
        c->BoundSeat = -1;
        if (c->Seated && !c->Dropped) joined.push_back(c);
    }
    std::sort(joined.begin(), joined.end(),
              [](const TClientConnection* a, const TClientConnection* b) { return a->JoinOrder < b->JoinOrder; });
    // The guests' seats, in the order the last rule gives them out.
    std::vector<int> free;
    for (int s : {0, 2})
        if (s != computerSeat) free.push_back(s);
    auto take = [&free](TClientConnection* c, int s) {
        c->BoundSeat = s;
        free.erase(std::find(free.begin(), free.end(), s));
    };

    // An address names a seat when it is that seat's alone and one connection comes from it.
    for (int s : std::vector<int>(free)) {
        bool shared = false;
        for (int o : free)
            if (o != s && addresses[o] == addresses[s]) shared = true;
        if (shared || addresses[s].empty()) continue;
        TClientConnection* only = nullptr;
        int count = 0;
        for (TClientConnection* c : joined)
            if (c->BoundSeat < 0 && c->PeerAddr() == addresses[s]) {
                only = c;
                ++count;
            }
        if (count == 1) take(only, s);
    }
    for (TClientConnection* c : joined) {
        if (c->BoundSeat >= 0 || c->JoinName.empty()) continue;
        for (int s : free)
            if (names[s] == c->JoinName) {
                take(c, s);
                break;
            }
    }
    for (TClientConnection* c : joined)
        if (c->BoundSeat < 0 && !free.empty()) take(c, free.front());
}

bool GameLinkHost::handleLine(TClientConnection& from, const GameLine& line) {
    if (from.Dropped || (!from.Seated && line.Code != MsgJoin)) return false;
    JeuNet* g = window_.CurrentNetGame();
    const JeuMessages& t = GameTexts();

    switch (line.Code) {
    case MsgJoin:
        if (!seat(from, line.Text)) return false;
        if (!modeFits()) return true;  // seated; the game waits for the other guest
        // A join starts a game when none runs, after a game, or after a hand that every
        // seat has won (a fresh game); never in the middle of one.
        if (g && !g->GameOver && !(g->RoundOver && g->AllSeatsWon)) return false;
        startGame();
        return true;

    case MsgHand:
        if (!modeFits() || !g || !g->RoundOver || g->GameOver) return false;
        nextHand(*g);
        return true;

    case MsgTilePlayed: {
        if (!g || !mayMoveFor(from, line.Seat)) return false;
        if (!g->CanApplyRemoteTile(line.Seat, line.HandIndex, line.End)) return false;
        g->ApplyRemoteTile(line.Seat, line.HandIndex, line.End);
        relay(from, TilePlayedLine(line.Seat, line.HandIndex, line.End));
        window_.Ecriremessage(g->Message);
        g->ScoreHandNet(false, false);
        window_.Ecriremessage(g->Message);
        return true;
    }

    case MsgPass: {
        if (!g || g->RoundOver || g->GameOver) return false;
        const int seat = g->SeatToMove;
        if (g->PlaysHere(seat) || !mayMoveFor(from, seat)) return false;
        g->Passed[seat] = true;
        std::string logLine = g->Seats[seat].Name + " " + t.Sulks + " ";
        window_.Ecriremessage(logLine);
        g->TilePlayed = false;
        g->SeatPassed = true;
        relay(from, HostPassLine(seat));
        g->ScoreHandNet(false, true);
        window_.Ecriremessage(g->Message);
        return true;
    }

    case MsgChat: {
        if (!g || g->PlaysHere(line.Seat) || from.BoundSeat != line.Seat) return false;
        window_.ShowChat(g->Seats[line.Seat].Name + ": " + line.Text);
        relay(from, ChatLine(line.Seat, line.Text));
        return true;
    }
    }
    return false;
}

void GameLinkHost::startGame() {
    window_.JoinAccepted();
    platform::Randomize();

    const LobbySlot& left = Opponents[1];
    const LobbySlot& right = Opponents[0];
    const std::array<std::string, 3> names{left.Name, OwnName, right.Name};
    const std::array<std::string, 3> addresses{left.IP, OwnAddress, right.IP};
    const std::array<std::string, 3> kinds{std::to_string(left.State), "0",
                                           std::to_string(right.State)};
    int computerSeat = -1;
    if (kinds[0] == "3") computerSeat = 0;
    if (kinds[2] == "3") computerSeat = 2;
    bindSeats(names, addresses, computerSeat);

    window_.FillTable();
    window_.ClearGameLog();

    NetGameSetup setup;
    static_cast<GameSetup&>(setup) = Setup;
    setup.Names = names;
    setup.Addresses = addresses;
    setup.ComputerSeat = computerSeat;
    setup.OwnSeat = 1;
    setup.OwnSeatPlaysItself = OwnSeatPlaysItself;
    JeuNet* g = &InstallNetGame(window_, setup, StatisticsFile, this, &GameLinkHost::broadcast);
    g->Deal();

    broadcast(StartGameLine(names, addresses, kinds, g->HandsByHostSeat()));
    window_.Ecriremessage(g->Message);
    window_.ShowStatus(g->StatusText);
    // The guests find the first seat themselves from the same deal: no MsgTurn.
    g->FirstLead();
    window_.ShowStatus(g->StatusText);
    g->Message.clear();
    window_.GameStarted(*g, true);
}

void GameLinkHost::nextHand(JeuNet& g) {
    window_.FillTable();
    g.NewPack();
    g.Deal();
    broadcast(DealLine(g.HandsByHostSeat()));
    window_.ClearGameLog();
    window_.Ecriremessage(g.Message);
    window_.ShowStatus(g.StatusText);
    g.FirstLead();
    broadcast(TurnLine(g.SeatToMove));
    std::string all = GameTexts().AllTaken;
    window_.Ecriremessage(all);
    window_.ShowStatus(g.StatusText);
    g.Message.clear();
    window_.HandDealt(g);
}

} // namespace net
