#pragma once
#include <QObject>
#include <map>
#include <memory>
#include <string>

#include "platform/HttpComponent.h"

// The lobby's asynchronous senders: one HTTP component per request code, named NMHTTP0,
// NMHTTP1, NMHTTP2, NMHTTP3, NMHTTP4, NMHTTP5, NMHTTP7 and NMHTTP8 (messages of every
// kind sent asynchronously go through NMHTTP4). A reply reaches Replied with its code; a
// failure of any of them reaches the one Failed event.
namespace lobby {

class Senders : public QObject {
    Q_OBJECT
public:
    explicit Senders(QObject* parent = nullptr);

    static constexpr int Codes[] = {0, 1, 2, 3, 4, 5, 7, 8};
    // Every lobby request ends within this, however its reply trickles: a poll is sent each
    // second and re-armed only by its reply, so a held poll would hold the whole session.
    static constexpr int DeadlineMs = 20000;

    // The HTTP proxy of the settings (IsProxy, ProxyAddress, ProxyPort) for every
    // component, or none when isProxy is false.
    void ApplyProxy(bool isProxy, const std::string& host, int port);
    // The same for one component (the login check's NMHTTP0 before each check).
    void ApplyProxy(int code, bool isProxy, const std::string& host, int port);
    // Starts the GET of an encoded address on component `code` (0, 1, 2, 3, 4, 5, 7, 8).
    // A request that cannot be started is dropped silently; false then.
    bool Send(int code, const std::string& encodedUrl);
    platform::HttpComponent& Component(int code);
    bool Busy(int code) const;

    // The player's own address as the log-in component NMHTTP1 reports it: the local
    // address this machine uses toward the site (or toward the proxy when one is set).
    // Known before the first request is sent.
    std::string LocalIPAddress(const std::string& siteUrl) const;

signals:
    // The body of a reply, whatever it says: the caller reads it.
    void Replied(int code, const QByteArray& body);
    // The one failure event of every component: no connection, a time-out, an HTTP error
    // status or a reply too long.
    void Failed(int code, const QString& reason);

private:
    std::map<int, platform::HttpComponent*> components_;
};

// The one set of senders of the process, made on first use and owned by the application
// object (a QCoreApplication must exist). Every window that sends a lobby request uses it,
// so the replies of each component reach the one lobby window that reads them.
Senders& AppSenders();

} // namespace lobby
