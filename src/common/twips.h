#pragma once

namespace minizol {

// Window layouts are given in twips; the screen counts 15 twips to a pixel, whatever its real
// resolution (the ruler measures in these pixels too).
inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

}  // namespace minizol
