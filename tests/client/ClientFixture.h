#pragma once
#include <QDir>
#include <functional>
#include <QTest>
#include <gtest/gtest.h>

#include "client/ClientApp.h"
#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

// Copies a folder tree.
inline void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& fi : QDir(from).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
        const QString target = to + "/" + fi.fileName();
        if (fi.isDir()) CopyTree(fi.filePath(), target);
        else QFile::copy(fi.filePath(), target);
    }
}

// The client's windows in a fresh program folder; `withData` copies the shipped data in.
class ClientWindows {
public:
    explicit ClientWindows(bool withData = true, int width = 1024, int height = 768,
                           const std::function<void(TempFolder&)>& prepare = {}) {
        if (withData) CopyTree(QString(MORVATEL_SOURCE_DIR) + "/data", QString::fromStdString(folder.path()));
        if (prepare) prepare(folder);
        platform::SetProgramFolderForTests(folder.path());
        client::AppSettings() = client::Settings{};
        client::CreateClientWindows();
        main().resize(width, height);
        main().show();
        QCoreApplication::processEvents();
    }
    ~ClientWindows() {
        client::DestroyClientWindows();
        platform::SetProgramFolderForTests("");
        platform::ClearFixedSeed();
    }
    client::TForm1& main() { return *client::AppForms().Form1; }
    // Ends the windows and starts them again on the same folder, as the next start does.
    void restart() {
        const QSize size = main().size();
        client::DestroyClientWindows();
        client::AppSettings() = client::Settings{};
        client::CreateClientWindows();
        main().resize(size);
        main().show();
        QCoreApplication::processEvents();
    }

    TempFolder folder;
    MessageRecorder messages{platform::MsgAnswer::Yes};
};
