#pragma once
#include <QDialog>
#include <QLabel>

namespace client {

// "A propos de MORVATEL": the program's name and version, and the maker's web page.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Version = "3.0.3";
    explicit TForm2(QWidget* mainWindow);
    void FormCreate();
    void Label5Click();

    QLabel *Label2, *Label3, *Label8, *Label5;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace client
