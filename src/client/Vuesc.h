#pragma once
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "client/MainGameLink.h"
#include "client/QtClipPlayer.h"
#include "client/Voices.h"
#include "game/Jeusc.h"
#include "game/Statistics.h"
#include "game/TableView.h"
#include "net/GameLinkGuest.h"
#include "net/GameLinkHost.h"
#include "platform/HttpComponent.h"

class QToolBar;

namespace client {

class TForm1;

// The drawing area of the main window: shows the window surface and hands the mouse to the
// main window's handlers. Window coordinates in the game are this widget's coordinates.
class TableArea : public QWidget {
    Q_OBJECT
public:
    explicit TableArea(TForm1& owner);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    TForm1& owner_;
};

// "MORVATEL Dominoes 3D": the main window. It owns the current game, the game loop's timers,
// the menus and tool buttons, the seats' voices and the surface the table is drawn on.
class TForm1 : public QMainWindow, public TableSurface {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // Start-up and close.
    void FormCreate();
    void FormShow();
    void Timer2Timer();
    void Timer3Timer();
    void Quitter1Click();
    void SaveStaFile();

    // The game loop.
    void NouvellePartieLocal();
    void Timer1Timer();
    void Button1Click();
    void Ecriremessage(std::string& text);

    // Mouse play, in drawing-area coordinates.
    void FormMouseDown(int x, int y);
    void FormMouseUp(int x, int y);
    void FormDblClick(int x, int y);
    // The hand slot of the local player's hand under a point, or -1.
    int HandSlotAt(int x, int y) const;
    // The window x at the centre of hand slot i.
    int HandSlotCentreX(int i) const;

    // Painting.
    void FormPaint();
    void FormResize();

    // Network games over the game link. The host listens on "Server port" for its
    // opponents (the lobby's accepted players); a guest connects to its host.
    bool ServerEntameJeu(const std::array<net::LobbySlot, 2>& opponents, const std::string& ownAddress);
    void ClientEntameJeu(const std::string& hostAddress, int hostPort, const std::string& ownAddress);
    void CloseGameSockets();
    // The local seat's chat line to the other side of the link.
    void SendChat(const std::string& text);
    GameSetup CurrentGameSetup() const;
    std::unique_ptr<JeuView> MakeTableView();
    void FillTable() { fillClientArea(CurrentTableColor); }
    void PlaceNetworkButtons();

    // Network controls: the two time-outs, the lobby's menu items, the opponents' pictures
    // and the network page of the options window.
    void TimeUpTimer();
    void TimerErrorTimer();
    void Connect1Click();
    void Disconnect1Click();
    void UpdateNetOptionsForm(bool enable);
    void OpenNetworkOptions();
    void HideCompetitionPictures();
    void ApplyPictureProxy();
    // Asks NMHTTPA and NMHTTPB for the pictures of local seats 0 and 2.
    void FetchNetPictures(Jeu& game);
    // Loads seats 0 and 2 from "players/net" when their pictures were downloaded.
    void ReloadNetPictures(Jeu& game);
    void NMHTTPASuccess(const QByteArray& body);
    void NMHTTPBSuccess(const QByteArray& body);
    void NMHTTPAFailure();
    void NMHTTPBFailure();
    // Mouse and keyboard of the main window off while a modal tool window is open.
    void SetInputEnabled(bool enabled);

    // Menus.
    void UpdateToolBar();
    void ChangeTheme(int index);
    void ChangeLanguage(int index);
    // After a language is applied: every caption and hint of every window, and the status.
    void LanguageApplied();
    void RglesCommandes1Click();
    void Editiondesjoueurs1Click();
    void Statistiques1Click();
    void Vuedesinformations1Click();
    void NouvellePartie1Click();
    void Controleduson1Click();

    // The web banner: made after the first paint; its page's arrival enables the online
    // controls once (Banner.cpp).
    static constexpr int BannerWidth = 468, BannerHeight = 60;
    void GoPub(const std::string& address);
    void PUBProgressChange(const std::string& title);
    void AreaPainted();

    // TableSurface
    platform::Bitmap& Surface() override { return Surface_; }
    void SurfaceChanged() override;
    void PauseBriefly() override;

    int W() const;
    int H() const;

    std::unique_ptr<Jeu> CurrentGame;
    int SelectedHandIndex = -1;
    Statistics Stats;
    int CurrentTableColor = 0x005500;
    int CpuDelayCountdown = 0;
    bool GameAborted = false;
    bool LocalAbandon = false;
    bool FinalResultShown = false;  // the result of a game's last round has been shown
    std::string WebPagesBaseUrl, BannerUrl, WebBaseUrl, FilesBaseUrl, BrowserHomeUrl;
    bool BannerDone = false;
    std::string CurrentBackgroundTexture;

    // Controls, named as the tests find them.
    TableArea* Area;
    QTimer *Timer1, *Timer2, *Timer3, *TimeUp, *TimerError;
    QPushButton* Button1;
    QPushButton* BitBtn1;
    QLabel* Image1;
    QLabel *imgComp0, *imgComp1, *imgComp2, *imgCompx;
    QLabel* titreJeu;
    QStatusBar* StatusBar1;
    QMenu *Partie1, *Vue1, *Plug1, *Aproposdenous1, *thmes1, *Language1;
    QAction *NewGame1, *Connect1, *Disconnect1, *Vuedesinformations1, *Quitter1;
    QAction *Seconnecter1, *Web1, *NouvellePartie1, *Controleduson1, *Statistiques1, *Options1;
    QAction *hmes1, *lchargerdesjoueurs1, *Downloadlanguages1, *heOnlineGuide1;
    QAction *VOREKGAMESHomePage1, *Community1, *Editiondesjoueurs1, *RglesCommandes1, *VOREKDomino1;
    QToolButton *ToolButton2, *ToolButton3, *ToolButton4, *ToolButton7;
    platform::HttpComponent *NMHTTPA, *NMHTTPB;
    std::array<std::string, 2> NetPictureFile;  // the pictures of local seats 0 and 2 in players/net
    QWidget* PubArea = nullptr;  // the banner's place on the top panel
    QLabel* Panel4 = nullptr;    // covers the banner until its page has arrived
    QWidget* PUB = nullptr;      // the banner view; none without the browser engine

    Voices Voice;
    QtClipPlayer MP0, MP1, MP2, MP4;
    ClipPlayer* Music = &MP4;  // the music player (tests put a recording one here)

    MainGameLink Link{*this};
    std::unique_ptr<net::GameLinkHost> GameHost;
    std::unique_ptr<net::GameLinkGuest> GameGuest;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildBannerPanel(QToolBar* panel);
    void EnableOnlineControls();
    void OfferUpdate(const std::string& version);
    std::unique_ptr<Jeu> newLocalGame();
    void fillClientArea(int colour);
    void drawSeatNames();
    void paintPickedTileAndDropBoxes(int x);
    void drawRoundTexts(int brushColour);
    void handOver(int end);
public:
    void setStatus(const std::string& text);

private:
    void logResult();
    void resizeSurface();
    void netPictureArrived(int slot, const QByteArray& body);
    void netPictureFailed(int slot);

    platform::Bitmap Surface_;
    bool shownOnce_ = false;
    bool bannerStarted_ = false;
};

// Opens a QMessageBox for platform::ShowMessage; installed by the program's main block.
void InstallMessageBoxes();

} // namespace client
