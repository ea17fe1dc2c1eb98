#pragma once
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

namespace client {

class TForm1;

// The message composer: a private message to a lobby user, relayed by the lobby.
class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(TForm1* mainWindow);

    // Opens the composer with the caption ("Send" or "Answer"), addressed to (ip, port),
    // the message empty; the main window is disabled meanwhile.
    void OpenFor(const std::string& caption, const std::string& ip, int port);
    void Button1Click();
    void MemoToBeSentChange();
    void FormClose();
    void FormKeyPress(int key);

    QPlainTextEdit* MemoToBeSent;
    QPushButton* Button1;
    std::string DestinationIP;
    int DestinationPort = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TForm1* main_;
};

} // namespace client
