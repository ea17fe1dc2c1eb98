// How the options window and the windows it opens are placed, owned and refreshed.
#include "OptionsFixture.h"
#include "client/VueConnexionsc.h"
#include "client/WindowHooks.h"

using client::AppSettings;
using client::TForm8;

TEST(OptionsOpening, TheWindowHasItsSizeAndSitsInTheMiddleOfTheMainWindow) {
    OptionsWindows w;
    w.main().move(100, 50);
    TForm8& o = w.options();
    w.main().Options1->trigger();
    ASSERT_TRUE(o.isVisible());
    EXPECT_EQ(o.size(), QSize(TForm8::ClientWidth, TForm8::ClientHeight));
    EXPECT_LE((o.frameGeometry().center() - w.main().frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(o.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(OptionsOpening, EditorAndPlayerListOpenModallyInFrontOfTheirOpener) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.show();
    o.Update_DonneesT();
    o.BitBtnC6->click();
    client::TForm3& editor = w.editor();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.isModal());
    EXPECT_EQ(editor.parentWidget(), &o);
    EXPECT_TRUE(editor.windowFlags() & Qt::WindowStaysOnTopHint) << "above an opener that stays on top";
    editor.reject();
    o.BitBtn1->click();
    client::TForm9& list = w.list();
    EXPECT_TRUE(list.isModal());
    EXPECT_EQ(list.parentWidget(), &o);
    list.reject();
    // From the main menu the list belongs to the main window again.
    for (QAction* a : w.main().Plug1->actions())
        if (a->objectName() == "Listedesjoueurs1") a->trigger();
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.parentWidget(), &w.main());
    EXPECT_FALSE(list.windowFlags() & Qt::WindowStaysOnTopHint);
    list.reject();
}

TEST(OptionsOpening, ApplyingALanguageKeepsTheLanguagesPageInView) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.show();
    o.ShowPage(TForm8::RowLanguages);
    for (int r = 0; r < o.StringGridA1->rowCount(); ++r)
        if (o.StringGridA1->item(r, 1) && o.StringGridA1->item(r, 1)->text() == "morvatel30_francais.lng")
            o.StringGridA1->setCurrentCell(r, 0);
    o.BitBtnA1->click();
    ASSERT_EQ(AppSettings().LngFilePath, "morvatel30_francais.lng");
    EXPECT_EQ(o.SelectedRow(), TForm8::RowLanguages);
    EXPECT_TRUE(o.GroupBoxA1->isVisible());
    EXPECT_FALSE(o.GroupBox2->isVisible());
}

TEST(OptionsOpening, TheLobbysOpenerRefreshesAShownWindowAndForgetsTheEdit) {
    OptionsWindows w;
    TForm8& o = w.options();
    w.main().Options1->trigger();
    QTest::keyClicks(o.Edit114, "bob");
    ASSERT_TRUE(o.AccountEdited);
    AppSettings().Surname = "carol";
    w.main().OpenNetworkOptions();
    EXPECT_TRUE(o.isVisible());
    EXPECT_FALSE(o.AccountEdited);
    EXPECT_EQ(o.Edit114->text(), "carol");
    EXPECT_EQ(o.SelectedRow(), TForm8::RowNetwork);
}

TEST(OptionsOpening, SubmitIsOfferedWhileTheLobbyHasNotSeenTheAccountAccepted) {
    OptionsWindows w;
    TForm8& o = w.options();
    auto* lobby = static_cast<client::TForm14*>(client::AppForms().Form14);
    ASSERT_NE(lobby, nullptr);
    struct Case {
        bool web, accepted, enabled;
    };
    for (const Case& c : {Case{false, false, false}, Case{true, true, false}, Case{true, false, true}}) {
        w.main().Web1->setEnabled(c.web);
        lobby->AccountAccepted = c.accepted;
        o.UpdateComponent();
        EXPECT_EQ(o.Button112->isEnabled(), c.enabled) << c.web << c.accepted;
    }
}

TEST(OptionsOpening, TheSiteAnsweringRaisesNoBoxForABadSeatProfile) {
    OptionsWindows w([](TempFolder& f) { f.write("players/standard player.vrk", "[Morvatel player]\r\n"); });
    w.messages.texts.clear();
    client::WebBecameReachable();
    EXPECT_TRUE(w.messages.texts.empty());
    EXPECT_TRUE(w.options().BitBtnB2->isEnabled());
    EXPECT_TRUE(w.options().BitBtnC5->isEnabled());
}
