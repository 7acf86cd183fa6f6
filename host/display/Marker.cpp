#include "host/display/Marker.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/HostCall.h"
#include "host/display/DeviceMapping.h"
#include "platform/ComPtr.h"

namespace zelph::host::display {
namespace {

// Opacity from 0 to 1 of a transparency byte (0 clear, 255 opaque).
double Opacity(LONG transparency) { return std::clamp(transparency, LONG{0}, LONG{255}) / 255.0; }

struct Colour {
  LONG red = 0, green = 0, blue = 0;
  double opacity = 1.0;
};

Colour ReadColour(IColor* colour) {
  Colour read;
  CComQIPtr<IRgbColor> rgb(colour);
  if (rgb) {
    ThrowIfFailed(rgb->get_Red(&read.red));
    ThrowIfFailed(rgb->get_Green(&read.green));
    ThrowIfFailed(rgb->get_Blue(&read.blue));
  } else {
    LONG value = 0;
    ThrowIfFailed(colour->get_RGB(&value));
    read = {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
  }
  BYTE transparency = 255;
  if (SUCCEEDED(colour->get_Transparency(&transparency))) read.opacity = Opacity(transparency);
  return read;
}

double FilterOpacity(IDisplayFilter* filter) {
  CComQIPtr<ITransparencyDisplayFilter> transparency(filter);
  SHORT value = 255;
  if (transparency && SUCCEEDED(transparency->get_Transparency(&value))) return Opacity(value);
  return 1.0;
}

}  // namespace

Marker Marker::Read(IMarkerSymbol* symbol, double dotsPerInch, IDisplayFilter* filter) {
  Marker marker;
  double points = 0.0;
  ThrowIfFailed(symbol->get_Size(&points));
  marker.m_SizePixels = points * dotsPerInch / DeviceMapping::kPointsPerInch;
  ThrowIfFailed(symbol->get_Angle(&marker.m_Degrees));
  CComQIPtr<ISimpleMarkerSymbol> simple(symbol);
  if (simple) ThrowIfFailed(simple->get_Style(&marker.m_Style));
  CComPtr<IColor> colour;
  ThrowIfFailed(symbol->get_Color(&colour));
  if (!colour) return marker;  // no colour: nothing to see
  const Colour read = ReadColour(colour);
  marker.m_Red = std::clamp(read.red, LONG{0}, LONG{255}) / 255.0;
  marker.m_Green = std::clamp(read.green, LONG{0}, LONG{255}) / 255.0;
  marker.m_Blue = std::clamp(read.blue, LONG{0}, LONG{255}) / 255.0;
  marker.m_Alpha = read.opacity * FilterOpacity(filter);
  return marker;
}

void Marker::Draw(cairo_t* context, double x, double y) const {
  if (m_Alpha <= 0.0 || !(m_SizePixels > 0.0)) return;
  cairo_save(context);
  cairo_translate(context, x, y);
  // Device rows grow downwards: counter-clockwise is a negative turn.
  cairo_rotate(context, -m_Degrees * std::numbers::pi / 180.0);
  cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgba(context, m_Red, m_Green, m_Blue, m_Alpha);
  Outline(context);
  cairo_restore(context);
}

void Marker::Outline(cairo_t* context) const {
  const double half = m_SizePixels / 2.0;
  switch (m_Style) {
    case kestSMSSquare:
      cairo_rectangle(context, -half, -half, m_SizePixels, m_SizePixels);
      cairo_fill(context);
      return;
    case kestSMSDiamond:
      cairo_move_to(context, 0.0, -half);
      cairo_line_to(context, half, 0.0);
      cairo_line_to(context, 0.0, half);
      cairo_line_to(context, -half, 0.0);
      cairo_close_path(context);
      cairo_fill(context);
      return;
    case kestSMSX:
    case kestSMSCross:
      if (m_Style == kestSMSX) cairo_rotate(context, std::numbers::pi / 4.0);
      cairo_move_to(context, -half, 0.0);
      cairo_line_to(context, half, 0.0);
      cairo_move_to(context, 0.0, -half);
      cairo_line_to(context, 0.0, half);
      // Bars an eighth of the size wide, never thinner than a pixel.
      cairo_set_line_width(context, std::max(1.0, m_SizePixels / 8.0));
      cairo_stroke(context);
      return;
    default:
      cairo_arc(context, 0.0, 0.0, half, 0.0, 2.0 * std::numbers::pi);
      cairo_fill(context);
      return;
  }
}

}  // namespace zelph::host::display
