// A text anchored at a geographic point: a string drawn with a 3D font at a
// scale, aligned horizontally and vertically about the graphic's centroid.
// Its extent is a fixed box of one unit around the centroid, whatever the
// text, font or scale.
#pragma once

#include "frame/FontInterfaces.h"
#include "graphics/Callout3DBase.h"

class TextPoint3D : public Callout3DBase, public zelph::DispatchImpl<ITextPoint3D>, public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITextPoint3D, zelph::DispatchAs<ITextPoint3D>, ICallout3D, IGraphic3D,
                                           IPersistVariant, IUpdate3D>;

  // Makes the default font (left null when it cannot be made).
  HRESULT FinalConstruct();

  // ITextPoint3D
  STDMETHODIMP get_Font(IFont3D** font) override;
  STDMETHODIMP putref_Font(IFont3D* font) override;
  STDMETHODIMP get_TextScale(DOUBLE* scale) override;
  STDMETHODIMP put_TextScale(DOUBLE scale) override;
  STDMETHODIMP get_HAOption(kestGLHAlignOption* option) override;
  STDMETHODIMP put_HAOption(kestGLHAlignOption option) override;
  STDMETHODIMP get_VAOption(kestGLVAlignOption* option) override;
  STDMETHODIMP put_VAOption(kestGLVAlignOption option) override;
  STDMETHODIMP get_Text(BSTR* text) override;
  STDMETHODIMP put_Text(BSTR text) override;

  // IPersistVariant: font in line, scale, alignments, text, callout block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

  void UpdateExtent() override;

 private:
  CComPtr<IFont3D> m_Font;
  double m_TextScale = 0.0005;
  kestGLHAlignOption m_HOption = kestGLHAlignCenter;
  kestGLVAlignOption m_VOption = kestGLVAlignCenter;
  CComBSTR m_Text{L""};
};
