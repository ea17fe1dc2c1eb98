#include "lobby/Senders.h"

#include <QCoreApplication>
#include <QPointer>

namespace lobby {

Senders::Senders(QObject* parent) : QObject(parent) {
    for (int code : Codes) {
        auto* c = new platform::HttpComponent(QStringLiteral("NMHTTP%1").arg(code), this);
        c->SetDeadline(DeadlineMs);
        components_[code] = c;
        connect(c, &platform::HttpComponent::Success, this,
                [this, code](const QByteArray& body) { emit Replied(code, body); });
        connect(c, &platform::HttpComponent::Failure, this,
                [this, code](const QString& reason) { emit Failed(code, reason); });
    }
}

void Senders::ApplyProxy(bool isProxy, const std::string& host, int port) {
    for (int code : Codes) ApplyProxy(code, isProxy, host, port);
}

void Senders::ApplyProxy(int code, bool isProxy, const std::string& host, int port) {
    auto it = components_.find(code);
    if (it == components_.end()) return;
    if (isProxy) it->second->SetProxy(host, port);
    else it->second->ClearProxy();
}

bool Senders::Send(int code, const std::string& encodedUrl) {
    auto it = components_.find(code);
    if (it == components_.end()) return false;
    return it->second->Get(encodedUrl);
}

platform::HttpComponent& Senders::Component(int code) { return *components_.at(code); }

bool Senders::Busy(int code) const {
    auto it = components_.find(code);
    return it != components_.end() && it->second->Busy();
}

std::string Senders::LocalIPAddress(const std::string& siteUrl) const {
    return components_.at(1)->LocalAddressFor(siteUrl);
}

namespace {
QPointer<Senders>& appSenders() {
    static QPointer<Senders> senders;
    return senders;
}
} // namespace

Senders& AppSenders() {
    if (!appSenders()) {
        appSenders() = new Senders(QCoreApplication::instance());
        // Deleted while the application object still exists: its components' network
        // threads must not outlive it (a child of the application goes only after it).
        qAddPostRoutine([] { delete appSenders().data(); });
    }
    return *appSenders();
}

} // namespace lobby
