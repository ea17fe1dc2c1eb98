#pragma once
#include <optional>
#include <span>
#include <vector>

#include "render3d/Model3D.h"
#include "render3d/RenderTarget.h"

// The rendering pipeline: light the vertices, project them, cull the faces that turn away
// from the eye, sort the rest far to near and fill them into the target's bitmap.
namespace render3d {

struct ScreenPosition {
    float x = 0;
    float y = 0;
};

// (FocalDistance / z) * (x, y) + screen centre, with no clipping. At z = 0 (or where the
// result is no finite float) it shows "Exception in PerspectiveProject method" and gives
// nothing.
std::optional<ScreenPosition> PerspectiveProject(const RenderTarget& target, const T3DVertex& vertex);

// Draws one model. Writes the target's LightDirection, the vertices' Used, Intensity,
// ScreenX and ScreenY, the faces' Centre and VisibleFaces (sorted by DepthKey, nearest
// first). A vertex whose projection fails keeps its previous screen position. On failure:
// "Exception in Render Method"; pixels already drawn stay.
void Render(RenderTarget& target, T3DModel& model);
// Draws the model's edges in white through the bitmap's canvas (Render calls it when
// WireFrame is set). On failure: "Exception in RenderWireFrame Method".
void RenderWireFrame(RenderTarget& target, T3DModel& model);
// Sorts faces[lo..hi] in place by DepthKey, ascending (not stable). On failure:
// "Exception in QuickSortFaces Method".
void QuickSortFaces(std::vector<T3DFace>& faces, int lo, int hi);

// Renders every model in order.
void RenderModels(RenderTarget& target, std::span<T3DModel> models);

// The screen positions Render left in the vertices of one of the model's faces (Faces, not
// VisibleFaces), in the face's order; empty for a face index or vertex index outside.
std::vector<ScreenPosition> FaceScreenPositions(const T3DModel& model, int faceIndex);

} // namespace render3d
