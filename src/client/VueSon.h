#pragma once
#include <QToolButton>
#include <QWidget>

namespace client {

class ClipPlayer;

// "Controle du son": sound on or off, and the background music's transport.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* mainWindow);

    void FormCreate();
    void FormActivate();
    void SoundOffClick();
    void SoundOnClick();
    void IPlayClick();
    void IPauseClick();
    void IStopClick();
    void INextClick();
    void IPrevClick();
    void IEjectClick();
    void BitBtn1Click();
    void UpdateButton();

    QToolButton *SoundOn, *SoundOff, *BitBtn1;
    QToolButton *IPrev, *IPlay, *IPause, *IStop, *INext, *IEject;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ClipPlayer& music() const;
};

} // namespace client
