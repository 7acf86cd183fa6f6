// The host's colours and symbols, as the library reads and writes them.
// Colours are handed out and taken in as copies: changing a colour a symbol
// gave out changes the symbol only when the colour is given back.
#pragma once

#include "frame/HostGeometry.h"
#include "platform/OleFont.h"
#include "platform/Unknown.h"

// The host's enumerations travel as 32-bit ints: a caller or a stored
// value may hand in any int, and the enumeration must hold it.
enum kestSimpleLineStyle : int {
  kestSLSSolid = 0,
  kestSLSDash = 1,
  kestSLSDot = 2,
  kestSLSDashDot = 3,
  kestSLSDashDotDot = 4,
  kestSLSNull = 5,
  kestSLSInsideFrame = 6,
};

enum kestSimpleFillStyle : int {
  kestSFSSolid = 0,
  kestSFSHollow = 1,
  kestSFSNull = 1,
  kestSFSHorizontal = 2,
  kestSFSVertical = 3,
  kestSFSForwardDiagonal = 4,
  kestSFSBackwardDiagonal = 5,
  kestSFSCross = 6,
  kestSFSDiagonalCross = 7,
};

enum kestSimpleMarkerStyle : int {
  kestSMSCircle = 0,
  kestSMSSquare = 1,
  kestSMSCross = 2,
  kestSMSX = 3,
  kestSMSDiamond = 4,
};

enum kestTextHorizontalAlignment : int {
  kestTHALeft = 0,
  kestTHACenter = 1,
  kestTHARight = 2,
  kestTHAFull = 3,
};

enum kestTextVerticalAlignment : int {
  kestTVATop = 0,
  kestTVACenter = 1,
  kestTVABaseline = 2,
  kestTVABottom = 3,
};

// Any colour. RGB is 0x00BBGGRR; the transparency byte runs from 0 (clear)
// to 255 (opaque) and is independent of the colour.
struct IColor : IUnknown {
  STDMETHOD(get_RGB)(LONG* rgb) = 0;
  STDMETHOD(put_RGB)(LONG rgb) = 0;
  STDMETHOD(get_Transparency)(BYTE* transparency) = 0;
  STDMETHOD(put_Transparency)(BYTE transparency) = 0;

 protected:
  ~IColor() = default;
};
ZELPH_DEFINE_IID(IColor, 0x58AC8AA1, 0x98E2, 0x40F0, 0xAA, 0x67, 0x56, 0x12, 0xED, 0x0C, 0xF6, 0x3A);

// Red, green and blue from 0 to 255 each; other values are E_INVALIDARG.
struct IRgbColor : IColor {
  STDMETHOD(get_Red)(LONG* red) = 0;
  STDMETHOD(put_Red)(LONG red) = 0;
  STDMETHOD(get_Green)(LONG* green) = 0;
  STDMETHOD(put_Green)(LONG green) = 0;
  STDMETHOD(get_Blue)(LONG* blue) = 0;
  STDMETHOD(put_Blue)(LONG blue) = 0;

 protected:
  ~IRgbColor() = default;
};
ZELPH_DEFINE_IID(IRgbColor, 0xF99994B7, 0x7B28, 0x4FC4, 0x84, 0x73, 0xC7, 0x71, 0xD5, 0xD7, 0x3C, 0xFE);

// What a display draws with; every symbol offers it.
struct ISymbol : IUnknown {
 protected:
  ~ISymbol() = default;
};
ZELPH_DEFINE_IID(ISymbol, 0xE03C69F1, 0xAA09, 0x4AA7, 0x85, 0x0F, 0xB2, 0xCC, 0x65, 0x02, 0xD1, 0x9E);

// Sizes are in points (1/72 inch); angles in degrees, counter-clockwise.
struct IMarkerSymbol : IUnknown {
  STDMETHOD(get_Size)(double* size) = 0;
  STDMETHOD(put_Size)(double size) = 0;
  STDMETHOD(get_Color)(IColor** color) = 0;
  STDMETHOD(put_Color)(IColor* color) = 0;
  STDMETHOD(get_Angle)(double* degrees) = 0;
  STDMETHOD(put_Angle)(double degrees) = 0;

 protected:
  ~IMarkerSymbol() = default;
};
ZELPH_DEFINE_IID(IMarkerSymbol, 0x3726F86F, 0x204E, 0x4AA1, 0x80, 0xF4, 0x59, 0x48, 0x9C, 0x5A, 0x37, 0xF8);

struct ISimpleMarkerSymbol : IMarkerSymbol {
  STDMETHOD(get_Style)(kestSimpleMarkerStyle* style) = 0;
  STDMETHOD(put_Style)(kestSimpleMarkerStyle style) = 0;

 protected:
  ~ISimpleMarkerSymbol() = default;
};
ZELPH_DEFINE_IID(ISimpleMarkerSymbol, 0x01D7EA06, 0x543B, 0x4731, 0xB2, 0xA4, 0xE5, 0xD5, 0x6E, 0xD5, 0xF5, 0x07);

// Widths are in points.
struct ILineSymbol : IUnknown {
  STDMETHOD(get_Color)(IColor** color) = 0;
  STDMETHOD(put_Color)(IColor* color) = 0;
  STDMETHOD(get_Width)(double* width) = 0;
  STDMETHOD(put_Width)(double width) = 0;

 protected:
  ~ILineSymbol() = default;
};
ZELPH_DEFINE_IID(ILineSymbol, 0x83EED6F1, 0xF940, 0x414C, 0xB4, 0x13, 0x38, 0xF8, 0xFD, 0x00, 0x64, 0x57);

struct ISimpleLineSymbol : ILineSymbol {
  STDMETHOD(get_Style)(kestSimpleLineStyle* style) = 0;
  STDMETHOD(put_Style)(kestSimpleLineStyle style) = 0;

 protected:
  ~ISimpleLineSymbol() = default;
};
ZELPH_DEFINE_IID(ISimpleLineSymbol, 0x2EB8DB0A, 0x64E6, 0x4EEB, 0xB5, 0x6D, 0x6A, 0x7C, 0xA2, 0x1F, 0xD1, 0xFB);

struct ICartographicLineSymbol : ILineSymbol {
 protected:
  ~ICartographicLineSymbol() = default;
};
ZELPH_DEFINE_IID(ICartographicLineSymbol, 0x3986D9E2, 0xAC5D, 0x4D0F, 0x83, 0x37, 0x0B, 0xC2, 0x56, 0x27, 0x43, 0xC3);

// A dash pattern: elements of a mark and a gap, each a number of intervals.
struct ITemplate : IUnknown {
  STDMETHOD(get_Interval)(double* interval) = 0;
  STDMETHOD(put_Interval)(double interval) = 0;
  STDMETHOD(get_PatternElementCount)(LONG* count) = 0;
  STDMETHOD(QueryPatternElement)(LONG index, double* mark, double* gap) = 0;
  STDMETHOD(AddPatternElement)(double mark, double gap) = 0;
  STDMETHOD(ClearPatternElements)() = 0;

 protected:
  ~ITemplate() = default;
};
ZELPH_DEFINE_IID(ITemplate, 0xBD6736EF, 0xB264, 0x494B, 0xAD, 0x7B, 0x8C, 0x21, 0xA2, 0x50, 0x8D, 0xC0);

// The pattern of a line symbol; null when the line is continuous.
struct ILineProperties : IUnknown {
  STDMETHOD(get_Template)(ITemplate** pattern) = 0;
  STDMETHOD(putref_Template)(ITemplate* pattern) = 0;

 protected:
  ~ILineProperties() = default;
};
ZELPH_DEFINE_IID(ILineProperties, 0x554E78AE, 0x9B8B, 0x49A6, 0x9F, 0x56, 0xDB, 0x4E, 0x06, 0xB3, 0x44, 0xEE);

struct IFillSymbol : IUnknown {
  STDMETHOD(get_Color)(IColor** color) = 0;
  STDMETHOD(put_Color)(IColor* color) = 0;
  // Null when the fill has no outline.
  STDMETHOD(get_Outline)(ILineSymbol** outline) = 0;
  STDMETHOD(put_Outline)(ILineSymbol* outline) = 0;

 protected:
  ~IFillSymbol() = default;
};
ZELPH_DEFINE_IID(IFillSymbol, 0x574A9E0E, 0xF212, 0x4A20, 0xA2, 0x1E, 0x5C, 0x70, 0x56, 0xF2, 0x92, 0x56);

struct ISimpleFillSymbol : IFillSymbol {
  STDMETHOD(get_Style)(kestSimpleFillStyle* style) = 0;
  STDMETHOD(put_Style)(kestSimpleFillStyle style) = 0;

 protected:
  ~ISimpleFillSymbol() = default;
};
ZELPH_DEFINE_IID(ISimpleFillSymbol, 0x6BDB32F3, 0xDA5D, 0x48BC, 0xB6, 0xA5, 0xF0, 0xB4, 0xA0, 0x52, 0x79, 0x10);

// Fills drawn one over another, the first at the bottom.
struct IMultiLayerFillSymbol : IFillSymbol {
  STDMETHOD(get_LayerCount)(LONG* count) = 0;
  STDMETHOD(get_Layer)(LONG index, IFillSymbol** layer) = 0;
  STDMETHOD(AddLayer)(IFillSymbol* layer) = 0;

 protected:
  ~IMultiLayerFillSymbol() = default;
};
ZELPH_DEFINE_IID(IMultiLayerFillSymbol, 0xF36DC1DC, 0xC50C, 0x4B67, 0xB7, 0x3D, 0x23, 0x10, 0x39, 0x87, 0x59, 0xB8);

// Size in points, angle in degrees.
struct ITextSymbol : IUnknown {
  STDMETHOD(get_Color)(IColor** color) = 0;
  STDMETHOD(put_Color)(IColor* color) = 0;
  STDMETHOD(get_Size)(double* size) = 0;
  STDMETHOD(put_Size)(double size) = 0;
  STDMETHOD(get_Angle)(double* degrees) = 0;
  STDMETHOD(put_Angle)(double degrees) = 0;
  STDMETHOD(get_HorizontalAlignment)(kestTextHorizontalAlignment* alignment) = 0;
  STDMETHOD(put_HorizontalAlignment)(kestTextHorizontalAlignment alignment) = 0;
  STDMETHOD(get_VerticalAlignment)(kestTextVerticalAlignment* alignment) = 0;
  STDMETHOD(put_VerticalAlignment)(kestTextVerticalAlignment alignment) = 0;
  STDMETHOD(get_Font)(IFont** font) = 0;
  STDMETHOD(putref_Font)(IFont* font) = 0;

 protected:
  ~ITextSymbol() = default;
};
ZELPH_DEFINE_IID(ITextSymbol, 0x46312320, 0xF0F0, 0x417E, 0x84, 0xB8, 0xB8, 0xC2, 0x3C, 0x3D, 0x16, 0x16);
