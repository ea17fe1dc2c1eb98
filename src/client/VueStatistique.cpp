#include "client/VueStatistique.h"

#include <QGridLayout>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/Vuesc.h"

namespace client {

TForm6::TForm6(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm6");
    SetCaption(this, "Statistics", "...");
    auto* grid = new QGridLayout(this);
    const auto row = [&](int r, const char* caption, const char* name) {
        auto* label = new QLabel(this);
        SetCaption(label, caption, " :");
        grid->addWidget(label, r, 0);
        auto* value = new QLabel("0", this);
        value->setObjectName(name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, r, 1);
        return value;
    };
    Played = row(0, "Number of played matches", "Played");
    Won = row(1, "Number of won matches", "Won");
    Lost = row(2, "Number of lost matches", "Lost");
    PigsGiven = row(3, "Number of given pigs", "PigsGiven");
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    SetCaption(Button2, "Reset");
    grid->addWidget(Button2, 4, 0);
    grid->addWidget(Button1, 4, 1);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
}

bool TForm6::UpdateStat() {
    TForm1* main = AppForms().Form1;
    if (!main) return false;
    auto read = TryReadStatisticsFile(AppSettings().StatsFilePath);
    if (!read) return false;
    main->Stats = *read;
    return true;
}

void TForm6::FormActivate() {
    const Statistics s = AppForms().Form1 ? AppForms().Form1->Stats : Statistics{};
    Played->setNum(s.Played);
    Won->setNum(s.Won);
    Lost->setNum(s.Lost);
    PigsGiven->setNum(s.PigsGiven);
}

void TForm6::Button2Click() {
    if (TForm1* main = AppForms().Form1) {
        main->Stats = Statistics{};
        // A running game carries its own copy of the counters: it starts from zero too.
        if (main->CurrentGame) main->CurrentGame->Stats = Statistics{};
        main->SaveStaFile();
    }
    FormActivate();
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

} // namespace client
