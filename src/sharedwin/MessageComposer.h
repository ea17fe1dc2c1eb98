#pragma once
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

// The message composer: a private message to a lobby user, relayed by the lobby (request 04,
// kind 1). Each program's TForm11 says whose identity and senders carry it, which received
// message an answer marks, and how its main window is held while the composer is open.
namespace client {

class MessageComposer : public QWidget {
    Q_OBJECT
public:
    explicit MessageComposer(QWidget* mainWindow);

    // Opens the composer with the caption ("Send" or "Answer"), addressed to (ip, port),
    // the message empty; the main window is disabled meanwhile.
    void OpenFor(const std::string& caption, const std::string& ip, int port);
    void Button1Click();
    void MemoToBeSentChange();
    void FormClose();

    QPlainTextEdit* MemoToBeSent;
    QPushButton* Button1;
    std::string DestinationIP;
    int DestinationPort = 0;

protected:
    virtual void SetMainInputEnabled(bool enabled) = 0;
    // The received message being answered gets its answered mark.
    virtual void MarkAnswered() = 0;
    // Sends the message with its date and time text to (DestinationIP, DestinationPort).
    virtual void PostComposed(const std::string& stamp, const std::string& text) = 0;

    void closeEvent(QCloseEvent* event) override;
};

} // namespace client
