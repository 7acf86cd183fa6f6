#include "platform/StdFont.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/FontObject.h"
#include "platform/Fonts.h"
#include "platform/WideString.h"

namespace zelph {
namespace {

// The one resolution of this runtime's screen.
constexpr double kPixelsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kCurrencyScale = 10000.0;
// Far beyond any text on a screen, and well within a LONG.
constexpr double kLargestPixelHeight = 1.0e6;
constexpr SHORT kHeaviestWeight = 1000;

BOOL Flag(BOOL value) { return value ? TRUE : FALSE; }

template <class Body>
HRESULT Guarded(Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace

void StdFont::FinalRelease() { DropHandle(); }

template <class Value>
HRESULT StdFont::Read(Value Attributes::*field, Value* value) const {
  if (!value) return E_POINTER;
  *value = m_Attributes.*field;
  return S_OK;
}

// The handle belongs to the attributes it was made for: a change of value
// retires it.
template <class Value>
HRESULT StdFont::Change(Value Attributes::*field, Value value) {
  if (m_Attributes.*field == value) return S_OK;
  m_Attributes.*field = std::move(value);
  DropHandle();
  return S_OK;
}

STDMETHODIMP StdFont::get_Name(BSTR* name) {
  if (!name) return E_POINTER;
  *name = SysAllocStringLen(m_Attributes.name.data(), static_cast<UINT>(m_Attributes.name.size()));
  return *name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP StdFont::put_Name(BSTR name) {
  if (SysStringLen(name) == 0) return E_INVALIDARG;
  return Guarded([&] { return Change(&Attributes::name, std::wstring(name, SysStringLen(name))); });
}

STDMETHODIMP StdFont::get_Size(CY* size) {
  if (!size) return E_POINTER;
  size->int64 = m_Attributes.size;
  return S_OK;
}

STDMETHODIMP StdFont::put_Size(CY size) {
  if (size.int64 <= 0) return E_INVALIDARG;
  return Change(&Attributes::size, size.int64);
}

STDMETHODIMP StdFont::get_Bold(BOOL* bold) {
  if (!bold) return E_POINTER;
  *bold = Flag(m_Attributes.weight > FW_MEDIUM);
  return S_OK;
}

STDMETHODIMP StdFont::put_Bold(BOOL bold) {
  return Change(&Attributes::weight, static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL));
}

STDMETHODIMP StdFont::get_Italic(BOOL* italic) { return Read(&Attributes::italic, italic); }
STDMETHODIMP StdFont::put_Italic(BOOL italic) { return Change(&Attributes::italic, Flag(italic)); }
STDMETHODIMP StdFont::get_Underline(BOOL* underline) { return Read(&Attributes::underline, underline); }
STDMETHODIMP StdFont::put_Underline(BOOL underline) { return Change(&Attributes::underline, Flag(underline)); }
STDMETHODIMP StdFont::get_Strikethrough(BOOL* strikethrough) {
  return Read(&Attributes::strikethrough, strikethrough);
}
STDMETHODIMP StdFont::put_Strikethrough(BOOL strikethrough) {
  return Change(&Attributes::strikethrough, Flag(strikethrough));
}
STDMETHODIMP StdFont::get_Weight(SHORT* weight) { return Read(&Attributes::weight, weight); }

STDMETHODIMP StdFont::put_Weight(SHORT weight) {
  if (weight < 0 || weight > kHeaviestWeight) return E_INVALIDARG;
  return Change(&Attributes::weight, weight);
}

STDMETHODIMP StdFont::get_Charset(SHORT* charset) { return Read(&Attributes::charset, charset); }
STDMETHODIMP StdFont::put_Charset(SHORT charset) { return Change(&Attributes::charset, charset); }

STDMETHODIMP StdFont::get_hFont(HFONT* font) {
  if (!font) return E_POINTER;
  *font = nullptr;
  return Guarded([&] {
    if (!m_Handle) m_Handle = MakeHandle();
    if (!m_Handle) return E_OUTOFMEMORY;
    *font = m_Handle;
    return S_OK;
  });
}

// A negative height asks for the em (the point size), not the line.
HFONT StdFont::MakeHandle() const {
  const double points = static_cast<double>(m_Attributes.size) / kCurrencyScale;
  const double pixels = std::clamp(std::round(points * kPixelsPerInch / kPointsPerInch), 1.0, kLargestPixelHeight);
  return CreateFontW(-static_cast<int>(pixels), 0, 0, 0, m_Attributes.weight, m_Attributes.italic,
                     m_Attributes.underline, m_Attributes.strikethrough, static_cast<BYTE>(m_Attributes.charset),
                     OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                     m_Attributes.name.c_str());
}

void StdFont::DropHandle() {
  if (m_Handle) gdi::FontObject::DeleteHandle(std::exchange(m_Handle, nullptr));
}

STDMETHODIMP StdFont::Clone(IFont** copy) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return Guarded([&] {
    ComObject<StdFont>* clone = nullptr;
    HRESULT hr = ComObject<StdFont>::CreateInstance(&clone);
    if (FAILED(hr)) return hr;
    CComPtr<IFont> held;
    hr = HandOutNew(clone, IID_IFont, reinterpret_cast<void**>(&held));
    if (FAILED(hr)) return hr;
    clone->m_Attributes = m_Attributes;
    *copy = held.Detach();
    return S_OK;
  });
}

STDMETHODIMP StdFont::IsEqual(IFont* other) {
  if (!other) return E_POINTER;
  return Guarded([&] {
    Attributes theirs;
    const HRESULT hr = ReadAttributes(other, &theirs);
    if (FAILED(hr)) return hr;
    return Same(m_Attributes, theirs) ? S_OK : S_FALSE;
  });
}

// Through the interface, so that any standard font compares.
HRESULT StdFont::ReadAttributes(IFont* font, Attributes* attributes) {
  CComBSTR name;
  CY size{};
  HRESULT results[] = {font->get_Name(&name),
                       font->get_Size(&size),
                       font->get_Weight(&attributes->weight),
                       font->get_Italic(&attributes->italic),
                       font->get_Underline(&attributes->underline),
                       font->get_Strikethrough(&attributes->strikethrough),
                       font->get_Charset(&attributes->charset)};
  for (HRESULT hr : results) {
    if (FAILED(hr)) return hr;
  }
  attributes->name = name.View();
  attributes->size = size.int64;
  return S_OK;
}

bool StdFont::Same(const Attributes& mine, const Attributes& theirs) {
  return EqualsNoCase(mine.name, theirs.name) && mine.size == theirs.size && mine.weight == theirs.weight &&
         Flag(mine.italic) == Flag(theirs.italic) && Flag(mine.underline) == Flag(theirs.underline) &&
         Flag(mine.strikethrough) == Flag(theirs.strikethrough) && mine.charset == theirs.charset;
}

STDMETHODIMP StdFont::SetRatio(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP StdFont::QueryTextMetrics(TEXTMETRICW*) { return E_NOTIMPL; }
STDMETHODIMP StdFont::AddRefHfont(HFONT) { return E_NOTIMPL; }
STDMETHODIMP StdFont::ReleaseHfont(HFONT) { return E_NOTIMPL; }
STDMETHODIMP StdFont::SetHdc(HDC) { return E_NOTIMPL; }

}  // namespace zelph
