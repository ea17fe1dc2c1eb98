#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "RenderFixtures.h"
#include "platform/Canvas.h"
#include "render3d/ModelBuild.h"
#include "render3d/Raster.h"
#include "render3d/Render.h"

using namespace render3d;

namespace {

// An 8 x 6 bitmap with its screen centre at (4, 3), and one visible face whose plane is
// z = 1000 (depth 0.4 everywhere with the focal distance 400), fully lit, grey 200.
class RasterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpTarget(target, 8, 6);
        SetPlaneZ(1000);
        T3DFace f;
        f.Indices = {0, 1, 2};
        f.Normal = {0, 0, -1};
        f.Colour = {0, 200, 0};
        model.VisibleFaces = {f};
        target.LightDirection = {0, 0, 1};
    }
    void SetPlaneZ(double z) { model.Vertices = {At(0, 0, z), At(1, 0, z), At(0, 1, z)}; }

    // One string per row: '#' where a depth was written, '.' elsewhere.
    std::vector<std::string> Drawn() const {
        std::vector<std::string> rows;
        for (int y = 0; y < target.DepthBuffer.Height(); ++y) {
            std::string row;
            for (int x = 0; x < target.DepthBuffer.Width(); ++x) row += target.DepthBuffer[y][x] != 0 ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
    void Flat(ScreenPoint a, ScreenPoint b, ScreenPoint c) { FlatTriangle(target, model, {a, b, c}, 0); }
    void Smooth(ScreenPoint a, ScreenPoint b, ScreenPoint c, float r = 200, float g = 100, float bl = 50) {
        GouraudPoly(target, model, {SmoothVertex{a.x, a.y, r, g, bl}, {b.x, b.y, r, g, bl}, {c.x, c.y, r, g, bl}}, 0);
    }

    RenderTarget target;
    T3DModel model;
};

using Picture = std::vector<std::string>;

TEST_F(RasterFixture, FlatPathNeverDrawsRowZeroAndIncludesBothSpanEnds) {
    Flat({1, 0}, {6, 0}, {1, 4});
    EXPECT_EQ(Drawn(), (Picture{"........",  // row 0 never
                                ".####...",   // 6 - 1.25 = 4.75 -> 4, both ends drawn
                                ".###....",
                                ".##.....",
                                ".#......",
                                "........"}));
    EXPECT_EQ(target.RenderBitmap.Pixel(1, 4), 0xC8C8C8);
    EXPECT_EQ(target.RenderBitmap.Pixel(1, 0), 0);
}

TEST_F(RasterFixture, SmoothPathDrawsRowZeroAndStopsOneShort) {
    Smooth({1, 0}, {6, 0}, {1, 4});
    EXPECT_EQ(Drawn(), (Picture{".#####..",  // right end 6 left out
                                ".####...",   // 4.75 rounds to 5, minus one
                                ".###....",   // 3.5 rounds to 4 (halves to even), minus one
                                ".#......",   // 2.25 -> 2, minus one
                                "........",   // the bottom row is left out
                                "........"}));
    // Blue, green, red in memory.
    const std::uint8_t* line = target.RenderBitmap.ScanLine(0);
    EXPECT_EQ(line[3 * 1 + 0], 50);
    EXPECT_EQ(line[3 * 1 + 1], 100);
    EXPECT_EQ(line[3 * 1 + 2], 200);
}

TEST_F(RasterFixture, FlatTriangleOnOneRowIsOneSpan) {
    Flat({6, 2}, {1, 2}, {3, 2});
    EXPECT_EQ(Drawn()[2], ".######.");
    Flat({6, 0}, {1, 0}, {3, 0});
    EXPECT_EQ(Drawn()[0], "........");
    Flat({0, 6}, {7, 6}, {3, 6});  // below the bitmap
    EXPECT_EQ(Drawn()[5], "........");
}

TEST_F(RasterFixture, FlatSpanKeepsToTheBitmap) {
    const FacePlane plane = ComputeFacePlane(model, model.VisibleFaces[0]);
    FlatSpan(target, plane, 0x0000FF, 5, 2, 3);
    EXPECT_EQ(Drawn()[3], "..####..");
    FlatSpan(target, plane, 0x0000FF, -50, 100, 4);
    EXPECT_EQ(Drawn()[4], "########");
    FlatSpan(target, plane, 0x0000FF, 0, 7, -1);
    FlatSpan(target, plane, 0x0000FF, 0, 7, 6);
    EXPECT_EQ(target.RenderBitmap.Pixel(2, 3), 0x0000FF);
}

TEST_F(RasterFixture, EqualDepthIsNotRedrawnButNearerIs) {
    for (bool smooth : {false, true}) {
        SCOPED_TRACE(smooth ? "smooth" : "flat");
        target.ClearDepth();
        SetPlaneZ(1000);
        model.VisibleFaces[0].Colour = {0, 200, 0};
        auto draw = [&](float grey) {
            if (smooth)
                Smooth({0, 0}, {8, 0}, {0, 8}, grey, grey, grey);
            else
                Flat({0, 0}, {8, 0}, {0, 8});
        };
        draw(200);
        EXPECT_EQ(target.RenderBitmap.Pixel(2, 2), 0xC8C8C8);
        model.VisibleFaces[0].Colour = {0, 50, 0};
        draw(50);  // the same triangle again: same depth, nothing changes
        EXPECT_EQ(target.RenderBitmap.Pixel(2, 2), 0xC8C8C8);
        SetPlaneZ(2000);  // farther
        draw(50);
        EXPECT_EQ(target.RenderBitmap.Pixel(2, 2), 0xC8C8C8);
        SetPlaneZ(500);  // nearer
        draw(50);
        EXPECT_EQ(target.RenderBitmap.Pixel(2, 2), 0x323232);
    }
}

TEST_F(RasterFixture, DepthFunctions) {
    FacePlane plane = ComputeFacePlane(model, model.VisibleFaces[0]);
    EXPECT_DOUBLE_EQ(FlatDepth(target, plane, 2, 5), 0.4);
    EXPECT_DOUBLE_EQ(GouraudDepth(target, plane, 2, 5), 0.4 / 400) << "1 / f times the flat value";

    // The plane z = 0 holds the eye: the ray parameter is 0 everywhere.
    SetPlaneZ(0);
    plane = ComputeFacePlane(model, model.VisibleFaces[0]);
    EXPECT_EQ(FlatDepth(target, plane, 1, 1), 1e9);
    EXPECT_EQ(GouraudDepth(target, plane, 1, 1), 1e9);
    Smooth({0, 0}, {8, 0}, {0, 8});
    Flat({0, 0}, {8, 0}, {0, 8});
    EXPECT_EQ(target.DepthBuffer[1][1], 1e9);
}

TEST_F(RasterFixture, WhereTheRayRunsAlongThePlaneNothingIsDrawn) {
    // The plane x = 10 seen edge-on: den = 0 exactly in the screen centre's column 4;
    // depth dx / (dx - 10) with dx = 4 - x is positive right of it, negative left of it.
    model.Vertices = {At(10, 0, 1000), At(10, 0, 2000), At(10, 1, 1000)};
    const FacePlane plane = ComputeFacePlane(model, model.VisibleFaces[0]);
    EXPECT_EQ(FlatDepth(target, plane, 4, 3), -1);
    EXPECT_EQ(GouraudDepth(target, plane, 4, 3), -1);
    FlatSpan(target, plane, 0xFFFFFF, 0, 7, 3);
    EXPECT_EQ(Drawn()[3], ".....###");
    Smooth({0, 1}, {8, 1}, {0, 2});
    EXPECT_EQ(Drawn()[1], ".....###");

    // Three points on one line give no plane at all: never drawn, even on an empty buffer.
    model.Vertices = {At(0, 0, 1000), At(1, 1, 1000), At(2, 2, 1000)};
    target.ClearDepth();
    Flat({0, 0}, {8, 0}, {0, 8});
    Smooth({0, 0}, {8, 0}, {0, 8});
    EXPECT_EQ(Drawn(), Picture(6, "........"));
}

TEST_F(RasterFixture, FlatColourFollowsHowTheFaceMeetsTheLight) {
    struct Case {
        HSLColor colour;
        double facing;  // -(normal . light)
        std::int32_t expected;
    };
    const std::vector<Case> cases = {
        {{0, 200, 0}, 1, 0xC8C8C8},
        {{0, 200, 0}, 0.5, 0x646464},         // half of each channel
        {{0, 128, 256}, 1, 0x0101FF},         // red converted back: bytes 255, 1, 1
        {{0, 128, 256}, 0.5, 0x00007F},       // 127, and half of 1 is 0
        {{0, 200, 0}, 0, 0},                  // edge-on to the light
        {{0, 200, 0}, -0.25, 0},              // turned away from the light: black
    };
    for (const Case& c : cases) {
        target.ClearDepth();
        model.VisibleFaces[0].Colour = c.colour;
        target.LightDirection = {0, 0, c.facing};
        EXPECT_EQ(FlatColour(target, model.VisibleFaces[0]), c.expected) << c.facing;
        Flat({0, 1}, {7, 1}, {0, 5});
        EXPECT_EQ(target.RenderBitmap.Pixel(1, 2), c.expected) << c.facing;
        EXPECT_NE(target.DepthBuffer[2][1], 0) << "black is drawn, not skipped";
    }
}

TEST_F(RasterFixture, GouraudFaceFansAboutItsFirstVertexAndKeepsTheLastLightness) {
    model.Vertices = {At(0, 0, 1000), At(1, 0, 1000), At(1, 1, 1000), At(0, 1, 1000)};
    const float sx[4] = {1, 6, 6, 1}, sy[4] = {1, 1, 5, 5};
    for (int i = 0; i < 4; ++i) {
        model.Vertices[i].ScreenX = sx[i];
        model.Vertices[i].ScreenY = sy[i];
        model.Vertices[i].Intensity = 100;
    }
    model.Vertices[3].Intensity = 120;
    model.VisibleFaces[0].Indices = {0, 1, 2, 3};
    model.VisibleFaces[0].Gouraud = 1;
    GouraudFace(target, model, 0);
    EXPECT_EQ(Drawn(), (Picture{"........", ".#####..", ".#####..", ".#####..", ".#####..", "........"}));
    EXPECT_EQ(model.VisibleFaces[0].Colour.Lightness, 120);
    EXPECT_EQ(target.RenderBitmap.Pixel(5, 1), 0x646464) << "grey 100 along the top edge";
}

TEST_F(RasterFixture, BadFacesAreReportedNotDrawn) {
    MessageLog log;
    model.VisibleFaces[0].Indices = {0, 1, 7};
    FlatFace(target, model, 0);
    GouraudFace(target, model, 0);
    FlatFace(target, model, 1);
    GouraudPoly(target, model, {}, 0);
    EXPECT_EQ(log.texts, (std::vector<std::string>{"Exception in FlatFace Method", "Exception in GouraudFace Method",
                                                   "Exception in FlatFace Method",
                                                   "Exception in GouraudPoly Method"}));
    model.VisibleFaces[0].Indices.assign(256, 0);
    FlatFace(target, model, 0);
    EXPECT_EQ(log.texts.back(), "Exception in FlatFace Method") << "at most 255 vertices";
    log.texts.clear();
    Flat({0, 0}, {5, 5}, {0, 5});  // the flat triangle drops its failure silently
    EXPECT_TRUE(log.texts.empty());
    EXPECT_EQ(Drawn(), Picture(6, "........"));
}

TEST(ClearBitmap, FillsWithTheBrushColourOrTilesThePictureAndLeavesTheDepth) {
    RenderTarget target;
    target.Resize(10, 7);
    target.DepthBuffer[3][3] = 5;
    target.RenderBitmap.GetCanvas().SetBrushColor(0x336699);
    ClearBitmap(target);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(target.RenderBitmap.Pixel(x, y), 0x336699);
    EXPECT_EQ(target.DepthBuffer[3][3], 5);

    platform::Bitmap tile(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) tile.SetPixel(x, y, 0x100000 * (x + 1) + 0x10 * (y + 1));
    target.RenderBitmap.GetCanvas().SetBrushPicture(tile);
    ClearBitmap(target);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(target.RenderBitmap.Pixel(x, y), tile.Pixel(x % 3, y % 2)) << x << "," << y;
}

// ---- nothing is ever written outside the bitmap ----

// A 7 x 5 bitmap (rows of 21 bytes padded to 24) beside a depth buffer of a different size.
// The padding bytes hold a sentinel; the bitmap a background colour.
class OutsideFixture {
public:
    OutsideFixture(int depthWidth, int depthHeight) : depthWidth_(depthWidth), depthHeight_(depthHeight) {
        target.RenderBitmap.SetSize(kW, kH);
        Reset();
    }
    void Reset() {
        target.DepthBuffer.Reset(depthWidth_, depthHeight_);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) target.RenderBitmap.SetPixel(x, y, kBackground);
            std::uint8_t* line = target.RenderBitmap.ScanLine(y);
            for (int b = 3 * kW; b < target.RenderBitmap.ToQImage().bytesPerLine(); ++b) line[b] = kSentinel;
        }
    }
    // True when only pixels inside both the bitmap and the depth buffer were touched.
    ::testing::AssertionResult Clean() const {
        const TDepthBuffer& d = target.DepthBuffer;
        for (int y = 0; y < d.Height(); ++y)
            for (int x = 0; x < d.Width(); ++x)
                if ((x >= kW || y >= kH) && d[y][x] != 0)
                    return ::testing::AssertionFailure() << "depth written at " << x << "," << y;
        const int stride = target.RenderBitmap.ToQImage().bytesPerLine();
        for (int y = 0; y < kH; ++y) {
            const std::uint8_t* line = target.RenderBitmap.ScanLine(y);
            for (int b = 3 * kW; b < stride; ++b)
                if (line[b] != kSentinel) return ::testing::AssertionFailure() << "padding written on row " << y;
            for (int x = 0; x < kW; ++x) {
                const bool inDepth = x < d.Width() && y < d.Height();
                const bool drawn = inDepth && d[y][x] != 0;
                if (!drawn && target.RenderBitmap.Pixel(x, y) != kBackground)
                    return ::testing::AssertionFailure() << "pixel written without depth at " << x << "," << y;
            }
        }
        return ::testing::AssertionSuccess();
    }
    int DrawnCount() const {
        int n = 0;
        for (int y = 0; y < target.DepthBuffer.Height(); ++y)
            for (int x = 0; x < target.DepthBuffer.Width(); ++x) n += target.DepthBuffer[y][x] != 0;
        return n;
    }
    static constexpr int kW = 7;
    static constexpr int kH = 5;
    static constexpr int kBackground = 0x010203;
    static constexpr std::uint8_t kSentinel = 0xAB;
    RenderTarget target;

private:
    int depthWidth_;
    int depthHeight_;
};

std::int32_t RandomCoordinate(std::mt19937& rng) {
    switch (rng() % 4) {
    case 0: return std::uniform_int_distribution<std::int32_t>(-3, 10)(rng);
    case 1: return std::uniform_int_distribution<std::int32_t>(-40, 50)(rng);
    case 2: return std::uniform_int_distribution<std::int32_t>(-100000, 100000)(rng);
    default:
        return std::uniform_int_distribution<std::int32_t>(std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max())(rng);
    }
}

TEST(Outside, RandomTrianglesOfBothFillersStayInside) {
    const std::pair<int, int> depthSizes[] = {{10, 8}, {4, 3}, {7, 5}};
    long drawn[2] = {0, 0};
    for (const auto& [dw, dh] : depthSizes) {
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " depth " << dw << "x" << dh);
            std::mt19937 rng(seed);
            OutsideFixture fx(dw, dh);
            RenderTarget& target = fx.target;
            std::uniform_real_distribution<double> pos(-100, 100), z(-50, 1500), unit(-1, 1), colour(-60, 320);
            T3DModel model;
            model.VisibleFaces.resize(1);
            model.VisibleFaces[0].Indices = {0, 1, 2};
            for (int n = 0; n < 300; ++n) {
                target.ScreenCentreX = std::uniform_int_distribution<int>(-5, 12)(rng);
                target.ScreenCentreY = std::uniform_int_distribution<int>(-5, 12)(rng);
                const int focals[] = {400, 1, 0, -400};
                target.FocalDistance = focals[rng() % 4];
                model.Vertices = {At(pos(rng), pos(rng), z(rng)), At(pos(rng), pos(rng), z(rng)),
                                  At(pos(rng), pos(rng), z(rng))};
                T3DFace& face = model.VisibleFaces[0];
                face.Normal = {unit(rng), unit(rng), unit(rng)};
                face.Colour = {static_cast<int>(rng() % 256) - 43, static_cast<int>(rng() % 300),
                               static_cast<int>(rng() % 257)};
                target.LightDirection = Normalize({unit(rng), unit(rng), unit(rng)});
                std::array<ScreenPoint, 3> p;
                std::array<SmoothVertex, 3> s;
                for (int k = 0; k < 3; ++k) {
                    p[k] = {RandomCoordinate(rng), RandomCoordinate(rng)};
                    s[k] = {RandomCoordinate(rng), RandomCoordinate(rng), static_cast<float>(colour(rng)),
                            static_cast<float>(colour(rng)), static_cast<float>(colour(rng))};
                }
                for (int filler = 0; filler < 2; ++filler) {
                    fx.Reset();
                    if (filler == 0)
                        FlatTriangle(target, model, p, 0);
                    else
                        GouraudPoly(target, model, s, 0);
                    ASSERT_TRUE(fx.Clean()) << "triangle " << n << (filler ? " smooth" : " flat");
                    drawn[filler] += fx.DrawnCount();
                }
            }
        }
    }
    EXPECT_GT(drawn[0], 1000) << "the flat triangles must draw something for the check to mean anything";
    EXPECT_GT(drawn[1], 1000);
}

TEST(Outside, RandomBoxesThroughTheWholePipelineStayInside) {
    MessageLog log;  // vertices may land on z = 0
    long drawnTotal = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        OutsideFixture fx(9, 6);
        RenderTarget& target = fx.target;
        target.ViewRect = {0, 0, 7, 5};
        std::uniform_int_distribution<int> size(0, 300), place(-400, 400), depth(-300, 900);
        std::uniform_real_distribution<double> angle(-7, 7), unit(-1, 1);
        std::vector<T3DModel> models;
        for (int n = 0; n < 40; ++n) {
            T3DModel m(target);
            const std::int32_t c = static_cast<std::int32_t>(rng() & 0xFFFFFF);
            BuildBox(m, size(rng), size(rng), size(rng), {c, c ^ 0xFF, c ^ 0xFF00, c, c, c});
            m.Pivot = {static_cast<double>(place(rng)), static_cast<double>(place(rng)), 0};
            m.Translate({static_cast<double>(place(rng)), static_cast<double>(place(rng)),
                         static_cast<double>(depth(rng))});
            if (rng() % 2) m.Rotate(rng() % 3, angle(rng));
            m.CullBackFaces = rng() % 3 != 0;
            for (T3DFace& f : m.Faces) f.Gouraud = rng() % 2;
            for (T3DVertex& v : m.Vertices) v.Normal = Normalize({unit(rng), unit(rng), unit(rng)});
            models.push_back(std::move(m));
        }
        target.FocalDistance = 400;
        target.LightPoint = {unit(rng) * 1000, unit(rng) * 1000, 1200};
        RenderModels(target, models);
        EXPECT_TRUE(fx.Clean());
        drawnTotal += fx.DrawnCount();
        for (const std::string& t : log.texts) EXPECT_EQ(t, "Exception in PerspectiveProject method");
    }
    EXPECT_GT(drawnTotal, 100);
}

} // namespace

namespace {

TEST(Outside, WireFrameLinesFromFarOffScreenAreCutToTheBitmap) {
    MessageLog log;
    OutsideFixture fx(7, 5);
    RenderTarget& target = fx.target;
    target.ViewRect = {0, 0, 7, 5};  // centre (3, 2)
    T3DModel m(target);
    // Both ends project some 4e22 pixels away, on row 2.
    m.Vertices = {At(-1, 0, 1e-20), At(1, 0, 1e-20), At(0, -1, 1e-20)};
    m.Edges = {{0, 1}, {0, 2}};
    m.WireFrame = 1;
    Render(target, m);
    EXPECT_TRUE(log.texts.empty());
    for (int x = 0; x < OutsideFixture::kW; ++x) EXPECT_EQ(target.RenderBitmap.Pixel(x, 2), 0xFFFFFF) << x;
    EXPECT_EQ(target.RenderBitmap.Pixel(3, 0), OutsideFixture::kBackground);
    const int stride = target.RenderBitmap.ToQImage().bytesPerLine();
    for (int y = 0; y < OutsideFixture::kH; ++y)
        for (int b = 3 * OutsideFixture::kW; b < stride; ++b) EXPECT_EQ(target.RenderBitmap.ScanLine(y)[b], OutsideFixture::kSentinel);
}

} // namespace
