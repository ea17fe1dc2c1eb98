#pragma once
#include <arpa/inet.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A small HTTP server on a free loopback port, on a thread of its own, for tests whose
// client blocks the test's thread or runs the test's event loop. It takes one connection at
// a time, reads the request head, records its first line and answers what the handler says.
class TestHttpServer {
public:
    struct Response {
        std::vector<std::string> Pieces;  // sent in order, with a pause between them
        int PauseMs = 0;
        bool Hang = false;  // accept, read the request and never answer (until Stop)
    };
    using Handler = std::function<Response(const std::string& requestLine)>;

    // A whole reply with a Content-Length, or without one (the end is the close).
    static std::string Reply(const std::string& body, int status = 200, bool withLength = true) {
        std::string r = "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
                        "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
        if (withLength) r += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        return r + "\r\n" + body;
    }
    // The same body in chunks of the given size.
    static std::string ChunkedReply(const std::string& body, size_t chunk) {
        static const char hex[] = "0123456789abcdef";
        std::string r = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
        for (size_t at = 0; at < body.size(); at += chunk) {
            const std::string part = body.substr(at, chunk);
            std::string size;
            for (size_t n = part.size(); n; n /= 16) size.insert(size.begin(), hex[n % 16]);
            r += size + "\r\n" + part + "\r\n";
        }
        return r + "0\r\n\r\n";
    }
    static Response Answer(const std::string& body) { return Response{{Reply(body)}, 0, false}; }

    explicit TestHttpServer(Handler handler) : handler_(std::move(handler)) {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int one = 1;
        ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof(a));
        ::listen(listen_, 16);
        socklen_t len = sizeof(a);
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        if (::pipe(wake_) != 0) wake_[0] = wake_[1] = -1;
        thread_ = std::thread([this] { run(); });
    }
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;
    ~TestHttpServer() { Stop(); }

    void Stop() {
        if (!thread_.joinable()) return;
        stopping_ = true;
        if (wake_[1] >= 0 && ::write(wake_[1], "x", 1) < 0) {
        }
        thread_.join();
        ::close(listen_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>/"
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    std::vector<std::string> RequestLines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    std::vector<std::string> Heads() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return heads_;
    }

private:
    // Waits for fd to be readable; false when Stop was asked for.
    bool waitReadable(int fd) {
        for (;;) {
            pollfd p[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
            if (::poll(p, 2, -1) < 0) continue;
            if (p[1].revents) return false;
            if (p[0].revents) return true;
        }
    }

    void run() {
        while (!stopping_) {
            if (!waitReadable(listen_)) return;
            const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            serve(fd);
            ::close(fd);
        }
    }

    void serve(int fd) {
        std::string head;
        char buf[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            if (!waitReadable(fd)) return;
            const ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
            if (n <= 0) return;
            head.append(buf, static_cast<size_t>(n));
        }
        const std::string line = head.substr(0, head.find("\r\n"));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(line);
            heads_.push_back(head);
        }
        const Response r = handler_(line);
        if (r.Hang) {
            while (waitReadable(fd)) {
                if (::recv(fd, buf, sizeof(buf), 0) <= 0) return;
            }
            return;
        }
        for (size_t i = 0; i < r.Pieces.size(); ++i) {
            if (i > 0 && r.PauseMs > 0) {
                pollfd wake{wake_[0], POLLIN, 0};
                if (::poll(&wake, 1, r.PauseMs) != 0) return;  // Stop asked for
            }
            if (::send(fd, r.Pieces[i].data(), r.Pieces[i].size(), MSG_NOSIGNAL) < 0) return;
        }
        ::shutdown(fd, SHUT_WR);
        // Let the client read to the end before the socket goes.
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 1000) == 1 && ::recv(fd, buf, sizeof(buf), 0) > 0) {
        }
    }

    Handler handler_;
    int listen_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::vector<std::string> heads_;
};
