#pragma once
#include <chrono>
#include <optional>
#include <string>

#include "platform/BlockingHttp.h"

// The synchronous fetch of the game-start notices (messages of kinds 5, 6 and 7): it blocks
// the calling thread until the reply has been read, runs no event loop meanwhile, and gives
// up after a few seconds in all.
namespace lobby {

constexpr size_t InetBlockSize = 2024;   // bytes per read
constexpr int InetMaxReads = 51;         // reads at most
constexpr size_t InetReplyLength = 1024; // characters kept of the last block

struct InetOptions {
    // The whole call, from the name lookup to the last byte.
    std::chrono::milliseconds Budget{5000};
    // The agent name; empty: the program file's name without its folder.
    std::string Agent;
    // The HTTP proxy; unset: the system's (http_proxy, no_proxy).
    std::optional<platform::HttpProxyAddress> Proxy;
};

// Fetches an encoded address. The body is read in blocks of 2024 bytes, each read
// overwriting the last, until a read returns nothing or 51 reads have been made. reply is
// cleared first and then holds the first 1024 characters of the last block read (the HTTP
// head is never part of it). True when the body was read to its end with a success status.
bool GetInetFile(const std::string& url, std::string& reply, const InetOptions& options = {});

} // namespace lobby
