#include "window/form_scale.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace vorelka::window {

FormScale::FormScale(const QFont& ui_font)
    : factor_(std::max(1.0, static_cast<double>(QFontMetrics(ui_font).height()) / kDesignLineHeight)) {}

int FormScale::Px(int twips) const {
  return static_cast<int>(std::lround(twips * factor_ / kTwipsPerPixel));
}

QRect FormScale::Rect(int left, int top, int width, int height) const {
  // Right and bottom edges come from the scaled far edges, so neighbours
  // that touch in twips still touch in pixels.
  const int x = Px(left);
  const int y = Px(top);
  return QRect(x, y, Px(left + width) - x, Px(top + height) - y);
}

}  // namespace vorelka::window
