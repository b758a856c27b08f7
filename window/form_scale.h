// The form's twips turned into pixels. The form was laid out for a UI font
// whose line is 13 px tall at 96 dots per inch (15 twips to the pixel): its
// tightest text slot, a status-bar panel inside its border, holds exactly
// that line. A UI font that needs more room scales every position and size
// of the form by one factor, as Windows scales a form with its system font,
// so the proportions stay and no control grows on its own. A smaller font
// keeps the design's size.
#pragma once

#include <QFont>
#include <QRect>

namespace vorelka::window {

inline constexpr int kTwipsPerPixel = 15;
// The height of the design font's line, in pixels.
inline constexpr int kDesignLineHeight = 13;

class FormScale {
 public:
  // The factor for `ui_font`, the font of the labels, buttons and status bar.
  explicit FormScale(const QFont& ui_font);
  // A fixed factor; 1 is the design.
  explicit FormScale(double factor) : factor_(factor) {}

  double factor() const { return factor_; }

  // Twips to pixels, rounded to the nearest (half away from zero): at the
  // design size the buttons' 1000 x 318 twips are 66.7 x 21.2 px, so 67 x 21.
  int Px(int twips) const;
  QRect Rect(int left, int top, int width, int height) const;

 private:
  double factor_;
};

}  // namespace vorelka::window
