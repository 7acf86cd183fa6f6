// A graphic's UID as a key of the scene manager's maps and indexes: a null
// UID comes before every string, strings compare by their wide characters
// up to the first null, case-sensitive, as wcscmp compares them.
#pragma once

#include <cstddef>
#include <cwchar>
#include <functional>
#include <string>

#include "platform/Bstr.h"

class UidKey {
 public:
  UidKey() = default;
  explicit UidKey(const wchar_t* uid) : m_Null(uid == nullptr), m_Text(uid ? uid : L"") {}

  bool IsNull() const { return m_Null; }
  const std::wstring& Text() const { return m_Text; }
  // The UID as the graphic gave it: null, or the text.
  const wchar_t* Get() const { return m_Null ? nullptr : m_Text.c_str(); }

  friend bool operator==(const UidKey& a, const UidKey& b) = default;
  friend bool operator<(const UidKey& a, const UidKey& b) {
    if (a.m_Null || b.m_Null) return a.m_Null && !b.m_Null;
    return std::wcscmp(a.m_Text.c_str(), b.m_Text.c_str()) < 0;
  }

 private:
  bool m_Null = true;
  std::wstring m_Text;
};

template <>
struct std::hash<UidKey> {
  std::size_t operator()(const UidKey& key) const noexcept {
    return key.IsNull() ? 0x9E3779B9u : std::hash<std::wstring>{}(key.Text());
  }
};
