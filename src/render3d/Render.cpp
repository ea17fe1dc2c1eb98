#include "render3d/Render.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "platform/Canvas.h"
#include "render3d/Failure.h"
#include "render3d/Raster.h"

namespace render3d {

using detail::Fail;
using detail::Guarded;

namespace {
constexpr int kAmbient = 75;
constexpr int kDiffuse = 130;

void SortRange(std::vector<T3DFace>& a, int lo, int hi) {
    int i = lo;
    int j = hi;
    const double mid = a[(lo + hi) / 2].DepthKey;
    do {
        while (i < hi && a[i].DepthKey < mid) ++i;
        while (j > lo && a[j].DepthKey > mid) --j;
        if (i <= j) {
            std::swap(a[i], a[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (j > lo) SortRange(a, lo, j);
    if (i < hi) SortRange(a, i, hi);
}

void ComputeCentre(const T3DModel& model, T3DFace& face) {
    const std::size_t n = face.Indices.size();
    if (n < 3) Fail("face size");
    const int count = static_cast<int>(model.Vertices.size());
    for (std::int32_t index : face.Indices)
        if (index < 0 || index >= count) Fail("vertex index");
    if (n <= 6) {
        Vec3 sum;
        for (std::int32_t index : face.Indices) sum = Add(sum, model.Vertices[index].Position);
        face.Centre = ScaleVector(sum, 1.0 / static_cast<double>(n));
    } else {
        const Vec3& a = model.Vertices[face.Indices[0]].Position;
        const Vec3& b = model.Vertices[face.Indices[(n - 1) / 2]].Position;
        face.Centre = ScaleVector(Add(a, b), 0.5);
    }
}

void ProjectInto(const RenderTarget& target, T3DVertex& v) {
    if (const auto p = PerspectiveProject(target, v)) {
        v.ScreenX = p->x;
        v.ScreenY = p->y;
    }
}

// Draws a line between two rounded screen points. A line that reaches far beyond the
// bitmap is first cut to a band around it, so the painter only sees modest coordinates.
void DrawEdge(platform::Canvas& canvas, int width, int height, double x0, double y0, double x1, double y1) {
    constexpr double kMargin = 1024;
    constexpr double kModest = 1 << 20;
    if (std::fabs(x0) > kModest || std::fabs(y0) > kModest || std::fabs(x1) > kModest ||
        std::fabs(y1) > kModest) {
        const double xmin = -kMargin, ymin = -kMargin, xmax = width + kMargin, ymax = height + kMargin;
        double t0 = 0, t1 = 1;
        const double dx = x1 - x0, dy = y1 - y0;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
        for (int k = 0; k < 4; ++k) {
            if (p[k] == 0) {
                if (q[k] < 0) return;
                continue;
            }
            const double t = q[k] / p[k];
            if (p[k] < 0) {
                if (t > t1) return;
                if (t > t0) t0 = t;
            } else {
                if (t < t0) return;
                if (t < t1) t1 = t;
            }
        }
        const double cx0 = x0 + t0 * dx, cy0 = y0 + t0 * dy, cx1 = x0 + t1 * dx, cy1 = y0 + t1 * dy;
        x0 = cx0, y0 = cy0, x1 = cx1, y1 = cy1;
    }
    canvas.MoveTo(static_cast<int>(std::nearbyint(x0)), static_cast<int>(std::nearbyint(y0)));
    canvas.LineTo(static_cast<int>(std::nearbyint(x1)), static_cast<int>(std::nearbyint(y1)));
}
} // namespace

std::optional<ScreenPosition> PerspectiveProject(const RenderTarget& target, const T3DVertex& vertex) {
    std::optional<ScreenPosition> result;
    Guarded("Exception in PerspectiveProject method", [&] {
        const Vec3& p = vertex.Position;
        if (p.z == 0) Fail("projection at z = 0");
        const double k = static_cast<double>(target.FocalDistance) / p.z;
        const double sx = k * p.x + target.ScreenCentreX;
        const double sy = k * p.y + target.ScreenCentreY;
        if (!(std::fabs(sx) <= FLT_MAX && std::fabs(sy) <= FLT_MAX)) Fail("projection out of range");
        result = ScreenPosition{static_cast<float>(sx), static_cast<float>(sy)};
    });
    return result;
}

void QuickSortFaces(std::vector<T3DFace>& faces, int lo, int hi) {
    Guarded("Exception in QuickSortFaces Method", [&] {
        if (lo >= hi) return;
        if (lo < 0 || hi >= static_cast<int>(faces.size())) Fail("sort range");
        SortRange(faces, lo, hi);
    });
}

void RenderWireFrame(RenderTarget& target, T3DModel& model) {
    Guarded("Exception in RenderWireFrame Method", [&] {
        for (T3DVertex& v : model.Vertices) ProjectInto(target, v);
        platform::Canvas& canvas = target.RenderBitmap.GetCanvas();
        canvas.SetPenColor(0xFFFFFF);
        const int count = static_cast<int>(model.Vertices.size());
        for (const T3DEdge& e : model.Edges) {
            if (e.A < 0 || e.A >= count || e.B < 0 || e.B >= count) Fail("edge index");
            const T3DVertex& a = model.Vertices[e.A];
            const T3DVertex& b = model.Vertices[e.B];
            DrawEdge(canvas, target.RenderBitmap.Width(), target.RenderBitmap.Height(),
                     detail::ScreenToInt(a.ScreenX), detail::ScreenToInt(a.ScreenY),
                     detail::ScreenToInt(b.ScreenX), detail::ScreenToInt(b.ScreenY));
        }
    });
}

void Render(RenderTarget& target, T3DModel& model) {
    Guarded("Exception in Render Method", [&] {
        target.LightDirection = Normalize(Subtract(target.LightPoint, model.Pivot), target.LightDirection);
        if (model.WireFrame) {
            RenderWireFrame(target, model);
            return;
        }
        for (T3DFace& face : model.Faces) ComputeCentre(model, face);

        // Without culling the model's own faces are the visible list: their keys are written
        // and they are reordered in place; VisibleFaces then shows the same faces.
        struct MirrorFaces {
            T3DModel& m;
            ~MirrorFaces() {
                if (!m.CullBackFaces) m.VisibleFaces = m.Faces;
            }
        } mirror{model};
        std::vector<T3DFace>& visible = model.CullBackFaces ? model.VisibleFaces : model.Faces;
        if (model.CullBackFaces) {
            model.VisibleFaces.clear();
            for (const T3DFace& face : model.Faces) {
                const Vec3 toEye{-face.Centre.x, -face.Centre.y, -face.Centre.z};
                if (DotProduct(face.Normal, toEye) > 0) model.VisibleFaces.push_back(face);
            }
        }
        if (visible.empty()) return;

        for (T3DVertex& v : model.Vertices) v.Used = 0;
        for (const T3DFace& face : visible)
            for (std::int32_t index : face.Indices) model.Vertices[index].Used = 1;
        // Every index of every visible face in turn; a shared vertex is lit and projected again.
        for (const T3DFace& face : visible) {
            for (std::int32_t index : face.Indices) {
                T3DVertex& v = model.Vertices[index];
                const double d = DotProduct(v.Normal, target.LightDirection);
                v.Intensity = detail::TruncToInt((d > 0 ? d : 0) * kDiffuse) + kAmbient;
                ProjectInto(target, v);
            }
        }
        for (T3DFace& face : visible) face.DepthKey = DotProduct(face.Centre, face.Centre);
        QuickSortFaces(visible, 0, static_cast<int>(visible.size()) - 1);

        for (int i = static_cast<int>(visible.size()) - 1; i >= 0; --i) {
            if (visible[i].Gouraud)
                detail::GouraudFaceOf(target, model, visible[i]);
            else
                detail::FlatFaceOf(target, model, visible[i]);
        }
    });
}

void RenderModels(RenderTarget& target, std::span<T3DModel> models) {
    for (T3DModel& model : models) Render(target, model);
}

std::vector<ScreenPosition> FaceScreenPositions(const T3DModel& model, int faceIndex) {
    std::vector<ScreenPosition> result;
    if (faceIndex < 0 || faceIndex >= static_cast<int>(model.Faces.size())) return result;
    const int count = static_cast<int>(model.Vertices.size());
    for (std::int32_t index : model.Faces[faceIndex].Indices) {
        if (index < 0 || index >= count) return {};
        result.push_back({model.Vertices[index].ScreenX, model.Vertices[index].ScreenY});
    }
    return result;
}

} // namespace render3d
