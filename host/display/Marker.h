// A marker symbol as the simple display draws it: read once from the
// symbol's interfaces, then drawn with cairo centred on a device position.
//
// Shapes fill (circle, square, diamond) or stroke (cross, X) the square of
// the marker's size, turned by its angle counter-clockwise as seen on the
// device. Edges are not antialiased: a pixel takes the marker's colour
// exactly when its centre lies inside the shape, so that a marker drawn into
// a bitmap has one colour and clean edges against the background.
#pragma once

#include "frame/HostDisplay.h"

typedef struct _cairo cairo_t;

namespace zelph::host::display {

class Marker {
 public:
  // The symbol's size (points, turned into pixels at `dotsPerInch`), angle,
  // colour and, when it offers ISimpleMarkerSymbol, style (else a circle).
  // The colour's transparency byte and the filter's transparency (when
  // given) make the marker translucent; a symbol without colour draws
  // nothing.
  static Marker Read(IMarkerSymbol* symbol, double dotsPerInch, IDisplayFilter* filter);

  void Draw(cairo_t* context, double x, double y) const;

 private:
  void Outline(cairo_t* context) const;

  kestSimpleMarkerStyle m_Style = kestSMSCircle;
  double m_SizePixels = 0.0;
  double m_Degrees = 0.0;
  double m_Red = 0.0, m_Green = 0.0, m_Blue = 0.0;
  double m_Alpha = 0.0;
};

}  // namespace zelph::host::display
