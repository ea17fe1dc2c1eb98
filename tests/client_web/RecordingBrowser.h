#pragma once
#include <string>
#include <vector>

#include "client/WebParts.h"

// A web browser that only records where it was sent.
struct RecordingBrowser : client::WebBrowser {
    void Go(const std::string& address) override { visited.push_back(address); }
    std::vector<std::string> visited;
};
