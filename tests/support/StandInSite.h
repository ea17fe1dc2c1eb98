#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <string>

// Starts the stand-in web site (site/morvatel_site.py) on a free loopback port for one
// test and stops it again. The site prints "MORVATEL_SITE_URL=<address>" as its first line.
class StandInSite {
public:
    StandInSite() = default;
    StandInSite(const StandInSite&) = delete;
    StandInSite& operator=(const StandInSite&) = delete;
    ~StandInSite() { Stop(); }

    // Extra arguments go to the site as they stand (--files DIR, --accounts FILE,
    // --banner-version V, --refuse tm|ar, --presence-timeout S ...). False when it did not
    // start within the time.
    bool Start(const QStringList& extraArgs = {}, int timeoutMs = 15000) {
        QStringList args{QStringLiteral(MORVATEL_SOURCE_DIR "/site/morvatel_site.py"),
                         QStringLiteral("--port"), QStringLiteral("0")};
        args += extraArgs;
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QStringLiteral("python3"), args);
        if (!process_.waitForStarted(timeoutMs)) return false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (process_.canReadLine() || process_.waitForReadyRead(100)) {
                while (process_.canReadLine()) {
                    const QString line = QString::fromLatin1(process_.readLine()).trimmed();
                    if (line.startsWith(QStringLiteral("MORVATEL_SITE_URL="))) {
                        url_ = line.mid(18).toStdString();
                        return true;
                    }
                }
            }
            if (process_.state() == QProcess::NotRunning) return false;
        }
        return false;
    }

    // The base address, ending with "/" ("http://127.0.0.1:<port>/").
    const std::string& Url() const { return url_; }
    // Everything the site wrote to standard error so far (its request log).
    QByteArray ErrorOutput() { return process_.readAllStandardError(); }

    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

private:
    QProcess process_;
    std::string url_;
};
