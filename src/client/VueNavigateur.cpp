#include "client/VueNavigateur.h"

#include <QApplication>
#include <QCloseEvent>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "client/PageAddress.h"
#include "client/PageCommands.h"
#include "sharedwin/QtColors.h"
#include "client/UiText.h"
#include "client/Vuesc.h"
#include "platform/MessageBox.h"

namespace client {

TForm15::TForm15(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
    setObjectName("TForm15");
    SetCaption(this, "Web Browser");
    resize(800, 600);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    layout->addWidget(bar);
    auto button = [&](const char* name, const char* hint, void (TForm15::*handler)()) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        SetCaption(b, hint);
        SetHint(b, hint);
        connect(b, &QToolButton::clicked, this, handler);
        bar->addWidget(b);
        return b;
    };
    BTN_1_BACK = button("BTN_1_BACK", "Back", &TForm15::BTN_1_BACKClick);
    BTN_1_FORWARD = button("BTN_1_FORWARD", "Forward", &TForm15::BTN_1_FORWARDClick);
    BTN_1_STOP = button("BTN_1_STOP", "Stop", &TForm15::BTN_1_STOPClick);
    BTN_1_REFRESH = button("BTN_1_REFRESH", "Refresh", &TForm15::BTN_1_REFRESHClick);
    BTN_1_HOME = button("BTN_1_HOME", "Home", &TForm15::BTN_1_HOMEClick);

    WB = new QWebEngineView(this);
    WB->setObjectName("WB");
    layout->addWidget(WB, 1);
    connect(WB, &QWebEngineView::loadProgress, this, [this](int) { WBProgressChange(); });
    connect(WB, &QWebEngineView::titleChanged, this, [this](const QString&) { WBProgressChange(); });
    connect(WB, &QWebEngineView::loadFinished, this, [this](bool) { WBDocumentComplete(); });
}

void TForm15::Go(const std::string& address) {
    const QUrl url = PageRequestUrl(address);
    QString error;
    if (!url.isValid()) error = url.errorString();
    else if (url.scheme() != "http" && url.scheme() != "https") error = "not a web address";
    if (!error.isEmpty()) {
        QApplication::beep();
        platform::ShowMessage(Ui("Unable to navigate to ") + address + ". " + S(error) + ".", platform::SiteCaption);
        return;
    }
    WB->load(url);
}

// At either end of the history these do nothing.
void TForm15::BTN_1_BACKClick() { WB->back(); }
void TForm15::BTN_1_FORWARDClick() { WB->forward(); }
void TForm15::BTN_1_STOPClick() { WB->stop(); }
void TForm15::BTN_1_REFRESHClick() { WB->reload(); }

void TForm15::BTN_1_HOMEClick() {
    if (TForm1* main = AppForms().Form1) Go(main->BrowserHomeUrl);
}

void TForm15::WBDocumentComplete() {
    TitleArmed = true;
    // The engine may give no progress event after the document has loaded: its title is
    // examined now as well.
    WBProgressChange();
}

void TForm15::WBProgressChange() { RunTitleCommand(S(WB->title()), TitleArmed, *this); }

void TForm15::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) main->Web1->setChecked(false);
    event->accept();
}

} // namespace client
