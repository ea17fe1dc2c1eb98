// The table view: the chain rendered as shaded 3D boxes, the hands as flat tiles, and the
// seats' names, pictures and round counts around it.
#include "game/TableView.h"

#include <cmath>

#include "game/JeuMessages.h"
#include "game/Jeusc.h"
#include "platform/Random.h"
#include "render3d/ModelBuild.h"
#include "render3d/Render.h"

using render3d::T3DModel;
using render3d::Vec3;

namespace {
constexpr int RenderLeft = 135, RenderTop = 100;
int toInt(double v) { return static_cast<int>(v); }

std::optional<platform::Bitmap> loadPicture(const std::string& path) {
    if (path.empty()) return std::nullopt;
    return platform::LoadJpeg(path);
}

// Pip centres of one half with centre (cx, cy) and offset h, per value; orientations 1 and 3
// turn the two- and six-pip patterns.
std::vector<std::pair<double, double>> pipCentres(int value, double cx, double cy, double h,
                                                  bool across) {
    std::vector<std::pair<double, double>> p;
    const auto corners = [&] {
        p.push_back({cx - h, cy - h});
        p.push_back({cx + h, cy - h});
        p.push_back({cx - h, cy + h});
        p.push_back({cx + h, cy + h});
    };
    const auto two = [&] {
        if (across) {
            p.push_back({cx - h, cy + h});
            p.push_back({cx + h, cy - h});
        } else {
            p.push_back({cx - h, cy - h});
            p.push_back({cx + h, cy + h});
        }
    };
    switch (value) {
    case 1: p.push_back({cx, cy}); break;
    case 2: two(); break;
    case 3: two(); p.push_back({cx, cy}); break;
    case 4: corners(); break;
    case 5: corners(); p.push_back({cx, cy}); break;
    case 6:
        corners();
        if (across) {
            p.push_back({cx - h, cy});
            p.push_back({cx + h, cy});
        } else {
            p.push_back({cx, cy - h});
            p.push_back({cx, cy + h});
        }
        break;
    default: break;
    }
    return p;
}

bool alongY(int orientation) { return orientation == 1 || orientation == 3; }
bool swapped(int orientation) { return orientation == 2 || orientation == 3; }
} // namespace

int TableView::WindowWidth() const { return surface_.Surface().Width(); }
int TableView::WindowHeight() const { return surface_.Surface().Height(); }

void TableView::GameCreated(Jeu& game) {
    SetBackgroundTexture(game, game.BackgroundTexturePath);
    SetDominoesTexture(game, game.DominoesTexturePath);
    SetBackDominoesTexture(game, game.BackDominoesTexturePath);
    for (int s = 0; s < 3; ++s) SeatPictures[s] = loadPicture(game.Seats[s].PicturePath);
    InitView(game);
}

void TableView::sizeTarget(Jeu&, int bottomMargin) {
    const int w = WindowWidth(), h = WindowHeight();
    Target.Resize(std::max(0, w - 280), std::max(0, h - bottomMargin));
    Target.ViewRect = {140, 110, w - 140, h - 220};
    Target.ScreenCentreX = Target.ViewRect.Right / 2;
    Target.ScreenCentreY = Target.ViewRect.Bottom / 2;
}

void TableView::InitView(Jeu& game) {
    platform::Randomize();
    sizeTarget(game, 320);
    Target.LightPoint = Vec3{0, 0, 1200};
    Target.FocalDistance = 400;
    TileSize = 50;
    ViewOrigin = Vec3{-500, 0, 0};
    RedrawTable(game);
}

// A resized window draws as one that started at its new size: the render bitmap gets the
// set-up's rows, and the chain stays centred on the window as a deal centres it.
void TableView::SetViewWidth(Jeu& game, int) {
    sizeTarget(game, 320);
    game.ChainOriginX = WindowWidth() / 2;
}
void TableView::SetViewHeight(Jeu& game, int) { sizeTarget(game, 320); }

void TableView::SetBackgroundTexture(Jeu&, const std::string& path) { BackgroundTexture = loadPicture(path); }
void TableView::SetDominoesTexture(Jeu&, const std::string& path) { DominoesTexture = loadPicture(path); }
void TableView::SetBackDominoesTexture(Jeu&, const std::string& path) {
    BackDominoesTexture = loadPicture(path);
}

void TableView::addBlock(Jeu& game, int colour, double px, double py, double pz, double sx,
                         double sy, double sz) {
    T3DModel& m = Models.emplace_back(Target);
    render3d::BuildBox(m, toInt(sx), toInt(sy), toInt(sz), {colour, colour, colour, colour, colour, colour});
    m.Pivot = ViewOrigin;
    m.CullBackFaces = 1;
    const auto& cam = game.CameraPosition;
    m.Translate(Vec3{ViewOrigin.x - px - sx / 2 + cam[0], ViewOrigin.y - py - sy / 2 + cam[1],
                     ViewOrigin.z - pz - 5 * sz / 2 + cam[2]});
    m.Rotate(1, game.CameraAngleY);
    m.Rotate(0, game.CameraAngleX);
}

void TableView::addFlat(Jeu& game, int colour, double px, double py, double pz, double sx, double sy) {
    T3DModel& m = Models.emplace_back(Target);
    render3d::BuildBox(m, toInt(sx), toInt(sy), 1, {colour, colour, colour, colour, colour, colour});
    m.Pivot = ViewOrigin;
    m.CullBackFaces = 1;
    const auto& cam = game.CameraPosition;
    const double S = game.ModelTileSize;
    m.Translate(Vec3{ViewOrigin.x - px - sx / 2 + cam[0], ViewOrigin.y - py - sy / 2 + cam[1],
                     ViewOrigin.z - pz - S / 4 + cam[2]});
    m.Rotate(1, game.CameraAngleY);
    m.Rotate(0, game.CameraAngleX);
}

void TableView::buildTileModels(Jeu& game, const Domino& tile) {
    const double S = game.ModelTileSize;
    const double px = tile.LayoutX + game.ChainOriginX, py = tile.LayoutY + game.ChainOriginY;
    const bool y = alongY(tile.Orientation);
    const double along = S, across = S / 2;
    addBlock(game, game.Theme[Jeu::ThemeDominoes], px, py, S / 8, y ? across : along,
             y ? along : across, S / 4);
    addFlat(game, game.Theme[Jeu::ThemeDots], px, py, S / 4 - 1, y ? 3 * S / 8 : S / 20,
            y ? S / 20 : 3 * S / 8);
    const int first = swapped(tile.Orientation) ? tile.Value2 : tile.Value1;
    const int second = swapped(tile.Orientation) ? tile.Value1 : tile.Value2;
    const double h = S / 8;
    const std::pair<double, double> centres[2] = {
        y ? std::pair{px, py - S / 4} : std::pair{px - S / 4, py},
        y ? std::pair{px, py + S / 4} : std::pair{px + S / 4, py}};
    const int values[2] = {first, second};
    for (int half = 0; half < 2; ++half)
        for (auto [cx, cy] : pipCentres(values[half], centres[half].first, centres[half].second, h, y))
            addFlat(game, game.Theme[Jeu::ThemeDots], cx, cy, S / 4 - 1, 30, 30);
}

int TableView::addMarker(Jeu& game, int armX, int armY) {
    const double S = game.ModelTileSize;
    addBlock(game, game.Theme[Jeu::ThemeSelectedDomino], armX + game.ChainOriginX,
             armY + game.ChainOriginY, 3 * S / 4, S, S, 1);
    return static_cast<int>(Models.size()) - 1;
}

void TableView::RedrawTable(Jeu& game) {
    const render3d::FailureReports::Scope reports(Reports);
    const int w = WindowWidth(), h = WindowHeight();
    Target.DepthBuffer.Reset(std::max(0, w - 280), std::max(0, h - 320));
    platform::Canvas& rc = Target.RenderBitmap.GetCanvas();
    if (BackgroundTexture) rc.SetBrushPicture(*BackgroundTexture);
    else rc.SetBrushColor(game.Theme[Jeu::ThemeTable]);
    render3d::ClearBitmap(Target);

    // The chain's models depend only on the tiles, their layout, the camera, the colours and
    // the view; they are rebuilt when one of those changed, and the markers are added anew.
    ChainKey key{game.PlayedCount(), game.ChainOriginX, game.ChainOriginY, game.ModelTileSize,
                 game.CameraPosition, game.CameraAngleX, game.CameraAngleY,
                 game.Theme[Jeu::ThemeDominoes], game.Theme[Jeu::ThemeDots],
                 Target.ViewRect.Right, Target.ViewRect.Bottom, ViewOrigin.x, ViewOrigin.y, ViewOrigin.z};
    if (!(key == chainKey_) || chainModelCount_ > static_cast<int>(Models.size())) {
        Models.clear();
        for (const DominoJoue& move : game.Played) buildTileModels(game, move.Tile);
        chainModelCount_ = static_cast<int>(Models.size());
        chainKey_ = key;
    } else {
        Models.resize(chainModelCount_, T3DModel());
    }
    LeftMarkerIndex = LeftTarget ? addMarker(game, game.LeftArmX, game.LeftArmY) : -1;
    RightMarkerIndex = RightTarget ? addMarker(game, game.RightArmX, game.RightArmY) : -1;
    for (T3DModel& m : Models) render3d::Render(Target, m);

    surface_.Surface().GetCanvas().Draw(RenderLeft, RenderTop, Target.RenderBitmap);
    surface_.SurfaceChanged();
}

void TableView::TilePlaced(Jeu& game, const Domino&) {
    chainKey_ = ChainKey{};  // a tile moved by the layout keeps the count: rebuild
    RedrawTable(game);
}

bool TableView::PointInTriangle(ScreenPoint a, ScreenPoint b, ScreenPoint c, double px, double py) {
    const double d1x = b.x - a.x, d1y = b.y - a.y, d2x = c.x - a.x, d2y = c.y - a.y;
    const double g = d1x * d2y - d1y * d2x;
    if (g == 0) return false;
    const double qx = px - a.x, qy = py - a.y;
    const double s = (qx * d2y - qy * d2x) / g;
    const double t = (qy * d1x - qx * d1y) / g;
    return s > 0 && t > 0 && s + t < 1;
}

bool TableView::hitMarker(int index, int x, int y) const {
    if (index < 0 || index >= static_cast<int>(Models.size())) return false;
    const auto pos = render3d::FaceScreenPositions(Models[index], 2);
    if (pos.size() < 4) return false;
    ScreenPoint v[4];
    for (int i = 0; i < 4; ++i) v[i] = {toInt(pos[i].x), toInt(pos[i].y)};
    const double px = x - RenderLeft, py = y - RenderTop;
    if (PointInTriangle(v[0], v[1], v[2], px, py) || PointInTriangle(v[0], v[2], v[3], px, py)) return true;
    // The two triangles share the diagonal v0-v2, whose points count as outside both; inside
    // the face they are inside it, when the triangles lie on either side of the diagonal.
    const double dx = v[2].x - v[0].x, dy = v[2].y - v[0].y;
    const auto side = [&](double qx, double qy) { return dx * (qy - v[0].y) - dy * (qx - v[0].x); };
    if (side(px, py) != 0) return false;
    const double along = dx * (px - v[0].x) + dy * (py - v[0].y);
    return along > 0 && along < dx * dx + dy * dy && side(v[1].x, v[1].y) * side(v[3].x, v[3].y) < 0;
}

bool TableView::HitLeftEnd(Jeu&, int x, int y) { return hitMarker(LeftMarkerIndex, x, y); }
bool TableView::HitRightEnd(Jeu&, int x, int y) { return hitMarker(RightMarkerIndex, x, y); }

bool TableView::MarkerCentre(bool left, int& x, int& y) const {
    const int index = left ? LeftMarkerIndex : RightMarkerIndex;
    if (index < 0 || index >= static_cast<int>(Models.size())) return false;
    const auto pos = render3d::FaceScreenPositions(Models[index], 2);
    if (pos.size() < 4) return false;
    double sx = 0, sy = 0;
    for (int i = 0; i < 4; ++i) {
        sx += pos[i].x;
        sy += pos[i].y;
    }
    x = toInt(sx / 4) + RenderLeft;
    y = toInt(sy / 4) + RenderTop;
    return true;
}

// A flat tile centred at window point (cx, cy).
void TableView::paintFlatTile(Jeu& game, const Domino& tile, int cx, int cy, bool faceUp,
                              int orientation, bool selected) {
    platform::Canvas& c = surface_.Surface().GetCanvas();
    const double T = TileSize;
    const bool upright = alongY(orientation);
    const int halfW = toInt((upright ? T / 2 : T) / 2), halfH = toInt((upright ? T : T / 2) / 2);
    if (selected) {
        c.SetBrushColor(game.Theme[Jeu::ThemeSelectedDomino]);
        c.SetPenColor(game.Theme[Jeu::ThemeDominoesBorder]);
    } else if (faceUp) {
        if (DominoesTexture) c.SetBrushPicture(*DominoesTexture);
        else c.SetBrushColor(game.Theme[Jeu::ThemeDominoes]);
        c.SetPenColor(game.Theme[Jeu::ThemeDominoesBorder]);
    } else {
        if (BackDominoesTexture) c.SetBrushPicture(*BackDominoesTexture);
        else c.SetBrushColor(game.Theme[Jeu::ThemeDominoesBack]);
        c.SetPenColor(game.Theme[Jeu::ThemeBackBorder]);
    }
    c.Rectangle(cx - halfW, cy - halfH, cx + halfW, cy + halfH);
    c.SetPenColor(game.Theme[Jeu::ThemeDots]);
    c.SetBrushColor(game.Theme[Jeu::ThemeTable]);
    if (!faceUp && !selected) return;

    const int bar = toInt(3 * T / 16);
    if (upright) {
        c.MoveTo(cx - bar, cy);
        c.LineTo(cx + bar, cy);
    } else {
        c.MoveTo(cx, cy - bar);
        c.LineTo(cx, cy + bar);
    }
    const int first = swapped(orientation) ? tile.Value2 : tile.Value1;
    const int second = swapped(orientation) ? tile.Value1 : tile.Value2;
    const double q = T / 4, h = T / 8;
    const std::pair<double, double> halves[2] = {
        upright ? std::pair<double, double>{cx, cy - q} : std::pair<double, double>{cx - q, cy},
        upright ? std::pair<double, double>{cx, cy + q} : std::pair<double, double>{cx + q, cy}};
    const int values[2] = {first, second};
    c.SetBrushColor(game.Theme[Jeu::ThemeDots]);
    for (int half = 0; half < 2; ++half)
        for (auto [px, py] : pipCentres(values[half], halves[half].first, halves[half].second, h, upright)) {
            const int ix = toInt(px), iy = toInt(py);
            c.Rectangle(ix - 1, iy - 1, ix + 1, iy + 1);  // 2 x 2: right and bottom left out
        }
    c.SetBrushColor(game.Theme[Jeu::ThemeTable]);
}

void TableView::PaintTile(Jeu& game, const Domino& tile, int x, int y, bool faceUp, int orientation) {
    paintFlatTile(game, tile, x + game.ChainOriginX, y + game.ChainOriginY, faceUp, orientation, false);
}

void TableView::PaintDominoAt(Jeu& game, const Domino& tile, int x, int y, int orientation) {
    paintFlatTile(game, tile, x + game.ChainOriginX, y + game.ChainOriginY, true, orientation, true);
    surface_.SurfaceChanged();
}

void TableView::paintPanel(Jeu& game, int seat, bool faceUp) {
    platform::Canvas& c = surface_.Surface().GetCanvas();
    const int W = WindowWidth(), H = WindowHeight();
    const int s = toInt((H - 250) / 2.0) - 120;
    const int e = toInt((W - 270) / 2.0);
    const Joueur& p = game.Seats[seat];
    const JeuMessages& t = GameTexts();

    // The panel is cleared first, so tiles that have left the hand leave no trace.
    c.SetBrushColor(game.Theme[Jeu::ThemeTable]);
    if (seat == 0) c.FillRect(0, s + 40, RenderLeft, s + 185 + 7 * 18 + 20);
    else if (seat == 2) c.FillRect(W - 140, s + 40, W, s + 185 + 7 * 18 + 20);
    else c.FillRect(RenderLeft, H - 215, W - 140, H - 100);

    TileSize = seat == 1 ? 48 : 40;
    const double T = TileSize;
    for (int i = 0; i < p.HandCount; ++i) {
        if (seat == 0) paintFlatTile(game, p.Hand[i], 75, toInt(s + 185 + i * (T / 2 - 2)), faceUp, 0, false);
        else if (seat == 2)
            paintFlatTile(game, p.Hand[i], W - 90, toInt(s + 185 + i * (T / 2 - 2)), faceUp, 0, false);
        else paintFlatTile(game, p.Hand[i], toInt(e + 10 + i * T / 2), H - 175, faceUp, 1, false);
    }

    c.SetTextBackground(platform::TextBackground::Transparent);
    c.SetFontSize(6);
    const int nameColour = game.SeatToMove == seat ? game.Theme[Jeu::ThemeLightedText]
                                                   : game.Theme[Jeu::ThemeNormalText];
    const int wins = game.RoundWins[seat];
    const std::string count = std::to_string(wins) + " " + (wins < 2 ? t.Point : t.Points);
    // The round count is not lit with the name: the name is redrawn on every tick, the count
    // only with the hands, so a lit count would lag behind the turn.
    const auto text = [&](int x, int y, const std::string& str, int colour) {
        c.SetFontColor(colour);
        c.TextOut(x, y, str);
    };
    const int countColour = game.Theme[Jeu::ThemeNormalText];
    if (seat == 0) {
        text(20, s + 130, p.Name, nameColour);
        if (SeatPictures[0]) c.Draw(20, s + 50, *SeatPictures[0]);
        text(20, s + 150, count, countColour);
    } else if (seat == 1) {
        text(e + 190, H - 120, p.Name, nameColour);
        if (SeatPictures[1]) c.Draw(e + 190, H - 200, *SeatPictures[1]);
        text(e, H - 124, count, countColour);
    } else {
        text(W - c.TextWidth(p.Name) - 34, s + 130, p.Name, nameColour);
        if (SeatPictures[2]) c.Draw(W - 110, s + 50, *SeatPictures[2]);
        text(W - 8 * static_cast<int>(count.size()) - 16, s + 150, count, countColour);
    }
    c.SetTextBackground(platform::TextBackground::Opaque);
    c.SetBrushColor(game.Theme[Jeu::ThemeTable]);
    c.SetFontSize(10);
}

void TableView::PaintHands(Jeu& game, bool seat0, bool seat1, bool seat2) {
    game.HandView = {seat0, seat1, seat2};
    paintPanel(game, 0, seat0);
    paintPanel(game, 1, seat1);
    paintPanel(game, 2, seat2);
    TileSize = 48;
    surface_.SurfaceChanged();
}

void TableView::DrawGameText(Jeu& game, const std::string& text, int x, int y) {
    platform::Canvas& c = surface_.Surface().GetCanvas();
    const auto previous = c.GetTextBackground();
    c.SetFontSize(15);
    c.SetTextBackground(platform::TextBackground::Transparent);
    c.SetFontColor(game.Theme[Jeu::ThemeLightedText]);
    c.TextOut(x, y, text);
    c.SetFontSize(10);
    c.SetTextBackground(previous);
    c.SetBrushColor(game.Theme[Jeu::ThemeTable]);
    surface_.SurfaceChanged();
}

void TableView::PauseAfterFirstLead(Jeu&) { surface_.PauseBriefly(); }
