// Anti-aliased points and constant-alpha blending of one picture over another.
#pragma once

#include <cstdint>

#include "forms/picture_box.h"

namespace vel {

// Spreads a colour over the four pixels around (x, y); channels above 255
// are accepted and each blended channel is limited to 255.
void AAPlot(forms::PictureBox& surface, double x, double y, std::int16_t red, std::int16_t green,
            std::int16_t blue);
// The whole source stretched over the whole destination with constant alpha.
void AlphaBlendPicture(forms::PictureBox& source, forms::PictureBox& destination, std::uint8_t alpha);

}  // namespace vel
