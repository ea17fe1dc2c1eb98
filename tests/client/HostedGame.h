#pragma once
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "net/NetSupport.h"

// Starts the main window as the host of a game with its computer seat and the guest
// "Guesty" on the settings' server port, joins the raw guest and waits for its start line.
inline bool HostForRawGuest(client::TForm1& main, RawGuest& guest) {
    if (!main.ServerEntameJeu({net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{"Guesty", 1, "127.0.0.1"}}, "127.0.0.1"))
        return false;
    if (!guest.connectTo(client::AppSettings().ServerPort)) return false;
    guest.sendLine("8:&");
    return guest.waitLines(1);
}

// Makes the headless host "Hosty" of a game with its computer seat and the guest "Guesty",
// on the main window's game set-up, listening on a free port.
inline bool ListenAsHosty(net::GameLinkHost& host, const client::TForm1& main, const std::string& statisticsFile) {
    host.Setup = main.CurrentGameSetup();
    host.StatisticsFile = statisticsFile;
    host.PlayWithCpu = true;
    host.Opponents = {net::LobbySlot{"CPU", 3, ""}, net::LobbySlot{"Guesty", 1, "127.0.0.1"}};
    host.OwnName = "Hosty";
    host.OwnAddress = "127.0.0.1";
    return host.Listen(0, "127.0.0.1");
}
