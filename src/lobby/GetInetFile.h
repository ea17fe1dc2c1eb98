#pragma once
#include <string>

// The lobby's blocking fetch, used for the game-start messages: an HTTP GET that waits on
// the calling thread (no event loop runs meanwhile) until the reply has been read, the
// connection fails or the time is up. The system's HTTP proxy is honoured.
namespace lobby {

inline constexpr int GetInetFileTimeoutMs = 10000;
inline constexpr std::size_t GetInetFileKept = 1024;

// GETs an encoded address. `reply` gets at most the first 1024 characters of the body.
// True when the reply was read to its end.
bool GetInetFile(const std::string& encodedUrl, std::string& reply,
                 int timeoutMs = GetInetFileTimeoutMs);

} // namespace lobby
