// A billboard that also carries text labels drawn around it, all in one
// font and one colour, with a switch for the whole list.
#pragma once

#include "frame/FontInterfaces.h"
#include "graphics/Billboard3DBase.h"

class LabeledBillboard3D : public Billboard3DBase,
                           public zelph::DispatchImpl<ILabeledBillboard3D>,
                           public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<ILabeledBillboard3D, zelph::DispatchAs<ILabeledBillboard3D>, IBillboard3D,
                                           ICallout3D, IGraphic3D, IPersistVariant, IUpdate3D>;

  // Starts with the library's default billboard font, an empty label list
  // and black labels.
  LabeledBillboard3D();

  // A null label is refused: the list would no longer store.
  STDMETHODIMP AddLabel(IBillboardLabel3D* label) override;
  STDMETHODIMP ClearAllLabels() override;
  STDMETHODIMP get_Font(IFont3D** font) override;
  STDMETHODIMP putref_Font(IFont3D* font) override;
  STDMETHODIMP get_Labels(IArray** labels) override;
  STDMETHODIMP get_FontColor(IRgbColor** color) override;
  STDMETHODIMP putref_FontColor(IRgbColor* color) override;
  STDMETHODIMP get_EnableLabels(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableLabels(VARIANT_BOOL enabled) override;

  // The font in line, the label count and labels, then the billboard's
  // record. The colour and the label switch are not stored; Load appends
  // the stored labels to those already held.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  CComPtr<IFont3D> m_Font;
  CComPtr<IArray> m_Labels;
  CComPtr<IRgbColor> m_RgbColor;
  VARIANT_BOOL m_EnableLabels = VARIANT_TRUE;
};
