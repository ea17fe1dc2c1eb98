#pragma once
#include <QToolButton>
#include <QWidget>
#include <string>

#include "client/WebParts.h"

class QWebEngineView;

namespace client {

// "Web Browser": the site's pages inside the client. Pages talk back through their title
// (PageCommands.h); every window that opens a page calls Go.
class TForm15 : public QWidget, public WebBrowser {
    Q_OBJECT
public:
    explicit TForm15(QWidget* mainWindow);

    void Go(const std::string& address) override;
    void BTN_1_BACKClick();
    void BTN_1_FORWARDClick();
    void BTN_1_STOPClick();
    void BTN_1_REFRESHClick();
    void BTN_1_HOMEClick();
    void WBDocumentComplete();
    void WBProgressChange();

    bool TitleArmed = false;
    QWebEngineView* WB;
    QToolButton *BTN_1_BACK, *BTN_1_FORWARD, *BTN_1_STOP, *BTN_1_REFRESH, *BTN_1_HOME;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace client
