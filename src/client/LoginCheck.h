#pragma once
#include <string>

namespace lobby {
class Senders;
}

// The login check (request 00) that the options window sends when it closes after the
// web account was edited. It travels on the lobby's component NMHTTP0, whose reply the
// lobby window reads.
namespace client {

// The lobby's senders the check goes through.
lobby::Senders& LoginCheckSenders();

// Starts the GET of the encoded address on NMHTTP0 with the HTTP proxy of the settings
// (none when "Is proxy" is off); a request that cannot be started is dropped.
void SendThroughLobby(const std::string& encodedUrl);

} // namespace client
