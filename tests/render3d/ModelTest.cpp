#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "RenderFixtures.h"
#include "render3d/FailureReports.h"
#include "render3d/ModelBuild.h"
#include "render3d/Model3D.h"
#include "render3d/Render.h"

using namespace render3d;

namespace {

constexpr std::int32_t kRed = 0x0000FF;   // platform colours: red in the low byte
constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kGreen = 0x00FF00;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kGrey = 0x808080;
constexpr std::int32_t kBlack = 0x000000;

void ExpectNear(const Vec3& got, const Vec3& want, double eps = 1e-9) {
    EXPECT_NEAR(got.x, want.x, eps);
    EXPECT_NEAR(got.y, want.y, eps);
    EXPECT_NEAR(got.z, want.z, eps);
}

T3DModel Box(int w, int h, int d) {
    T3DModel m;
    BuildBox(m, w, h, d, {kRed, kBlue, kGreen, kWhite, kGrey, kBlack});
    return m;
}

TEST(BuildBox, VerticesEdgesFacesAndNormals) {
    MessageLog log;
    const T3DModel m = Box(2, 3, 4);
    ASSERT_EQ(m.Vertices.size(), 8u);
    ASSERT_EQ(m.Edges.size(), 12u);
    ASSERT_EQ(m.Faces.size(), 6u);

    const Vec3 vertices[8] = {{0, 0, 0}, {0, 3, 0}, {2, 0, 0}, {2, 3, 0},
                              {2, 0, 4}, {2, 3, 4}, {0, 0, 4}, {0, 3, 4}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(m.Vertices[i].Position, vertices[i]) << "vertex " << i;
        EXPECT_EQ(m.Vertices[i].Normal, Vec3{}) << "vertex normals stay zero";
    }

    const std::pair<int, int> edges[12] = {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 5},
                                           {4, 5}, {4, 6}, {5, 7}, {6, 7}, {6, 0}, {7, 1}};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(m.Edges[i].A, edges[i].first) << "edge " << i;
        EXPECT_EQ(m.Edges[i].B, edges[i].second) << "edge " << i;
    }

    struct FaceCase {
        std::vector<std::int32_t> indices;
        Vec3 normal;
        HSLColor colour;
    };
    const std::vector<FaceCase> faces = {
        {{0, 1, 3, 2}, {0, 0, -1}, {0, 128, 256}},   // red
        {{2, 3, 5, 4}, {1, 0, 0}, {170, 128, 256}},  // blue
        {{4, 5, 7, 6}, {0, 0, 1}, {85, 128, 256}},   // green
        {{6, 7, 1, 0}, {-1, 0, 0}, {0, 255, 0}},     // white
        {{0, 2, 4, 6}, {0, -1, 0}, {0, 128, 0}},     // grey
        {{7, 5, 3, 1}, {0, 1, 0}, {0, 0, 0}},        // black
    };
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(m.Faces[f].Indices, faces[f].indices) << "face " << f;
        ExpectNear(m.Faces[f].Normal, faces[f].normal);
        EXPECT_EQ(m.Faces[f].Colour, faces[f].colour) << "face " << f;
        EXPECT_EQ(m.Faces[f].Gouraud, 0);
    }
    EXPECT_TRUE(log.texts.empty());
}

TEST(BuildBox, RebuildOverwritesAndKeepsTheModelsOwnFields) {
    T3DModel m;
    m.Pivot = {7, 8, 9};
    m.CullBackFaces = 0;
    m.WireFrame = 1;
    m.VisibleFaces.resize(2);
    m.Vertices.resize(11);
    m.Vertices[0].ScreenX = 42;
    m.Faces.resize(9);
    m.Faces[0].Indices = {5, 5, 5, 5, 5, 5};
    m.Faces[1].Gouraud = 1;
    BuildBox(m, 10, 20, 30, {kRed, kRed, kRed, kRed, kRed, kRed});
    EXPECT_EQ(m.Vertices.size(), 8u);
    EXPECT_EQ(m.Faces.size(), 6u);
    EXPECT_EQ(m.Faces[0].Indices, (std::vector<std::int32_t>{0, 1, 3, 2}));
    EXPECT_EQ(m.Faces[1].Gouraud, 0);
    EXPECT_EQ(m.Vertices[0].ScreenX, 42) << "only positions are written";
    EXPECT_EQ(m.Pivot, (Vec3{7, 8, 9}));
    EXPECT_EQ(m.CullBackFaces, 0);
    EXPECT_EQ(m.WireFrame, 1);
    EXPECT_EQ(m.VisibleFaces.size(), 2u);
}

TEST(BuildBox, FewerThanSixColoursIsRefusedAndLeavesTheModel) {
    MessageLog log;
    T3DModel m = Box(1, 1, 1);
    const std::vector<std::int32_t> five = {kRed, kRed, kRed, kRed, kRed};
    BuildBox(m, 50, 60, 70, five);
    ASSERT_EQ(log.texts, std::vector<std::string>{"Exception in BuildBox Method"});
    EXPECT_EQ(log.captions[0], platform::SiteCaption);
    EXPECT_EQ(m.Vertices[5].Position, (Vec3{1, 1, 1}));
    EXPECT_EQ(m.Faces[1].Colour, (HSLColor{170, 128, 256}));

    T3DModel empty;
    BuildBox(empty, 5, 5, 5, std::span<const std::int32_t>());
    EXPECT_TRUE(empty.Vertices.empty());
    EXPECT_TRUE(empty.Faces.empty());
}

TEST(BuildBox, DegenerateBoxGetsZeroNormalsSilentlyAndDrawsSafely) {
    MessageLog log;
    T3DModel m = Box(0, 100, 100);
    // Faces 0, 2, 4 and 5 collapse to lines; 1 and 3 are the two sides of one square.
    for (int f : {0, 2, 4, 5}) EXPECT_EQ(m.Faces[f].Normal, Vec3{}) << "face " << f;
    ExpectNear(m.Faces[1].Normal, {1, 0, 0});
    ExpectNear(m.Faces[3].Normal, {-1, 0, 0});
    EXPECT_TRUE(log.texts.empty());

    RenderTarget target;
    SetUpTarget(target, 40, 30);
    m.Translate({-20, -50, 500});
    Render(target, m);
    for (const T3DFace& f : m.VisibleFaces) EXPECT_NE(f.Normal, Vec3{}) << "a zero normal never passes culling";
    m.CullBackFaces = 0;
    Render(target, m);  // all six, the collapsed ones included
    EXPECT_TRUE(log.texts.empty());
}

TEST(Transforms, TranslateMovesThePivotPointAndRotateStillTurnsAboutTheOldPivot) {
    T3DModel m = Box(2, 2, 2);
    m.Pivot = {1, 1, 1};
    m.Translate({11, 21, 31});
    EXPECT_EQ(m.Vertices[0].Position, (Vec3{10, 20, 30}));
    EXPECT_EQ(m.Vertices[5].Position, (Vec3{12, 22, 32}));
    EXPECT_EQ(m.Pivot, (Vec3{1, 1, 1})) << "Translate leaves the pivot";
    ExpectNear(m.Faces[1].Normal, {1, 0, 0});

    // Half a turn about z through the old pivot (1, 1, 1): (10, 20) -> (-8, -18).
    m.Rotate(2, std::numbers::pi);
    ExpectNear(m.Vertices[0].Position, {-8, -18, 30}, 1e-9);
    ExpectNear(m.Faces[1].Normal, {-1, 0, 0});
}

TEST(Transforms, RotateAxesTable) {
    struct Case {
        std::uint8_t axis;
        double angle;
        Vec3 in;
        Vec3 out;
    };
    const double q = std::numbers::pi / 2;
    const std::vector<Case> cases = {
        {1, q, {1, 0, 0}, {0, 0, -1}},
        {1, q, {0, 0, 1}, {1, 0, 0}},
        {0, q, {5, 1, 0}, {5, 0, 1}},   // about x: x stays
        {0, q, {-3, 0, 1}, {-3, -1, 0}},
        {2, q, {1, 0, 7}, {0, 1, 7}},   // about z: z stays
        {3, q, {1, 0, 7}, {0, 1, 7}},   // any other axis value turns about z
        {255, q, {1, 0, 7}, {0, 1, 7}},
    };
    for (const Case& c : cases) {
        T3DModel m;
        m.Vertices.resize(1);
        m.Vertices[0].Position = c.in;
        m.Vertices[0].Normal = c.in;
        m.Faces.resize(1);
        m.Faces[0].Normal = c.in;
        m.Rotate(c.axis, c.angle);
        SCOPED_TRACE(testing::Message() << "axis " << int(c.axis));
        ExpectNear(m.Vertices[0].Position, c.out, 1e-12);
        ExpectNear(m.Vertices[0].Normal, c.out, 1e-12);
        ExpectNear(m.Faces[0].Normal, c.out, 1e-12);
    }
}

TEST(Transforms, FullTurnBringsEverythingBack) {
    T3DModel m = Box(3, 4, 5);
    m.Pivot = {10, -2, 7};
    for (T3DVertex& v : m.Vertices) v.Normal = Normalize(v.Position, {0, 0, 1});
    const T3DModel before = m;
    for (std::uint8_t axis : {0, 1, 2}) {
        m.Rotate(axis, 2 * std::numbers::pi);
        for (std::size_t i = 0; i < m.Vertices.size(); ++i) {
            ExpectNear(m.Vertices[i].Position, before.Vertices[i].Position, 1e-9);
            ExpectNear(m.Vertices[i].Normal, before.Vertices[i].Normal, 1e-12);
        }
        for (std::size_t f = 0; f < m.Faces.size(); ++f) ExpectNear(m.Faces[f].Normal, before.Faces[f].Normal, 1e-12);
    }
}

TEST(Vectors, ArithmeticAndNormalize) {
    EXPECT_EQ(Add({1, 2, 3}, {4, 5, 6}), (Vec3{5, 7, 9}));
    EXPECT_EQ(Subtract({1, 2, 3}, {4, 5, 6}), (Vec3{-3, -3, -3}));
    EXPECT_EQ(CrossProduct({1, 0, 0}, {0, 1, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(CrossProduct({2, 3, 4}, {5, 6, 7}), (Vec3{-3, 6, -3}));
    EXPECT_EQ(DotProduct({2, 3, 4}, {5, 6, 7}), 56);
    EXPECT_EQ(VectorLength({3, 4, 12}), 13);
    EXPECT_EQ(Point3D(1, 2, 3), (Vec3{1, 2, 3}));
    ExpectNear(Normalize({0, 3, 4}), {0, 0.6, 0.8});

    MessageLog log;
    EXPECT_EQ(Normalize({0, 0, 0}, {9, 9, 9}), (Vec3{9, 9, 9})) << "the output is left as it was";
    EXPECT_EQ(Normalize({0, 0, 0}), Vec3{});
    EXPECT_EQ(Normalize({1e300, 1e300, 0}, {1, 2, 3}), (Vec3{1, 2, 3})) << "length overflows";
    EXPECT_TRUE(log.texts.empty()) << "Normalize never reports";
}

TEST(Failures, EachOperationShowsItsOwnMessageAndReturns) {
    const double big = std::numeric_limits<double>::max();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* message;
        std::function<void()> action;
    };
    const std::vector<Case> cases = {
        {"Exception in Add Method", [&] { EXPECT_EQ(Add({big, 0, 0}, {big, 0, 0}), Vec3{}); }},
        {"Exception in Subtract Method", [&] { EXPECT_EQ(Subtract({-big, 0, 0}, {big, 0, 0}), Vec3{}); }},
        {"Exception in CrossProduct Method", [&] { EXPECT_EQ(CrossProduct({big, big, 0}, {big, -big, 0}), Vec3{}); }},
        {"Exception in Point3D Method", [&] { EXPECT_EQ(Point3D(nan, 0, 0), Vec3{}); }},
        {"Exception in Rotate Method",
         [&] {
             T3DModel m = Box(1, 2, 3);
             m.Rotate(1, std::numeric_limits<double>::infinity());
             EXPECT_EQ(m.Vertices[3].Position, (Vec3{1, 2, 0})) << "nothing turned";
         }},
        {"Exception in Translate Method",
         [&] {
             T3DModel m = Box(1, 2, 3);
             m.Translate({nan, 0, 0});
             EXPECT_EQ(m.Vertices[3].Position, (Vec3{1, 2, 0}));
         }},
        {"Exception in FaceNormal Method",
         [&] {
             T3DModel m = Box(1, 2, 3);
             EXPECT_EQ(FaceNormal(m, 6), Vec3{});
             m.Faces[0].Indices = {0, 1, 99, 2};
             EXPECT_EQ(FaceNormal(m, 0), Vec3{});
         }},
    };
    for (const Case& c : cases) {
        MessageLog log;
        c.action();
        ASSERT_FALSE(log.texts.empty()) << c.message;
        for (std::size_t i = 0; i < log.texts.size(); ++i) {
            EXPECT_EQ(log.texts[i], c.message);
            EXPECT_EQ(log.captions[i], platform::SiteCaption);
        }
    }
    // These three do not catch: the caller's handler sees the failure.
    EXPECT_ANY_THROW(DotProduct({big, 0, 0}, {big, 0, 0}));
    EXPECT_ANY_THROW(VectorLength({nan, 0, 0}));
    EXPECT_ANY_THROW(ScaleVector({big, 0, 0}, 10));
}

TEST(ScreenCentre, EveryModelMadeForAViewWritesItAgain) {
    RenderTarget target;
    target.ViewRect = {140, 110, 885, 549};
    T3DModel first(target);
    EXPECT_EQ(target.ScreenCentreX, 442);
    EXPECT_EQ(target.ScreenCentreY, 274);
    target.ViewRect = {0, 0, -7, 301};
    T3DModel second(target);
    EXPECT_EQ(target.ScreenCentreX, -3) << "integer division rounds toward zero";
    EXPECT_EQ(target.ScreenCentreY, 150);
    EXPECT_TRUE(second.Faces.empty());
    EXPECT_EQ(second.CullBackFaces, 1);
    EXPECT_EQ(second.WireFrame, 0);
}

} // namespace

TEST(Failures, AnOpenReportsScopeTellsEachMessageOnce) {
    const double big = std::numeric_limits<double>::max();
    const auto overflow = [&] { Add({big, 0, 0}, {big, 0, 0}); };
    const auto notANumber = [] { Point3D(std::numeric_limits<double>::quiet_NaN(), 0, 0); };
    MessageLog log;
    FailureReports game, other;
    {
        FailureReports::Scope scope(game);
        overflow();
        overflow();
        notANumber();
        {
            FailureReports::Scope inner(other);  // the innermost scope counts
            overflow();
            overflow();
        }
        overflow();
    }
    EXPECT_EQ(log.texts, (std::vector<std::string>{"Exception in Add Method", "Exception in Point3D Method",
                                                   "Exception in Add Method"}));
    log.texts.clear();
    overflow();
    overflow();
    EXPECT_EQ(log.texts.size(), 2u) << "outside any scope every failure is told";
    FailureReports::Scope again(game);
    overflow();
    EXPECT_EQ(log.texts.size(), 2u) << "the reports remember what they told";
    EXPECT_EQ(FailureReports::Current(), &game);
}
