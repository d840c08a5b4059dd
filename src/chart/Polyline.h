#pragma once

#include "DrawingSurface.h"

namespace kelvane::stdKelvane {

// Draws a polyline whose first point that can be placed is its start, so that a point that fails
// never leaves a stroke from wherever the surface last stood.
class Polyline {
 public:
  explicit Polyline(DrawingSurface& picture) : picture_(picture) {}
  void moveTo(float x, float y) {
    picture_.SetCurrentX(x);
    picture_.SetCurrentY(y);
    started_ = true;
  }
  void lineTo(float x, float y, Colour colour) {
    if (started_)
      picture_.LineTo(x, y, colour);
    else
      moveTo(x, y);
  }

 private:
  DrawingSurface& picture_;
  bool started_ = false;
};

}  // namespace kelvane::stdKelvane
