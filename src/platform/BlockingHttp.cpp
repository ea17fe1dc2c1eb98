#include "platform/BlockingHttp.h"

#include "platform/WireUrl.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Header values carry no line breaks or other controls.
std::string headerValue(const std::string& s) {
    std::string out;
    for (unsigned char c : s)
        if (c >= 0x20 && c != 0x7F) out += static_cast<char>(c);
    return out;
}

bool validHostName(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    return std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_';
    });
}

bool parsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    port = std::atoi(text.c_str());
    return port >= 1 && port <= 65535;
}

// Splits "host:port" or "[v6]:port"; the port stays as given when none is written.
bool splitAuthority(const std::string& authority, std::string& host, int& port) {
    std::string rest;
    if (!authority.empty() && authority[0] == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos) return false;
        host = authority.substr(1, close - 1);
        rest = authority.substr(close + 1);
        if (host.empty() || host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos)
            return false;
    } else {
        const auto colon = authority.find(':');
        host = authority.substr(0, colon);
        rest = colon == std::string::npos ? "" : authority.substr(colon);
        if (!validHostName(host)) return false;
    }
    if (rest.empty()) return true;
    return rest[0] == ':' && parsePort(rest.substr(1), port);
}

std::string base64(const std::string& in) {
    static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(in[i]) << 16) |
                           (static_cast<unsigned char>(in[i + 1]) << 8) |
                           static_cast<unsigned char>(in[i + 2]);
        out += table[(v >> 18) & 63];
        out += table[(v >> 12) & 63];
        out += table[(v >> 6) & 63];
        out += table[v & 63];
    }
    if (i < in.size()) {
        unsigned v = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) v |= static_cast<unsigned char>(in[i + 1]) << 8;
        out += table[(v >> 18) & 63];
        out += table[(v >> 12) & 63];
        out += i + 1 < in.size() ? table[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

const char* environment(const char* lowerName, const char* upperName) {
    const char* v = std::getenv(lowerName);
    if (!v || !*v) v = std::getenv(upperName);
    return v && *v ? v : nullptr;
}

bool excludedByNoProxy(const std::string& host) {
    const char* list = environment("no_proxy", "NO_PROXY");
    if (!list) return false;
    const std::string h = lower(host);
    std::string entries = list;
    size_t start = 0;
    while (start <= entries.size()) {
        const auto comma = entries.find(',', start);
        std::string e = lower(trim(entries.substr(start, comma - start)));
        start = comma == std::string::npos ? entries.size() + 1 : comma + 1;
        if (e.empty()) continue;
        if (e == "*") return true;
        if (e[0] == '[') e = e.substr(1, e.find(']') - 1);
        else if (std::count(e.begin(), e.end(), ':') == 1) e = e.substr(0, e.find(':'));
        if (e.rfind("*.", 0) == 0) e = e.substr(1);
        if (!e.empty() && e[0] == '.') e = e.substr(1);
        if (h == e) return true;
        if (h.size() > e.size() && h.compare(h.size() - e.size(), e.size(), e) == 0 &&
            h[h.size() - e.size() - 1] == '.')
            return true;
    }
    return false;
}

// A name lookup still running when its caller gave up: kept until the resolver is done.
struct Lookup {
    gaicb request{};
    addrinfo hints{};
    std::string host, service;
};

std::vector<Lookup*>& abandonedLookups() {
    static std::vector<Lookup*> lookups;
    return lookups;
}

void sweepAbandoned() {
    auto& list = abandonedLookups();
    for (auto it = list.begin(); it != list.end();) {
        if (gai_error(&(*it)->request) == EAI_INPROGRESS) {
            ++it;
            continue;
        }
        if ((*it)->request.ar_result) freeaddrinfo((*it)->request.ar_result);
        delete *it;
        it = list.erase(it);
    }
}

// Resolves host and port before the deadline; nullptr when it cannot.
addrinfo* resolve(const std::string& host, int port, BlockingHttpGet::Clock::time_point deadline) {
    const std::string service = std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* result = nullptr;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &result) == 0) return result;

    // A name: asked of the resolver without waiting, then waited for up to the deadline.
    sweepAbandoned();
    auto* lookup = new Lookup;
    lookup->host = host;
    lookup->service = service;
    lookup->hints.ai_family = AF_UNSPEC;
    lookup->hints.ai_socktype = SOCK_STREAM;
    lookup->hints.ai_flags = AI_NUMERICSERV;
    lookup->request.ar_name = lookup->host.c_str();
    lookup->request.ar_service = lookup->service.c_str();
    lookup->request.ar_request = &lookup->hints;
    gaicb* list[1] = {&lookup->request};
    if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) {
        delete lookup;
        return nullptr;
    }
    while (gai_error(&lookup->request) == EAI_INPROGRESS) {
        const auto left = deadline - BlockingHttpGet::Clock::now();
        if (left <= std::chrono::milliseconds(0)) break;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        gai_suspend(list, 1, &wait);
    }
    const int state = gai_error(&lookup->request);
    if (state == EAI_INPROGRESS && gai_cancel(&lookup->request) == EAI_NOTCANCELED) {
        abandonedLookups().push_back(lookup);
        return nullptr;
    }
    result = gai_error(&lookup->request) == 0 ? lookup->request.ar_result : nullptr;
    if (!result && lookup->request.ar_result) freeaddrinfo(lookup->request.ar_result);
    delete lookup;
    return result;
}

} // namespace

HttpProxyAddress ParseHttpProxy(const std::string& setting) {
    HttpProxyAddress proxy;
    std::string s = trim(setting);
    const auto scheme = s.find("://");
    if (scheme != std::string::npos) {
        if (lower(s.substr(0, scheme)) != "http") return {};
        s = s.substr(scheme + 3);
    }
    s = s.substr(0, s.find_first_of("/?#"));
    const auto at = s.rfind('@');
    if (at != std::string::npos) {
        const std::string user = s.substr(0, at);
        const auto colon = user.find(':');
        proxy.User = percentDecode(user.substr(0, colon));
        if (colon != std::string::npos) proxy.Password = percentDecode(user.substr(colon + 1));
        s = s.substr(at + 1);
    }
    int port = 8080;
    std::string host;
    if (!splitAuthority(s, host, port)) return {};
    proxy.Host = host;
    proxy.Port = port;
    return proxy;
}

HttpProxyAddress SystemHttpProxy(const std::string& host) {
    const char* setting = environment("http_proxy", "HTTP_PROXY");
    if (!setting || excludedByNoProxy(host)) return {};
    return ParseHttpProxy(setting);
}

bool ParseHttpAddress(const std::string& url, HttpAddress& out) {
    if (url.size() < 8 || lower(url.substr(0, 7)) != "http://") return false;
    std::string rest = url.substr(7);
    rest = rest.substr(0, rest.find('#'));
    const auto pathStart = rest.find_first_of("/?");
    const std::string authority = rest.substr(0, pathStart);
    if (authority.find('@') != std::string::npos) return false;
    HttpAddress a;
    if (!splitAuthority(authority, a.Host, a.Port)) return false;
    a.HostHeader = a.Host;
    if (a.Host.find(':') != std::string::npos) a.HostHeader = '[' + a.Host + ']';
    if (a.Port != 80) {
        a.HostHeader += ':';
        a.HostHeader += std::to_string(a.Port);
    }
    std::string target = pathStart == std::string::npos ? std::string() : rest.substr(pathStart);
    if (target.empty() || target[0] == '?') target.insert(0, 1, '/');
    a.Target = std::move(target);
    out = a;
    return true;
}

int BlockingHttpGet::remainingMs() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 1LL << 30));
}

bool BlockingHttpGet::connectTo(const std::string& host, int port) {
    addrinfo* list = resolve(host, port, deadline_);
    if (!list) return false;
    for (addrinfo* ai = list; ai && fd_ < 0; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                ai->ai_protocol);
        if (fd < 0) continue;
        bool ok = ::connect(fd, ai->ai_addr, ai->ai_addrlen) == 0;
        if (!ok && errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t len = sizeof(error);
            ok = ::poll(&p, 1, remainingMs()) == 1 &&
                 ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
        }
        if (ok) fd_ = fd;
        else ::close(fd);
    }
    freeaddrinfo(list);
    if (fd_ >= 0) {
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    }
    return fd_ >= 0;
}

bool BlockingHttpGet::sendAll(const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        pollfd p{fd_, POLLOUT, 0};
        const int ready = ::poll(&p, 1, remainingMs());
        if (ready < 0 && errno == EINTR) continue;
        if (ready != 1) return false;
        const ssize_t n = ::send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool BlockingHttpGet::fill() {
    if (streamEnded_ || failed_ || fd_ < 0) return false;
    for (;;) {
        const int wait = remainingMs();
        if (wait <= 0) {
            failed_ = true;
            return false;
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready != 1) {
            failed_ = true;
            return false;
        }
        char chunk[4096];
        const ssize_t n = ::recv(fd_, chunk, sizeof(chunk), 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n < 0) {
            failed_ = true;
            return false;
        }
        if (n == 0) {
            streamEnded_ = true;
            return false;
        }
        in_.append(chunk, static_cast<size_t>(n));
        return true;
    }
}

bool BlockingHttpGet::readLine(std::string& line) {
    size_t eol;
    while ((eol = in_.find('\n')) == std::string::npos) {
        if (in_.size() > MaxHeadLength || !fill()) return false;
    }
    line = in_.substr(0, eol);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    in_.erase(0, eol + 1);
    return true;
}

bool BlockingHttpGet::readHead() {
    size_t headLength = 0;
    for (;;) {
        std::string statusLine;
        if (!readLine(statusLine) || statusLine.compare(0, 5, "HTTP/") != 0) return false;
        const auto blank = statusLine.find(' ');
        if (blank == std::string::npos || statusLine.size() < blank + 4) return false;
        const std::string code = statusLine.substr(blank + 1, 3);
        if (!std::all_of(code.begin(), code.end(), [](unsigned char c) { return std::isdigit(c); }))
            return false;
        status_ = std::atoi(code.c_str());

        long long length = -1;
        bool chunked = false;
        std::string line;
        for (;;) {
            if (!readLine(line)) return false;
            headLength += line.size() + 2;
            if (headLength > MaxHeadLength) return false;
            if (line.empty()) break;
            const auto colon = line.find(':');
            if (colon == std::string::npos) continue;
            const std::string name = lower(trim(line.substr(0, colon)));
            const std::string value = lower(trim(line.substr(colon + 1)));
            if (name == "content-length") {
                if (value.empty() || value.size() > 15 ||
                    value.find_first_not_of("0123456789") != std::string::npos)
                    return false;
                length = std::atoll(value.c_str());
            } else if (name == "transfer-encoding" && value.find("chunked") != std::string::npos) {
                chunked = true;
            }
        }
        if (status_ >= 100 && status_ < 200) continue;  // an interim reply: the real one follows
        if (chunked) {
            framing_ = Framing::Chunked;
            left_ = 0;
        } else if (length >= 0) {
            framing_ = Framing::Length;
            left_ = static_cast<unsigned long long>(length);
        } else {
            framing_ = Framing::UntilClose;
        }
        if (status_ == 204 || status_ == 304) {
            framing_ = Framing::Length;
            left_ = 0;
        }
        return true;
    }
}

bool BlockingHttpGet::Open(const std::string& url, const HttpProxyAddress& proxy,
                           const std::string& agent, Clock::time_point deadline) {
    Close();
    deadline_ = deadline;
    HttpAddress address;
    const bool viaProxy = !proxy.Empty();
    if (!ParseHttpAddress(url, address) ||
        !(viaProxy ? connectTo(proxy.Host, proxy.Port) : connectTo(address.Host, address.Port))) {
        failed_ = true;
        return false;
    }

    std::string request = "GET ";
    request += WireUrl(viaProxy ? "http://" + address.HostHeader + address.Target : address.Target);
    request += " HTTP/1.1\r\nHost: " + address.HostHeader + "\r\n";
    if (!agent.empty()) request += "User-Agent: " + headerValue(agent) + "\r\n";
    request += "Accept: */*\r\nConnection: close\r\n";
    if (viaProxy && !proxy.User.empty())
        request += "Proxy-Authorization: Basic " + base64(proxy.User + ":" + proxy.Password) + "\r\n";
    request += "\r\n";
    if (!sendAll(request) || !readHead()) {
        Close();
        failed_ = true;
        status_ = 0;
        return false;
    }
    return true;
}

size_t BlockingHttpGet::take(char* buffer, size_t size) {
    const size_t n = std::min<size_t>(size, in_.size());
    std::memcpy(buffer, in_.data(), n);
    in_.erase(0, n);
    return n;
}

size_t BlockingHttpGet::Read(char* buffer, size_t size) {
    size_t done = 0;
    while (done < size && !ended_ && !failed_ && fd_ >= 0) {
        switch (framing_) {
        case Framing::Length:
        case Framing::Chunked:
            if (left_ == 0) {
                if (framing_ == Framing::Length) {
                    ended_ = true;
                    break;
                }
                std::string line;
                if (chunkDataEnded_) {
                    // the line end after a chunk's data
                    chunkDataEnded_ = false;
                    if (!readLine(line) || !line.empty()) {
                        failed_ = true;
                        break;
                    }
                }
                if (!readLine(line)) {
                    failed_ = true;
                    break;
                }
                const std::string sizeText = trim(line.substr(0, line.find(';')));
                if (sizeText.empty() || sizeText.size() > 12 ||
                    sizeText.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
                    failed_ = true;
                    break;
                }
                left_ = std::strtoull(sizeText.c_str(), nullptr, 16);
                if (left_ == 0) {
                    // the last chunk: skip the trailer up to its empty line
                    while (readLine(line) && !line.empty()) {
                    }
                    ended_ = true;
                }
                break;
            }
            if (in_.empty() && !fill()) {
                failed_ = true;  // cut short before its announced length
                break;
            }
            {
                const size_t n = take(buffer + done, std::min<unsigned long long>(size - done, left_));
                done += n;
                left_ -= n;
                if (left_ == 0 && framing_ == Framing::Chunked) chunkDataEnded_ = true;
            }
            break;
        case Framing::UntilClose:
            if (in_.empty() && !fill()) {
                if (streamEnded_) ended_ = true;
                break;
            }
            done += take(buffer + done, size - done);
            break;
        }
    }
    return done;
}

void BlockingHttpGet::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    in_.clear();
    status_ = 0;
    framing_ = Framing::UntilClose;
    left_ = 0;
    chunkDataEnded_ = streamEnded_ = ended_ = failed_ = false;
}

} // namespace platform
