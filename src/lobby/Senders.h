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

    // The HTTP proxy of the settings for every component (or none when isProxy is false).
    void ApplyProxy(bool isProxy, const std::string& host, int port);
    // Starts the GET of an encoded address on component `code` (0, 1, 2, 3, 4, 5, 7, 8).
    // A request that cannot be started is dropped silently; false then.
    bool Send(int code, const std::string& encodedUrl);
    platform::HttpComponent& Component(int code);

signals:
    void Replied(int code, const QByteArray& body);
    void Failed(int code, const QString& reason);

private:
    std::map<int, platform::HttpComponent*> components_;
};

} // namespace lobby
