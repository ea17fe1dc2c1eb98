#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace client {

// "Statistiques": the local player's four counters, with a reset.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* mainWindow);

    // Rereads the statistics file into the main window's counters; false when it cannot.
    bool UpdateStat();
    void FormActivate();
    void Button2Click();

    QLabel *Played, *Won, *Lost, *PigsGiven;
    QPushButton *Button1, *Button2;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace client
