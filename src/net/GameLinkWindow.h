#pragma once
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/JeuView.h"
#include "game/Statistics.h"
#include "net/JeuNetsc.h"

namespace net {

// What the game link needs of the window that shows the game: the current game it holds,
// and the places where the window shows or starts something. Every call but the first two
// has an empty default, so a program without a window (the tests, the dedicated server)
// implements only what it uses.
class GameLinkWindow {
public:
    virtual ~GameLinkWindow() = default;

    // The window's current game when it is a network game; null otherwise.
    virtual JeuNet* CurrentNetGame() = 0;
    // Replaces the window's current game.
    virtual void SetCurrentGame(std::unique_ptr<JeuNet> game) = 0;
    // The view a new game draws through (null: no table).
    virtual std::unique_ptr<JeuView> MakeView() { return nullptr; }
    // The statistics counters a new game starts from when no network game is held.
    virtual Statistics CurrentStatistics() { return {}; }
    // Set when the local user left the game first: a lost link then shows no text.
    virtual bool LocalAbandon() const { return false; }
    // The translation of a user text (the English text is its key).
    virtual std::string Translate(const std::string& english) { return english; }

    // A line for the game information window; the text is emptied afterwards.
    virtual void Ecriremessage(std::string& text) { text.clear(); }
    virtual void ShowStatus(const std::string& /*text*/) {}
    virtual void ClearGameLog() {}
    // Fill the whole table area with the table colour.
    virtual void FillTable() {}
    // Redraw after a line changed the game.
    virtual void Repaint() {}
    // A chat line ("name: text") for the chat window, which is shown.
    virtual void ShowChat(const std::string& /*line*/) {}

    // Host: a guest's join was accepted and a game is about to be built (stop the
    // connection time-out and the lobby's polling; tell the lobby this host leaves its list).
    virtual void JoinAccepted() {}
    // Guest: the start line arrived (stop the connection time-out).
    virtual void StartReceived() {}
    // A new game is the current game, its counters set and scores reset, nothing dealt yet
    // (the game's table colour, the start phrase, GameAborted cleared).
    virtual void GameCreated(JeuNet& /*game*/) {}
    // The first hand is dealt and led (chat button and next-round button placed, the
    // opponents' pictures fetched when asked, the game timer started with the computer's
    // delay, no hand tile selected).
    virtual void GameStarted(JeuNet& /*game*/, bool /*fetchPictures*/) {}
    // A next hand is dealt and led (game timer, computer delay, selection, pictures reloaded).
    virtual void HandDealt(JeuNet& /*game*/) {}
    // Guest: connected, the join line sent (place the chat and next-round buttons).
    virtual void Connected() {}
    // The link was lost while a game ran; the game is already marked over (set GameAborted,
    // stop the turn time-out).
    virtual void LinkLost() {}
    // The game ended: post the result to the web site (request 08). Failures are ignored.
    virtual void PostResult(int /*resultCode*/) {}
};

// Connects a game's outgoing lines, result and warnings to a side of the link and its
// window; nothing is sent once the side is gone.
template <class Link>
void WireGame(JeuNet& game, Link* link, GameLinkWindow& window,
              void (Link::*send)(const std::string&)) {
    QPointer<Link> self(link);
    GameLinkWindow* w = &window;
    game.Send = [self, send](const std::string& line) {
        if (self) (self.data()->*send)(line);
    };
    game.PostResult = [self, w](int code) {
        if (self) w->PostResult(code);
    };
    game.Warn = [self, w](const std::string& text) {
        if (!self) return;
        std::string line = text;
        w->Ecriremessage(line);
    };
}

// Builds a network game from its setup and makes it the window's current game: the counters
// of the game it replaces (or the window's), its lines going to the link side, scores reset.
template <class Link>
JeuNet& InstallNetGame(GameLinkWindow& window, const NetGameSetup& setup,
                       const std::string& statisticsFile, Link* link,
                       void (Link::*send)(const std::string&)) {
    const JeuNet* previous = window.CurrentNetGame();
    const Statistics stats = previous ? previous->Stats : window.CurrentStatistics();
    auto game = std::make_unique<JeuNet>(window.MakeView(), setup);
    game->StatisticsFile = statisticsFile;
    WireGame(*game, link, window, send);
    JeuNet& g = *game;
    window.SetCurrentGame(std::move(game));
    g.SetStatistics(stats);
    window.GameCreated(g);
    g.ResetScores();
    g.NetSeat = setup.OwnSeat;
    return g;
}

// A window with no screen: holds the game and records what would have been shown. The
// tests use it, and so can a program that plays without a window.
class HeadlessGameWindow : public GameLinkWindow {
public:
    JeuNet* CurrentNetGame() override { return Game.get(); }
    void SetCurrentGame(std::unique_ptr<JeuNet> game) override { Game = std::move(game); }
    Statistics CurrentStatistics() override { return Stats; }
    bool LocalAbandon() const override { return LocalAbandonFlag; }

    void Ecriremessage(std::string& text) override {
        if (!text.empty()) Log.push_back(text);
        text.clear();
    }
    void ShowStatus(const std::string& text) override { Status = text; }
    void ClearGameLog() override { Log.clear(); }
    void ShowChat(const std::string& line) override { Chat.push_back(line); }
    void GameCreated(JeuNet&) override { GameAborted = false; }
    void GameStarted(JeuNet&, bool fetchPictures) override {
        ++GamesStarted;
        PicturesAsked = PicturesAsked || fetchPictures;
    }
    void HandDealt(JeuNet&) override { ++HandsDealt; }
    void Connected() override { IsConnected = true; }
    void LinkLost() override { GameAborted = true; }
    void PostResult(int code) override { Results.push_back(code); }
    void Repaint() override {
        if (OnRepaint) OnRepaint();
    }

    std::unique_ptr<JeuNet> Game;
    Statistics Stats;
    bool LocalAbandonFlag = false;
    bool GameAborted = false;
    bool IsConnected = false;
    bool PicturesAsked = false;
    int GamesStarted = 0;
    int HandsDealt = 0;
    std::string Status;
    std::vector<std::string> Log, Chat;
    std::vector<int> Results;
    // Called after each line that changed the game, for whoever watches it.
    std::function<void()> OnRepaint;
};

} // namespace net
