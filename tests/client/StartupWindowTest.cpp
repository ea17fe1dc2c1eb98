#include <QProcess>

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
