// The table view drawn on an in-memory window surface: where the render bitmap, the hands,
// the round counts and the messages land, the texture fallbacks, the drop markers and their
// hit tests, and long chains that must stay inside their bitmaps.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numeric>

#include "ViewFixtures.h"
#include "game/GameFixtures.h"
#include "game/JeuMessages.h"
#include "render3d/Render.h"
#include "support/TempFolder.h"

namespace {

using viewtest::MoveOf;
using viewtest::ViewGame;
constexpr int W = 1024, H = 768;
constexpr int Sentinel = 0x123456;

// Seat profiles, the statistics file and the texture files stay in a temporary folder.
class TableViewTest : public ::testing::Test {
protected:
    TempFolder folder;
    ViewGame vg{W, H};
    Jeu& game = *vg.game;
    TableView& view = *vg.view;

    platform::Bitmap& surface() { return vg.surface.bitmap; }
    platform::Bitmap& render() { return view.Target.RenderBitmap; }
    int colour(int slot) const { return vg.game->Theme[slot]; }
    void fillSurface(int c) {
        surface().GetCanvas().SetBrushColor(c);
        surface().GetCanvas().FillRect(0, 0, surface().Width(), surface().Height());
    }
    // Opening 6-6, then 6-3 on the right and 6-1 on the left.
    void shortChain() {
        game.PlaceDomino(MoveOf(6, 6, LeftEndSide));
        game.PlaceDomino(MoveOf(6, 3, RightEndSide));
        game.PlaceDomino(MoveOf(1, 6, LeftEndSide));
    }
};

struct Pt {
    int x, y;
};

// The projected corners of a marker's top face (face 2) as window points, the way the hit
// test truncates them.
std::vector<Pt> markerCorners(const TableView& view, int index) {
    std::vector<Pt> out;
    for (const auto& p : render3d::FaceScreenPositions(view.Models.at(index), 2))
        out.push_back({static_cast<int>(p.x) + 135, static_cast<int>(p.y) + 100});
    return out;
}

bool hit(Jeu& game, bool left, int x, int y) { return left ? game.HitLeftEnd(x, y) : game.HitRightEnd(x, y); }

// ---- Hit tests --------------------------------------------------------------------------

TEST_F(TableViewTest, HitTestFindsEachMarkerInsideItsFaceAndMissesItsOutline) {
    shortChain();
    game.SetLeftTarget(true);
    game.SetRightTarget(true);
    game.RedrawTable();

    for (bool left : {true, false}) {
        SCOPED_TRACE(left ? "left marker" : "right marker");
        int cx = 0, cy = 0;
        ASSERT_TRUE(view.MarkerCentre(left, cx, cy));
        EXPECT_TRUE(hit(game, left, cx, cy));
        EXPECT_FALSE(hit(game, !left, cx, cy)) << "the other end's marker is elsewhere";

        const std::vector<Pt> v = markerCorners(view, left ? view.LeftMarkerIndex : view.RightMarkerIndex);
        ASSERT_EQ(v.size(), 4u);
        int checked = 0;
        for (int i = 0; i < 4; ++i) {
            const Pt a = v[i], b = v[(i + 1) % 4];
            EXPECT_FALSE(hit(game, left, a.x, a.y)) << "corner " << i;
            EXPECT_FALSE(hit(game, left, static_cast<int>(std::lround(cx + 1.3 * (a.x - cx))),
                             static_cast<int>(std::lround(cy + 1.3 * (a.y - cy)))))
                << "beyond corner " << i;
            // Beside the middle half of each edge, pixel by pixel: a pixel exactly on the
            // edge misses, the nearest pixels on the face's side hit, those beyond miss.
            const auto side = [&](int x, int y) {
                return static_cast<long>(b.x - a.x) * (y - a.y) - static_cast<long>(b.y - a.y) * (x - a.x);
            };
            const bool centreSide = side(cx, cy) > 0;
            const auto expectBeside = [&](int x, int y) {
                const long sd = side(x, y);
                const bool inside = sd != 0 && (sd > 0) == centreSide;
                EXPECT_EQ(hit(game, left, x, y), inside) << "edge " << i << " at " << x << "," << y;
                ++checked;
            };
            if (a.y != b.y) {
                const int y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y), q = (y1 - y0) / 4;
                for (int y = y0 + q; y <= y1 - q; ++y) {
                    const int xe = static_cast<int>(std::floor(a.x + (b.x - a.x) * double(y - a.y) / (b.y - a.y)));
                    for (int x = xe - 1; x <= xe + 2; ++x) expectBeside(x, y);
                }
            } else {
                const int x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), q = (x1 - x0) / 4;
                for (int x = x0 + q; x <= x1 - q; ++x)
                    for (int y = a.y - 1; y <= a.y + 1; ++y) expectBeside(x, y);
            }
        }
        EXPECT_GT(checked, 200);
        EXPECT_FALSE(hit(game, left, 0, 0));
        EXPECT_FALSE(hit(game, left, W - 1, H - 1));
    }
}

// The hit test splits the face into two triangles along its diagonal from the first to the
// third corner; whole pixels on that diagonal are inside the face and must hit.
TEST_F(TableViewTest, PixelsOnTheFacesInnerDiagonalAreHits) {
    game.PlaceDomino(MoveOf(6, 6, LeftEndSide));
    game.SetLeftTarget(true);
    game.SetRightTarget(true);
    int checked = 0;
    // Where the chain sits on the window decides whether whole pixels lie on a diagonal.
    for (int originY = 30; originY <= 90; ++originY) {
        game.ChainOriginY = originY;
        game.RedrawTable();
        for (bool left : {true, false}) {
            const std::vector<Pt> v = markerCorners(view, left ? view.LeftMarkerIndex : view.RightMarkerIndex);
            ASSERT_EQ(v.size(), 4u);
            const int dx = v[2].x - v[0].x, dy = v[2].y - v[0].y, steps = std::gcd(std::abs(dx), std::abs(dy));
            for (int k = 1; k < steps; ++k) {
                EXPECT_TRUE(hit(game, left, v[0].x + dx / steps * k, v[0].y + dy / steps * k))
                    << "origin y " << originY << ", diagonal pixel " << k << " of " << steps;
                ++checked;
            }
        }
    }
    EXPECT_GE(checked, 10) << "too few layouts put whole pixels on a diagonal";
}

TEST_F(TableViewTest, WithNoMarkerShownNeitherEndIsHitAnywhere) {
    shortChain();
    game.SetLeftTarget(true);
    game.SetRightTarget(true);
    game.RedrawTable();
    Pt centres[2];
    ASSERT_TRUE(view.MarkerCentre(true, centres[0].x, centres[0].y));
    ASSERT_TRUE(view.MarkerCentre(false, centres[1].x, centres[1].y));

    const auto noHitAnywhere = [&](const char* when) {
        SCOPED_TRACE(when);
        for (const Pt& c : centres) {
            EXPECT_FALSE(game.HitLeftEnd(c.x, c.y));
            EXPECT_FALSE(game.HitRightEnd(c.x, c.y));
        }
        int hits = 0;
        for (int y = 0; y < H; y += 3)
            for (int x = 0; x < W; x += 3) hits += game.HitLeftEnd(x, y) + game.HitRightEnd(x, y);
        EXPECT_EQ(hits, 0);
    };

    game.SetLeftTarget(false);
    game.SetRightTarget(false);
    game.RedrawTable();
    EXPECT_EQ(view.LeftMarkerIndex, -1);
    EXPECT_EQ(view.RightMarkerIndex, -1);
    noHitAnywhere("markers switched off and redrawn");

    // Switching them on shows them only from the next redraw.
    game.SetLeftTarget(true);
    game.SetRightTarget(true);
    noHitAnywhere("markers switched on, not yet redrawn");

    ViewGame fresh(W, H);
    for (const Pt& c : centres) {
        EXPECT_FALSE(fresh.game->HitLeftEnd(c.x, c.y));
        EXPECT_FALSE(fresh.game->HitRightEnd(c.x, c.y));
    }
}

TEST_F(TableViewTest, MarkersAreDrawnOnlyWhileTheirTargetIsSet) {
    shortChain();
    const auto frame = [&](bool left, bool right) {
        game.SetLeftTarget(left);
        game.SetRightTarget(right);
        game.RedrawTable();
        return render().ToQImage().copy();
    };
    const QImage both = frame(true, true);
    Pt at[2];  // left, right marker centres in the render bitmap
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(view.MarkerCentre(i == 0, at[i].x, at[i].y));
        at[i].x -= 135;
        at[i].y -= 100;
    }
    const QImage none = frame(false, false);
    const QImage rightOnly = frame(false, true);
    const QImage leftOnly = frame(true, false);
    const QImage noneAgain = frame(false, false);

    const auto same = [](const QImage& a, const QImage& b, Pt p) { return a.pixel(p.x, p.y) == b.pixel(p.x, p.y); };
    EXPECT_TRUE(noneAgain == none) << "a marker left something behind";
    EXPECT_FALSE(same(both, none, at[0]));
    EXPECT_FALSE(same(both, none, at[1]));
    EXPECT_FALSE(same(rightOnly, none, at[1]));
    EXPECT_TRUE(same(rightOnly, none, at[0]));
    EXPECT_FALSE(same(leftOnly, none, at[0]));
    EXPECT_TRUE(same(leftOnly, none, at[1]));
}

struct TriangleCase {
    const char* name;
    TableView::ScreenPoint a, b, c;
    double px, py;
    bool inside;
};

class PointInTriangleTest : public ::testing::TestWithParam<TriangleCase> {};

TEST_P(PointInTriangleTest, Classifies) {
    const TriangleCase& t = GetParam();
    EXPECT_EQ(TableView::PointInTriangle(t.a, t.b, t.c, t.px, t.py), t.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointInTriangleTest,
    ::testing::Values(
        TriangleCase{"inside", {0, 0}, {10, 0}, {0, 10}, 2, 2, true},
        TriangleCase{"inside other winding", {0, 0}, {0, 10}, {10, 0}, 2, 2, true},
        TriangleCase{"just inside the long edge", {0, 0}, {10, 0}, {0, 10}, 4.999, 4.999, true},
        TriangleCase{"just inside an axis edge", {0, 0}, {10, 0}, {0, 10}, 5, 0.001, true},
        TriangleCase{"on edge AB", {0, 0}, {10, 0}, {0, 10}, 5, 0, false},
        TriangleCase{"on edge AC", {0, 0}, {10, 0}, {0, 10}, 0, 5, false},
        TriangleCase{"on edge BC", {0, 0}, {10, 0}, {0, 10}, 5, 5, false},
        TriangleCase{"on edge BC other winding", {0, 0}, {0, 10}, {10, 0}, 5, 5, false},
        TriangleCase{"on a vertex", {0, 0}, {10, 0}, {0, 10}, 10, 0, false},
        TriangleCase{"beyond the long edge", {0, 0}, {10, 0}, {0, 10}, 6, 6, false},
        TriangleCase{"beside", {0, 0}, {10, 0}, {0, 10}, -1, 1, false},
        TriangleCase{"on an edge, slanted", {3, 7}, {13, 12}, {5, 20}, 8, 9.5, false},
        TriangleCase{"inside, slanted", {3, 7}, {13, 12}, {5, 20}, 7, 12, true},
        TriangleCase{"degenerate, point on its line", {0, 0}, {5, 5}, {10, 10}, 3, 3, false},
        TriangleCase{"degenerate, point off its line", {0, 0}, {5, 5}, {10, 10}, 3, 4, false},
        TriangleCase{"degenerate, one point", {4, 4}, {4, 4}, {4, 4}, 4, 4, false}),
    CaseName());

// ---- Textures ---------------------------------------------------------------------------

constexpr QRgb TextureRgb = qRgb(200, 40, 160);
bool nearTexture(int bgr) {
    const int r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    return std::abs(r - qRed(TextureRgb)) < 16 && std::abs(g - qGreen(TextureRgb)) < 16 &&
           std::abs(b - qBlue(TextureRgb)) < 16;
}

struct BadTexture {
    const char* name;
    std::function<void(TempFolder&, const std::string&)> make;
};

class TextureFallbackTest : public TableViewTest, public ::testing::WithParamInterface<BadTexture> {
protected:
    void writeJpeg(const std::string& name, const char* format = "JPG") {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(TextureRgb);
        ASSERT_TRUE(img.save(QString::fromStdString(folder.path() + "/" + name), format));
    }
    void setAll(const std::string& path) {
        game.SetBackgroundTexture(path);
        game.SetDominoesTexture(path);
        game.SetBackDominoesTexture(path);
    }
    // A face-up and a face-down 0-0 lying at window points; a pixel of each tile's body.
    std::pair<int, int> flatTilePixels() {
        const int T = view.TileSize;
        view.PaintTile(game, MoveOf(0, 0, 0).Tile, 200 - game.ChainOriginX, 650 - game.ChainOriginY, true, 0);
        view.PaintTile(game, MoveOf(0, 0, 0).Tile, 300 - game.ChainOriginX, 650 - game.ChainOriginY, false, 0);
        return {surface().Pixel(200 - T / 4, 650), surface().Pixel(300 - T / 4, 650)};
    }
};

TEST_P(TextureFallbackTest, AFileThatIsNoJpegLeavesThePlainColours) {
    writeJpeg("good.jpg");
    GetParam().make(folder, "bad.jpg");

    // A real JPEG is used everywhere it belongs ...
    setAll("good.jpg");
    ASSERT_TRUE(view.BackgroundTexture && view.DominoesTexture && view.BackDominoesTexture);
    game.RedrawTable();
    EXPECT_TRUE(nearTexture(render().Pixel(3, 3)));
    auto [faceUp, faceDown] = flatTilePixels();
    EXPECT_TRUE(nearTexture(faceUp));
    EXPECT_TRUE(nearTexture(faceDown));

    // ... and replacing it with a file that is none drops it for the plain colours.
    setAll("bad.jpg");
    EXPECT_FALSE(view.BackgroundTexture);
    EXPECT_FALSE(view.DominoesTexture);
    EXPECT_FALSE(view.BackDominoesTexture);
    game.RedrawTable();
    EXPECT_EQ(render().Pixel(3, 3), colour(Jeu::ThemeTable));
    std::tie(faceUp, faceDown) = flatTilePixels();
    EXPECT_EQ(faceUp, colour(Jeu::ThemeDominoes));
    EXPECT_EQ(faceDown, colour(Jeu::ThemeDominoesBack));
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextureFallbackTest,
    ::testing::Values(
        BadTexture{"text", [](TempFolder& f, const std::string& n) { f.write(n, "this is no picture\n"); }},
        BadTexture{"empty", [](TempFolder& f, const std::string& n) { f.write(n, ""); }},
        BadTexture{"missing", [](TempFolder&, const std::string&) {}},
        BadTexture{"png named jpg",
                   [](TempFolder& f, const std::string& n) {
                       QImage img(16, 16, QImage::Format_RGB32);
                       img.fill(TextureRgb);
                       img.save(QString::fromStdString(f.path() + "/" + n), "PNG");
                   }},
        BadTexture{"truncated jpeg",
                   [](TempFolder& f, const std::string& n) {
                       QImage img(64, 64, QImage::Format_RGB32);
                       img.fill(TextureRgb);
                       img.save(QString::fromStdString(f.path() + "/full.jpg"), "JPG");
                       f.write(n, f.read("full.jpg").substr(0, 40));
                   }}),
    CaseName());

TEST_F(TableViewTest, TexturesNamedInTheSetupAreLoadedWhenTheGameIsBuilt) {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(TextureRgb);
    ASSERT_TRUE(img.save(QString::fromStdString(folder.path() + "/table.jpg"), "JPG"));
    folder.write("face.jpg", "GIF89a not a jpeg");
    GameSetup setup = viewtest::TableSetup();
    setup.BackgroundTexturePath = "table.jpg";
    setup.DominoesTexturePath = "face.jpg";
    setup.BackDominoesTexturePath = "nowhere.jpg";
    ViewGame textured(W, H, setup);
    EXPECT_TRUE(textured.view->BackgroundTexture);
    EXPECT_FALSE(textured.view->DominoesTexture);
    EXPECT_FALSE(textured.view->BackDominoesTexture);
    EXPECT_TRUE(nearTexture(textured.view->Target.RenderBitmap.Pixel(10, 10))) << "the first redraw uses it";
}

// ---- Sizes and placement ----------------------------------------------------------------

TEST_F(TableViewTest, ResizingGivesTheRenderBitmapAndChainOriginOfAViewSetUpAtThatSize) {
    EXPECT_EQ(render().Width(), W - 280);
    EXPECT_EQ(render().Height(), H - 320);
    EXPECT_EQ(view.Target.DepthBuffer.Height(), H - 320);

    struct Resize {
        const char* name;
        int w, h;
        std::function<void(Jeu&, int, int)> apply;
    };
    const Resize cases[] = {
        {"height", W, 700, [](Jeu& g, int, int h) { g.SetViewHeight(h); }},
        {"width", 900, H, [](Jeu& g, int w, int) { g.SetViewWidth(w); }},
    };
    for (const Resize& r : cases) {
        SCOPED_TRACE(r.name);
        surface().SetSize(r.w, r.h);
        game.InitView();
        const int setUpRows = render().Height();
        EXPECT_EQ(setUpRows, r.h - 320);
        game.ChainOriginX = 17;  // as a deal at another width left it
        r.apply(game, r.w, r.h);
        EXPECT_EQ(render().Width(), r.w - 280);
        EXPECT_EQ(render().Height(), setUpRows);
        EXPECT_EQ(view.Target.ViewRect.Right, r.w - 140);
        EXPECT_EQ(view.Target.ViewRect.Bottom, r.h - 220);
        if (std::string(r.name) == "width") {
            EXPECT_EQ(game.ChainOriginX, r.w / 2);
        }
    }
}

// The whole surface after a redraw: the render bitmap at (135, 100), nothing else touched.
void expectRenderBitmapAt135x100(platform::Bitmap& surface, const platform::Bitmap& render,
                                 int minShown = 1000) {
    const int bw = render.Width(), bh = render.Height();
    int inside = 0, outside = 0, shown = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const bool in = x >= 135 && x < 135 + bw && y >= 100 && y < 100 + bh;
            if (in) {
                inside += surface.Pixel(x, y) != render.Pixel(x - 135, y - 100);
                shown += render.Pixel(x - 135, y - 100) != render.Pixel(0, 0);
            } else {
                outside += surface.Pixel(x, y) != Sentinel;
            }
        }
    EXPECT_EQ(inside, 0) << "pixels that differ from the render bitmap";
    EXPECT_EQ(outside, 0) << "pixels changed outside the render bitmap's place";
    EXPECT_GE(shown, minShown) << "the chain should be drawn";
}

TEST_F(TableViewTest, RedrawPutsTheRenderBitmapAt135x100AndNowhereElse) {
    shortChain();
    game.SetRightTarget(true);
    fillSurface(Sentinel);
    game.RedrawTable();
    expectRenderBitmapAt135x100(surface(), render());

    // After a resize the redraw still draws it whole at the same place and nothing beyond it.
    surface().SetSize(W, 700);
    game.SetViewHeight(700);
    fillSurface(Sentinel);
    game.RedrawTable();
    EXPECT_EQ(render().Height(), 700 - 320);
    expectRenderBitmapAt135x100(surface(), render());
}

// ---- Hands, counts and messages -----------------------------------------------------------

struct HandFlags {
    const char* name;
    bool seat0, seat1, seat2;
};

class PaintHandsTest : public TableViewTest, public ::testing::WithParamInterface<HandFlags> {
protected:
    const int s = (H - 250) / 2 - 120;
    const int e = (W - 270) / 2;
    Pt seat0Tile(int i) const { return {75, s + 185 + i * 18}; }
    Pt seat2Tile(int i) const { return {W - 90, s + 185 + i * 18}; }
    Pt seat1Tile(int j) const { return {e + 10 + j * 24, H - 175}; }
};

TEST_P(PaintHandsTest, TilesSitInTheirPanelsFaceUpOrDownAndLeaveNoTrace) {
    const HandFlags f = GetParam();
    viewtest::GiveHands(game, {std::vector<Domino>{D(1, 0), D(2, 0), D(3, 0), D(4, 0), D(5, 0)},
                               std::vector<Domino>{D(1, 0), D(0, 1), D(2, 3), D(6, 6)},
                               std::vector<Domino>{D(1, 1), D(2, 2), D(3, 3)}});
    game.PaintHands(f.seat0, f.seat1, f.seat2);
    EXPECT_EQ(game.HandView, (std::array<bool, 3>{f.seat0, f.seat1, f.seat2}));

    const int table = colour(Jeu::ThemeTable), dots = colour(Jeu::ThemeDots);
    const auto body = [&](bool up) { return colour(up ? Jeu::ThemeDominoes : Jeu::ThemeDominoesBack); };
    // Lying tiles of the side seats, 40 x 20: the middle bar runs down their centre.
    for (int i = 0; i < 5; ++i) {
        const Pt p = seat0Tile(i);
        SCOPED_TRACE("seat 0 tile " + std::to_string(i));
        EXPECT_EQ(surface().Pixel(p.x, p.y), f.seat0 ? dots : body(false));
        EXPECT_EQ(surface().Pixel(p.x - 18, p.y), body(f.seat0));
        EXPECT_EQ(surface().Pixel(p.x - 21, p.y), table);
        EXPECT_EQ(surface().Pixel(p.x + 20, p.y), table);
    }
    for (int k = 0; k < 3; ++k) {
        const Pt p = seat2Tile(k);
        SCOPED_TRACE("seat 2 tile " + std::to_string(k));
        EXPECT_EQ(surface().Pixel(p.x, p.y), f.seat2 ? dots : body(false));
        EXPECT_EQ(surface().Pixel(p.x - 18, p.y), body(f.seat2));
        EXPECT_EQ(surface().Pixel(p.x + 20, p.y), table);
    }
    // Standing tiles of the local player, 24 x 48, side by side; the bar runs across, the
    // pips of the first value in the upper half.
    for (int j = 0; j < 4; ++j) {
        const Pt p = seat1Tile(j);
        SCOPED_TRACE("seat 1 tile " + std::to_string(j));
        EXPECT_EQ(surface().Pixel(p.x, p.y), f.seat1 ? dots : body(false));
        EXPECT_EQ(surface().Pixel(p.x - 10, p.y - 3), body(f.seat1));
        EXPECT_EQ(surface().Pixel(p.x, p.y - 25), table);
        EXPECT_EQ(surface().Pixel(p.x, p.y + 24), table);
    }
    if (f.seat1) {
        EXPECT_EQ(surface().Pixel(seat1Tile(0).x, seat1Tile(0).y - 12), dots) << "1-0 shows its 1 above";
        EXPECT_EQ(surface().Pixel(seat1Tile(0).x, seat1Tile(0).y + 12), body(true));
        EXPECT_EQ(surface().Pixel(seat1Tile(1).x, seat1Tile(1).y - 12), body(true)) << "0-1 shows its 1 below";
        EXPECT_EQ(surface().Pixel(seat1Tile(1).x, seat1Tile(1).y + 12), dots);
    }
    EXPECT_EQ(surface().Pixel(seat1Tile(4).x, seat1Tile(4).y), table);

    // Tiles that have left the hands are gone on the next painting.
    game.Seats[0].TakeDomino(4);
    game.Seats[0].TakeDomino(0);
    game.Seats[1].TakeDomino(3);
    for (int k = 0; k < 3; ++k) game.Seats[2].TakeDomino(0);
    game.PaintHands(f.seat0, f.seat1, f.seat2);
    EXPECT_EQ(surface().Pixel(seat0Tile(2).x - 18, seat0Tile(2).y), body(f.seat0));
    EXPECT_EQ(surface().Pixel(seat0Tile(3).x, seat0Tile(3).y), table);
    EXPECT_EQ(surface().Pixel(seat0Tile(4).x, seat0Tile(4).y), table);
    EXPECT_EQ(surface().Pixel(seat1Tile(2).x - 10, seat1Tile(2).y - 3), body(f.seat1));
    EXPECT_EQ(surface().Pixel(seat1Tile(3).x, seat1Tile(3).y), table);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(surface().Pixel(seat2Tile(k).x, seat2Tile(k).y), table) << k;
}

INSTANTIATE_TEST_SUITE_P(Views, PaintHandsTest,
                         ::testing::Values(HandFlags{"playing", false, true, false},
                                           HandFlags{"sides shown", true, false, true},
                                           HandFlags{"round over", true, true, true}),
                         CaseName());

TEST_F(TableViewTest, FlatPipsAreTwoByTwoLeftOfAndAboveTheirCentre) {
    // A standing 48-pixel tile centred at (200, 300): the 1 above the bar centres its pip
    // T/4 = 12 up; the rectangle (x-1, y-1)-(x+1, y+1) fills two columns and two rows.
    view.TileSize = 48;
    fillSurface(Sentinel);
    view.PaintTile(game, D(1, 0), 200 - game.ChainOriginX, 300 - game.ChainOriginY, true, 1);
    const int dots = colour(Jeu::ThemeDots), body = colour(Jeu::ThemeDominoes);
    struct Pixel {
        int x, y;
        bool dot;
    };
    for (const Pixel p : {Pixel{199, 287, true}, Pixel{200, 287, true}, Pixel{199, 288, true},
                          Pixel{200, 288, true}, Pixel{201, 288, false}, Pixel{200, 289, false},
                          Pixel{198, 288, false}, Pixel{200, 286, false}})
        EXPECT_EQ(surface().Pixel(p.x, p.y), p.dot ? dots : body) << p.x << "," << p.y;
}

// The pixels of a rectangle of the surface that hold the given colour, as a mask.
std::vector<bool> colourMask(platform::Bitmap& b, int left, int top, int right, int bottom, int c) {
    std::vector<bool> m;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) m.push_back(b.Pixel(x, y) == c);
    return m;
}

// The text as the canvas draws it at (x, y), in a mask over the given rectangle.
std::vector<bool> textMask(int w, int h, int fontSize, int x, int y, const std::string& text,
                           int left, int top, int right, int bottom) {
    platform::Bitmap ref(w, h);
    platform::Canvas& c = ref.GetCanvas();
    c.SetFontSize(fontSize);
    c.SetTextBackground(platform::TextBackground::Transparent);
    c.SetFontColor(0xFFFFFF);
    c.TextOut(x, y, text);
    return colourMask(ref, left, top, right, bottom, 0xFFFFFF);
}

TEST_F(TableViewTest, RoundCountsReadPointBelowTwoAndPointsFromTwo) {
    game.RoundWins = {0, 1, 2};
    game.SeatToMove = 2;  // lights the seat's name, not its count
    game.PaintHands(false, true, false);

    const int s = (H - 250) / 2 - 120, e = (W - 270) / 2;
    struct Count {
        int seat;
        std::string text;
        int x, y;
        int left, right;  // the columns to compare: the count's, clear of the seat's name
    };
    const Count counts[] = {
        {0, "0 point", 20, s + 150, 0, 135},
        {1, "1 point", e, H - 124, e - 4, e + 120},
        {2, "2 points", W - 8 * 8 - 16, s + 150, W - 140, W},
    };
    for (const Count& c : counts) {
        SCOPED_TRACE("seat " + std::to_string(c.seat));
        const int textColour = colour(Jeu::ThemeNormalText);
        const auto drawn = colourMask(surface(), c.left, c.y - 2, c.right, c.y + 14, textColour);
        const auto expected = textMask(W, H, 6, c.x, c.y, c.text, c.left, c.y - 2, c.right, c.y + 14);
        EXPECT_GT(std::count(expected.begin(), expected.end(), true), 20);
        EXPECT_TRUE(drawn == expected) << "expected \"" << c.text << "\" at " << c.x << "," << c.y;
    }
}

TEST_F(TableViewTest, TheRulesDrawTheRoundAndPigMessagesOnTheWindow) {
    // Seat 0 lays its last tile and reaches three round wins: it wins the round and the
    // game, and the two seats without a round win are the pigs.
    game.ChainOriginX = W / 2;
    game.PlaceDomino(MoveOf(6, 6, LeftEndSide));
    viewtest::GiveHands(game, {std::vector<Domino>{D(6, 1)}, std::vector<Domino>{D(2, 3)},
                               std::vector<Domino>{D(4, 5)}});
    game.RoundWins = {2, 0, 0};
    game.SeatToMove = 0;
    game.TurnStep();
    ASSERT_TRUE(game.RoundOver);
    ASSERT_TRUE(game.GameOver);

    const std::string& n0 = game.Seats[0].Name;
    const std::string round = n0 + " has won the round";
    const std::string pigs = game.Seats[1].Name + " and " + game.Seats[2].Name + " are the pigs!";
    EXPECT_EQ(game.RoundText(), round);
    EXPECT_EQ(game.PigText(), pigs);
    const int lighted = colour(Jeu::ThemeLightedText);
    const struct {
        std::string text;
        int x, y;
    } messages[] = {{round, static_cast<int>(W / 2.0 - 10.0 * round.size() / 2), 130},
                    {pigs, game.ChainOriginX - static_cast<int>(10.0 * pigs.size() / 2), 160}};
    for (const auto& m : messages) {
        SCOPED_TRACE(m.text);
        const auto drawn = colourMask(surface(), 135, m.y - 2, W - 140, m.y + 26, lighted);
        const auto expected = textMask(W, H, 15, m.x, m.y, m.text, 135, m.y - 2, W - 140, m.y + 26);
        EXPECT_GT(std::count(expected.begin(), expected.end(), true), 100);
        EXPECT_TRUE(drawn == expected);
    }
    platform::Canvas& c = surface().GetCanvas();
    EXPECT_EQ(c.FontSize(), 10);
    EXPECT_EQ(c.GetTextBackground(), platform::TextBackground::Opaque);
    EXPECT_FALSE(c.HasBrushPicture());
    EXPECT_EQ(c.BrushColor(), colour(Jeu::ThemeTable));
}

// ---- Long chains ------------------------------------------------------------------------

struct WindowSize {
    const char* name;
    int w, h;
    bool wholeChainShown;  // else the bitmap's edges clip it, most of it or all
};

class LongChainTest : public ::testing::TestWithParam<WindowSize> {
protected:
    TempFolder folder;
};

// A seeded round of three computer seats whose chain turns both corners on both arms, laid
// out on windows of several sizes (the small one clips the chain at the bitmap's edges).
TEST_P(LongChainTest, RendersInsideItsBitmapAtEveryStep) {
    const WindowSize size = GetParam();
    const GameSetup setup = viewtest::TableSetup();
    const auto round = viewtest::FindLongRound(setup, 1, 2000);
    ASSERT_TRUE(round) << "no seeded round turned both corners on both arms";

    ViewGame vg(size.w, size.h, setup);
    vg.game->SetLeftTarget(true);
    vg.game->SetRightTarget(true);
    for (const DominoJoue& m : round->moves) {
        vg.surface.bitmap.GetCanvas().SetBrushColor(Sentinel);
        vg.surface.bitmap.GetCanvas().FillRect(0, 0, size.w, size.h);
        vg.game->PlaceDomino(m);
        expectRenderBitmapAt135x100(vg.surface.bitmap, vg.view->Target.RenderBitmap,
                                    size.wholeChainShown ? 1000 : 0);
        if (HasFailure()) break;
    }
    EXPECT_EQ(vg.game->LeftDirection, 2);
    EXPECT_EQ(vg.game->RightDirection, 2);
}

INSTANTIATE_TEST_SUITE_P(Windows, LongChainTest,
                         ::testing::Values(WindowSize{"w1024x768", 1024, 768, true},
                                           WindowSize{"w1920x1080", 1920, 1080, true},
                                           WindowSize{"w640x480", 640, 480, false},
                                           WindowSize{"w400x400", 400, 400, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same seed plays the same round whether or not a table view draws it.
TEST(LongRound, TheViewDoesNotChangeTheRound) {
    TempFolder folder;
    const GameSetup setup = viewtest::TableSetup();
    const auto round = viewtest::FindLongRound(setup, 1, 2000);
    ASSERT_TRUE(round);

    platform::SetFixedSeed(round->seed);
    viewtest::MemorySurface surface(W, H);
    Jeu game(std::make_unique<TableView>(surface), setup);
    game.Seats[1] = Joueur::CreateComputer("players/" + setup.ProfileFiles[1], 1, setup.UseRules);
    game.ResetScores();
    game.Deal();
    game.FirstLead();
    for (int step = 0; step < 200 && !game.RoundOver; ++step) game.TurnStep();
    ASSERT_TRUE(game.RoundOver);
    ASSERT_GE(game.Played.size(), round->moves.size());
    for (std::size_t i = 0; i < round->moves.size(); ++i) {
        EXPECT_EQ(game.Played[i].Tile.Value1, round->moves[i].Tile.Value1) << i;
        EXPECT_EQ(game.Played[i].Tile.Value2, round->moves[i].Tile.Value2) << i;
        EXPECT_EQ(game.Played[i].End, round->moves[i].End) << i;
    }
    platform::ClearFixedSeed();
}

} // namespace

// ---- The chain's models are kept between redraws ------------------------------------------

// Whatever a chain's picture depends on, changing it between two redraws changes the picture:
// a model kept from the previous redraw would show the old one.
TEST_F(TableViewTest, AKeptChainIsRebuiltWhenWhatItShowsChanges) {
    shortChain();
    const auto picture = [&] {
        game.RedrawTable();
        return render().ToQImage().copy();
    };
    struct Row {
        const char* name;
        std::function<void()> change;
    };
    const Row rows[] = {
        {"camera angle", [&] { game.CameraAngleY += 0.1; }},
        {"camera position", [&] { game.CameraPosition[0] += 100; }},
        {"chain origin", [&] { game.ChainOriginX += 40; }},
        {"dominoes colour", [&] { game.Theme[Jeu::ThemeDominoes] = 0x4080C0; }},
        {"dots colour", [&] { game.Theme[Jeu::ThemeDots] = 0xFF00FF; }},
        {"a tile placed", [&] { game.PlaceDomino(MoveOf(3, 2, RightEndSide)); }},
    };
    for (const Row& r : rows) {
        const QImage before = picture();
        EXPECT_EQ(picture(), before) << "an unchanged chain redraws the same: " << r.name;
        r.change();
        EXPECT_NE(picture(), before) << r.name;
    }
}
