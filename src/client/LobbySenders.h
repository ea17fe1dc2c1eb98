#pragma once
#include <string>

#include "lobby/Senders.h"

// The client's one set of lobby senders (NMHTTP0 ... NMHTTP8), alive for the program's run.
// The lobby window connects its reply handlers to it.
namespace client {

lobby::Senders& AppLobbySenders();

// Steps the request counter and builds the login check (request 00) with the settings'
// nickname and password.
std::string NextLoginCheck();
// Sends an encoded lobby request on component `code` with the settings' proxy; a request
// that cannot be started is dropped.
void SendLobbyRequest(int code, const std::string& encodedUrl);

} // namespace client
