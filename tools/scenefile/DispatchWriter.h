// Sets properties and calls methods of library components by name, through
// IDispatch alone, as a script client does. A component's default interface
// answers IDispatch; names it does not know are looked for on the other dual
// interfaces the component offers, so that "UID" reaches IGraphic3D on a
// billboard whichever interface the late-bound layer resolves it on.
#pragma once

#include <string>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "platform/Unknown.h"

namespace zelph::scenefile {

class DispatchWriter {
 public:
  // Throws SceneError (at `path`) when the object has no member `name`, the
  // value has the wrong type, or the component refuses it.
  static void PutProperty(IUnknown* object, const std::string& name, const VARIANT& value, const std::string& path);
  // Calls the one-argument method `name`.
  static void CallMethod(IUnknown* object, const std::string& name, const VARIANT& argument, const std::string& path);
  // Calls the method `name` with `arguments`, first first, and hands back
  // its result.
  static CComVariant Call(IUnknown* object, const std::string& name, const std::vector<CComVariant>& arguments,
                          const std::string& path);
  // Throws as PutProperty does when the object has no member `name`, so
  // that a name can be checked long before its value is set.
  static void RequireMember(IUnknown* object, const std::string& name, const std::string& path);

 private:
  struct Member {
    CComPtr<IDispatch> dispatch;
    DISPID id = DISPID_UNKNOWN;
  };
  static Member Resolve(IUnknown* object, const std::string& name, const std::string& path);
  static HRESULT Invoke(const Member& member, WORD flags, const VARIANT& value);
  static HRESULT Invoke(const Member& member, WORD flags, std::vector<VARIANT> arguments, VARIANT* result);
  static void Fail(HRESULT result, const std::string& what, const std::string& path);
};

}  // namespace zelph::scenefile
