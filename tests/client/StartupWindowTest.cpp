#include <QProcess>
#include <QSysInfo>
#include <unistd.h>

#include "ClientFixture.h"
#include "client/Vue3Dsc.h"
#include "client/VueInfoJeu.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "game/Statistics.h"

TEST(ClientStartup, AnEmptyFolderGetsCompleteFilesWithTheDefaults) {
    ClientWindows w(/*withData=*/false);
    EXPECT_EQ(w.folder.read("datas.sta"), "0\r\n0\r\n0\r\n0\r\n");
    const std::string ini = w.folder.read("param.ini");
    EXPECT_NE(ini.find("CPU speed=3"), std::string::npos);
    EXPECT_NE(ini.find("Server port=2320"), std::string::npos);  // reset: no theme was there
    EXPECT_FALSE(w.folder.read("themes/Standard Theme.thm").empty());
    EXPECT_FALSE(w.main().Timer1->isActive());
    EXPECT_TRUE(w.main().Button1->isHidden());
    EXPECT_EQ(w.main().CurrentGame, nullptr);
}

TEST(ClientStartup, StatisticsAreReadAndABrokenFileStartsAfresh) {
    struct Row {
        std::string content;
        Statistics expect;
        bool rewritten;
    };
    const Row rows[] = {{"3\r\n1\r\n2\r\n0\r\n", {3, 1, 2, 0}, false},
                        {"3\r\n1\r\n", {}, true},
                        {"x\ny\nz\nw\n", {}, true}};
    for (const Row& r : rows) {
        TempFolder folder;
        folder.write("datas.sta", r.content);
        platform::SetProgramFolderForTests(folder.path());
        client::AppSettings() = client::Settings{};
        client::CreateClientWindows();
        EXPECT_EQ(client::AppForms().Form1->Stats, r.expect) << r.content;
        EXPECT_EQ(folder.read("datas.sta") == "0\r\n0\r\n0\r\n0\r\n", r.rewritten) << r.content;
        client::DestroyClientWindows();
        platform::SetProgramFolderForTests("");
    }
}

TEST(ClientStartup, WindowsAreCreatedInTheirOrderAndTheInformationWindowFollowsItsSetting) {
    ClientWindows w(true, 1024, 768, [](TempFolder& folder) {
        folder.write("param.ini", "[Sound]\r\nDisplay information=0\r\n");
    });
    client::Forms& f = client::AppForms();
    ASSERT_NE(f.Form1, nullptr);
    for (QWidget* w : {f.Form15, f.Form2, static_cast<QWidget*>(f.Form3), static_cast<QWidget*>(f.Form4),
                       static_cast<QWidget*>(f.Form9), f.Form12, f.Form11, f.Form5, f.Form6, f.Form14,
                       static_cast<QWidget*>(f.Form17), static_cast<QWidget*>(f.Form8)})
        EXPECT_NE(w, nullptr);
    // The windows were made in order: each later one is a later child of the main window.
    const QObjectList children = f.Form1->children();
    EXPECT_LT(children.indexOf(f.Form15), children.indexOf(f.Form4));
    EXPECT_LT(children.indexOf(f.Form4), children.indexOf(f.Form17));
    EXPECT_LT(children.indexOf(f.Form17), children.indexOf(static_cast<QObject*>(f.Form8)));
    // "Display information" off: hidden and unticked; ticking the item shows it.
    EXPECT_FALSE(f.Form4->isVisible());
    EXPECT_FALSE(f.Form1->Vuedesinformations1->isChecked());
    f.Form1->Vuedesinformations1->trigger();
    EXPECT_TRUE(f.Form4->isVisible());
    f.Form4->close();
    EXPECT_FALSE(f.Form1->Vuedesinformations1->isChecked());
}

TEST(ClientStartup, ASecondCopyEndsAtOnceWithoutAWindow) {
    auto first = client::TakeInstanceLock();
    ASSERT_NE(first, nullptr) << "another copy of the client is running on this machine";
    EXPECT_EQ(client::TakeInstanceLock(), nullptr);
    // The real program, copied into an empty folder, ends at once and writes nothing there.
    TempFolder folder;
    const QString program = QString::fromStdString(folder.path()) + "/morvatel";
    ASSERT_TRUE(QFile::copy(QString(MORVATEL_OUT_DIR) + "/morvatel", program));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(15000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.path()) + "/param.ini"));
    first.reset();
    EXPECT_NE(client::TakeInstanceLock(), nullptr);
}

TEST(ClientStartup, ATexturePathIsDroppedOnlyWhenItsFileFailsToLoad) {
    struct Row {
        const char* what;
        std::string file;     // written under this name, or nothing when empty
        std::string content;
        bool kept;
    };
    QFile shipped(QString(MORVATEL_SOURCE_DIR) + "/data/themes/textures/wood_table.jpg");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const std::string jpeg = shipped.readAll().toStdString();
    const Row rows[] = {
        {"a picture", "themes/textures/mine.jpg", jpeg, true},
        {"no such file", "", "", true},
        {"not a picture", "themes/textures/mine.jpg", "plain text, not a JPEG", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ClientWindows w(true, 1024, 768, [&](TempFolder& folder) {
            if (!r.file.empty()) folder.write(r.file, r.content);
            std::string theme = folder.read("themes/Standard Theme.thm");
            const std::string line = "[Background Texture Path]\r\n";
            theme.insert(theme.find(line) + line.size(), "themes/textures/mine.jpg");
            folder.write("themes/Standard Theme.thm", theme);
        });
        EXPECT_EQ(client::AppSettings().BackgroundTexturePath,
                  r.kept ? "themes/textures/mine.jpg" : "");
        EXPECT_TRUE(w.messages.texts.empty());
    }
}

TEST(ClientStartup, CameraValuesThatCannotShowATableTakeTheirDefaults) {
    const client::Settings defaults;
    for (const char* value : {"1e308", "-1e308", "nan", "inf", "-inf", "1.5e6"}) {
        SCOPED_TRACE(value);
        ClientWindows w(true, 1024, 768, [&](TempFolder& folder) {
            std::string ini = "[3D View]\r\n";
            for (const char* key : {"Camera postion x", "Camera postion y", "Camera postion z",
                                    "Camera angle X", "Camera angle Y"})
                ini += std::string(key) + "=" + value + "\r\n";
            folder.write("param.ini", ini);
        });
        const client::Settings& s = client::AppSettings();
        EXPECT_EQ(s.CameraPositionX, defaults.CameraPositionX);
        EXPECT_EQ(s.CameraPositionY, defaults.CameraPositionY);
        EXPECT_EQ(s.CameraPositionZ, defaults.CameraPositionZ);
        EXPECT_EQ(s.CameraAngleX, defaults.CameraAngleX);
        EXPECT_EQ(s.CameraAngleY, defaults.CameraAngleY);
        // A new game shows its table, and no box comes up.
        w.main().NouvellePartieLocal();
        for (int i = 0; i < 30; ++i) w.main().Timer1Timer();
        EXPECT_TRUE(w.messages.texts.empty());
        const platform::Bitmap& render = static_cast<TableView*>(w.main().CurrentGame->View())->Target.RenderBitmap;
        int chain = 0;
        for (int y = 0; y < render.Height(); ++y)
            for (int x = 0; x < render.Width(); ++x) chain += render.Pixel(x, y) != render.Pixel(0, 0);
        EXPECT_GT(chain, 100) << "the first tile should be on the table";
    }
    // Values the camera dialog can reach are kept.
    ClientWindows w(true, 1024, 768, [](TempFolder& folder) {
        folder.write("param.ini", "[3D View]\r\nCamera postion z=-1e6\r\nCamera angle Y=2.5\r\n");
    });
    EXPECT_EQ(client::AppSettings().CameraPositionZ, -1e6);
    EXPECT_EQ(client::AppSettings().CameraAngleY, 2.5);
}

TEST(ClientStartup, TheSingleCopyGuardIsPerUserAndALeftOverLockNeverBlocks) {
    TempFolder aliceRuntime, bobRuntime;
    const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
    const auto restore = [&] {
        if (kept.isEmpty()) qunsetenv("XDG_RUNTIME_DIR");
        else qputenv("XDG_RUNTIME_DIR", kept);
    };
    // Each session's runtime folder holds its own lock: one user's copy never stops another's.
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(aliceRuntime.path()));
    const QString alicePath = client::InstanceLockPath();
    auto alice = client::TakeInstanceLock();
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(bobRuntime.path()));
    const QString bobPath = client::InstanceLockPath();
    auto bob = client::TakeInstanceLock();
    restore();
    EXPECT_TRUE(alicePath.startsWith(QString::fromStdString(aliceRuntime.path()))) << alicePath.toStdString();
    EXPECT_NE(alicePath, bobPath);
    EXPECT_NE(alice, nullptr);
    EXPECT_NE(bob, nullptr);
    EXPECT_EQ(client::TakeInstanceLock(alicePath), nullptr) << "the same session's second copy";

    // Without a runtime folder the temporary folder's name carries the user's id.
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_TRUE(client::InstanceLockPath().endsWith(QString("A_MUTEX_MORVATEL-%1").arg(::getuid())));
    restore();

    // A lock left by a copy that was killed: its process is gone, and the lock is taken over.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForFinished(5000));
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    const std::string stale = aliceRuntime.path() + "/stale.lock";
    aliceRuntime.write("stale.lock", std::to_string(deadPid) + "\nmorvatel\n" +
                                         QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_NE(client::TakeInstanceLock(QString::fromStdString(stale)), nullptr);
}
