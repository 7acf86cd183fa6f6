// The host's memory variant stream: values come back in write order with
// their types, objects as new objects made from the records written at the
// time, through memory and through a file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "host/HostInterfaces.h"
#include "host/streams/StreamFile.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tests/support/TestPaths.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::test::Make;

CComPtr<IVariantStream> NewStream() { return Make<IVariantStream>(CLSID_MemoryVariantStream); }

LONG CountOf(IVariantStream* stream) {
  LONG count = -1;
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(stream)->get_Count(&count), S_OK);
  return count;
}

// A scalar VARIANT of `type` whose payload holds `value`.
template <class T>
CComVariant Scalar(VARTYPE type, T value) {
  CComVariant variant;
  variant.vt = type;
  std::memcpy(&variant.llVal, &value, sizeof(T));
  return variant;
}

CComVariant Text(const BSTR text) {
  CComVariant variant;
  variant.vt = VT_BSTR;
  variant.bstrVal = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
  return variant;
}

// A value as text, read through the union member its type names, so that
// two values compare equal exactly when their types and contents match.
std::string Describe(const VARIANT& value) {
  std::ostringstream text;
  text << "vt " << value.vt << ": ";
  switch (value.vt) {
    case VT_I1:
      text << int{value.cVal};
      break;
    case VT_UI1:
      text << int{value.bVal};
      break;
    case VT_I2:
      text << value.iVal;
      break;
    case VT_BOOL:
      text << value.boolVal;
      break;
    case VT_I4:
      text << value.lVal;
      break;
    case VT_INT:
      text << value.intVal;
      break;
    case VT_UI4:
      text << value.ulVal;
      break;
    case VT_UINT:
      text << value.uintVal;
      break;
    case VT_R4:
      text << std::hexfloat << value.fltVal;
      break;
    case VT_R8:
      text << std::hex << value.ullVal;
      break;
    case VT_BSTR:
      if (!value.bstrVal) {
        text << "null";
      } else {
        for (UINT i = 0; i < SysStringLen(value.bstrVal); ++i) text << std::hex << unsigned(value.bstrVal[i]) << ' ';
      }
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      text << (value.punkVal ? "object" : "null");
      break;
    default:
      break;
  }
  return text.str();
}

CComVariant ReadNext(IVariantStream* stream) {
  CComVariant value;
  EXPECT_EQ(stream->Read(&value), S_OK);
  return value;
}

std::vector<CComVariant> EveryScalarAndString() {
  CComBSTR accented(L"Gr\u00fc\u00dfe \u03c0 \U0001F30D");
  CComBSTR embeddedNull(std::wstring_view(L"a\0b", 3));
  CComBSTR empty(L"");
  return {CComVariant(),
          Scalar<int>(VT_NULL, 0),
          Scalar<signed char>(VT_I1, -5),
          Scalar<BYTE>(VT_UI1, 200),
          Scalar<SHORT>(VT_I2, -30000),
          Scalar<LONG>(VT_I4, std::numeric_limits<LONG>::min()),
          Scalar<INT>(VT_INT, 7),
          Scalar<ULONG>(VT_UI4, 4000000000u),
          Scalar<UINT>(VT_UINT, 123456u),
          Scalar<float>(VT_R4, -1.25f),
          Scalar<double>(VT_R8, 3.141592653589793),
          Scalar<double>(VT_R8, -0.0),
          Scalar<double>(VT_R8, std::numeric_limits<double>::quiet_NaN()),
          Scalar<VARIANT_BOOL>(VT_BOOL, VARIANT_TRUE),
          Scalar<VARIANT_BOOL>(VT_BOOL, 1),  // kept as written, not made true
          Text(accented),
          Text(embeddedNull),
          Text(empty),
          Text(nullptr),
          CComVariant(static_cast<IUnknown*>(nullptr)),
          CComVariant(static_cast<IDispatch*>(nullptr))};
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
  std::vector<CComVariant> values = EveryScalarAndString();
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

TEST(Stream, ObjectsAreRecordedWhenWrittenAndComeBackAsNewObjects) {
  CComPtr<IPoint> point = Make<IPoint>(CLSID_Point);
  ASSERT_EQ(point->PutCoords(10.5, -20.25), S_OK);
  ASSERT_EQ(point->put_Z(300.0), S_OK);
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(stream->Write(CComVariant(point.p)), S_OK);
  ASSERT_EQ(point->PutCoords(0, 0), S_OK);  // too late to reach the stream

  CComVariant value = ReadNext(stream);
  ASSERT_EQ(value.vt, VT_UNKNOWN);
  CComQIPtr<IPoint> read(value.punkVal);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read.IsEqualObject(point));
  double x = 0, y = 0, z = 0;
  EXPECT_EQ(read->QueryCoords(&x, &y), S_OK);
  EXPECT_EQ(read->get_Z(&z), S_OK);
  EXPECT_EQ(x, 10.5);
  EXPECT_EQ(y, -20.25);
  EXPECT_EQ(z, 300.0);
}

// A polyline inside a bag inside the stream, a fill with its outline and
// one without, and a text symbol with its font.
struct NestedObjects {
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  CComPtr<ISimpleFillSymbol> fill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  CComPtr<ISimpleFillSymbol> bareFill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  CComPtr<ITextSymbol> text = Make<ITextSymbol>(CLSID_TextSymbol);

  NestedObjects() {
    CComPtr<IPointCollection> line = Make<IPointCollection>(CLSID_Polyline);
    for (double x : {1.0, 2.0, 4.0}) {
      CComPtr<IPoint> vertex = Make<IPoint>(CLSID_Point);
      EXPECT_EQ(vertex->PutCoords(x, x * x), S_OK);
      EXPECT_EQ(line->AddPoint(vertex, nullptr, nullptr), S_OK);
    }
    EXPECT_EQ(CComQIPtr<IGeometryCollection>(bag)->AddGeometry(CComQIPtr<IGeometry>(line), nullptr, nullptr), S_OK);

    CComPtr<ILineSymbol> outline;
    EXPECT_EQ(fill->get_Outline(&outline), S_OK);
    EXPECT_EQ(outline->put_Width(3.5), S_OK);
    EXPECT_EQ(bareFill->put_Outline(nullptr), S_OK);

    CComPtr<IFont> font;
    EXPECT_EQ(text->get_Font(&font), S_OK);
    EXPECT_EQ(font->put_Name(CComBSTR(L"DejaVu Serif")), S_OK);
    EXPECT_EQ(font->put_Size(CY{145000}), S_OK);
    EXPECT_EQ(font->put_Italic(TRUE), S_OK);
  }

  void WriteTo(IVariantStream* stream) const {
    for (IUnknown* object : std::initializer_list<IUnknown*>{bag, fill, bareFill, text}) {
      EXPECT_EQ(stream->Write(CComVariant(object)), S_OK);
    }
  }

  static void ExpectIn(IVariantStream* stream) {
    CComQIPtr<IGeometryCollection> bag(ReadNext(stream).punkVal);
    ASSERT_TRUE(bag);
    CComPtr<IGeometry> part;
    ASSERT_EQ(bag->get_Geometry(0, &part), S_OK);
    CComQIPtr<IPointCollection> line(part);
    ASSERT_TRUE(CComQIPtr<IPolyline>(part));
    LONG count = 0;
    EXPECT_EQ(line->get_PointCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    CComPtr<IPoint> last;
    EXPECT_EQ(line->get_Point(2, &last), S_OK);
    double x = 0, y = 0;
    EXPECT_EQ(last->QueryCoords(&x, &y), S_OK);
    EXPECT_EQ(y, 16.0);

    CComQIPtr<IFillSymbol> fill(ReadNext(stream).punkVal);
    CComPtr<ILineSymbol> outline;
    ASSERT_EQ(fill->get_Outline(&outline), S_OK);
    double width = 0;
    EXPECT_EQ(outline->get_Width(&width), S_OK);
    EXPECT_EQ(width, 3.5);
    CComQIPtr<IFillSymbol> bareFill(ReadNext(stream).punkVal);
    EXPECT_EQ(bareFill->get_Outline(&outline), S_OK);
    EXPECT_FALSE(outline);

    CComQIPtr<ITextSymbol> text(ReadNext(stream).punkVal);
    CComPtr<IFont> font;
    ASSERT_EQ(text->get_Font(&font), S_OK);
    CComBSTR name;
    CY size{};
    BOOL italic = FALSE;
    EXPECT_EQ(font->get_Name(&name), S_OK);
    EXPECT_EQ(font->get_Size(&size), S_OK);
    EXPECT_EQ(font->get_Italic(&italic), S_OK);
    EXPECT_EQ(name.View(), L"DejaVu Serif");
    EXPECT_EQ(size.int64, 145000);
    EXPECT_TRUE(italic);
  }
};

TEST(Stream, NestedObjectRecordsComeBackThroughMemoryAndFile) {
  NestedObjects objects;
  CComPtr<IVariantStream> stream = NewStream();
  objects.WriteTo(stream);
  ASSERT_EQ(stream->Write(CComVariant(42)), S_OK);
  NestedObjects::ExpectIn(stream);
  EXPECT_EQ(ReadNext(stream).lVal, 42);

  CComPtr<IVariantStream> loaded = ThroughFile(stream, "objects.zvs");
  NestedObjects::ExpectIn(loaded);
  EXPECT_EQ(ReadNext(loaded).lVal, 42);
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

  CComVariant wide = Scalar<LONGLONG>(VT_I8, 5);
  EXPECT_EQ(stream->Write(wide), E_INVALIDARG);
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
}

TEST(Stream, FilesThatCannotBeReadLeaveTheStreamAsItWas) {
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(stream->Write(CComVariant(L"kept")), S_OK);
  CComQIPtr<IVariantStreamStorage> storage(stream);
  std::string folder = zelph::test::FreshDirectory("variant-stream-errors");
  auto wide = [](const std::string& path) { return CComBSTR(std::wstring(path.begin(), path.end())); };

  EXPECT_EQ(storage->LoadFromFile(wide(folder + "/missing.zvs")), zelph::host::streams::kStreamFileNotFound);
  EXPECT_EQ(storage->LoadFromFile(wide(folder)), E_FAIL);
  EXPECT_EQ(storage->LoadFromFile(nullptr), E_INVALIDARG);
  EXPECT_EQ(storage->SaveToFile(wide(folder + "/no/such/folder.zvs")), E_FAIL);
  EXPECT_EQ(storage->SaveToFile(CComBSTR(L"")), E_INVALIDARG);
  EXPECT_EQ(CountOf(stream), 1);
  EXPECT_EQ(ReadNext(stream).vt, VT_BSTR);
}

}  // namespace
