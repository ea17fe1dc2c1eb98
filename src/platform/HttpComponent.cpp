#include "platform/HttpComponent.h"

#include "platform/Latin1.h"

#include "platform/WireUrl.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUdpSocket>
#include <QUrl>

namespace platform {

HttpComponent::HttpComponent(const QString& name, QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), deadline_(new QTimer(this)) {
    setObjectName(name);
    manager_->setProxy(QNetworkProxy::NoProxy);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] {
        if (QNetworkReply* reply = reply_) fail(reply, QStringLiteral("Operation timed out"));
    });
}

HttpComponent::~HttpComponent() { Abort(); }

void HttpComponent::SetProxy(const std::string& host, int port) {
    proxyHost_ = host;
    proxyPort_ = host.empty() ? 0 : port;
    if (host.empty())
        manager_->setProxy(QNetworkProxy::NoProxy);
    else
        manager_->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, Q(host),
                                         static_cast<quint16>(port)));
}

bool HttpComponent::Get(const std::string& url) {
    Abort();
    // The address travels as given, except for the bytes no request line may carry raw.
    const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(WireUrl(url)), QUrl::StrictMode);
    if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https") ||
        address.host().isEmpty())
        return false;
    lastUrl_ = url;
    localAddress_ = LocalAddressFor(url);

    QNetworkRequest request(address);
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = manager_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 done, qint64 total) {
        if (reply != reply_) return;
        if (done > maxBody_ || total > maxBody_) {
            fail(reply, QStringLiteral("reply too long"));
            return;
        }
        emit Progress(done, total);
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    deadline_->start(deadlineMs_);
    return true;
}

std::string HttpComponent::LocalAddressFor(const std::string& url) const {
    if (!proxyHost_.empty()) return LocalAddressToward(proxyHost_, proxyPort_);
    const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(WireUrl(url)), QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty()) return "";
    return LocalAddressToward(S(address.host()), address.port(80));
}

void HttpComponent::finished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;  // aborted by a later Get or by Abort
    reply_ = nullptr;
    deadline_->stop();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || (status != 0 && (status < 200 || status > 299))) {
        emit Failure(reply->error() != QNetworkReply::NoError ? reply->errorString()
                                                               : QStringLiteral("HTTP %1").arg(status));
        return;
    }
    QByteArray body = reply->readAll();
    if (body.size() > maxBody_) {
        emit Failure(QStringLiteral("reply too long"));
        return;
    }
    body_ = body;
    emit Success(body_);
}

void HttpComponent::fail(QNetworkReply* reply, const QString& reason) {
    reply_ = nullptr;
    deadline_->stop();
    reply->abort();
    reply->deleteLater();
    emit Failure(reason);
}

void HttpComponent::Abort() {
    deadline_->stop();
    if (QNetworkReply* reply = reply_) {
        reply_ = nullptr;
        reply->abort();
        reply->deleteLater();
    }
}

std::string LocalAddressToward(const std::string& host, int port) {
    QHostAddress target;
    if (!target.setAddress(Q(host))) {
        // A name: "localhost" and the like resolve to loopback; others go the default way.
        if (host == "localhost") target = QHostAddress::LocalHost;
        else target = QHostAddress(QStringLiteral("192.0.2.1"));
    }
    QUdpSocket probe;
    probe.connectToHost(target, static_cast<quint16>(port > 0 ? port : 80));
    if (!probe.waitForConnected(0) && probe.state() != QAbstractSocket::ConnectedState)
        return target.isLoopback() ? "127.0.0.1" : "";
    QHostAddress local = probe.localAddress();
    bool ok = false;
    const quint32 v4 = local.toIPv4Address(&ok);
    return S(ok ? QHostAddress(v4).toString() : local.toString());
}

} // namespace platform
