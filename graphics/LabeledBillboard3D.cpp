#include "graphics/LabeledBillboard3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"
#include "text/ComFontHelper.h"

using zelph::ComCall;

LabeledBillboard3D::LabeledBillboard3D()
    : m_Font(ComFontHelper::GetDefaultBillboardFont()),
      m_Labels(zelph::NewHostObject<IArray>(CLSID_Array)),
      m_RgbColor(zelph::NewHostObject<IRgbColor>(CLSID_RgbColor)) {
  if (m_RgbColor) {
    m_RgbColor->put_Red(0);
    m_RgbColor->put_Green(0);
    m_RgbColor->put_Blue(0);
  }
}

STDMETHODIMP LabeledBillboard3D::AddLabel(IBillboardLabel3D* label) {
  return ComCall(L"AddLabel", [&] {
    zelph::ThrowIfNull(label);
    zelph::ThrowIfNull(m_Labels);
    zelph::ThrowIfFailed(m_Labels->Add(label));
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP LabeledBillboard3D::ClearAllLabels() {
  return ComCall(L"ClearAllLabels", [&] {
    zelph::ThrowIfNull(m_Labels);
    zelph::ThrowIfFailed(m_Labels->RemoveAll());
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP LabeledBillboard3D::get_Font(IFont3D** font) {
  return ComCall(L"get_Font", [&] { zelph::HandOut(m_Font.p, font); }, font);
}

STDMETHODIMP LabeledBillboard3D::putref_Font(IFont3D* font) {
  return ComCall(L"putref_Font", [&] {
    m_Font = font;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP LabeledBillboard3D::get_Labels(IArray** labels) {
  return ComCall(L"get_Labels", [&] { zelph::HandOut(m_Labels.p, labels); }, labels);
}

STDMETHODIMP LabeledBillboard3D::get_FontColor(IRgbColor** color) {
  return ComCall(L"get_FontColor", [&] { zelph::HandOut(m_RgbColor.p, color); }, color);
}

STDMETHODIMP LabeledBillboard3D::putref_FontColor(IRgbColor* color) {
  return ComCall(L"putref_FontColor", [&] {
    m_RgbColor = color;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP LabeledBillboard3D::get_EnableLabels(VARIANT_BOOL* enabled) {
  return ComCall(L"get_EnableLabels", [&] { *enabled = m_EnableLabels; }, enabled);
}

STDMETHODIMP LabeledBillboard3D::put_EnableLabels(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableLabels", [&] {
    m_EnableLabels = enabled;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP LabeledBillboard3D::get_ID(IUID** id) {
  return zelph::GetClassID(L"get_ID", CLSID_LabeledBillboard3D, id);
}

// Font components are shared: every labelled billboard starts with the
// library's one default font, and the font cache hands one component to
// all texts of a typeface. The stored font is therefore read into a new
// font (of the kind the record tells, else of the held font's class), which
// this billboard then holds, so that
// loading one billboard never changes the labels of another. With no font
// held the record is read and dropped.
STDMETHODIMP LabeledBillboard3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_Serial.LoadInlineOfKind(record, m_Font, CLSID_BillboardFont3D, SerialHelper::FontKind,
                              SerialHelper::InlineTarget::NewObject);
    m_Serial.LoadArray(record, m_Labels, IID_IBillboardLabel3D);
    LoadBillboard(record);
  });
}

STDMETHODIMP LabeledBillboard3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveInline(record, m_Font, CLSID_BillboardFont3D);
    m_Serial.SaveArray(record, m_Labels);
    SaveBillboard(record);
  });
}
