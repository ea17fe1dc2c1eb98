// Saves pictures of the lobby window logged in with users and a received invitation, and
// of the chat window during a network game, for people to look at.
// Usage: morvatel_lobby_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "LobbyFixture.h"
#include "client/HostedGame.h"
#include "support/Screenshot.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : "screenshots";
    QDir().mkpath(out);
    int failures = 0;
    {
        LobbyWindows w("Anna", 1);
        client::AppSettings().ServerPort = FreePort();
        w.lobby().NMHTTP0Success("*00:[Free Play;0]*");
        w.lobby().show();
        failures += !w.LogIn("*01:" + UserRecordText("Bruno", "Cl", "fr", "192.168.1.20", 2032, "FR") +
                             UserRecordText("Clara", "Cl", "lk", "192.168.1.21", 2032, "BE") +
                             UserRecordText("Server7", "Se", "bs", "192.168.1.30", 2040, "CA") + "*");
        failures += !w.PollMessages("*05:" + MessageRecordText(2, "192.168.1.20", 2032) + "*");
        SaveScreenshot(w.lobby(), out, "lobby-invitation.png");
    }
    {
        LobbyWindows w("Hosty", 1);
        client::AppSettings().ServerPort = FreePort();
        client::TForm1& main = w.main();
        RawGuest guest;
        failures += !HostForRawGuest(main, guest);
        failures += !WaitFor([&] { return dynamic_cast<JeuNet*>(main.CurrentGame.get()) != nullptr; });
        guest.sendLine("9:0&Good luck!&");
        WaitFor([&] { return w.chat().isVisible(); });
        w.chat().Edit1->setText("Thanks, you too");
        SaveScreenshot(main, out, "game-with-chat-button.png");
        SaveScreenshot(w.chat(), out, "chat-window.png");
        main.CloseGameSockets();
    }
    return failures;
}
