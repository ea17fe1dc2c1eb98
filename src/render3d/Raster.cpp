#include "render3d/Raster.h"

#include <algorithm>
#include <cmath>

#include "platform/Canvas.h"
#include "render3d/ColorConv.h"
#include "render3d/Failure.h"
#include "render3d/RenderTarget.h"

namespace render3d {

using detail::Fail;
using detail::Guarded;
using detail::ReportFailure;
using detail::RoundToInt64;
using detail::ScreenToInt;

void TDepthBuffer::Reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    values_.assign(static_cast<std::size_t>(width_) * height_, 0.0);
}

namespace {

// The area every filler keeps to: what both the bitmap and the depth buffer cover.
int UsableWidth(const RenderTarget& t) { return std::min(t.RenderBitmap.Width(), t.DepthBuffer.Width()); }
int UsableHeight(const RenderTarget& t) { return std::min(t.RenderBitmap.Height(), t.DepthBuffer.Height()); }

bool IsVisibleIndex(const T3DModel& model, int i) {
    return i >= 0 && i < static_cast<int>(model.VisibleFaces.size());
}

// The face must have 3 to 255 vertices (the triangle count fits a byte), all in the mesh.
void CheckFace(const T3DModel& model, const T3DFace& face) {
    const std::size_t n = face.Indices.size();
    if (n < 3 || n > 255) Fail("face size");
    const int count = static_cast<int>(model.Vertices.size());
    for (std::int32_t index : face.Indices)
        if (index < 0 || index >= count) Fail("vertex index");
}

// Ray from the eye through pixel (x, y) against the plane: the two terms of both depths.
struct RayTerms {
    double den;
    double num;
};

inline RayTerms Ray(const RenderTarget& target, const FacePlane& plane, int x, int y) {
    const double dx = static_cast<double>(target.ScreenCentreX) - x;
    const double dy = static_cast<double>(target.ScreenCentreY) - y;
    const double f = target.FocalDistance;
    const Vec3& n = plane.Normal;
    return {f * n.z - n.x * dx - n.y * dy, plane.D - n.x * dx - n.y * dy};
}

inline double FlatDepthOf(const RenderTarget& target, const FacePlane& plane, int x, int y) {
    const RayTerms r = Ray(target, plane, x, y);
    const double t = r.den == 0 ? -1.0 : r.num / r.den;
    return t == 0 ? 1e9 : 1 / t;
}

inline double GouraudDepthOf(const RenderTarget& target, const FacePlane& plane, int x, int y) {
    const RayTerms r = Ray(target, plane, x, y);
    if (r.den == 0) return -1;
    const double t = r.num * target.FocalDistance / r.den;
    // The reciprocal has no value at t = 0; take the flat path's guard value there.
    return t == 0 ? 1e9 : 1 / t;
}

std::int64_t TruncToInt64(double v) {
    if (!(std::fabs(v) < 9.0e18)) Fail("integer conversion");
    return static_cast<std::int64_t>(v);
}

// ---- flat path ----

void FlatTriangleOf(RenderTarget& target, const T3DModel& model, const T3DFace& face,
                    const std::array<ScreenPoint, 3>& q) {
    try {
        const std::int32_t colour = FlatColour(target, face);
        const FacePlane plane = ComputeFacePlane(model, face);

        // Top: a point whose y is not greater than either other, the last such one.
        int top = 0;
        for (int k = 0; k < 3; ++k) {
            bool lowest = true;
            for (int o = 0; o < 3; ++o)
                if (o != k && q[k].y > q[o].y) lowest = false;
            if (lowest) top = k;
        }
        const int first = top == 0 ? 1 : 0;
        const int second = top == 2 ? 1 : 2;
        const int mid = q[first].y <= q[second].y ? first : second;
        const int bot = mid == first ? second : first;
        const ScreenPoint T = q[top], M = q[mid], B = q[bot];

        const std::int64_t H = UsableHeight(target);
        auto slope = [](const ScreenPoint& from, const ScreenPoint& to) {
            return (static_cast<double>(to.x) - from.x) / (static_cast<double>(to.y) - from.y);
        };
        auto span = [&](double xa, double xb, std::int64_t row) {
            FlatSpan(target, plane, colour, detail::TruncToInt(xa), detail::TruncToInt(xb),
                     static_cast<int>(row));
        };
        // Rows from first to last, both included, never row 0 and never below the bitmap.
        auto rows = [&](std::int64_t firstRow, std::int64_t lastRow, auto&& ends) {
            const std::int64_t from = std::max<std::int64_t>(firstRow, 1);
            const std::int64_t to = std::min<std::int64_t>(lastRow, H - 1);
            for (std::int64_t r = from; r <= to; ++r) {
                double xa, xb;
                ends(static_cast<double>(r), xa, xb);
                span(xa, xb, r);
            }
        };

        if (T.y == M.y && M.y == B.y) {
            if (T.y >= 1 && T.y < H)
                span(std::min({T.x, M.x, B.x}), std::max({T.x, M.x, B.x}), T.y);
        } else if (T.y == M.y) {  // flat top
            const double sTB = slope(T, B), sMB = slope(M, B);
            rows(T.y, B.y, [&](double r, double& xa, double& xb) {
                xa = T.x + (r - T.y) * sTB;
                xb = M.x + (r - M.y) * sMB;
            });
        } else if (M.y == B.y) {  // flat bottom
            const double sTM = slope(T, M), sTB = slope(T, B);
            rows(T.y, B.y, [&](double r, double& xa, double& xb) {
                xa = T.x + (r - T.y) * sTM;
                xb = T.x + (r - T.y) * sTB;
            });
        } else {  // general: row M is spanned by both parts
            const double sTB = slope(T, B), sTM = slope(T, M), sMB = slope(M, B);
            rows(T.y, M.y, [&](double r, double& xa, double& xb) {
                xa = T.x + (r - T.y) * sTB;
                xb = T.x + (r - T.y) * sTM;
            });
            rows(M.y, B.y, [&](double r, double& xa, double& xb) {
                xa = T.x + (r - T.y) * sTB;
                xb = M.x + (r - M.y) * sMB;
            });
        }
    } catch (...) {
        // A flat triangle drops its failures; the rest of it is not drawn.
    }
}

// ---- smooth path ----

struct Edge {
    double x, r, g, b;
    double dx, dr, dg, db;
};

Edge MakeEdge(const SmoothVertex& from, const SmoothVertex& to, double inverseHeight) {
    return {static_cast<double>(from.x),
            from.Red,
            from.Green,
            from.Blue,
            (static_cast<double>(to.x) - from.x) * inverseHeight,
            (static_cast<double>(to.Red) - from.Red) * inverseHeight,
            (static_cast<double>(to.Green) - from.Green) * inverseHeight,
            (static_cast<double>(to.Blue) - from.Blue) * inverseHeight};
}

// Advances an edge by some rows: one step at a time as a row loop would, or in one
// multiplication for a long run of rows above the bitmap.
void Advance(Edge& e, std::int64_t rows) {
    constexpr std::int64_t kStepByStep = 1 << 16;
    if (rows <= kStepByStep) {
        for (std::int64_t k = 0; k < rows; ++k) {
            e.x += e.dx;
            e.r += e.dr;
            e.g += e.dg;
            e.b += e.db;
        }
    } else {
        const double n = static_cast<double>(rows);
        e.x += e.dx * n;
        e.r += e.dr * n;
        e.g += e.dg * n;
        e.b += e.db * n;
    }
}

inline std::uint8_t ChannelByte(double c) { return static_cast<std::uint8_t>(RoundToInt64(c) & 0xFF); }

void SmoothSpan(RenderTarget& target, const FacePlane& plane, int y, const Edge& left, const Edge& right) {
    const std::int64_t W = UsableWidth(target);
    std::uint8_t* line = target.RenderBitmap.ScanLine(y);
    if (!line || W <= 0 || y >= target.DepthBuffer.Height()) return;
    double* depthRow = target.DepthBuffer[y];
    double w = right.x - left.x + 1;
    if (w == 0) w = 0.001;
    const double stepR = (right.r - left.r) / w;
    const double stepG = (right.g - left.g) / w;
    const double stepB = (right.b - left.b) / w;
    std::int64_t x0;
    double r, g, b;
    if (left.x < 0) {
        x0 = 0;
        const double skip = std::fabs(left.x);
        r = left.r + skip * stepR;
        g = left.g + skip * stepG;
        b = left.b + skip * stepB;
    } else {
        x0 = RoundToInt64(left.x);
        r = left.r;
        g = left.g;
        b = left.b;
    }
    std::int64_t x1 = right.x - 1 > static_cast<double>(W - 1) ? W - 1 : RoundToInt64(right.x) - 1;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, W - 1);
    for (std::int64_t x = x0; x <= x1; ++x) {
        const double d = GouraudDepthOf(target, plane, static_cast<int>(x), y);
        if (d > depthRow[x]) {
            std::uint8_t* p = line + 3 * x;
            p[0] = ChannelByte(b);
            p[1] = ChannelByte(g);
            p[2] = ChannelByte(r);
            depthRow[x] = d;
        }
        r += stepR;
        g += stepG;
        b += stepB;
    }
}

void GouraudPolyOf(RenderTarget& target, const T3DModel& model, const T3DFace& face,
                   std::array<SmoothVertex, 3> v) {
    Guarded("Exception in GouraudPoly Method", [&] {
        const FacePlane plane = ComputeFacePlane(model, face);

        // The largest y goes to slot 2 (the earlier slot wins a tie), then corners 0 and 1.
        int m;
        if (v[0].y >= v[1].y && v[0].y >= v[2].y)
            m = 0;
        else if (v[1].y >= v[2].y)
            m = 1;
        else
            m = 2;
        std::swap(v[m], v[2]);
        if (v[1].y <= v[0].y) std::swap(v[0], v[1]);

        double d02 = static_cast<double>(v[2].y) - v[0].y;
        double d01 = static_cast<double>(v[1].y) - v[0].y;
        if (d02 == 0) d02 = 0.001;
        if (d01 == 0) d01 = 0.001;
        const double inv02 = 1 / d02;
        const double inv01 = 1 / d01;

        const double longX = (static_cast<double>(v[2].x) - v[0].x) * d01 * inv02 + v[0].x;
        const bool middleOnRight = v[1].x > longX;
        Edge left, right;
        if (middleOnRight) {
            left = MakeEdge(v[0], v[2], inv02);
            right = MakeEdge(v[0], v[1], inv01);
        } else {
            left = MakeEdge(v[0], v[1], inv01);
            right = MakeEdge(v[0], v[2], inv02);
        }

        const std::int64_t H = UsableHeight(target);
        // Rows from first up to (not including) end; rows above the bitmap only advance.
        auto runRows = [&](std::int64_t first, std::int64_t end) {
            for (std::int64_t y = first; y < end; ++y) {
                if (y > H - 1) return;
                if (y < 0) {
                    const std::int64_t skip = std::min<std::int64_t>(end, 0) - y;
                    Advance(left, skip);
                    Advance(right, skip);
                    y += skip - 1;
                    continue;
                }
                SmoothSpan(target, plane, static_cast<int>(y), left, right);
                Advance(left, 1);
                Advance(right, 1);
            }
        };

        runRows(v[0].y, v[1].y);

        double d12 = static_cast<double>(v[2].y) - v[1].y;
        if (d12 == 0) d12 = 0.001;
        const Edge lower = MakeEdge(v[1], v[2], 1 / d12);
        if (middleOnRight)
            right = lower;
        else
            left = lower;
        runRows(v[1].y, v[2].y);
    });
}

} // namespace

FacePlane ComputeFacePlane(const T3DModel& model, const T3DFace& face) {
    if (face.Indices.size() < 3) Fail("face size");
    const int count = static_cast<int>(model.Vertices.size());
    for (int k = 0; k < 3; ++k)
        if (face.Indices[k] < 0 || face.Indices[k] >= count) Fail("vertex index");
    const Vec3& p0 = model.Vertices[face.Indices[0]].Position;
    const Vec3& p1 = model.Vertices[face.Indices[1]].Position;
    const Vec3& p2 = model.Vertices[face.Indices[2]].Position;
    const Vec3 e1{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
    const Vec3 e2{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
    FacePlane plane;
    plane.Normal = {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    plane.D = plane.Normal.x * p0.x + plane.Normal.y * p0.y + plane.Normal.z * p0.z;
    return plane;
}

double FlatDepth(const RenderTarget& target, const FacePlane& plane, int x, int y) {
    return FlatDepthOf(target, plane, x, y);
}

double GouraudDepth(const RenderTarget& target, const FacePlane& plane, int x, int y) {
    return GouraudDepthOf(target, plane, x, y);
}

void ClearBitmap(RenderTarget& target) {
    Guarded("Exception in ClearBitmap method", [&] {
        platform::Bitmap& bitmap = target.RenderBitmap;
        bitmap.GetCanvas().FillRect(0, 0, bitmap.Width(), bitmap.Height());
    });
}

std::int32_t FlatColour(const RenderTarget& target, const T3DFace& face) {
    const double facing = -DotProduct(face.Normal, target.LightDirection);
    if (facing < 0) return 0;
    const ByteTriple bgr = HSLToRGB(face.Colour);
    const std::int64_t c = bgr[2] | (bgr[1] << 8) | (bgr[0] << 16);
    const std::int64_t red = std::min<std::int64_t>(TruncToInt64((c & 0xFF) * facing), 0xFF);
    const std::int64_t green = std::min<std::int64_t>(TruncToInt64((c & 0xFF00) * facing) & 0xFF00, 0xFF00);
    const std::int64_t blue =
        std::min<std::int64_t>(TruncToInt64((c & 0xFF0000) * facing) & 0xFF0000, 0xFF0000);
    return static_cast<std::int32_t>(red + green + blue);
}

void FlatSpan(RenderTarget& target, const FacePlane& plane, std::int32_t colour, int x1, int x2, int row) {
    const int W = UsableWidth(target);
    const int H = UsableHeight(target);
    if (row < 0 || row >= H || W <= 0) return;
    const int from = std::max(std::min(x1, x2), 0);
    const int to = std::min(std::max(x1, x2), W - 1);
    std::uint8_t* line = target.RenderBitmap.ScanLine(row);
    double* depthRow = target.DepthBuffer[row];
    // The depth is 1 / t with t = num / den, both linear along the row; den / num gives the
    // same reciprocal with one division per pixel.
    const Vec3& n = plane.Normal;
    const double f = target.FocalDistance;
    const double dy = static_cast<double>(target.ScreenCentreY) - row;
    for (int x = from; x <= to; ++x) {
        const double dx = static_cast<double>(target.ScreenCentreX) - x;
        const double den = f * n.z - n.x * dx - n.y * dy;
        const double num = plane.D - n.x * dx - n.y * dy;
        const double d = den == 0 ? -1.0 : (num == 0 ? 1e9 : den / num);
        if (d > depthRow[x]) {
            depthRow[x] = d;
            platform::Bitmap::StorePixel(line, x, colour);  // the single-pixel write
        }
    }
}

void FlatTriangle(RenderTarget& target, const T3DModel& model, const std::array<ScreenPoint, 3>& points,
                  int i) {
    if (!IsVisibleIndex(model, i)) return;
    FlatTriangleOf(target, model, model.VisibleFaces[i], points);
}

void FlatFace(RenderTarget& target, T3DModel& model, int i) {
    if (!IsVisibleIndex(model, i)) {
        ReportFailure("Exception in FlatFace Method");
        return;
    }
    detail::FlatFaceOf(target, model, model.VisibleFaces[i]);
}

void GouraudPoly(RenderTarget& target, const T3DModel& model, std::array<SmoothVertex, 3> vertices, int i) {
    if (!IsVisibleIndex(model, i)) {
        ReportFailure("Exception in GouraudPoly Method");
        return;
    }
    GouraudPolyOf(target, model, model.VisibleFaces[i], vertices);
}

void GouraudFace(RenderTarget& target, T3DModel& model, int i) {
    if (!IsVisibleIndex(model, i)) {
        ReportFailure("Exception in GouraudFace Method");
        return;
    }
    detail::GouraudFaceOf(target, model, model.VisibleFaces[i]);
}

namespace detail {

void FlatFaceOf(RenderTarget& target, const T3DModel& model, const T3DFace& face) {
    Guarded("Exception in FlatFace Method", [&] {
        CheckFace(model, face);
        const std::size_t n = face.Indices.size();
        std::vector<ScreenPoint> q(n);
        for (std::size_t k = 0; k < n; ++k) {
            const T3DVertex& v = model.Vertices[face.Indices[k]];
            q[k] = {ScreenToInt(v.ScreenX), ScreenToInt(v.ScreenY)};
        }
        for (std::size_t j = 0; j + 2 < n; ++j) FlatTriangleOf(target, model, face, {q[j], q[j + 1], q[j + 2]});
        FlatTriangleOf(target, model, face, {q[n - 2], q[n - 1], q[0]});
    });
}

void GouraudFaceOf(RenderTarget& target, const T3DModel& model, T3DFace& face) {
    Guarded("Exception in GouraudFace Method", [&] {
        CheckFace(model, face);
        std::array<SmoothVertex, 3> corners;
        auto fill = [&](int slot, std::int32_t index) {
            const T3DVertex& v = model.Vertices[index];
            SmoothVertex& s = corners[slot];
            s.x = ScreenToInt(v.ScreenX);
            s.y = ScreenToInt(v.ScreenY);
            face.Colour.Lightness = v.Intensity;
            const ByteTriple bgr = HSLToRGB(face.Colour);
            s.Red = bgr[2];
            s.Green = bgr[1];
            s.Blue = bgr[0];
        };
        fill(0, face.Indices[0]);
        fill(1, face.Indices[1]);
        const std::size_t n = face.Indices.size();
        for (std::size_t j = 0; j + 2 < n; ++j) {
            fill(2 - static_cast<int>(j % 2), face.Indices[j + 2]);
            GouraudPolyOf(target, model, face, corners);
        }
    });
}

} // namespace detail

} // namespace render3d
