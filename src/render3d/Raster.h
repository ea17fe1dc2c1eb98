#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "render3d/Model3D.h"

// The two face fillers of the renderer, the depth buffer and the bitmap clear.
//
// Depth: a larger value is nearer; 0 means nothing drawn yet; a pixel is drawn only where its
// depth is strictly greater than the stored one. Every filler keeps to the rows and columns
// that both the bitmap and the depth buffer have, whatever the points it is given.
namespace render3d {

struct RenderTarget;

class TDepthBuffer {
public:
    // width columns by height rows, all 0 (sizes below zero count as zero).
    void Reset(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row access, so that buffer[row][column] reads as usual. No range check.
    double* operator[](int row) { return values_.data() + static_cast<std::size_t>(row) * width_; }
    const double* operator[](int row) const {
        return values_.data() + static_cast<std::size_t>(row) * width_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<double> values_;
};

// A vertex of the flat path: its screen position rounded.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A vertex of the smooth path: rounded screen position and its lit colour, 0..255 scale.
struct SmoothVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    float Red = 0;
    float Green = 0;
    float Blue = 0;
};

// The plane of the face being filled, from the positions of its first three vertices:
// Normal = (P1 - P0) x (P2 - P0), D = Normal . P0.
struct FacePlane {
    Vec3 Normal;
    double D = 0;
};
// Fails (throws) when the face has fewer than three indices or one outside the mesh.
FacePlane ComputeFacePlane(const T3DModel& model, const T3DFace& face);

// Fills the whole render bitmap with its canvas's current brush (colour or tiled picture).
// Leaves the depth buffer alone. On failure: "Exception in ClearBitmap method".
void ClearBitmap(RenderTarget& target);

// Draws entry i of model.VisibleFaces flat-shaded, as triangles (Q0,Q1,Q2), (Q1,Q2,Q3), ...
// and (Qn-2, Qn-1, Q0). Row 0 of the bitmap is never drawn by this path.
void FlatFace(RenderTarget& target, T3DModel& model, int i);
// One flat triangle of entry i; failures are dropped silently.
void FlatTriangle(RenderTarget& target, const T3DModel& model, const std::array<ScreenPoint, 3>& points,
                  int i);
// Columns from the smaller to the larger x, both included, within the bitmap; a row
// outside the bitmap draws nothing.
void FlatSpan(RenderTarget& target, const FacePlane& plane, std::int32_t colour, int x1, int x2,
              int row);
// The lit colour of a flat face (0xBBGGRR): black when it turns away from the light,
// otherwise its converted colour scaled by how squarely it faces the light.
std::int32_t FlatColour(const RenderTarget& target, const T3DFace& face);

// Draws entry i of model.VisibleFaces smooth-shaded, as a fan about its first vertex, with
// each vertex lit by its Intensity. The visible face keeps the Lightness of its last vertex.
void GouraudFace(RenderTarget& target, T3DModel& model, int i);
// One smooth triangle of entry i. Spans stop one column short of their right end and the
// triangle one row short of its bottom row.
void GouraudPoly(RenderTarget& target, const T3DModel& model, std::array<SmoothVertex, 3> vertices,
                 int i);

// Depth of pixel (x, y) on the plane. FlatDepth: -1 where the ray runs along the plane,
// 1e9 where its parameter is 0. GouraudDepth: 1/FocalDistance times the flat value; -1
// along the plane, and 1e9 where the parameter is 0 (the same guard as the flat path).
double FlatDepth(const RenderTarget& target, const FacePlane& plane, int x, int y);
double GouraudDepth(const RenderTarget& target, const FacePlane& plane, int x, int y);

namespace detail {
// The fillers on a face of any list (Render draws the model's own faces when it does not cull).
void FlatFaceOf(RenderTarget& target, const T3DModel& model, const T3DFace& face);
void GouraudFaceOf(RenderTarget& target, const T3DModel& model, T3DFace& face);
} // namespace detail

} // namespace render3d
