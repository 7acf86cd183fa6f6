#include "host/streams/ObjectRecords.h"

#include <cmath>
#include <iterator>

#include "frame/HostCollections.h"
#include "host/HostCall.h"
#include "host/streams/MemoryVariantStream.h"
#include "host/streams/StreamValues.h"
#include "platform/ClassRegistry.h"
#include "platform/OleFont.h"

namespace zelph::host::streams {

namespace {

// Font sizes travel in points; a size the currency form cannot hold does
// not fit the record.
constexpr double kCurrencyScale = 10000.0;
constexpr double kLargestFontPoints = 1e12;

// The style flags of a font, in record order.
struct FontFlag {
  HRESULT (STDMETHODCALLTYPE IFont::*get)(BOOL*);
  HRESULT (STDMETHODCALLTYPE IFont::*put)(BOOL);
};
constexpr FontFlag kFontFlags[] = {{&IFont::get_Bold, &IFont::put_Bold},
                                   {&IFont::get_Italic, &IFont::put_Italic},
                                   {&IFont::get_Underline, &IFont::put_Underline},
                                   {&IFont::get_Strikethrough, &IFont::put_Strikethrough}};

CLSID ClassIdOf(IPersistVariant* persist) {
  CComPtr<IUID> id;
  ThrowIfFailed(persist->get_ID(&id));
  RequireArgument(id != nullptr);
  CComVariant text;
  ThrowIfFailed(id->get_Value(&text));
  CLSID clsid;
  RequireArgument(text.vt == VT_BSTR && text.bstrVal && SUCCEEDED(CLSIDFromString(text.bstrVal, &clsid)));
  return clsid;
}

template <class Value>
Value FontValue(HRESULT (STDMETHODCALLTYPE IFont::*getter)(Value*), IFont* font) {
  Value value{};
  ThrowIfFailed((font->*getter)(&value));
  return value;
}

void SaveFont(IFont* font, IVariantStream* stream) {
  CComBSTR name;
  ThrowIfFailed(font->get_Name(&name));
  WriteString(stream, name);
  WriteDouble(stream, static_cast<double>(FontValue(&IFont::get_Size, font).int64) / kCurrencyScale);
  for (const FontFlag& flag : kFontFlags) WriteBool(stream, FontValue(flag.get, font) != FALSE);
  WriteShort(stream, FontValue(&IFont::get_Weight, font));
  WriteShort(stream, FontValue(&IFont::get_Charset, font));
}

void LoadFont(IFont* font, IVariantStream* stream) {
  CComBSTR name = ReadString(stream);
  double points = ReadDouble(stream);
  if (!(std::fabs(points) <= kLargestFontPoints)) Fail(kRecordMismatch);
  bool flags[std::size(kFontFlags)];
  for (bool& flag : flags) flag = ReadBool(stream);
  SHORT weight = ReadShort(stream);
  SHORT charset = ReadShort(stream);
  ThrowIfFailed(font->put_Name(name));
  ThrowIfFailed(font->put_Size(CY{std::llround(points * kCurrencyScale)}));
  // The weight comes after the bold flag, which sets a weight of its own.
  for (size_t i = 0; i < std::size(kFontFlags); ++i) ThrowIfFailed((font->*kFontFlags[i].put)(flags[i] ? TRUE : FALSE));
  ThrowIfFailed(font->put_Weight(weight));
  ThrowIfFailed(font->put_Charset(charset));
}

}  // namespace

std::shared_ptr<const ObjectRecord> CaptureObject(IUnknown* object, int depth) {
  RequireArgument(depth < kMaxNesting);
  auto record = std::make_shared<ObjectRecord>();
  MemoryVariantStream* nested = nullptr;
  CComPtr<IVariantStream> holder = MemoryVariantStream::Nested(depth + 1, {}, &nested);
  if (CComQIPtr<IPersistVariant> persist{object}) {
    record->clsid = ClassIdOf(persist);
    ThrowIfFailed(persist->Save(holder));
  } else if (CComQIPtr<IFont> font{object}) {
    record->clsid = CLSID_StdFont;
    SaveFont(font, holder);
  } else {
    Fail(E_INVALIDARG);
  }
  record->values = nested->TakeValues();
  return record;
}

CComPtr<IUnknown> RecreateObject(const ObjectRecord& record, int depth) {
  CComPtr<IUnknown> object;
  ThrowIfFailed(object.CoCreateInstance(record.clsid, nullptr, CLSCTX_INPROC_SERVER));
  CComPtr<IVariantStream> holder = MemoryVariantStream::Nested(depth + 1, record.values);
  if (CComQIPtr<IPersistVariant> persist{object}) {
    ThrowIfFailed(persist->Load(holder));
  } else if (CComQIPtr<IFont> font{object}) {
    LoadFont(font, holder);
  } else {
    Fail(E_NOINTERFACE);
  }
  return object;
}

}  // namespace zelph::host::streams
