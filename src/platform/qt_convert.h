#pragma once

#include <QRect>
#include <QString>
#include <string_view>

#include "common/twips.h"

namespace minizol {

// The core speaks UTF-8; Qt speaks UTF-16.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control's rectangle given in twips, in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

}  // namespace minizol
