#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

// A real HTTP proxy for one test: Debian's tinyproxy in the foreground on a free loopback
// port, with a configuration of its own in a temporary folder and its log there. Every
// request it forwards shows in Log() as "Request (file descriptor N): GET <address> ...".
class TinyProxy {
public:
    TinyProxy() = default;
    TinyProxy(const TinyProxy&) = delete;
    TinyProxy& operator=(const TinyProxy&) = delete;
    ~TinyProxy() { Stop(); }

    // False when tinyproxy is missing or did not start listening within the time.
    bool Start(int timeoutMs = 10000) {
        if (!dir_.isValid()) return false;
        for (int attempt = 0; attempt < 5; ++attempt) {
            port_ = freePort();
            if (port_ <= 0) continue;
            writeConfig();
            process_.setProcessChannelMode(QProcess::MergedChannels);
            process_.start(QStringLiteral("tinyproxy"),
                           {QStringLiteral("-d"), QStringLiteral("-c"), path("tinyproxy.conf")});
            if (!process_.waitForStarted(timeoutMs)) return false;
            if (waitListening(timeoutMs)) return true;
            Stop();
        }
        return false;
    }

    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    std::string Host() const { return "127.0.0.1"; }
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>/", as http_proxy takes it.
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

    // The proxy's log so far.
    std::string Log() const {
        QFile f(path("tinyproxy.log"));
        if (!f.open(QIODevice::ReadOnly)) return "";
        return f.readAll().toStdString();
    }
    // Waits until the log holds the text (tinyproxy writes a line as it handles a request).
    bool WaitForLog(const std::string& text, int timeoutMs = 5000) const {
        QElapsedTimer clock;
        clock.start();
        while (Log().find(text) == std::string::npos) {
            if (clock.elapsed() > timeoutMs) return false;
            QThread::msleep(20);
        }
        return true;
    }

private:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    void writeConfig() {
        QFile f(path("tinyproxy.conf"));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
        const QByteArray config =
            "Port " + QByteArray::number(port_) + "\n"
            "Listen 127.0.0.1\n"
            "Timeout 30\n"
            "LogFile \"" + path("tinyproxy.log").toUtf8() + "\"\n"
            "LogLevel Connect\n"
            "PidFile \"" + path("tinyproxy.pid").toUtf8() + "\"\n"
            "MaxClients 20\n"
            "Allow 127.0.0.1\n";
        f.write(config);
    }

    static int freePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0) return -1;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(a);
        int port = -1;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(fd);
        return port;
    }

    bool canConnect() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0) return false;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port_));
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0;
        ::close(fd);
        return ok;
    }

    bool waitListening(int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (process_.state() == QProcess::NotRunning) return false;
            if (canConnect()) return true;
            QThread::msleep(20);
        }
        return false;
    }

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};
