#include "tools/scenefile/DispatchWriter.h"

#include <algorithm>
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
    &IID_ILabeledBillboard3D,
    &IID_IBillboard3D,
    &IID_IPartialEllipsoid3D,
    &IID_IEllipsoid3D,
    &IID_IGeoExtrusion3D,
    &IID_IExtrusion3D,
    &IID_IGroupGraphic3D,
    &IID_ITextPoint3D,
    &IID_IBillboardLabel3D,
    &IID_ICallout3D,
    &IID_IGraphic3D,
    &IID_IUpdate3D,
    &IID_IOrientation3D,
    &IID_ISimpleMaterial3D,
    &IID_IGradientMaterial3D,
    &IID_ITextureMaterial3D,
    &IID_IMaterial3D,
    &IID_ITexture3D,
    &IID_IFont3D,
    &IID_IBillboardFont3D,
    &IID_IExtrudedFont3D,
    &IID_ISceneManager3D,
    &IID_ISelection3D,
    &IID_ILocationHelper3D,
    &IID_IOrthoTrack3D,
    &IID_IGLDisplay3D,
};

bool IsObject(const VARIANT& value) { return (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN); }

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
                               SceneError::Code(lastRefusal));
  }
  throw SceneError(path, "unknown property \"" + name + "\"");
}

HRESULT DispatchWriter::Invoke(const Member& member, WORD flags, const VARIANT& value) {
  CComVariant ignored;
  return Invoke(member, flags, {value}, &ignored);
}

// Invoke reads its arguments, it never frees them, so plain copies of the
// caller's variants go in, last first.
HRESULT DispatchWriter::Invoke(const Member& member, WORD flags, std::vector<VARIANT> arguments, VARIANT* result) {
  std::reverse(arguments.begin(), arguments.end());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  params.rgvarg = arguments.data();
  params.cArgs = static_cast<UINT>(arguments.size());
  const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  params.rgdispidNamedArgs = isPut ? &named : nullptr;
  params.cNamedArgs = isPut ? 1 : 0;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  HRESULT invoked =
      member.dispatch->Invoke(member.id, GUID_NULL, 0, flags, &params, result, &exception, &argumentError);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  // The member's own refusal, rather than the wrapper's.
  if (invoked == DISP_E_EXCEPTION && FAILED(exception.scode)) invoked = exception.scode;
  return invoked;
}

void DispatchWriter::Fail(HRESULT result, const std::string& what, const std::string& path) {
  if (result == DISP_E_TYPEMISMATCH || result == DISP_E_BADVARTYPE || result == DISP_E_OVERFLOW) {
    throw SceneError(path, "wrong type of value for " + what);
  }
  if (result == DISP_E_MEMBERNOTFOUND) throw SceneError(path, what + " cannot be set");
  throw SceneError(path, what + " was refused (" + SceneError::Code(result) + ")");
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
  Call(object, name, {CComVariant(argument)}, path);
}

CComVariant DispatchWriter::Call(IUnknown* object, const std::string& name, const std::vector<CComVariant>& arguments,
                                 const std::string& path) {
  const Member member = Resolve(object, name, path);
  CComVariant result;
  const HRESULT called =
      Invoke(member, DISPATCH_METHOD, std::vector<VARIANT>(arguments.begin(), arguments.end()), &result);
  if (FAILED(called)) Fail(called, "method \"" + name + "\"", path);
  return result;
}

void DispatchWriter::RequireMember(IUnknown* object, const std::string& name, const std::string& path) {
  Resolve(object, name, path);
}

}  // namespace zelph::scenefile
