#include "lobby/GetInetFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "platform/ProgramFolder.h"

namespace lobby {
namespace {

std::string programFileName() {
    if (!QCoreApplication::instance()) return "morvatel";
    return platform::ModelPath(QFileInfo(QCoreApplication::applicationFilePath()).fileName()).value_or("morvatel");
}

} // namespace

bool GetInetFile(const std::string& url, std::string& reply, const InetOptions& options) {
    reply.clear();
    const auto deadline = platform::BlockingHttpGet::Clock::now() + options.Budget;
    platform::HttpProxyAddress proxy;
    if (options.Proxy) {
        proxy = *options.Proxy;
    } else {
        platform::HttpAddress address;
        if (platform::ParseHttpAddress(url, address)) proxy = platform::SystemHttpProxy(address.Host);
    }

    platform::BlockingHttpGet get;
    if (!get.Open(url, proxy, options.Agent.empty() ? programFileName() : options.Agent, deadline))
        return false;
    std::array<char, InetBlockSize> buffer{};
    size_t lastBlock = 0;  // the length of the last block that brought bytes
    size_t read = 0;
    int reads = 0;
    do {
        read = get.Read(buffer.data(), buffer.size());
        ++reads;
        if (read > 0) lastBlock = read;
    } while (read > 0 && reads < InetMaxReads);
    reply.assign(buffer.data(), std::min(lastBlock, InetReplyLength));
    return read == 0 && get.Ended() && get.Status() >= 200 && get.Status() <= 299;
}

} // namespace lobby
