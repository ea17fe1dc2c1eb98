#pragma once
#include <string>

#include "lobby/Senders.h"

// The client's lobby requests go through the process's one set of senders
// (lobby::AppSenders(), NMHTTP0 ... NMHTTP8), to which the lobby window connects its replies.
namespace client {

// Steps the request counter and builds the login check (request 00) with the settings'
// nickname and password.
std::string NextLoginCheck();
// Sends an encoded lobby request on component `code` with the settings' proxy; a request
// that cannot be started is dropped.
void SendLobbyRequest(int code, const std::string& encodedUrl);

} // namespace client
