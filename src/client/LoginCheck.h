#pragma once
#include <string>

// The login check (request 00) that the options window sends when it closes after the
// web account was edited. It travels on the lobby's component NMHTTP0 of the process-wide
// senders, whose reply the lobby window reads.
namespace client {

// Starts the GET of the encoded address on NMHTTP0 with the HTTP proxy of the settings
// (none when "Is proxy" is off); a request that cannot be started is dropped.
void SendThroughLobby(const std::string& encodedUrl);

} // namespace client
