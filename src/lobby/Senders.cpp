#include "lobby/Senders.h"

namespace lobby {

Senders::Senders(QObject* parent) : QObject(parent) {
    for (int code : {0, 1, 2, 3, 4, 5, 7, 8}) {
        auto* c = new platform::HttpComponent(QStringLiteral("NMHTTP%1").arg(code), this);
        components_[code] = c;
        connect(c, &platform::HttpComponent::Success, this,
                [this, code](const QByteArray& body) { emit Replied(code, body); });
        connect(c, &platform::HttpComponent::Failure, this,
                [this, code](const QString& reason) { emit Failed(code, reason); });
    }
}

void Senders::ApplyProxy(bool isProxy, const std::string& host, int port) {
    for (auto& [code, c] : components_) {
        if (isProxy) c->SetProxy(host, port);
        else c->ClearProxy();
    }
}

bool Senders::Send(int code, const std::string& encodedUrl) {
    auto it = components_.find(code);
    if (it == components_.end()) return false;
    return it->second->Get(encodedUrl);
}

platform::HttpComponent& Senders::Component(int code) { return *components_.at(code); }

} // namespace lobby
