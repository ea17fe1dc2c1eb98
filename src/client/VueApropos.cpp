#include "client/VueApropos.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"

namespace client {

TForm2::TForm2(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm2");
    SetCaption(this, "About", "...");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("MORVATEL", this);
    QFont big = title->font();
    big.setPointSize(22);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label3 = new QLabel("3D", this);
    Label3->setObjectName("Label3");
    Label8 = new QLabel(this);
    Label8->setObjectName("Label8");
    Label5 = new QLabel("VOREK GAMES", this);
    Label5->setObjectName("Label5");
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->setStyleSheet("color: blue;");
    Label5->installEventFilter(this);
    for (QLabel* l : {Label2, Label3, Label8, Label5}) l->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(Label8);
    layout->addWidget(Label5);
    FormCreate();
}

void TForm2::FormCreate() {
    Label2->setText(QString("Dominoes ") + Version);
    Label8->setText(QString("MORVATEL Dominoes ") + Version);
}

void TForm2::Label5Click() {
    // The maker's page opens in the embedded browser, which is online only once the site's
    // banner has arrived (the home page item is enabled then).
    TForm1* main = AppForms().Form1;
    if (!main || !main->VOREKGAMESHomePage1->isEnabled()) return;
    close();  // the page opens beside the main window, which the box holds modal
    OpenWebPage(12);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease) Label5Click();
    return QDialog::eventFilter(watched, event);
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) {
        main->setEnabled(true);
        main->activateWindow();
    }
    hide();
    event->accept();
}

} // namespace client
