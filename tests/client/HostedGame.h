#pragma once
#include "client/Settings.h"
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
