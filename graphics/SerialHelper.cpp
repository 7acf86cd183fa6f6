#include "graphics/SerialHelper.h"

#include <cstdint>

#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/Logger.h"
#include "frame/PropertyValues.h"
#include "display/ImageHelper.h"
#include "graphics/ReplayStream.h"

namespace {

// Characters of a braced GUID text with its terminator.
constexpr int kGuidTextSize = 39;

// The largest bitmap a record may hold: beyond it the size is a damaged or
// hostile record, not a picture.
constexpr std::int64_t kLargestBitmapBytes = std::int64_t{1} << 30;

[[noreturn]] void RefuseRecord() { zelph::Fail(E_FAIL); }

// The held object's persistence, or a new stand-in's when nothing is held.
CComPtr<IPersistVariant> PersistOf(IUnknown* held, REFCLSID standIn) {
  CComQIPtr<IPersistVariant> persist{held};
  if (persist) return CComPtr<IPersistVariant>(persist);
  CComPtr<IPersistVariant> standInPersist = zelph::NewLibraryObject<IPersistVariant>(standIn);
  zelph::ThrowIfNull(standInPersist);
  return standInPersist;
}

// Plain and billboard fonts store the same record; either reads the other's.
bool IsPlainFont(REFCLSID clsid) { return clsid == CLSID_Font3D || clsid == CLSID_BillboardFont3D; }

bool SameLayout(REFCLSID written, REFCLSID held) {
  return written == held || (IsPlainFont(written) && IsPlainFont(held));
}

// The class a library object names as its own; GUID_NULL when it names none.
CLSID ClassOf(IUnknown* object) {
  CLSID clsid = GUID_NULL;
  CComQIPtr<IPersistVariant> persist{object};
  CComPtr<IUID> id;
  CComVariant text;
  if (persist && SUCCEEDED(persist->get_ID(&id)) && id && SUCCEEDED(id->get_Value(&text)) && text.vt == VT_BSTR &&
      text.bstrVal && FAILED(CLSIDFromString(text.bstrVal, &clsid))) {
    clsid = GUID_NULL;
  }
  return clsid;
}

// One value of type `type` held in the VARIANT member `field`. The stream
// copies what it keeps, so a string or object is lent, not given.
template <class Field>
VARIANT Typed(VARTYPE type, Field tagVARIANT::*field, Field value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  v.*field = value;
  return v;
}

}  // namespace

bool SerialHelper::ReadValue(IVariantStream* stream, CComVariant& value) {
  value.Clear();
  if (stream != m_ReadAheadSource) m_ReadAhead.clear();
  if (!m_ReadAhead.empty()) {
    value = m_ReadAhead.front();
    m_ReadAhead.pop_front();
    return true;
  }
  HRESULT hr = zelph::LogIfNotOk(stream->Read(&value));
  if (hr != S_OK) {
    value.Clear();
    return false;
  }
  return true;
}

template <class Field>
Field SerialHelper::ReadTyped(IVariantStream* stream, VARTYPE type, Field tagVARIANT::*field, Field fallback) {
  CComVariant v;
  return ReadValue(stream, v) && v.vt == type ? v.*field : fallback;
}

void SerialHelper::WriteValue(IVariantStream* stream, const VARIANT& value) {
  zelph::LogIfNotOk(stream->Write(value));
}

void SerialHelper::SaveUChar(IVariantStream* stream, BYTE value) {
  WriteValue(stream, Typed(VT_I1, &tagVARIANT::cVal, static_cast<CHAR>(value)));
}

BYTE SerialHelper::LoadUChar(IVariantStream* stream) {
  return static_cast<BYTE>(ReadTyped(stream, VT_I1, &tagVARIANT::cVal, CHAR{0}));
}

void SerialHelper::SaveInt(IVariantStream* stream, int value) {
  WriteValue(stream, Typed(VT_INT, &tagVARIANT::intVal, value));
}

int SerialHelper::LoadInt(IVariantStream* stream) {
  return ReadTyped(stream, VT_INT, &tagVARIANT::intVal, int{-1});
}

void SerialHelper::SaveLong(IVariantStream* stream, LONG value) {
  WriteValue(stream, Typed(VT_I4, &tagVARIANT::lVal, value));
}

LONG SerialHelper::LoadLong(IVariantStream* stream) {
  return ReadTyped(stream, VT_I4, &tagVARIANT::lVal, LONG{-1});
}

void SerialHelper::SaveDouble(IVariantStream* stream, double value) {
  WriteValue(stream, Typed(VT_R8, &tagVARIANT::dblVal, value));
}

double SerialHelper::LoadDouble(IVariantStream* stream) {
  return ReadTyped(stream, VT_R8, &tagVARIANT::dblVal, double{-1.0});
}

void SerialHelper::SaveBool(IVariantStream* stream, bool value) {
  SaveVarBool(stream, value ? VARIANT_TRUE : VARIANT_FALSE);
}

bool SerialHelper::LoadBool(IVariantStream* stream) {
  CComVariant v;
  return ReadValue(stream, v) && v.vt == VT_BOOL && static_cast<USHORT>(v.boolVal) == 0xFFFF;
}

void SerialHelper::SaveVarBool(IVariantStream* stream, VARIANT_BOOL value) {
  WriteValue(stream, Typed(VT_BOOL, &tagVARIANT::boolVal, value));
}

VARIANT_BOOL SerialHelper::LoadVarBool(IVariantStream* stream) {
  return ReadTyped(stream, VT_BOOL, &tagVARIANT::boolVal, VARIANT_BOOL{VARIANT_TRUE});
}

void SerialHelper::SaveBSTR(IVariantStream* stream, BSTR value) {
  WriteValue(stream, Typed(VT_BSTR, &tagVARIANT::bstrVal, value));
}

CComBSTR SerialHelper::LoadBSTR(IVariantStream* stream) {
  CComVariant v;
  if (!ReadValue(stream, v) || v.vt != VT_BSTR) return CComBSTR();
  return zelph::TakeCopy(v.bstrVal);
}

void SerialHelper::SaveUnknown(IVariantStream* stream, IUnknown* object) {
  WriteValue(stream, Typed(VT_UNKNOWN, &tagVARIANT::punkVal, object));
}

CComPtr<IUnknown> SerialHelper::LoadUnknown(IVariantStream* stream) {
  CComVariant v;
  if (!ReadValue(stream, v) || v.vt != VT_UNKNOWN) return nullptr;
  return CComPtr<IUnknown>(v.punkVal);
}

void SerialHelper::SaveBitmap(IVariantStream* stream, HBITMAP bitmap) {
  BgrImage image = bitmap ? m_Imager.GetBitmapBGRBits(bitmap) : BgrImage{};
  SaveInt(stream, image.height);
  SaveInt(stream, image.width);
  for (BYTE byte : image.bgr) SaveUChar(stream, byte);
}

HBITMAP SerialHelper::LoadBitmapW(IVariantStream* stream) {
  BgrImage image;
  image.height = LoadInt(stream);
  image.width = LoadInt(stream);
  if (image.height == 0 || image.width == 0) return nullptr;
  // Both sides are below 2^31, so their product fits before it is checked.
  std::int64_t pixels = std::int64_t{image.height} * image.width;
  if (image.height < 0 || image.width < 0 || pixels > kLargestBitmapBytes / 3) {
    Logger::Warning(L"Refusing a stored bitmap of %d x %d pixels\n", image.width, image.height);
    RefuseRecord();
  }
  // The buffer grows with the values actually read: a record that claims
  // more than the stream holds ends the read before memory is spent on it.
  std::int64_t bytes = pixels * 3;
  CComVariant v;
  for (std::int64_t i = 0; i < bytes; ++i) {
    if (!ReadValue(stream, v)) {
      Logger::Warning(L"Stored bitmap of %d x %d pixels ends after %lld of its %lld bytes\n", image.width,
                             image.height, static_cast<long long>(i), static_cast<long long>(bytes));
      RefuseRecord();
    }
    image.bgr.push_back(v.vt == VT_I1 ? static_cast<BYTE>(v.cVal) : 0);
  }
  HBITMAP bitmap = m_Imager.CreateBitmapFromBGR(image);
  if (!bitmap) {
    Logger::Warning(L"Stored bitmap of %d x %d pixels cannot be made\n", image.width, image.height);
    RefuseRecord();
  }
  return bitmap;
}

void SerialHelper::SaveArray(IVariantStream* stream, IArray* array) {
  zelph::ThrowIfNull(array);
  LONG count = 0;
  zelph::ThrowIfFailed(array->get_Count(&count));
  SaveLong(stream, count);
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IUnknown> element;
    zelph::ThrowIfFailed(array->get_Element(i, &element));
    SaveUnknown(stream, element);
  }
}

LONG SerialHelper::LoadCount(IVariantStream* stream) {
  LONG count = LoadLong(stream);
  if (count < 0) {
    Logger::Warning(L"Refusing a stored count of %ld elements\n", static_cast<long>(count));
    RefuseRecord();
  }
  return count;
}

void SerialHelper::LoadArray(IVariantStream* stream, IArray* array, REFIID elementIid) {
  zelph::ThrowIfNull(array);
  LONG count = LoadCount(stream);
  // Gathered first and appended only once the whole list has been read.
  std::vector<CComPtr<IUnknown>> elements;
  CComVariant v;
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IUnknown> element;
    if (ReadValue(stream, v) && v.vt == VT_UNKNOWN && v.punkVal) {
      v.punkVal->QueryInterface(elementIid, reinterpret_cast<void**>(&element));
    }
    if (!element) {
      Logger::Warning(L"Stored list of %ld elements holds no usable element at %ld\n",
                             static_cast<long>(count), static_cast<long>(i));
      RefuseRecord();
    }
    elements.push_back(std::move(element));
  }
  for (const CComPtr<IUnknown>& element : elements) zelph::ThrowIfFailed(array->Add(element));
}

void SerialHelper::SaveInline(IVariantStream* stream, IUnknown* held, REFCLSID standIn) {
  // A nested record that could not be written whole fails the parent's
  // record too: going on would leave the parent's values out of place.
  CComPtr<IPersistVariant> persist = PersistOf(held, standIn);
  zelph::ThrowIfFailed(persist->Save(stream));
}

void SerialHelper::LoadInline(IVariantStream* stream, IUnknown* held, REFCLSID standIn) {
  LoadInto(PersistOf(held, standIn), stream);
}

void SerialHelper::LoadInto(IPersistVariant* persist, IVariantStream* stream) {
  if (stream != m_ReadAheadSource) m_ReadAhead.clear();
  // A nested record that could not be read whole fails the parent's record:
  // the values after it would be read out of place.
  if (m_ReadAhead.empty()) {
    zelph::ThrowIfFailed(persist->Load(stream));
    return;
  }
  CComPtr<ReplayStream> replay = ReplayStream::Over(stream, m_ReadAhead);
  HRESULT hr = persist->Load(replay);
  m_ReadAhead = replay->TakeUnread();
  zelph::ThrowIfFailed(hr);
}

CComPtr<IUnknown> SerialHelper::LoadInlineReplacing(IVariantStream* stream, IUnknown* held, REFCLSID standIn,
                                                    RecordKindRule rule, InlineTarget target) {
  // Take the record's first two values (or what is left of them) ahead.
  if (stream != m_ReadAheadSource) m_ReadAhead.clear();
  m_ReadAheadSource = stream;
  std::deque<CComVariant> ahead;
  for (int i = 0; i < 2; ++i) {
    CComVariant value;
    ReadValue(stream, value);
    ahead.push_back(value);
  }
  for (auto it = ahead.rbegin(); it != ahead.rend(); ++it) m_ReadAhead.push_front(*it);
  CLSID written = rule(ahead[0], ahead[1]);

  CLSID heldClass = ClassOf(held);
  if (written == GUID_NULL || SameLayout(written, heldClass)) {
    if (target == InlineTarget::Held || !held) {
      LoadInline(stream, held, standIn);
      return nullptr;
    }
    written = heldClass;
  }
  CComPtr<IPersistVariant> fresh = zelph::NewLibraryObject<IPersistVariant>(written);
  zelph::ThrowIfNull(fresh);
  LoadInto(fresh, stream);
  if (!held) return nullptr;
  return CComPtr<IUnknown>(fresh);
}

CLSID SerialHelper::MaterialKind(const VARIANT& first, const VARIANT& second) {
  if (first.vt == VT_BSTR) return CLSID_TextureMaterial3D;
  if (first.vt != VT_UNKNOWN) return GUID_NULL;
  if (second.vt == VT_UNKNOWN) return CLSID_GradientMaterial3D;
  if (second.vt == VT_INT) return CLSID_SimpleMaterial3D;
  return GUID_NULL;
}

CLSID SerialHelper::FontKind(const VARIANT& first, const VARIANT& second) {
  if (first.vt != VT_UNKNOWN) return GUID_NULL;
  return second.vt == VT_BOOL ? CLSID_ExtrudedFont3D : CLSID_Font3D;
}

CLSID SerialHelper::EllipsoidKind(const VARIANT& first, const VARIANT&) {
  if (first.vt == VT_INT) return CLSID_Ellipsoid3D;
  if (first.vt == VT_R8) return CLSID_PartialEllipsoid3D;
  return GUID_NULL;
}

CComPtr<IUID> SerialHelper::ClassID(REFCLSID clsid) {
  CComPtr<IUID> id = zelph::RequireHostObject<IUID>(CLSID_UID);
  OLECHAR text[kGuidTextSize];
  StringFromGUID2(clsid, text, kGuidTextSize);
  zelph::ThrowIfFailed(id->put_Value(CComVariant(text)));
  return id;
}
