// CComBSTR: owns one BSTR and frees it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Bstr.h"

class CComBSTR {
 public:
  CComBSTR() = default;
  CComBSTR(const OLECHAR* text) : m_str(text ? SysAllocString(text) : nullptr) {}
  CComBSTR(std::wstring_view text) : m_str(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}
  CComBSTR(CComBSTR&& other) noexcept : m_str(std::exchange(other.m_str, nullptr)) {}
  ~CComBSTR() { SysFreeString(m_str); }

  CComBSTR& operator=(const CComBSTR& other) {
    if (this != std::addressof(other)) Attach(other.Copy());
    return *this;
  }
  CComBSTR& operator=(CComBSTR&& other) noexcept {
    if (this != std::addressof(other)) Attach(std::exchange(other.m_str, nullptr));
    return *this;
  }
  CComBSTR& operator=(const OLECHAR* text) {
    Attach(text ? SysAllocString(text) : nullptr);
    return *this;
  }
  CComBSTR& operator+=(std::wstring_view text) {
    std::wstring joined(View());
    joined += text;
    Attach(SysAllocStringLen(joined.data(), static_cast<UINT>(joined.size())));
    return *this;
  }

  operator BSTR() const { return m_str; }
  // The address for an out-parameter; any held string is freed first.
  BSTR* operator&() {
    Empty();
    return &m_str;
  }
  bool operator!() const { return m_str == nullptr; }
  friend bool operator==(const CComBSTR& a, const CComBSTR& b) { return a.View() == b.View(); }

  UINT Length() const { return SysStringLen(m_str); }
  std::wstring_view View() const { return m_str ? std::wstring_view(m_str, Length()) : std::wstring_view(); }
  BSTR Copy() const {
    return m_str ? SysAllocStringByteLen(reinterpret_cast<const char*>(m_str), SysStringByteLen(m_str)) : nullptr;
  }
  HRESULT CopyTo(BSTR* target) const {
    if (!target) return E_POINTER;
    *target = Copy();
    return (m_str && !*target) ? E_OUTOFMEMORY : S_OK;
  }
  void Attach(BSTR text) {
    if (text != m_str) SysFreeString(m_str);
    m_str = text;
  }
  BSTR Detach() { return std::exchange(m_str, nullptr); }
  void Empty() { Attach(nullptr); }

  BSTR m_str = nullptr;
};
