// The standard font object: a typeface name, a size in points, a weight and
// a style, with a GDI font handle made for them at 96 dpi. Class
// CLSID_StdFont, registered in the process when the runtime loads.
#pragma once

#include <string>

#include "frame/ComObject.h"
#include "platform/Fonts.h"
#include "platform/OleFont.h"

namespace zelph {

// Single-threaded, as the components that hold it.
//
// Scaling to a device (SetRatio, SetHdc), text metrics and the handle
// reference counts (AddRefHfont, ReleaseHfont) mean nothing at the one
// fixed resolution of this runtime and return E_NOTIMPL.
class StdFont : public ComObjectRoot, public IFont {
 public:
  using InterfaceMap = zelph::InterfaceMap<IFont>;

  void FinalRelease();

  STDMETHODIMP get_Name(BSTR* name) override;
  // E_INVALIDARG for a null or empty name.
  STDMETHODIMP put_Name(BSTR name) override;
  STDMETHODIMP get_Size(CY* size) override;
  // E_INVALIDARG unless the size is above 0.
  STDMETHODIMP put_Size(CY size) override;
  // Bold is a weight above medium; setting it sets the weight to bold or
  // normal.
  STDMETHODIMP get_Bold(BOOL* bold) override;
  STDMETHODIMP put_Bold(BOOL bold) override;
  STDMETHODIMP get_Italic(BOOL* italic) override;
  STDMETHODIMP put_Italic(BOOL italic) override;
  STDMETHODIMP get_Underline(BOOL* underline) override;
  STDMETHODIMP put_Underline(BOOL underline) override;
  STDMETHODIMP get_Strikethrough(BOOL* strikethrough) override;
  STDMETHODIMP put_Strikethrough(BOOL strikethrough) override;
  STDMETHODIMP get_Weight(SHORT* weight) override;
  // E_INVALIDARG outside 0 to 1000.
  STDMETHODIMP put_Weight(SHORT weight) override;
  STDMETHODIMP get_Charset(SHORT* charset) override;
  STDMETHODIMP put_Charset(SHORT charset) override;
  // The handle stays the same until an attribute changes value; then it is
  // deleted and the next call makes a new one.
  STDMETHODIMP get_hFont(HFONT* font) override;
  // A new font with the same attributes and a handle of its own.
  STDMETHODIMP Clone(IFont** copy) override;
  // S_OK when the other font has the same attributes (names compared
  // without regard to case), S_FALSE otherwise.
  STDMETHODIMP IsEqual(IFont* other) override;
  STDMETHODIMP SetRatio(LONG logical, LONG himetric) override;
  STDMETHODIMP QueryTextMetrics(TEXTMETRICW* metrics) override;
  STDMETHODIMP AddRefHfont(HFONT font) override;
  STDMETHODIMP ReleaseHfont(HFONT font) override;
  STDMETHODIMP SetHdc(HDC hdc) override;

 private:
  struct Attributes {
    std::wstring name = L"Arial";
    LONGLONG size = 80000;  // points times 10000, as a CY holds them
    SHORT weight = FW_NORMAL;
    BOOL italic = FALSE;
    BOOL underline = FALSE;
    BOOL strikethrough = FALSE;
    SHORT charset = ANSI_CHARSET;
  };

  template <class Value>
  HRESULT Read(Value Attributes::*field, Value* value) const;
  template <class Value>
  HRESULT Change(Value Attributes::*field, Value value);
  HFONT MakeHandle() const;
  void DropHandle();
  static HRESULT ReadAttributes(IFont* font, Attributes* attributes);
  static bool Same(const Attributes& mine, const Attributes& theirs);

  Attributes m_Attributes;
  HFONT m_Handle = nullptr;
};

}  // namespace zelph
