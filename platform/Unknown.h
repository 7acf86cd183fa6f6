// The root interfaces of the component model: IUnknown, IClassFactory and
// IDispatch, with the type information and type libraries automation
// describes dual interfaces by.
#pragma once

#include "platform/Guid.h"

struct IUnknown {
  STDMETHOD(QueryInterface)(REFIID riid, void** object) = 0;
  STDMETHOD_(ULONG, AddRef)() = 0;
  STDMETHOD_(ULONG, Release)() = 0;

  template <class Interface>
  HRESULT QueryInterface(Interface** object) {
    return QueryInterface(uuidof<Interface>(), reinterpret_cast<void**>(object));
  }

 protected:
  ~IUnknown() = default;
};
ZELPH_DEFINE_IID(IUnknown, 0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IClassFactory : IUnknown {
  STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) = 0;
  STDMETHOD(LockServer)(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};
ZELPH_DEFINE_IID(IClassFactory, 0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

using DISPID = LONG;
using MEMBERID = DISPID;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

struct tagVARIANT;
using VARIANT = tagVARIANT;
using VARIANTARG = VARIANT;
using BSTR = wchar_t*;

struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  void* pvReserved;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

using VARTYPE = std::uint16_t;

// The type of one parameter or result: its variant type (VT_BYREF added for
// an out-parameter handed back through a reference).
struct TYPEDESC {
  VARTYPE vt;
};
struct ELEMDESC {
  TYPEDESC tdesc;
};

enum INVOKEKIND : int {
  INVOKE_FUNC = 1,
  INVOKE_PROPERTYGET = 2,
  INVOKE_PROPERTYPUT = 4,
  INVOKE_PROPERTYPUTREF = 8,
};

// One member of a dual interface as late binding sees it. The parameter
// array belongs to the type information; the description itself is freed
// with ReleaseFuncDesc.
struct FUNCDESC {
  MEMBERID memid;
  ELEMDESC* lprgelemdescParam;
  INVOKEKIND invkind;
  SHORT cParams;
  ELEMDESC elemdescFunc;
};

enum TYPEKIND : int {
  TKIND_ENUM = 0,
  TKIND_RECORD = 1,
  TKIND_MODULE = 2,
  TKIND_INTERFACE = 3,
  TKIND_DISPATCH = 4,
  TKIND_COCLASS = 5,
  TKIND_ALIAS = 6,
  TKIND_UNION = 7,
};

// What a type is as a whole: its id, its kind and how many functions it
// has. Freed with ReleaseTypeAttr.
struct TYPEATTR {
  GUID guid;
  TYPEKIND typekind;
  WORD cFuncs;
};

// What a type library is: its id, locale and version. Freed with
// ReleaseTLibAttr.
struct TLIBATTR {
  GUID guid;
  LCID lcid;
  WORD wMajorVerNum;
  WORD wMinorVerNum;
};

struct ITypeLib;

// Type information of a dual interface: the members a late-bound client can
// call, each a function (a property's get and put are two).
struct ITypeInfo : IUnknown {
  STDMETHOD(GetFuncCount)(UINT* count) = 0;
  // TYPE_E_ELEMENTNOTFOUND past the last function.
  STDMETHOD(GetFuncDesc)(UINT index, FUNCDESC** desc) = 0;
  STDMETHOD_(void, ReleaseFuncDesc)(FUNCDESC* desc) = 0;
  // The member's name (parameters have none): at most `maxNames` names.
  STDMETHOD(GetNames)(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) = 0;
  STDMETHOD(GetIDsOfNames)(LPOLESTR* names, UINT count, MEMBERID* ids) = 0;
  STDMETHOD(GetTypeAttr)(TYPEATTR** attr) = 0;
  STDMETHOD_(void, ReleaseTypeAttr)(TYPEATTR* attr) = 0;
  // The library this type belongs to and the type's index in it.
  STDMETHOD(GetContainingTypeLib)(ITypeLib** lib, UINT* index) = 0;

 protected:
  ~ITypeInfo() = default;
};
ZELPH_DEFINE_IID(ITypeInfo, 0x00020401, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

// A type library: the type information of every interface a server
// describes, by index and by interface id.
struct ITypeLib : IUnknown {
  STDMETHOD_(UINT, GetTypeInfoCount)() = 0;
  // TYPE_E_ELEMENTNOTFOUND past the last type.
  STDMETHOD(GetTypeInfo)(UINT index, ITypeInfo** info) = 0;
  // TYPE_E_ELEMENTNOTFOUND for a guid the library does not describe.
  STDMETHOD(GetTypeInfoOfGuid)(REFGUID guid, ITypeInfo** info) = 0;
  STDMETHOD(GetLibAttr)(TLIBATTR** attr) = 0;
  STDMETHOD_(void, ReleaseTLibAttr)(TLIBATTR* attr) = 0;
  // Index -1 names the library itself, any other index a type. Every out
  // pointer may be null; the strings are the caller's to free.
  STDMETHOD(GetDocumentation)(INT index, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) = 0;

 protected:
  ~ITypeLib() = default;
};
ZELPH_DEFINE_IID(ITypeLib, 0x00020402, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IDispatch : IUnknown {
  STDMETHOD(GetTypeInfoCount)(UINT* count) = 0;
  STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** info) = 0;
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) = 0;
  STDMETHOD(Invoke)
  (DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
   UINT* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};
ZELPH_DEFINE_IID(IDispatch, 0x00020400, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
