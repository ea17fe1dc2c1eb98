#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>

#include "render3d/Model3D.h"

namespace render3d {

// Fills the model with one box from the origin of model space: Width along x, Height along
// y, Depth along z; eight vertices, twelve edges, six four-sided flat faces, colours[f]
// (0xBBGGRR) on face f. Face 2 is the z = Depth face. Pivot, the flags and VisibleFaces
// stay. With fewer than six colours it shows "Exception in BuildBox Method" and leaves the
// model as it was.
void BuildBox(T3DModel& model, std::int32_t width, std::int32_t height, std::int32_t depth,
              std::span<const std::int32_t> colours);
void BuildBox(T3DModel& model, std::int32_t width, std::int32_t height, std::int32_t depth,
              std::initializer_list<std::int32_t> colours);

} // namespace render3d
