#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "RenderFixtures.h"
#include "render3d/ModelBuild.h"
#include "render3d/Render.h"

using namespace render3d;

namespace {

const std::vector<std::int32_t> kSix = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};

// A 200 x 200 target with its screen centre in the middle and the light behind the eye.
class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpTarget(target, 200, 200);
        target.LightPoint = {0, 0, -1000};
    }
    // A box of size 100 whose corner of least coordinates lies at origin.
    T3DModel BoxAt(const Vec3& origin, int size = 100) {
        T3DModel m(target);
        BuildBox(m, size, size, size, kSix);
        m.Translate(origin);
        return m;
    }
    // Which of the model's faces (by index in Faces) the visible list holds.
    static std::set<int> VisibleSet(const T3DModel& m) {
        std::set<int> out;
        for (const T3DFace& v : m.VisibleFaces)
            for (int f = 0; f < static_cast<int>(m.Faces.size()); ++f)
                if (m.Faces[f].Indices == v.Indices) out.insert(f);
        return out;
    }
    int CountDrawn() const {
        int n = 0;
        for (int y = 0; y < target.RenderBitmap.Height(); ++y)
            for (int x = 0; x < target.RenderBitmap.Width(); ++x)
                if (target.DepthBuffer[y][x] != 0) ++n;
        return n;
    }
    RenderTarget target;
};

TEST_F(RenderFixture, CullingKeepsExactlyTheFacesTurnedToTheEye) {
    struct Case {
        Vec3 origin;
        std::set<int> visible;
    };
    const std::vector<Case> cases = {
        {{-50, -50, 500}, {0}},          // straight ahead: only the near face
        {{0, -50, 500}, {0}},            // the x = 0 side is seen edge-on: dot 0 is not visible
        {{100, -50, 500}, {0, 3}},       // to the right: its left side shows too
        {{100, 100, 500}, {0, 3, 4}},    // right and below: three faces, the most there can be
        {{-300, -300, 500}, {0, 1, 5}},  // left and above
        {{-50, -50, -50}, {}},           // the eye inside the box: every face turns away
    };
    for (const Case& c : cases) {
        T3DModel m = BoxAt(c.origin);
        Render(target, m);
        EXPECT_EQ(VisibleSet(m), c.visible) << c.origin.x << "," << c.origin.y << "," << c.origin.z;
        EXPECT_LE(m.VisibleFaces.size(), 3u);
        for (const T3DFace& f : m.VisibleFaces) EXPECT_GT(DotProduct(f.Normal, ScaleVector(f.Centre, -1)), 0);
    }
}

TEST_F(RenderFixture, WithoutCullingEveryFaceIsSortedInPlace) {
    T3DModel m = BoxAt({-50, -50, 500});
    m.CullBackFaces = 0;
    Render(target, m);
    ASSERT_EQ(m.Faces.size(), 6u);
    ASSERT_EQ(m.VisibleFaces.size(), 6u);
    for (std::size_t i = 1; i < m.Faces.size(); ++i) EXPECT_LE(m.Faces[i - 1].DepthKey, m.Faces[i].DepthKey);
    EXPECT_EQ(m.Faces[0].Indices, (std::vector<std::int32_t>{0, 1, 3, 2})) << "the near face comes first";
    EXPECT_EQ(m.VisibleFaces[5].Indices, m.Faces[5].Indices);
}

TEST_F(RenderFixture, AllCulledDrawsNothingAndKeepsTheScreenPositions) {
    T3DModel m = BoxAt({-50, -50, 500});
    Render(target, m);
    const int drawn = CountDrawn();
    EXPECT_GT(drawn, 0);
    const float x0 = m.Vertices[0].ScreenX, y0 = m.Vertices[0].ScreenY;
    EXPECT_FLOAT_EQ(x0, 100 + 400.0f * -50 / 500);
    EXPECT_FLOAT_EQ(y0, 100 + 400.0f * -50 / 500);

    m.Translate({0, 0, -550});  // moves by target - pivot: the box now holds the eye
    m.Vertices[0].Intensity = 12345;
    Render(target, m);
    EXPECT_TRUE(m.VisibleFaces.empty());
    EXPECT_EQ(m.Vertices[0].ScreenX, x0);
    EXPECT_EQ(m.Vertices[0].ScreenY, y0);
    EXPECT_EQ(m.Vertices[0].Intensity, 12345);
    EXPECT_EQ(CountDrawn(), drawn);
}

TEST_F(RenderFixture, UsedMarksExactlyTheVerticesOfVisibleFaces) {
    T3DModel m = BoxAt({-50, -50, 500});
    for (T3DVertex& v : m.Vertices) v.Used = 1;
    Render(target, m);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(m.Vertices[i].Used, (i == 0 || i == 1 || i == 2 || i == 3) ? 1 : 0) << i;
}

TEST_F(RenderFixture, CentresOfSixAndSevenVertexFaces) {
    T3DModel m(target);
    m.CullBackFaces = 0;
    const std::vector<Vec3> ring = {{0, 0, 100}, {10, 0, 100}, {20, 5, 100}, {20, 20, 100},
                                    {10, 30, 100}, {0, 25, 100}, {-5, 10, 100}};
    for (const Vec3& p : ring) m.Vertices.push_back(At(p));
    T3DFace six, seven;
    six.Indices = {0, 1, 2, 3, 4, 5};
    seven.Indices = {0, 1, 2, 3, 4, 5, 6};
    m.Faces = {six, seven};
    Render(target, m);
    auto centreOf = [&](std::size_t n) {
        for (const T3DFace& f : m.Faces)
            if (f.Indices.size() == n) return f.Centre;
        return Vec3{-1, -1, -1};
    };
    const Vec3 mean{(0 + 10 + 20 + 20 + 10 + 0) / 6.0, (0 + 0 + 5 + 20 + 30 + 25) / 6.0, 100};
    EXPECT_NEAR(centreOf(6).x, mean.x, 1e-12);
    EXPECT_NEAR(centreOf(6).y, mean.y, 1e-12);
    EXPECT_NEAR(centreOf(6).z, 100, 1e-12);
    EXPECT_EQ(centreOf(7), (Vec3{10, 10, 100})) << "midpoint of vertex 0 and vertex 3";
}

TEST_F(RenderFixture, VertexIntensityRunsFrom75To205) {
    struct Case {
        Vec3 normal;
        int intensity;
    };
    // The light seen from the pivot (0, 0, 0) lies along -z.
    const std::vector<Case> cases = {
        {{0, 0, 0}, 75},                      // as BuildBox leaves it
        {{0, 0, -1}, 205},                    // the light direction itself
        {{0, 0, 1}, 75},                      // facing away: no less than ambient
        {{0, std::sqrt(3.0) / 2, -0.5}, 140},  // 75 + trunc(0.5 * 130)
        {{1, 0, 0}, 75},
    };
    for (const Case& c : cases) {
        T3DModel m(target);
        m.Vertices = {At(-10, -10, 100), At(10, -10, 100), At(0, 10, 100)};
        for (T3DVertex& v : m.Vertices) v.Normal = c.normal;
        T3DFace f;
        f.Indices = {0, 1, 2};
        f.Normal = {0, 0, -1};
        m.Faces = {f};
        Render(target, m);
        EXPECT_EQ(target.LightDirection, (Vec3{0, 0, -1}));
        for (const T3DVertex& v : m.Vertices) EXPECT_EQ(v.Intensity, c.intensity);
    }
}

TEST(QuickSortFaces, SortsWholeRecordsByKey) {
    const std::vector<std::vector<double>> lists = {
        {5, 1, 4, 1, 3}, {1}, {2, 1}, {3, 3, 3}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, {0, -1, 1e300, -1e300, 0.5, 0.25},
    };
    for (const auto& keys : lists) {
        std::vector<T3DFace> faces;
        for (double k : keys) {
            T3DFace f;
            f.DepthKey = k;
            f.Indices = {static_cast<std::int32_t>(k * 10), 1, 2};  // travels with its key
            faces.push_back(f);
        }
        QuickSortFaces(faces, 0, static_cast<int>(faces.size()) - 1);
        std::vector<double> want = keys;
        std::sort(want.begin(), want.end());
        for (std::size_t i = 0; i < faces.size(); ++i) {
            EXPECT_EQ(faces[i].DepthKey, want[i]);
            EXPECT_EQ(faces[i].Indices[0], static_cast<std::int32_t>(want[i] * 10));
        }
    }
    // Part of a list only.
    std::vector<T3DFace> part(5);
    const double keys[5] = {5, 1, 4, 1, 3};
    for (int i = 0; i < 5; ++i) part[i].DepthKey = keys[i];
    QuickSortFaces(part, 1, 3);
    EXPECT_EQ(part[0].DepthKey, 5);
    EXPECT_EQ(part[1].DepthKey, 1);
    EXPECT_EQ(part[2].DepthKey, 1);
    EXPECT_EQ(part[3].DepthKey, 4);
    EXPECT_EQ(part[4].DepthKey, 3);
}

TEST(QuickSortFaces, RangeOutsideTheListIsReported) {
    MessageLog log;
    std::vector<T3DFace> faces(3);
    faces[0].DepthKey = 3;
    QuickSortFaces(faces, 0, 3);
    QuickSortFaces(faces, -1, 2);
    EXPECT_EQ(log.texts, (std::vector<std::string>{"Exception in QuickSortFaces Method",
                                                   "Exception in QuickSortFaces Method"}));
    EXPECT_EQ(faces[0].DepthKey, 3);
    QuickSortFaces(faces, 0, -1);  // an empty stretch: nothing to do
    EXPECT_EQ(log.texts.size(), 2u);
}

// Coplanar overlapping triangles have equal depth at a shared pixel, so the face drawn first
// keeps it: that is the farthest one, since faces are drawn far to near.
TEST_F(RenderFixture, FacesAreDrawnFarthestFirst) {
    T3DModel m(target);
    target.LightPoint = {0, 0, 1};  // pivot at the origin: light along +z, faces fully lit
    // World (x, y, 1000) is pixel (100 + 0.4 x, 100 + 0.4 y). Greys tell the faces apart.
    struct Tri {
        std::vector<Vec3> corners;
        int grey;
    };
    const std::vector<Tri> tris = {
        {{{-200, -200, 1000}, {200, -200, 1000}, {0, 300, 1000}}, 50},     // centre (0, -33)
        {{{-50, -50, 1000}, {50, -50, 1000}, {0, 50, 1000}}, 100},         // centre (0, -17): nearest
        {{{-20, -400, 1000}, {900, -400, 1000}, {-20, 600, 1000}}, 150},   // centre (287, -67): farthest
    };
    for (const Tri& t : tris) {
        T3DFace f;
        for (const Vec3& p : t.corners) {
            f.Indices.push_back(static_cast<std::int32_t>(m.Vertices.size()));
            m.Vertices.push_back(At(p));
        }
        f.Normal = {0, 0, -1};
        f.Colour = {0, t.grey, 0};
        m.Faces.push_back(f);
    }
    Render(target, m);
    ASSERT_EQ(m.VisibleFaces.size(), 3u);
    EXPECT_EQ(m.VisibleFaces[0].Colour.Lightness, 100);
    EXPECT_EQ(m.VisibleFaces[1].Colour.Lightness, 50);
    EXPECT_EQ(m.VisibleFaces[2].Colour.Lightness, 150);
    EXPECT_LT(m.VisibleFaces[0].DepthKey, m.VisibleFaces[1].DepthKey);
    EXPECT_LT(m.VisibleFaces[1].DepthKey, m.VisibleFaces[2].DepthKey);
    EXPECT_EQ(target.RenderBitmap.Pixel(100, 100), 0x969696) << "(0, 0) lies in all three: the farthest keeps it";
    EXPECT_EQ(target.RenderBitmap.Pixel(86, 86), 0x323232) << "(-35, -35) lies in the first two only";
    EXPECT_EQ(target.RenderBitmap.Pixel(40, 40), 0x323232) << "(-150, -150) lies in the first only";
}

TEST_F(RenderFixture, WireFrameIgnoresFacesButStillRecomputesTheLight) {
    T3DModel m = BoxAt({-50, -50, 500});
    m.WireFrame = 1;
    m.VisibleFaces.resize(4);
    m.Pivot = {0, 0, -1000 - 5};  // light straight "ahead" of the pivot along +z
    target.LightDirection = {9, 9, 9};
    target.RenderBitmap.GetCanvas().SetPenColor(0x123456);
    Render(target, m);
    EXPECT_EQ(target.LightDirection, (Vec3{0, 0, 1}));
    EXPECT_EQ(m.VisibleFaces.size(), 4u) << "the faces are not looked at";
    EXPECT_EQ(CountDrawn(), 0) << "no depth is written";
    // Every vertex is projected, including those of faces that would be culled.
    EXPECT_FLOAT_EQ(m.Vertices[4].ScreenX, 100 + 400.0f * 50 / 600);
    // The near face's top edge (0,2) runs along row 60 from x 60 to 140, in white.
    EXPECT_EQ(target.RenderBitmap.Pixel(100, 60), 0xFFFFFF);
    EXPECT_EQ(target.RenderBitmap.GetCanvas().PenColor(), 0xFFFFFF);
    EXPECT_EQ(target.RenderBitmap.Pixel(100, 100), 0) << "faces are not filled";
}

TEST_F(RenderFixture, VertexAtZeroDepthReportsAndKeepsItsScreenPosition) {
    MessageLog log;
    T3DModel m(target);
    target.LightPoint = {0, 0, -1000};
    m.Vertices = {At(-100, -100, 0), At(100, -100, 200), At(0, 100, 200)};
    m.Vertices[0].ScreenX = 7;
    m.Vertices[0].ScreenY = 9;
    T3DFace f;
    f.Indices = {0, 1, 2};
    f.Normal = Normalize({2, 1, -2});  // the plane's normal, turned to the eye
    m.Faces = {f};
    Render(target, m);
    ASSERT_EQ(log.texts, std::vector<std::string>{"Exception in PerspectiveProject method"});
    EXPECT_EQ(log.captions[0], platform::SiteCaption);
    EXPECT_EQ(m.Vertices[0].ScreenX, 7);
    EXPECT_EQ(m.Vertices[0].ScreenY, 9);
    EXPECT_FLOAT_EQ(m.Vertices[1].ScreenX, 300);
    EXPECT_EQ(PerspectiveProject(target, m.Vertices[0]), std::nullopt);
}

TEST_F(RenderFixture, FaceWithAnIndexOutsideTheMeshEndsTheModelWithAMessage) {
    MessageLog log;
    T3DModel m = BoxAt({-50, -50, 500});
    m.Faces[2].Indices = {4, 5, 8, 6};
    Render(target, m);
    EXPECT_EQ(log.texts, std::vector<std::string>{"Exception in Render Method"});
    m.Faces[2].Indices = {4, 5};
    Render(target, m);
    EXPECT_EQ(log.texts.size(), 2u);
    m.Faces[2].Indices = {4, 5, 7, 6};
    m.Edges[3].B = -1;
    m.WireFrame = 1;
    Render(target, m);
    EXPECT_EQ(log.texts.back(), "Exception in RenderWireFrame Method");
}

TEST_F(RenderFixture, ScreenPositionsOfAFaceForHitTesting) {
    T3DModel m = BoxAt({-50, -50, 500});
    Render(target, m);
    const auto face2 = FaceScreenPositions(m, 2);
    ASSERT_EQ(face2.size(), 4u);
    EXPECT_FLOAT_EQ(face2[0].x, m.Vertices[4].ScreenX);
    EXPECT_FLOAT_EQ(face2[3].y, m.Vertices[6].ScreenY);
    EXPECT_TRUE(FaceScreenPositions(m, 6).empty());
    EXPECT_TRUE(FaceScreenPositions(m, -1).empty());

    std::vector<T3DModel> models;
    models.push_back(BoxAt({-50, -50, 500}));
    models.push_back(BoxAt({100, 100, 500}));
    RenderModels(target, models);
    EXPECT_EQ(models[1].VisibleFaces.size(), 3u);
}

} // namespace
