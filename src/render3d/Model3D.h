#pragma once
#include <cstdint>
#include <vector>

#include "render3d/ColorConv.h"

// Meshes of the software renderer and the vector arithmetic they use. Coordinates are camera
// coordinates: the eye at the origin, positive z in front of it, larger y lower on screen.
//
// Failures: Add, Subtract, CrossProduct, Point3D and the model operations catch their own
// failures (a result that is not a finite number, an index outside the mesh, a call the
// operation cannot carry out), show "Exception in <name> Method" and return; what they had
// already changed stays changed. DotProduct, VectorLength and ScaleVector throw
// detail::Failure to their caller instead. Normalize never reports.
namespace render3d {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const Vec3&) const = default;
};

// These four give (0, 0, 0) after a failure.
Vec3 Point3D(double x, double y, double z);
Vec3 Add(const Vec3& a, const Vec3& b);
Vec3 Subtract(const Vec3& a, const Vec3& b);
Vec3 CrossProduct(const Vec3& a, const Vec3& b);

double DotProduct(const Vec3& a, const Vec3& b);
double VectorLength(const Vec3& a);
Vec3 ScaleVector(const Vec3& a, double s);
// The unit vector along a; gives fallback, silently, when a has no length (or none that
// can be computed).
Vec3 Normalize(const Vec3& a, const Vec3& fallback = Vec3{});

struct T3DVertex {
    Vec3 Position;
    Vec3 Normal;                 // turned into Intensity by Render (smooth shading only)
    std::uint8_t Used = 0;       // belongs to a face that passed the last culling
    std::int32_t Intensity = 0;  // 75 to 205, written by Render
    float ScreenX = 0;           // projected position, written by Render
    float ScreenY = 0;
};

struct T3DEdge {
    std::int32_t A = 0;
    std::int32_t B = 0;
};

struct T3DFace {
    std::vector<std::int32_t> Indices;  // 3 to 255 vertex indices in drawing order
    Vec3 Centre;                        // written by Render
    double DepthKey = 0;                // written by Render on the visible copy
    Vec3 Normal;                        // unit face normal
    HSLColor Colour;
    std::uint8_t Gouraud = 0;           // 0 flat-shaded, otherwise smooth-shaded
};

struct RenderTarget;

class T3DModel {
public:
    // An empty model: no vertices, edges or faces, back faces culled, pivot at the origin.
    T3DModel() = default;
    // The same, made for a view: also sets the view's ScreenCentreX and ScreenCentreY to
    // half its ViewRect's right and bottom, as every model made for it does again.
    explicit T3DModel(RenderTarget& view);

    Vec3 Pivot;                        // centre of Rotate, reference of Translate, light origin
    std::uint8_t CullBackFaces = 1;
    std::uint8_t WireFrame = 0;
    std::vector<T3DFace> VisibleFaces;  // rebuilt by every Render
    std::vector<T3DVertex> Vertices;
    std::vector<T3DEdge> Edges;
    std::vector<T3DFace> Faces;

    // Moves the model so that what lay at Pivot lies at target; Pivot itself stays.
    void Translate(const Vec3& target);
    // Turns the model about a line through Pivot: axis 0 about x, 1 about y, any other
    // value about z. Angle in radians. Positions, face normals and vertex normals turn.
    void Rotate(std::uint8_t axis, double angle);
};

// The unit normal of one face from its first three vertices; (0, 0, 0) for a face whose
// first three vertices lie on one line.
Vec3 FaceNormal(const T3DModel& model, int faceIndex);

} // namespace render3d
