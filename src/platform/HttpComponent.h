#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// The asynchronous HTTP GET component of both programs: one object per named component
// (NMHTTP0, NMHTTP1 ... of the lobby, the downloads, the picture fetches). Each owns its
// own QNetworkAccessManager, so one component's proxy never changes another's.
//
// Everything runs on the thread's event loop. Exactly one of Success or Failure follows
// every Get that returned true; Progress may come before it. A new Get aborts a request of
// the same component that is still running, and the aborted one reports nothing.
namespace platform {

class HttpComponent : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 DefaultMaxBody = 1 << 20;       // 1 MiB: lobby replies, pages
    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr int DefaultDeadlineMs = 60000;

    explicit HttpComponent(const QString& name, QObject* parent = nullptr);
    ~HttpComponent() override;

    // An HTTP proxy for the next Get; an empty host (or ClearProxy) connects directly.
    void SetProxy(const std::string& host, int port);
    void ClearProxy() { SetProxy("", 0); }
    std::string ProxyHost() const { return proxyHost_; }
    int ProxyPort() const { return proxyPort_; }

    // A body longer than this fails the request (the site is not trusted).
    void SetMaxBody(qint64 bytes) { maxBody_ = bytes; }
    qint64 MaxBody() const { return maxBody_; }
    // No byte for this long fails the request.
    void SetTimeout(int ms) { timeoutMs_ = ms; }
    // A request still running this long after its Get fails as a time-out does, however
    // often bytes trickle in (a site that sends a byte every few seconds holds nothing).
    void SetDeadline(int ms) { deadlineMs_ = ms; }
    int Deadline() const { return deadlineMs_; }

    // Starts a GET of an address that is already encoded as it must travel. False when the
    // address is not a valid http address (nothing is sent, no event follows).
    bool Get(const std::string& url);
    void Abort();
    bool Busy() const { return !reply_.isNull(); }

    // The local address this machine uses toward the last Get's host, in dotted text
    // ("127.0.0.1"); empty before the first Get.
    std::string LocalAddress() const { return localAddress_; }
    // The local address this machine would use toward the host of `url` (toward the proxy
    // when one is set); nothing is sent. Empty when the address is not a valid http one.
    std::string LocalAddressFor(const std::string& url) const;
    // The body of the last successful request.
    const QByteArray& Body() const { return body_; }
    std::string LastUrl() const { return lastUrl_; }

signals:
    void Success(const QByteArray& body);
    void Failure(const QString& reason);
    void Progress(qint64 bytesDone, qint64 bytesTotal);

private:
    void finished(QNetworkReply* reply);
    void fail(QNetworkReply* reply, const QString& reason);

    QNetworkAccessManager* manager_;
    QPointer<QNetworkReply> reply_;
    std::string proxyHost_;
    int proxyPort_ = 0;
    qint64 maxBody_ = DefaultMaxBody;
    int timeoutMs_ = DefaultTimeoutMs;
    int deadlineMs_ = DefaultDeadlineMs;
    QTimer* deadline_;
    std::string localAddress_;
    std::string lastUrl_;
    QByteArray body_;
};

// The local address used to reach host (no packet is sent); empty when there is no route.
std::string LocalAddressToward(const std::string& host, int port);

} // namespace platform
