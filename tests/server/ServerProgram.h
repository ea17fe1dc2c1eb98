#pragma once
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "ServerFiles.h"

// mvtserver as a real process: the built program copied with its players and languages into
// an empty folder, a nickname, password and game port in its param_ds.ini, started
// offscreen against a site. Stopped (terminated, then killed) when the object goes.
class ServerProgram {
public:
    ServerProgram() = default;
    ServerProgram(const ServerProgram&) = delete;
    ServerProgram& operator=(const ServerProgram&) = delete;
    ~ServerProgram() { Stop(); }

    bool Start(const std::string& siteUrl, const std::string& nick, const std::string& password, int port) {
        if (!folder_.isValid()) return false;
        const std::string dir = Folder();
        CopyShippedData(dir);
        if (!QFile::copy(QStringLiteral(MORVATEL_OUT_DIR "/mvtserver"), QString::fromStdString(dir + "/mvtserver")))
            return false;
        std::ofstream(dir + "/param_ds.ini", std::ios::binary) << SettingsText(nick, password, port);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MORVATEL_SITE_URL", QString::fromStdString(siteUrl));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir + "/config"));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(QString::fromStdString(dir));
        process_.start(QString::fromStdString(dir + "/mvtserver"), {});
        return process_.waitForStarted(10000);
    }

    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool Running() const { return process_.state() == QProcess::Running; }
    std::string Folder() const { return folder_.path().toStdString(); }
    // A file of the program's folder ("" when there is none).
    std::string Read(const std::string& name) const {
        std::ifstream in(Folder() + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    QTemporaryDir folder_;
    QProcess process_;
};
