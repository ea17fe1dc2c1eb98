#pragma once
#include "net/GameLinkWindow.h"

namespace client {

class TForm1;

// The main window as the game link sees it: the game it holds and what it shows when a
// line changes the game.
class MainGameLink : public net::GameLinkWindow {
public:
    explicit MainGameLink(TForm1& window) : w_(window) {}

    net::JeuNet* CurrentNetGame() override;
    void SetCurrentGame(std::unique_ptr<net::JeuNet> game) override;
    std::unique_ptr<JeuView> MakeView() override;
    Statistics CurrentStatistics() override;
    bool LocalAbandon() const override;
    std::string Translate(const std::string& english) override;

    void Ecriremessage(std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void ClearGameLog() override;
    void FillTable() override;
    void Repaint() override;
    void ShowChat(const std::string& line) override;
    void JoinAccepted() override;
    void StartReceived() override;
    void GameCreated(net::JeuNet& game) override;
    void GameStarted(net::JeuNet& game, bool fetchPictures) override;
    void HandDealt(net::JeuNet& game) override;
    void Connected() override;
    void LinkLost() override;
    void PostResult(int resultCode) override;

private:
    TForm1& w_;
};

} // namespace client
