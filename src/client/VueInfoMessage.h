#pragma once
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace client {

class TForm1;

// "Chat": one line of chat over the game link during a network game, and the chat received.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(TForm1* mainWindow);

    void Button1Click();
    // Enter (13) sends as the button does.
    void Edit1KeyPress(int key);
    // Escape (27) closes the window.
    void FormKeyPress(int key);
    // A received line ("name: text"): the window shows.
    void AddReceived(const std::string& line);

    QLineEdit* Edit1;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1* main_;
};

} // namespace client
