// What the 3D display makes of the host's 2D symbols: the colours, sizes,
// styles and font the last marker, line, fill and text symbols set, and the
// display options that shape every material, outline and font it hands to
// the graphics it draws. GLDisplay3D owns one and reads and writes its
// option fields through its own properties.
//
// Colours are kept as three components of 0 to 255 and the host colour's
// transparency byte per kind of symbol.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/GraphicInterfaces.h"
#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "frame/MaterialInterfaces.h"
#include "platform/ComPtr.h"
#include "platform/OleFont.h"
#include "text/ComFontHelper.h"

class DisplaySymbology {
 public:
  DisplaySymbology();

  // Reads the symbol into the fields of its kind: the first of marker,
  // line, fill and text that it is decides; any other symbol changes
  // nothing.
  void SetSymbol(ISymbol* symbol);
  void StoreMarkerSymbolProperties(IMarkerSymbol* symbol);
  void StoreLineSymbolProperties(ILineSymbol* symbol);
  // The dash template as a 16-bit OpenGL stipple.
  void StoreCartographicLineSymbolProperties(ICartographicLineSymbol* symbol);
  void StoreFillSymbolProperties(IFillSymbol* symbol);
  void StoreTextSymbolProperties(ITextSymbol* symbol);

  // A simple or gradient material of the colour, as the fill option says;
  // null on failure (reported).
  CComPtr<IMaterial3D> CreateMaterial(LONG red, LONG green, LONG blue);
  void SetMaterialLineStyle(IMaterial3D* material, kestSimpleLineStyle style);
  void SetMaterialFillStyle(IMaterial3D* material, kestSimpleFillStyle style);
  // A new simple line symbol of the style and width, coloured by the
  // outline colour option at the outline transparency; null on failure.
  CComPtr<ISimpleLineSymbol> FetchOutlineLineSymbol(LONG red, LONG green, LONG blue, kestSimpleLineStyle style,
                                                    double width);
  // The font component of the current text font for the text option (an
  // extruded font set up with `material`); null for no font.
  CComPtr<IFont3D> GetCurrentFont(IMaterial3D* material);
  static void SetTextHorizontalAlignment(ITextPoint3D* text, kestTextHorizontalAlignment alignment);
  static void SetTextVerticalAlignment(ITextPoint3D* text, kestTextVerticalAlignment alignment);

  // The two points that anchor a text: a point twice, the first and last
  // points of a point collection, two points on an envelope's extent.
  static std::pair<CComPtr<IPoint>, CComPtr<IPoint>> GetGeoAnchors(IGeometry* geometry);
  // A new point halfway between the two (a NaN z counts as 0).
  static CComPtr<IPoint> GetCenter(IPoint* first, IPoint* second);
  // The heading, in degrees, of a text running from the first point to the
  // second (x longitude, y latitude).
  static double CalculateAzimuth(IPoint* first, IPoint* second);
  // The polygon's outer rings, and for each of them an array of its inner
  // rings.
  static std::pair<CComPtr<IGeometryCollection>, CComPtr<IArray>> DistillPolygonGeometries(
      IGeometryCollection* polygon);
  static double MakePercentFromScalar(std::uint8_t value) { return value / 255.0 * 100.0; }
  // A new host point at (x, y) and height z.
  static CComPtr<IPoint> NewPointAt(double x, double y, double z);

  // Options of the display (its IGLDisplay3D properties).
  VARIANT_BOOL m_EnableOutlining = VARIANT_TRUE;
  kestGLDisplayOutlineColorOption m_DisplayOutlineColorOption = kestGLDisplayOutlineColorAuto;
  CComPtr<IRgbColor> m_ManualOutlineColor;
  kestGLDisplayTextOption m_DisplayTextOption = kestGLDisplayTextFlat;
  kestGLDisplayFillOption m_DisplayFillOption = kestGLDisplayFillGradientLighter;
  LONG m_OutlineTransparency = 255;
  // From a transparency filter: its transparency / 255.
  double m_FilterAlphaFactor = 1.0;

  // What the symbols set.
  LONG m_MarkerRed = 0, m_MarkerGreen = 0, m_MarkerBlue = 0;
  std::uint8_t m_MarkerAlpha = 30;
  double m_MarkerPointSize = 24.0;
  LONG m_LineRed = 255, m_LineGreen = 255, m_LineBlue = 255;
  std::uint8_t m_LineAlpha = 30;
  double m_LineWidth = 4.0;
  kestSimpleLineStyle m_LineStyle = kestSLSSolid;
  double m_LineStippleFactor = 1.0;
  std::uint16_t m_LineStipple = 0xFFFF;
  bool m_UseStipple = false;
  LONG m_FillRed = 255, m_FillGreen = 255, m_FillBlue = 255;
  std::uint8_t m_FillAlpha = 30;
  kestSimpleFillStyle m_FillStyle = kestSFSSolid;
  LONG m_TextRed = 255, m_TextGreen = 255, m_TextBlue = 255;
  std::uint8_t m_TextAlpha = 100;
  kestTextHorizontalAlignment m_HorizontalAlignment = kestTHACenter;
  VARIANT_BOOL m_RightToLeft = VARIANT_FALSE;
  kestTextVerticalAlignment m_VerticalAlignment = kestTVACenter;
  double m_TextAngle = 0.0;
  double m_TextSize = 10.0;
  CComPtr<IFont> m_TextFont;

 private:
  // A simple line symbol in the fill colour and transparency, standing in
  // for the outline of a fill that has none.
  CComPtr<ILineSymbol> OutlineInFillColor() const;
  // The polygon's rings in order; other paths among its parts are reported
  // and left out.
  static std::vector<CComPtr<IRing>> RingsOf(IGeometryCollection* polygon);

  ComFontHelper m_ComFontHelper;
};
