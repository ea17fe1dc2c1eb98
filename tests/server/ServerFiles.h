#pragma once
#include <QDir>
#include <QFile>
#include <string>

#include "server/ServerSettings.h"

// The 37 lines of a settings file with a nickname, password, game port and hosting mode.
inline std::string SettingsText(const std::string& nick, const std::string& password, int port,
                                int playWithCpu = 1) {
    server::ServerSettings s;
    server::ApplyDefaults(s);
    s.Surname = nick;
    s.NetPassword = password;
    s.ServerPort = port;
    s.PlayWithCpu = playWithCpu;
    std::string text;
    for (const std::string& line : server::SettingsLines(s)) text += line + "\r\n";
    return text;
}

// Copies the shipped players and languages into the folder.
inline void CopyShippedData(const std::string& to) {
    for (const char* folder : {"players", "univers"}) {
        const QString from = QStringLiteral(MORVATEL_SOURCE_DIR "/data/") + folder;
        QDir src(from);
        QDir().mkpath(QString::fromStdString(to + "/" + folder));
        for (const QFileInfo& f : src.entryInfoList(QDir::Files))
            QFile::copy(f.filePath(), QString::fromStdString(to + "/" + folder + "/") + f.fileName());
        for (const QFileInfo& d : src.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString sub = QString::fromStdString(to + "/" + folder + "/") + d.fileName();
            QDir().mkpath(sub);
            for (const QFileInfo& f : QDir(d.filePath()).entryInfoList(QDir::Files))
                QFile::copy(f.filePath(), sub + "/" + f.fileName());
        }
    }
}
