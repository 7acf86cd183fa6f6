// The instance creators of the host's classes, one per class, defined beside
// each class; the host module's object map lists them.
#pragma once

#include "platform/Unknown.h"

namespace zelph::host {

using Creator = HRESULT(IUnknown* outer, REFIID riid, void** result);

Creator CreateGlobeDisplay;
Creator CreatePoint;
Creator CreateMultipoint;
Creator CreateEnvelope;
Creator CreatePath;
Creator CreatePolyline;
Creator CreateRing;
Creator CreatePolygon;
Creator CreateGeometryBag;
Creator CreateLine;
Creator CreateCircularArc;
Creator CreateEllipticArc;
Creator CreateSpatialReferenceEnvironment;
Creator CreateDisplayTransformation;
Creator CreateSimpleDisplay;
Creator CreateRgbColor;
Creator CreateSimpleLineSymbol;
Creator CreateCartographicLineSymbol;
Creator CreateTemplate;
Creator CreateSimpleMarkerSymbol;
Creator CreateSimpleFillSymbol;
Creator CreateMultiLayerFillSymbol;
Creator CreateTextSymbol;
Creator CreateTransparencyDisplayFilter;
Creator CreateArray;
Creator CreateSet;
Creator CreateUID;
Creator CreateMemoryVariantStream;

}  // namespace zelph::host
