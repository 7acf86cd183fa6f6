#include "tools/scenefile/DispatchWriter.h"

#include <cstdio>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/GraphicInterfaces.h"
#include "frame/SceneInterfaces.h"
#include "platform/WideString.h"
#include "tools/scenefile/SceneError.h"

namespace zelph::scenefile {
namespace {

// The dual interfaces of the library, asked in this order after the
// object's own IDispatch: the specific ones before the shared ones.
const IID* const kDualInterfaces[] = {
    &IID_ILabeledBillboard3D, &IID_IBillboard3D,   &IID_IPartialEllipsoid3D, &IID_IEllipsoid3D,
    &IID_IGeoExtrusion3D,     &IID_IExtrusion3D,   &IID_IGroupGraphic3D,     &IID_ITextPoint3D,
    &IID_IBillboardLabel3D,   &IID_ICallout3D,     &IID_IGraphic3D,          &IID_IUpdate3D,
    &IID_IOrientation3D,      &IID_ISimpleMaterial3D, &IID_IGradientMaterial3D, &IID_ITextureMaterial3D,
    &IID_IMaterial3D,         &IID_ITexture3D,     &IID_IFont3D,             &IID_IBillboardFont3D,
    &IID_IExtrudedFont3D,     &IID_ISceneManager3D, &IID_ISelection3D,       &IID_ILocationHelper3D,
    &IID_IOrthoTrack3D,       &IID_IGLDisplay3D,
};

std::string Hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
  return text;
}

bool IsObject(const VARIANT& value) {
  return (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN);
}

}  // namespace

DispatchWriter::Member DispatchWriter::Resolve(IUnknown* object, const std::string& name, const std::string& path) {
  std::wstring wide = FromUtf8(name);
  LPOLESTR names[] = {wide.data()};
  std::vector<CComPtr<IDispatch>> candidates;
  CComQIPtr<IDispatch> primary{object};
  if (primary) candidates.push_back(primary);
  for (const IID* iid : kDualInterfaces) {
    CComPtr<IDispatch> dual;
    if (SUCCEEDED(object->QueryInterface(*iid, reinterpret_cast<void**>(&dual))) && dual) {
      candidates.push_back(dual);
    }
  }
  HRESULT lastRefusal = S_OK;
  for (const CComPtr<IDispatch>& dispatch : candidates) {
    Member member{dispatch, DISPID_UNKNOWN};
    const HRESULT found = dispatch->GetIDsOfNames(GUID_NULL, names, 1, 0, &member.id);
    if (SUCCEEDED(found)) return member;
    if (found != DISP_E_UNKNOWNNAME && found != DISP_E_MEMBERNOTFOUND) lastRefusal = found;
  }
  if (candidates.empty()) throw SceneError(path, "the object offers no IDispatch");
  if (FAILED(lastRefusal)) {
    throw SceneError(path, "cannot look up \"" + name + "\" by name: IDispatch::GetIDsOfNames failed with " +
                               Hex(lastRefusal));
  }
  throw SceneError(path, "unknown property \"" + name + "\"");
}

HRESULT DispatchWriter::Invoke(const Member& member, WORD flags, const VARIANT& value) {
  VARIANT argument = value;  // Invoke reads its arguments, it never frees them
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  params.rgvarg = &argument;
  params.cArgs = 1;
  const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  params.rgdispidNamedArgs = isPut ? &named : nullptr;
  params.cNamedArgs = isPut ? 1 : 0;
  CComVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT invoked =
      member.dispatch->Invoke(member.id, GUID_NULL, 0, flags, &params, &result, &exception, &argumentError);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return invoked;
}

void DispatchWriter::Fail(HRESULT result, const std::string& what, const std::string& path) {
  if (result == DISP_E_TYPEMISMATCH || result == DISP_E_BADVARTYPE || result == DISP_E_OVERFLOW) {
    throw SceneError(path, "wrong type of value for " + what);
  }
  if (result == DISP_E_MEMBERNOTFOUND) throw SceneError(path, what + " cannot be set");
  throw SceneError(path, what + " was refused (" + Hex(result) + ")");
}

void DispatchWriter::PutProperty(IUnknown* object, const std::string& name, const VARIANT& value,
                                 const std::string& path) {
  const Member member = Resolve(object, name, path);
  // Objects go by reference; a property that only takes them by value is
  // asked again with a plain put.
  HRESULT put = IsObject(value) ? Invoke(member, DISPATCH_PROPERTYPUTREF, value) : DISP_E_MEMBERNOTFOUND;
  if (put == DISP_E_MEMBERNOTFOUND) put = Invoke(member, DISPATCH_PROPERTYPUT, value);
  // A whole number written for a real-valued property.
  if (put == DISP_E_TYPEMISMATCH && value.vt == VT_I4) {
    put = Invoke(member, DISPATCH_PROPERTYPUT, CComVariant(static_cast<double>(value.lVal)));
  }
  if (FAILED(put)) Fail(put, "property \"" + name + "\"", path);
}

void DispatchWriter::CallMethod(IUnknown* object, const std::string& name, const VARIANT& argument,
                                const std::string& path) {
  const Member member = Resolve(object, name, path);
  const HRESULT called = Invoke(member, DISPATCH_METHOD, argument);
  if (FAILED(called)) Fail(called, "method \"" + name + "\"", path);
}

}  // namespace zelph::scenefile
