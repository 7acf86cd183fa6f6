// The enumerations of the library's component interfaces. Their values are
// part of the interfaces and of stored records, so they never change. Each
// is a 32-bit int, as it travels: setters without a range check and records
// read from a stream may hand in any int, and the enumeration must hold it.
#pragma once

// How much of a graphic's renderable must be redone before the next frame.
// Setters only ever raise it (see Glomarch::IncreaseUpdateLevel); the scene
// manager reads it and resets it to none once it has applied it.
enum kestGLUpdateLevel : int {
  kestGLUpdateNone = 0,
  kestGLUpdateLocation = 1,
  kestGLUpdateMinor = 2,
  kestGLUpdateMajor = 3,
};

enum kestGLDisplayOption : int {
  kestGLDisplayNormal = 0,
  kestGLDisplayWireframe = 1,
};

enum kestGLHAlignOption : int {
  kestGLHAlignLeft = 0,
  kestGLHAlignRight = 1,
  kestGLHAlignCenter = 2,
};

enum kestGLVAlignOption : int {
  kestGLVAlignNormal = 0,
  kestGLVAlignAbove = 1,
  kestGLVAlignBelow = 2,
  kestGLVAlignCenter = 3,
  kestGLVAlignAboveCenter = 4,
  kestGLVAlignWayAboveCenter = 5,
  kestGLVAlignBelowCenter = 6,
  kestGLVAlignWayBelowCenter = 7,
};

enum kestGLEllipsoidOption : int {
  kestGLEllipsoidFrameOnly = 0,
  kestGLEllipsoidFillOnly = 1,
  kestGLEllipsoidFrameAndFill = 2,
};

enum kestGLExtrusionTypeOption : int {
  kestGLExtrusionTypePolyline = 0,
  kestGLExtrusionTypePolygon = 1,
  kestGLExtrusionTypeAutoEllipse = 2,
};

// Line stipple of a material; values the table does not know draw solid.
enum kestGLLineOption : int {
  kestGLLineSolid = 0,
  kestGLLineDash = 1,
  kestGLLineDot = 2,
  kestGLLineDashDot = 3,
  kestGLLineDashDotDot = 4,
  kestGLLineCustom = 5,
};

// Fill pattern of a material; values the table does not know fill solid.
enum kestGLFillOption : int {
  kestGLFillSolid = 0,
  kestGLFillHollow = 1,
  kestGLFillHorizontal = 2,
  kestGLFillVertical = 3,
  kestGLFillForwardDiagonal = 4,
  kestGLFillBackwardDiagonal = 5,
  kestGLFillCross = 6,
  kestGLFillDiagonalCross = 7,
};

enum kestGLTextureOption : int {
  kestGLTextureStretch = 0,
  kestGLTextureRepeat = 1,
};

// How the scene manager shows a selected graphic; values it does not know
// show no selection.
enum kestGLSelectionOption : int {
  kestGLSelectionOutline = 0,
  kestGLSelectionOverlay = 1,
};

// How the 3D display turns 2D drawing into 3D graphics.
enum kestGLDisplayOutlineColorOption : int {
  kestGLDisplayOutlineColorAuto = 0,
  kestGLDisplayOutlineColorManual = 1,
};

enum kestGLDisplayPointOption : int {
  kestGLDisplayPointSphere = 0,
  kestGLDisplayPointFlatCircle = 1,
};

enum kestGLDisplayTextOption : int {
  kestGLDisplayTextBillboard = 0,
  kestGLDisplayTextFlat = 1,
  kestGLDisplayTextFlatExtruded = 2,
};

enum kestGLDisplayFillOption : int {
  kestGLDisplayFillSimple = 0,
  kestGLDisplayFillGradientLighter = 1,
  kestGLDisplayFillGradientDarker = 2,
};
