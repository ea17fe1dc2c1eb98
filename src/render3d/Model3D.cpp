#include "render3d/Model3D.h"

#include <cmath>

#include "render3d/Failure.h"
#include "render3d/RenderTarget.h"

namespace render3d {

using detail::Fail;
using detail::Guarded;

namespace {
bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

template <class F> Vec3 GuardedVector(const char* message, F&& make) {
    Vec3 result;
    if (!Guarded(message, [&] {
            const Vec3 v = make();
            if (!Finite(v)) Fail("not a finite vector");
            result = v;
        }))
        return Vec3{};
    return result;
}
} // namespace

Vec3 Point3D(double x, double y, double z) {
    return GuardedVector("Exception in Point3D Method", [&] { return Vec3{x, y, z}; });
}

Vec3 Add(const Vec3& a, const Vec3& b) {
    return GuardedVector("Exception in Add Method", [&] { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; });
}

Vec3 Subtract(const Vec3& a, const Vec3& b) {
    return GuardedVector("Exception in Subtract Method",
                         [&] { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; });
}

Vec3 CrossProduct(const Vec3& a, const Vec3& b) {
    return GuardedVector("Exception in CrossProduct Method", [&] {
        return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    });
}

double DotProduct(const Vec3& a, const Vec3& b) {
    const double d = a.x * b.x + a.y * b.y + a.z * b.z;
    if (!std::isfinite(d)) Fail("DotProduct");
    return d;
}

double VectorLength(const Vec3& a) {
    const double l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    if (!std::isfinite(l)) Fail("VectorLength");
    return l;
}

Vec3 ScaleVector(const Vec3& a, double s) {
    const Vec3 v{a.x * s, a.y * s, a.z * s};
    if (!Finite(v)) Fail("ScaleVector");
    return v;
}

Vec3 Normalize(const Vec3& a, const Vec3& fallback) {
    try {
        const double length = VectorLength(a);
        if (length == 0) return fallback;
        return ScaleVector(a, 1 / length);
    } catch (...) {
        return fallback;
    }
}

T3DModel::T3DModel(RenderTarget& view) {
    view.ScreenCentreX = view.ViewRect.Right / 2;
    view.ScreenCentreY = view.ViewRect.Bottom / 2;
}

void T3DModel::Translate(const Vec3& target) {
    Guarded("Exception in Translate Method", [&] {
        const Vec3 offset{target.x - Pivot.x, target.y - Pivot.y, target.z - Pivot.z};
        if (!Finite(offset)) Fail("Translate");
        for (T3DVertex& v : Vertices) {
            const Vec3 moved{v.Position.x + offset.x, v.Position.y + offset.y, v.Position.z + offset.z};
            if (!Finite(moved)) Fail("Translate");
            v.Position = moved;
        }
    });
}

namespace {
// Turns (a, b) by the angle whose sine and cosine are given, about (pa, pb).
inline void Turn(double& a, double& b, double pa, double pb, long double s, long double c) {
    const long double da = static_cast<long double>(a) - pa;
    const long double db = static_cast<long double>(b) - pb;
    const long double na = da * c - db * s + pa;
    const long double nb = da * s + db * c + pb;
    a = static_cast<double>(na);
    b = static_cast<double>(nb);
}
} // namespace

void T3DModel::Rotate(std::uint8_t axis, double angle) {
    Guarded("Exception in Rotate Method", [&] {
        if (!std::isfinite(angle)) Fail("Rotate");
        const long double s = std::sin(static_cast<long double>(angle));
        const long double c = std::cos(static_cast<long double>(angle));
        // About y the turn runs from z to x: x' = x c + z s, z' = -x s + z c.
        auto turnPoint = [&](Vec3& p, const Vec3& centre) {
            switch (axis) {
            case 0: Turn(p.y, p.z, centre.y, centre.z, s, c); break;
            case 1: Turn(p.z, p.x, centre.z, centre.x, s, c); break;
            default: Turn(p.x, p.y, centre.x, centre.y, s, c); break;
            }
        };
        const Vec3 origin{};
        for (T3DVertex& v : Vertices) turnPoint(v.Position, Pivot);
        for (T3DFace& f : Faces) turnPoint(f.Normal, origin);
        for (T3DVertex& v : Vertices) turnPoint(v.Normal, origin);
    });
}

Vec3 FaceNormal(const T3DModel& model, int faceIndex) {
    Vec3 result;
    Guarded("Exception in FaceNormal Method", [&] {
        if (faceIndex < 0 || faceIndex >= static_cast<int>(model.Faces.size())) Fail("face index");
        const auto& indices = model.Faces[faceIndex].Indices;
        if (indices.size() < 3) Fail("face with fewer than three vertices");
        const int count = static_cast<int>(model.Vertices.size());
        for (int k = 0; k < 3; ++k)
            if (indices[k] < 0 || indices[k] >= count) Fail("vertex index");
        const Vec3& p0 = model.Vertices[indices[0]].Position;
        const Vec3& p1 = model.Vertices[indices[1]].Position;
        const Vec3& p2 = model.Vertices[indices[2]].Position;
        const Vec3 a{p1.x - p2.x, p1.y - p2.y, p1.z - p2.z};
        const Vec3 b{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
        const Vec3 cross{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        result = Normalize(cross);
    });
    return result;
}

} // namespace render3d
