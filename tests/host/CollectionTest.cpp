// The host's collections: arrays keep order, sets hold each object once,
// UIDs hold braced class ids. Its memory variant stream: values come back in
// write order with their types, objects as new objects made from the records
// written at the time, through memory and through a file; every geometry
// class comes back whole, and a record that does not fit a geometry leaves it
// as it was. Stream files as they lie on disk: hand-built ones in the stored
// form, and damaged ones (every truncation of a valid file, thousands of
// seeded random changes), which must fail to load, never crash, hang or
// allocate without bound, and leave the stream as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSpatialReference.h"
#include "frame/HostSymbols.h"
#include "host/HostInterfaces.h"
#include "host/streams/StreamFile.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tests/support/GetProperty.h"
#include "tests/support/TestPaths.h"

namespace {

using zelph::host::streams::kNotAVariantStream;
using zelph::test::AddPart;
using zelph::test::AddSegment;
using zelph::test::Get;
using zelph::test::Make;
using zelph::test::NewArc;
using zelph::test::NewPoint;
using zelph::test::NewReference;
using zelph::test::NewStream;
using zelph::test::StreamWith;
using Xs = std::vector<double>;

// Objects to hold: points, told apart by their x.
CComPtr<IUnknown> Item(double x) { return CComPtr<IUnknown>(NewPoint(x, 0).p); }
double XOf(IUnknown* item) { return Get(item, &IPoint::get_X); }

Xs Contents(IArray* array) {
  Xs xs;
  for (LONG i = 0; i < Get(array, &IArray::get_Count); ++i) {
    CComPtr<IUnknown> element;
    EXPECT_EQ(array->get_Element(i, &element), S_OK);
    xs.push_back(XOf(element));
  }
  return xs;
}

Xs Walk(ISet* set) {
  EXPECT_EQ(set->Reset(), S_OK);
  Xs xs;
  CComPtr<IUnknown> element;
  while (set->Next(&element) == S_OK) xs.push_back(XOf(element));
  EXPECT_FALSE(element);
  return xs;
}

TEST(Collection, ArraysKeepOrderAndRefuseIndexesOutOfRange) {
  CComPtr<IArray> array = Make<IArray>(CLSID_Array);
  EXPECT_TRUE(Contents(array).empty());
  ASSERT_EQ(array->Add(Item(1)), S_OK);
  ASSERT_EQ(array->Add(Item(3)), S_OK);
  ASSERT_EQ(array->Insert(1, Item(2)), S_OK);
  ASSERT_EQ(array->Insert(0, Item(0)), S_OK);
  ASSERT_EQ(array->Insert(4, Item(4)), S_OK);  // at the count: appended
  EXPECT_EQ(Contents(array), (Xs{0, 1, 2, 3, 4}));

  EXPECT_EQ(array->Insert(6, Item(9)), E_INVALIDARG);
  EXPECT_EQ(array->Remove(5), E_INVALIDARG);
  CComPtr<IUnknown> element = Item(9);
  EXPECT_EQ(array->get_Element(5, &element), E_INVALIDARG);
  EXPECT_FALSE(element);
  EXPECT_EQ(Contents(array), (Xs{0, 1, 2, 3, 4}));

  ASSERT_EQ(array->Remove(0), S_OK);
  ASSERT_EQ(array->Remove(2), S_OK);
  EXPECT_EQ(Contents(array), (Xs{1, 2, 4}));
  ASSERT_EQ(array->RemoveAll(), S_OK);
  EXPECT_TRUE(Contents(array).empty());
}

TEST(Collection, SetsHoldEachObjectOnceAndWalkInOrderOfAddition) {
  CComPtr<ISet> set = Make<ISet>(CLSID_Set);
  CComPtr<IUnknown> a = Item(1), b = Item(2), c = Item(3);
  EXPECT_EQ(set->Add(a), S_OK);
  EXPECT_EQ(set->Add(b), S_OK);
  // Another interface of the same object is the same element.
  EXPECT_EQ(set->Add(CComQIPtr<IGeometry>(a)), S_FALSE);
  EXPECT_EQ(set->Add(c), S_OK);
  EXPECT_EQ(Get(set, &ISet::get_Count), 3);
  EXPECT_EQ(Walk(set), (Xs{1, 2, 3}));

  VARIANT_BOOL found = VARIANT_FALSE;
  EXPECT_EQ(set->Find(CComQIPtr<IPoint>(b), &found), S_OK);
  EXPECT_EQ(found, VARIANT_TRUE);
  EXPECT_EQ(set->Find(Item(2), &found), S_OK);  // equal coordinates, another object
  EXPECT_EQ(found, VARIANT_FALSE);
  // Removing an element already walked past does not skip the next one.
  ASSERT_EQ(set->Reset(), S_OK);
  CComPtr<IUnknown> next;
  ASSERT_EQ(set->Next(&next), S_OK);
  ASSERT_EQ(set->Next(&next), S_OK);
  EXPECT_EQ(set->Remove(a), S_OK);
  ASSERT_EQ(set->Next(&next), S_OK);
  EXPECT_EQ(XOf(next), 3.0);
  EXPECT_EQ(set->Next(&next), S_FALSE);
  EXPECT_EQ(set->Remove(a), S_FALSE);

  EXPECT_EQ(Walk(set), (Xs{2, 3}));
  ASSERT_EQ(set->RemoveAll(), S_OK);
  EXPECT_TRUE(Walk(set).empty());
}

std::wstring ValueOf(IUID* uid) {
  CComVariant value;
  EXPECT_EQ(uid->get_Value(&value), S_OK);
  if (value.vt == VT_EMPTY) return L"(empty)";
  EXPECT_EQ(value.vt, VT_BSTR);
  return std::wstring(CComBSTR(value.bstrVal).View());
}

TEST(Collection, UidsHoldBracedClassIdsOnly) {
  CComPtr<IUID> uid = Make<IUID>(CLSID_UID);
  EXPECT_EQ(ValueOf(uid), L"(empty)");
  ASSERT_EQ(uid->put_Value(CComVariant(L"{cfa06b46-8c9d-4a91-a46f-0384825cc38d}")), S_OK);
  EXPECT_EQ(ValueOf(uid), L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}");
  for (const CComVariant& bad :
       {CComVariant(L"CFA06B46-8C9D-4A91-A46F-0384825CC38D"), CComVariant(L"{CFA06B46-8C9D-4A91-A46F-0384825CC38}"),
        CComVariant(L""), CComVariant(L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}x"), CComVariant(12), CComVariant()}) {
    EXPECT_EQ(uid->put_Value(bad), E_INVALIDARG);
  }
  EXPECT_EQ(ValueOf(uid), L"{CFA06B46-8C9D-4A91-A46F-0384825CC38D}");
  // Each generated id is a new class id.
  std::set<std::wstring> generated;
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(uid->Generate(), S_OK);
    CLSID parsed;
    EXPECT_EQ(CLSIDFromString(ValueOf(uid).c_str(), &parsed), S_OK);
    EXPECT_TRUE(generated.insert(ValueOf(uid)).second);
  }
}

LONG CountOf(IVariantStream* stream) { return Get(stream, &IVariantStreamStorage::get_Count); }

// A scalar VARIANT of `type` whose payload holds `value`.
template <class T>
CComVariant Scalar(VARTYPE type, T value) {
  CComVariant variant;
  variant.vt = type;
  std::memcpy(&variant.llVal, &value, sizeof(T));
  return variant;
}

CComVariant TextValue(const BSTR text) {
  CComVariant variant;
  variant.vt = VT_BSTR;
  variant.bstrVal = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
  return variant;
}

// A value as text, its type and the payload bytes its type uses, so that two
// values compare equal exactly when their types and contents match.
std::string Describe(const VARIANT& value) {
  std::ostringstream text;
  text << "vt " << value.vt << ":" << std::hex;
  if (value.vt == VT_BSTR) {
    if (!value.bstrVal) text << " null";
    for (UINT i = 0; value.bstrVal && i < SysStringLen(value.bstrVal); ++i) text << ' ' << unsigned(value.bstrVal[i]);
  } else if (value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) {
    text << (value.punkVal ? " object" : " null");
  } else if (value.vt != VT_EMPTY && value.vt != VT_NULL) {
    size_t width = value.vt == VT_R8 ? 8 : value.vt == VT_I2 || value.vt == VT_BOOL ? 2 : 4;
    if (value.vt == VT_I1 || value.vt == VT_UI1) width = 1;
    unsigned char bytes[8] = {};
    std::memcpy(bytes, &value.llVal, width);
    for (size_t i = 0; i < width; ++i) text << ' ' << unsigned(bytes[i]);
  }
  return text.str();
}

CComVariant ReadNext(IVariantStream* stream) {
  CComVariant value;
  EXPECT_EQ(stream->Read(&value), S_OK);
  return value;
}

void ExpectValues(IVariantStream* stream, const std::vector<CComVariant>& expected) {
  for (const CComVariant& value : expected) EXPECT_EQ(Describe(ReadNext(stream)), Describe(value));
  CComVariant past;
  EXPECT_EQ(stream->Read(&past), E_FAIL);
  EXPECT_EQ(past.vt, VT_EMPTY);
}

// A stream read back from the file the given stream saves into.
CComPtr<IVariantStream> ThroughFile(IVariantStream* stream, const std::string& name) {
  std::string path = zelph::test::FreshDirectory("variant-streams") + "/" + name;
  CComBSTR wide(std::wstring(path.begin(), path.end()));
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(stream)->SaveToFile(wide), S_OK);
  CComPtr<IVariantStream> loaded = NewStream();
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(loaded)->LoadFromFile(wide), S_OK);
  return loaded;
}

TEST(Stream, EveryValueTypeComesBackThroughMemoryAndFile) {
  // A VT_BOOL of 1 is kept as written, not made true.
  const std::vector<CComVariant> values{
      CComVariant(), Scalar<int>(VT_NULL, 0), Scalar<signed char>(VT_I1, -5), Scalar<BYTE>(VT_UI1, 200),
      Scalar<SHORT>(VT_I2, -30000), Scalar<LONG>(VT_I4, std::numeric_limits<LONG>::min()), Scalar<INT>(VT_INT, 7),
      Scalar<ULONG>(VT_UI4, 4000000000u), Scalar<UINT>(VT_UINT, 123456u), Scalar<float>(VT_R4, -1.25f),
      Scalar<double>(VT_R8, 3.141592653589793), Scalar<double>(VT_R8, -0.0),
      Scalar<double>(VT_R8, std::numeric_limits<double>::quiet_NaN()), Scalar<VARIANT_BOOL>(VT_BOOL, VARIANT_TRUE),
      Scalar<VARIANT_BOOL>(VT_BOOL, 1), TextValue(CComBSTR(L"Gr\u00fc\u00dfe \u03c0 \U0001F30D")),
      TextValue(CComBSTR(std::wstring_view(L"a\0b", 3))), TextValue(CComBSTR(L"")), TextValue(nullptr),
      CComVariant(static_cast<IUnknown*>(nullptr)), CComVariant(static_cast<IDispatch*>(nullptr))};
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) ASSERT_EQ(stream->Write(value), S_OK);
  EXPECT_EQ(CountOf(stream), static_cast<LONG>(values.size()));
  ExpectValues(stream, values);
  // Rewinding reads the same again; the file holds every value, read or not.
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(stream)->Rewind(), S_OK);
  EXPECT_EQ(Describe(ReadNext(stream)), Describe(values[0]));
  CComPtr<IVariantStream> loaded = ThroughFile(stream, "values.zvs");
  EXPECT_EQ(CountOf(loaded), static_cast<LONG>(values.size()));
  ExpectValues(loaded, values);
}

// A point recorded when written, a polyline inside a bag, a fill with its
// outline and one without, a text symbol with its font, and a number.
void ExpectObjectsIn(IVariantStream* stream, IPoint* original) {
  CComQIPtr<IPoint> point(ReadNext(stream).punkVal);
  ASSERT_TRUE(point);
  EXPECT_FALSE(point.IsEqualObject(original));
  EXPECT_EQ(zelph::test::PointCoords(point), (std::vector<double>{10.5, -20.25, 300.0}));
  CComQIPtr<IGeometryCollection> bag(ReadNext(stream).punkVal);
  ASSERT_TRUE(bag);
  CComPtr<IGeometry> part;
  ASSERT_EQ(bag->get_Geometry(0, &part), S_OK);
  ASSERT_TRUE(CComQIPtr<IPolyline>(part));
  EXPECT_EQ(Get(part, &IPointCollection::get_PointCount), 3);
  CComPtr<IPoint> last;
  EXPECT_EQ(CComQIPtr<IPointCollection>(part)->get_Point(2, &last), S_OK);
  EXPECT_EQ(Get(last, &IPoint::get_Y), 16.0);
  CComQIPtr<IFillSymbol> fill(ReadNext(stream).punkVal);
  ASSERT_TRUE(fill);
  CComPtr<ILineSymbol> outline = Get(fill, &IFillSymbol::get_Outline);
  ASSERT_TRUE(outline);
  EXPECT_EQ(Get(outline, &ILineSymbol::get_Width), 3.5);
  EXPECT_FALSE(Get(ReadNext(stream).punkVal, &IFillSymbol::get_Outline));
  CComPtr<IFont> font = Get(ReadNext(stream).punkVal, &ITextSymbol::get_Font);
  ASSERT_TRUE(font);
  EXPECT_EQ(Get(font, &IFont::get_Name), L"DejaVu Serif");
  EXPECT_EQ(Get(font, &IFont::get_Size).int64, 145000);
  EXPECT_TRUE(Get(font, &IFont::get_Italic));
  EXPECT_EQ(ReadNext(stream).lVal, 42);
}

TEST(Stream, ObjectRecordsComeBackAsNewObjectsThroughMemoryAndFile) {
  CComPtr<IPoint> point = NewPoint(10.5, -20.25, 300.0);
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  CComPtr<IPointCollection> line = Make<IPointCollection>(CLSID_Polyline);
  for (double x : {1.0, 2.0, 4.0}) EXPECT_EQ(line->AddPoint(NewPoint(x, x * x), nullptr, nullptr), S_OK);
  EXPECT_EQ(CComQIPtr<IGeometryCollection>(bag)->AddGeometry(CComQIPtr<IGeometry>(line), nullptr, nullptr), S_OK);
  CComPtr<ISimpleFillSymbol> fill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  EXPECT_EQ(Get(fill, &IFillSymbol::get_Outline)->put_Width(3.5), S_OK);
  CComPtr<ISimpleFillSymbol> bareFill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  EXPECT_EQ(bareFill->put_Outline(nullptr), S_OK);
  CComPtr<ITextSymbol> text = Make<ITextSymbol>(CLSID_TextSymbol);
  CComPtr<IFont> font = Get(text, &ITextSymbol::get_Font);
  EXPECT_EQ(font->put_Name(CComBSTR(L"DejaVu Serif")), S_OK);
  EXPECT_EQ(font->put_Size(CY{145000}), S_OK);
  EXPECT_EQ(font->put_Italic(TRUE), S_OK);

  CComPtr<IVariantStream> stream = NewStream();
  for (IUnknown* object : std::initializer_list<IUnknown*>{point, bag, fill, bareFill, text}) {
    EXPECT_EQ(stream->Write(CComVariant(object)), S_OK);
  }
  ASSERT_EQ(stream->Write(CComVariant(42)), S_OK);
  ASSERT_EQ(point->PutCoords(0, 0), S_OK);  // too late to reach the stream
  ExpectObjectsIn(stream, point);
  ExpectObjectsIn(ThroughFile(stream, "objects.zvs"), point);
}

// An object whose Save writes two values and then fails, or, when asked to,
// saves itself again inside its own record without end.
class Unsavable : public zelph::ComObjectRoot, public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IPersistVariant>;

  STDMETHODIMP get_ID(IUID** id) override {
    CComPtr<IUID> uid = Make<IUID>(CLSID_UID);
    uid->Generate();
    *id = uid.Detach();
    return S_OK;
  }
  STDMETHODIMP Load(IVariantStream*) override { return E_NOTIMPL; }
  STDMETHODIMP Save(IVariantStream* stream) override {
    if (m_Recursive) return stream->Write(CComVariant(static_cast<IPersistVariant*>(this)));
    stream->Write(CComVariant(1.0));
    stream->Write(CComVariant(2.0));
    return E_FAIL;
  }

  bool m_Recursive = false;
};

TEST(Stream, WritesThatCannotBeStoredFailAndWriteNothing) {
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(stream->Write(CComVariant(1)), S_OK);
  EXPECT_EQ(stream->Write(Scalar<LONGLONG>(VT_I8, 5)), E_INVALIDARG);
  int target = 3;
  CComVariant byReference = Scalar<int*>(VT_I4 | VT_BYREF, &target);
  EXPECT_EQ(stream->Write(byReference), E_INVALIDARG);
  byReference.vt = VT_EMPTY;
  // An array offers no persistence of any kind.
  EXPECT_EQ(stream->Write(CComVariant(Make<IUnknown>(CLSID_Array).p)), E_INVALIDARG);

  zelph::ComObject<Unsavable>* raw = nullptr;
  ASSERT_EQ(zelph::ComObject<Unsavable>::CreateInstance(&raw), S_OK);
  CComPtr<IPersistVariant> unsavable(raw);
  EXPECT_EQ(stream->Write(CComVariant(unsavable.p)), E_FAIL);
  raw->m_Recursive = true;
  EXPECT_EQ(stream->Write(CComVariant(unsavable.p)), E_INVALIDARG);
  EXPECT_EQ(CountOf(stream), 1);
  ExpectValues(stream, {CComVariant(1)});
  // Files that cannot be read or written leave the stream as it was.
  CComQIPtr<IVariantStreamStorage> storage(stream);
  std::string folder = zelph::test::FreshDirectory("variant-stream-errors");
  auto wide = [](const std::string& path) { return CComBSTR(std::wstring(path.begin(), path.end())); };
  EXPECT_EQ(storage->LoadFromFile(wide(folder + "/missing.zvs")), zelph::host::streams::kStreamFileNotFound);
  EXPECT_EQ(storage->LoadFromFile(wide(folder)), E_FAIL);
  EXPECT_EQ(storage->LoadFromFile(nullptr), E_INVALIDARG);
  EXPECT_EQ(storage->SaveToFile(wide(folder + "/no/such/folder.zvs")), E_FAIL);
  EXPECT_EQ(storage->SaveToFile(CComBSTR(L"")), E_INVALIDARG);
  EXPECT_EQ(CountOf(stream), 1);
  ASSERT_EQ(storage->Rewind(), S_OK);
  ExpectValues(stream, {CComVariant(1)});
}

void AddPoints(IUnknown* geometry, std::initializer_list<CComPtr<IPoint>> points) {
  CComQIPtr<IPointCollection> collection(geometry);
  for (const CComPtr<IPoint>& point : points) EXPECT_EQ(collection->AddPoint(point, nullptr, nullptr), S_OK);
}

std::string Fingerprint(IUnknown* object);

// The fingerprints of every item of a collection `object` offers, if it
// offers that collection.
template <class Collection, class Item>
std::string Items(IUnknown* object, HRESULT (STDMETHODCALLTYPE Collection::*count)(LONG*),
                  HRESULT (STDMETHODCALLTYPE Collection::*item)(LONG, Item**)) {
  std::string text;
  CComQIPtr<Collection> collection{object};
  for (LONG i = 0; collection && i < Get(object, count); ++i) {
    CComPtr<Item> each;
    EXPECT_EQ((collection->*item)(i, &each), S_OK);
    text += " (" + Fingerprint(each) + ')';
  }
  return text;
}

// Everything a reader can ask of a geometry, exactly, as text.
std::string Fingerprint(IUnknown* object) {
  std::ostringstream text;
  text << std::hexfloat << "type " << Get(object, &IGeometry::get_GeometryType) << " empty "
       << Get(object, &IGeometry::get_IsEmpty);
  CComPtr<ISpatialReference> reference = Get(object, &IGeometry::get_SpatialReference);
  text << " code " << (reference ? Get(reference, &ISpatialReference::get_FactoryCode) : 0);
  CComPtr<IEnvelope> box = Get(object, &IGeometry::get_Envelope);
  double corners[4] = {};
  EXPECT_EQ(box->QueryCoords(&corners[0], &corners[1], &corners[2], &corners[3]), S_OK);
  text << " box";
  for (double value : corners) text << ' ' << value;
  text << ' ' << Get(box, &IEnvelope::get_ZMin) << ' ' << Get(box, &IEnvelope::get_ZMax);
  if (CComQIPtr<IPoint>{object}) {
    for (double value : zelph::test::PointCoords(CComQIPtr<IPoint>{object})) text << ' ' << value;
  }
  if (CComQIPtr<ICurve>{object}) {
    text << " length " << Get(object, &ICurve::get_Length) << " closed " << Get(object, &ICurve::get_IsClosed);
  }
  if (CComQIPtr<IEllipticArc>{object}) {
    text << " ellipse " << Get(object, &IEllipticArc::get_SemiMajorAxis) << ' '
         << Get(object, &IEllipticArc::get_MinorMajorRatio) << ' ' << Get(object, &IEllipticArc::get_Rotation) << ' '
         << Get(object, &IEllipticArc::get_FromAngle) << ' ' << Get(object, &IEllipticArc::get_CentralAngle);
  }
  if (CComQIPtr<ICircularArc>{object}) {
    text << " circle " << Get(object, &ICircularArc::get_Radius) << ' ' << Get(object, &ICircularArc::get_FromAngle)
         << ' ' << Get(object, &ICircularArc::get_CentralAngle);
  }
  return text.str() + Items(object, &IPointCollection::get_PointCount, &IPointCollection::get_Point) +
         Items(object, &ISegmentCollection::get_SegmentCount, &ISegmentCollection::get_Segment) +
         Items(object, &IGeometryCollection::get_GeometryCount, &IGeometryCollection::get_Geometry);
}

// The geometry written into a stream, kept in a file, loaded and read back:
// a new object that answers every question as the original does.
void ExpectRoundTrip(IUnknown* geometry) {
  CComVariant value = ReadNext(ThroughFile(StreamWith({CComVariant(geometry)}), "geometry.zvs"));
  ASSERT_EQ(value.vt, VT_UNKNOWN);
  ASSERT_TRUE(value.punkVal);
  EXPECT_FALSE(zelph::test::SameIdentity(value.punkVal, geometry));
  EXPECT_EQ(Fingerprint(value.punkVal), Fingerprint(geometry));
}

CComPtr<IEllipticArc> Ellipse() {
  CComPtr<IEllipticArc> ellipse = Make<IEllipticArc>(CLSID_EllipticArc);
  EXPECT_EQ(ellipse->PutCoords(NewPoint(-3, 4, 7), 5.0, 0.4, 0.3, -1.0, 2.5), S_OK);
  return ellipse;
}

TEST(StreamGeometry, EveryGeometryClassComesBackWhole) {
  CComPtr<IPoint> point = NewPoint(12.5, -40.25, 1500.0);
  EXPECT_EQ(point->putref_SpatialReference(NewReference(4326)), S_OK);
  ExpectRoundTrip(point);
  CComPtr<IMultipoint> multipoint = Make<IMultipoint>(CLSID_Multipoint);
  AddPoints(multipoint, {NewPoint(1, 2, 3), NewPoint(4, 5), NewPoint(-6, 7, -8)});
  ExpectRoundTrip(multipoint);
  CComPtr<IEnvelope> envelope = Make<IEnvelope>(CLSID_Envelope);
  EXPECT_EQ(envelope->PutCoords(10, 20, -5, 2), S_OK);
  EXPECT_EQ(envelope->put_ZMin(-100), S_OK);
  EXPECT_EQ(envelope->put_ZMax(250), S_OK);
  ExpectRoundTrip(envelope);
  // A path of a line, a circular arc and an elliptic arc, heights included.
  CComPtr<IPath> path = Make<IPath>(CLSID_Path);
  AddPoints(path, {NewPoint(0, 0, 1), NewPoint(3, 0, 2)});
  EXPECT_EQ(AddSegment(path, NewArc(3, 2, -std::numbers::pi / 2, 1.5, 2, 9)), S_OK);
  EXPECT_EQ(AddSegment(path, Ellipse()), S_OK);
  ExpectRoundTrip(path);
  CComPtr<IRing> ring = Make<IRing>(CLSID_Ring);
  AddPoints(ring, {NewPoint(0, 0), NewPoint(4, 0), NewPoint(0, 3)});  // closed by an implicit line
  ExpectRoundTrip(ring);
  CComPtr<IPolyline> polyline = Make<IPolyline>(CLSID_Polyline);
  AddPoints(polyline, {NewPoint(500000, 4000000, 10), NewPoint(501000, 4002000, 20)});
  EXPECT_EQ(AddPart(polyline, path), S_OK);
  EXPECT_EQ(polyline->putref_SpatialReference(NewReference(32633, true)), S_OK);
  ExpectRoundTrip(polyline);
  CComPtr<IPolygon> polygon = Make<IPolygon>(CLSID_Polygon);
  CComPtr<IRing> hole = Make<IRing>(CLSID_Ring);
  AddPoints(hole, {NewPoint(1, 1), NewPoint(1, 2), NewPoint(2, 2), NewPoint(2, 1), NewPoint(1, 1)});
  AddPoints(polygon, {NewPoint(0, 0), NewPoint(0, 10), NewPoint(10, 10), NewPoint(10, 0)});
  EXPECT_EQ(AddPart(polygon, hole), S_OK);
  ExpectRoundTrip(polygon);
  // A bag of its own reference holding members with and without one.
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  for (IUnknown* member : std::initializer_list<IUnknown*>{point, polygon, envelope}) {
    EXPECT_EQ(AddPart(bag, member), S_OK);
  }
  EXPECT_EQ(bag->putref_SpatialReference(NewReference(4269)), S_OK);
  ExpectRoundTrip(bag);
  CComPtr<ILine> line = Make<ILine>(CLSID_Line);
  EXPECT_EQ(line->PutCoords(NewPoint(1, 1, 5), NewPoint(-2, 3, 6)), S_OK);
  ExpectRoundTrip(line);
  ExpectRoundTrip(Ellipse());
}

TEST(StreamGeometry, RecordsThatDoNotFitLeaveTheGeometryAsItWas) {
  // The record of a circular arc: no reference, two vertices, one segment.
  auto arcRecord = [](double axis, double ratio) {
    std::vector<CComVariant> values{CComVariant(0), CComVariant(2), CComVariant(1, VT_INT)};
    for (double value :
         {0.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0, axis, ratio, 0.0, -1.5707963267948966, 1.5707963267948966}) {
      values.emplace_back(value);
    }
    return StreamWith(values);
  };
  CComPtr<IEllipticArc> ellipse = Ellipse();
  std::string before = Fingerprint(ellipse);
  // A circular arc's segment does not make an elliptic arc.
  EXPECT_EQ(CComQIPtr<IPersistVariant>(ellipse)->Load(arcRecord(1.0, 1.0)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Fingerprint(ellipse), before);
  CComPtr<ICircularArc> arc = NewArc(0, 0, 0, 1, 1);
  CComQIPtr<IPersistVariant> arcPersist(arc);
  std::string arcBefore = Fingerprint(arc);
  EXPECT_EQ(arcPersist->Load(arcRecord(1.0, 1.0)), S_OK);
  EXPECT_NE(Fingerprint(arc), arcBefore);
  arcBefore = Fingerprint(arc);
  // Shapes no setter accepts: a NaN or endless axis, a circle of two radii.
  for (double axis : {double{NAN}, 1e300}) EXPECT_EQ(arcPersist->Load(arcRecord(axis, 1.0)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(arcPersist->Load(arcRecord(1.0, 0.5)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Fingerprint(arc), arcBefore);
  // A record cut short, an unknown spatial reference, parts of the wrong kind.
  CComPtr<IPoint> point = NewPoint(1, 2, 3);
  EXPECT_EQ(CComQIPtr<IPersistVariant>(point)->Load(StreamWith({CComVariant(0), CComVariant(true)})), E_FAIL);
  EXPECT_EQ(CComQIPtr<IPersistVariant>(point)->Load(StreamWith({CComVariant(987654)})), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Fingerprint(point), Fingerprint(NewPoint(1, 2, 3)));
  CComPtr<IPolyline> polyline = Make<IPolyline>(CLSID_Polyline);
  AddPoints(polyline, {NewPoint(0, 0), NewPoint(1, 1)});
  CComPtr<IPolygon> polygon = Make<IPolygon>(CLSID_Polygon);
  EXPECT_EQ(CComQIPtr<IPersistVariant>(polygon)->Load(StreamWith(zelph::test::SavedValues(polyline))), E_INVALIDARG);
  EXPECT_EQ(Get(polygon, &IGeometry::get_IsEmpty), VARIANT_TRUE);
}

// Builds the stored form by hand: little-endian numbers, UTF-8 texts.
struct Bytes {
  std::string data = "ZVS1";

  Bytes& Number(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) data.push_back(static_cast<char>(value >> (8 * i)));
    return *this;
  }
  Bytes& Count(std::uint32_t count) { return Number(count, 4); }
  Bytes& Type(VARTYPE type) { return Number(type, 2); }
  Bytes& Long(std::int32_t value) { return Type(VT_I4).Number(static_cast<std::uint32_t>(value), 4); }
  Bytes& Text(const std::string& text) {
    Count(static_cast<std::uint32_t>(text.size()));
    data += text;
    return *this;
  }
  // The start of an object record of `clsid` holding `count` values.
  Bytes& Record(const std::string& clsid, std::uint32_t count) {
    return Type(VT_UNKNOWN).Number(1, 1).Text(clsid).Count(count);
  }
};

const std::string kPointClass = "{CFA06B46-8C9D-4A91-A46F-0384825CC38D}";

class StreamFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Stream = zelph::test::NewStream();
    m_Storage = static_cast<IUnknown*>(m_Stream.p);
    // What the stream holds before each load: one value that must stay.
    ASSERT_EQ(m_Stream->Write(CComVariant(L"before")), S_OK);
  }

  HRESULT Load(const std::string& bytes) {
    // A new file each time: rewriting one in place makes the file system
    // flush it on every close.
    std::remove(m_Path.c_str());
    std::ofstream(m_Path, std::ios::binary) << bytes;
    return m_Storage->LoadFromFile(CComBSTR(std::wstring(m_Path.begin(), m_Path.end())));
  }
  // Loads the value the stream held before, as a file.
  void Restore() { ASSERT_EQ(Load(Bytes().Count(1).Type(VT_BSTR).Number(1, 1).Text("before").data), S_OK); }
  LONG Count() { return zelph::test::Get(m_Storage, &IVariantStreamStorage::get_Count); }
  // Whether the stream still holds only the value it held before the load.
  bool Untouched() {
    CComVariant value;
    m_Storage->Rewind();
    return Count() == 1 && SUCCEEDED(m_Stream->Read(&value)) && value.vt == VT_BSTR &&
           CComBSTR(value.bstrVal).View() == L"before";
  }
  // Reads every value loaded; each read answers, and the end is E_FAIL.
  void ReadAll() {
    for (LONG i = Count(); i > 0; --i) {
      CComVariant value;
      m_Stream->Read(&value);
    }
    CComVariant past;
    EXPECT_EQ(m_Stream->Read(&past), E_FAIL);
  }
  // A file holding every kind of value, objects nested three deep among them.
  std::string RichStream() {
    CComPtr<IPointCollection> ring = zelph::test::Make<IPointCollection>(CLSID_Polygon);
    for (double angle : {0.0, 1.0, 2.0, 3.0}) {
      EXPECT_EQ(ring->AddPoint(zelph::test::NewPoint(angle, angle * 2, angle * 100), nullptr, nullptr), S_OK);
    }
    CComPtr<IGeometryCollection> bag = zelph::test::Make<IGeometryCollection>(CLSID_GeometryBag);
    EXPECT_EQ(bag->AddGeometry(CComQIPtr<IGeometry>(ring), nullptr, nullptr), S_OK);
    CComPtr<IVariantStream> stream = zelph::test::StreamWith(
        {CComVariant(bag.p), CComVariant(L"text \u00e9"), CComVariant(2.5), CComVariant(true),
         CComVariant(zelph::test::Make<IUnknown>(CLSID_SimpleFillSymbol).p),
         CComVariant(static_cast<IUnknown*>(nullptr)), CComVariant('x'), CComVariant(-3, VT_INT)});
    EXPECT_EQ(
        CComQIPtr<IVariantStreamStorage>(stream)->SaveToFile(CComBSTR(std::wstring(m_Path.begin(), m_Path.end()))),
        S_OK);
    std::ifstream file(m_Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  std::string m_Path = zelph::test::FreshDirectory("variant-stream-files") + "/stream.zvs";
  CComPtr<IVariantStream> m_Stream;
  CComQIPtr<IVariantStreamStorage> m_Storage;
};

TEST_F(StreamFile, RecordsThatDoNotLoadAreSkippedAndReadingGoesOn) {
  Bytes bytes;
  bytes.Count(4);
  // A point record cut short after the reference code and the "set" flag.
  bytes.Record(kPointClass, 2).Long(0).Type(VT_BOOL).Number(0xFFFF, 2);
  // A class nobody registered.
  bytes.Record("{00000000-1111-2222-3333-444444444444}", 0);
  // A point record holding a value of the wrong type where x belongs.
  bytes.Record(kPointClass, 5).Long(0).Type(VT_BOOL).Number(0, 2).Long(1).Long(2).Long(3);
  bytes.Long(7);
  ASSERT_EQ(Load(bytes.data), S_OK);
  EXPECT_EQ(Count(), 4);
  for (int i = 0; i < 3; ++i) {
    CComVariant value;
    EXPECT_TRUE(FAILED(m_Stream->Read(&value))) << i;
    EXPECT_EQ(value.vt, VT_EMPTY);
  }
  CComVariant seven;
  EXPECT_EQ(m_Stream->Read(&seven), S_OK);
  EXPECT_EQ(seven.lVal, 7);
}

TEST_F(StreamFile, NestingCountsAndTypesAreHeldToTheirLimits) {
  // 64 nested records load; a 65th is refused.
  auto nested = [](int depth) {
    Bytes bytes;
    bytes.Count(1);
    for (int i = 0; i < depth; ++i) bytes.Record(kPointClass, i + 1 < depth ? 1 : 0);
    return bytes.data;
  };
  EXPECT_EQ(Load(nested(64)), S_OK);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Load(nested(65)), kNotAVariantStream);
  EXPECT_EQ(Count(), 1);

  ASSERT_EQ(Load(Bytes().Count(0).data), S_OK);
  EXPECT_EQ(Count(), 0);
  ASSERT_EQ(m_Stream->Write(CComVariant(L"before")), S_OK);

  for (const std::string& bad : {
           std::string("ZVS2") + Bytes().Count(0).data.substr(4),               // another magic
           Bytes().Count(0xFFFFFFFF).data,                                      // a count past the bytes
           Bytes().Count(1).Type(VT_BSTR).Number(1, 1).Count(0xFFFFFFF0).data,  // a length past them
           Bytes().Count(1).Type(VT_I8).Number(5, 8).data,                      // a type not stored
           Bytes().Count(1).Long(1).Long(2).data,  // bytes left over
           std::string(),
       }) {
    EXPECT_EQ(Load(bad), kNotAVariantStream);
    EXPECT_TRUE(Untouched());
  }
}

TEST_F(StreamFile, TruncatedAndDamagedFilesFailCleanly) {
  std::string valid = RichStream();
  ASSERT_GT(valid.size(), 300u);
  ASSERT_EQ(Load(valid), S_OK);
  EXPECT_EQ(Count(), 8);
  ReadAll();

  Restore();
  for (size_t length = 0; length < valid.size(); ++length) {
    ASSERT_EQ(Load(valid.substr(0, length)), kNotAVariantStream) << length;
    ASSERT_TRUE(Untouched()) << length;
  }
  // Thousands of seeded random changes.
  std::mt19937 random(20240611);
  int failed = 0;
  constexpr int kTrials = 2000;
  for (int trial = 0; trial < kTrials; ++trial) {
    std::string damaged = valid;
    int changes = 1 + static_cast<int>(random() % 4);
    for (int change = 0; change < changes; ++change) {
      // Any byte, a flipped bit, a byte more or a byte less.
      size_t at = random() % damaged.size();
      const auto kind = random() % 4;
      if (kind == 0) {
        damaged[at] = static_cast<char>(random());
      } else if (kind == 1) {
        damaged[at] = static_cast<char>(damaged[at] ^ (1 << (random() % 8)));
      } else if (kind == 2) {
        damaged.insert(at, 1, static_cast<char>(random()));
      } else {
        damaged.erase(at, 1);
      }
    }
    HRESULT hr = Load(damaged);
    if (FAILED(hr)) {
      ++failed;
      ASSERT_EQ(hr, kNotAVariantStream) << trial;
      ASSERT_TRUE(Untouched()) << trial;
    } else {
      // Whatever loads reads to its end, objects made or refused one by one.
      ReadAll();
      Restore();
    }
  }
  // Most damage breaks the structure; some lands in payloads and loads.
  EXPECT_GT(failed, kTrials / 2);
  EXPECT_LT(failed, kTrials);
}

}  // namespace
