#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/JeuView.h"
#include "platform/Bitmap.h"
#include "render3d/FailureReports.h"
#include "render3d/Model3D.h"
#include "render3d/RenderTarget.h"

// Where the table view draws: the main window's surface (its "canvas"), which the window
// shows on its next repaint.
class TableSurface {
public:
    virtual ~TableSurface() = default;
    virtual platform::Bitmap& Surface() = 0;  // sized to the window's drawing area
    virtual void SurfaceChanged() = 0;        // ask for a repaint
    virtual void PauseBriefly() = 0;          // show the surface and wait a moment
};

// The game's drawing on the main window: the chain as shaded 3D boxes in a render bitmap,
// and around it, straight on the window surface, the three hands as flat tiles with each
// seat's name, picture and round count.
class TableView : public JeuView {
public:
    explicit TableView(TableSurface& surface) : surface_(surface) {}

    int WindowWidth() const override;
    int WindowHeight() const override;
    void GameCreated(Jeu& game) override;
    void PaintHands(Jeu& game, bool seat0, bool seat1, bool seat2) override;
    void TilePlaced(Jeu& game, const Domino& laidOut) override;
    void DrawGameText(Jeu& game, const std::string& text, int x, int y) override;
    void PauseAfterFirstLead(Jeu& game) override;

    void InitView(Jeu& game) override;
    void SetViewWidth(Jeu& game, int width) override;
    void SetViewHeight(Jeu& game, int height) override;
    void RedrawTable(Jeu& game) override;
    void PaintDominoAt(Jeu& game, const Domino& tile, int x, int y, int orientation) override;
    void SetLeftTarget(bool on) override { LeftTarget = on; }
    void SetRightTarget(bool on) override { RightTarget = on; }
    bool HitLeftEnd(Jeu& game, int x, int y) override;
    bool HitRightEnd(Jeu& game, int x, int y) override;
    bool MarkerCentre(bool left, int& x, int& y) const override;
    void SetBackgroundTexture(Jeu& game, const std::string& path) override;
    void SetDominoesTexture(Jeu& game, const std::string& path) override;
    void SetBackDominoesTexture(Jeu& game, const std::string& path) override;

    // A flat tile centred at (x, y) relative to the chain origin.
    void PaintTile(Jeu& game, const Domino& tile, int x, int y, bool faceUp, int orientation);

    struct ScreenPoint {
        int x, y;
    };
    static bool PointInTriangle(ScreenPoint a, ScreenPoint b, ScreenPoint c, double px, double py);

    bool LeftTarget = false, RightTarget = false;
    int LeftMarkerIndex = -1, RightMarkerIndex = -1;
    int TileSize = 48;
    std::vector<render3d::T3DModel> Models;  // the chain's models and the drop markers
    // The render bitmap of the chain, drawn on the window at (135, 100), with its depth
    // buffer, view rectangle, light and focal distance.
    render3d::RenderTarget Target;
    render3d::Vec3 ViewOrigin{-500, 0, 0};
    std::optional<platform::Bitmap> BackgroundTexture, DominoesTexture, BackDominoesTexture;
    std::array<std::optional<platform::Bitmap>, 3> SeatPictures;
    // The renderer's failures during this game's redraws, each told to the user once.
    render3d::FailureReports Reports;

private:
    struct ChainKey {
        int played = -1, originX = 0, originY = 0, tileSize = 0;
        std::array<double, 3> camera{};
        double angleX = 0, angleY = 0;
        int dominoes = 0, dots = 0, viewRight = 0, viewBottom = 0;
        double viewX = 0, viewY = 0, viewZ = 0;
        bool operator==(const ChainKey&) const = default;
    };
    ChainKey chainKey_;
    int chainModelCount_ = 0;

    void sizeTarget(Jeu& game, int bottomMargin);
    void buildTileModels(Jeu& game, const Domino& tile);
    void addBlock(Jeu& game, int colour, double px, double py, double pz, double sx, double sy, double sz);
    void addFlat(Jeu& game, int colour, double px, double py, double pz, double sx, double sy);
    int addMarker(Jeu& game, int armX, int armY);
    bool hitMarker(int index, int x, int y) const;
    void paintFlatTile(Jeu& game, const Domino& tile, int cx, int cy, bool faceUp, int orientation,
                       bool selected);
    void paintPanel(Jeu& game, int seat, bool faceUp);
    TableSurface& surface_;
};
