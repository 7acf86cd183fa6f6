// The class factory of one object map entry: creates instances through the
// entry's instance creator and holds server locks.
#pragma once

#include "frame/ComObject.h"

#pragma GCC visibility push(hidden)
namespace zelph {

class ComClassFactory : public ComObjectRoot, public IClassFactory {
 public:
  using InterfaceMap = zelph::InterfaceMap<IClassFactory>;

  void SetCreator(InstanceCreator creator) { m_Creator = creator; }

  // An aggregate may only ask its inner object for IUnknown: any other
  // interface would give the outer object a pointer it cannot control.
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (outer && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    if (!m_Creator) return E_UNEXPECTED;
    return m_Creator(outer, riid, result);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      ThisModule().Lock();
    } else {
      ThisModule().Unlock();
    }
    return S_OK;
  }

 private:
  InstanceCreator m_Creator = nullptr;
};

}  // namespace zelph
#pragma GCC visibility pop
