// CString: the runtime's wide string value class.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/Bstr.h"

class CString {
 public:
  CString() = default;
  CString(const wchar_t* text) : m_Text(text ? text : L"") {}
  CString(std::wstring_view text) : m_Text(text) {}
  CString(std::wstring text) : m_Text(std::move(text)) {}

  int GetLength() const { return static_cast<int>(m_Text.size()); }
  bool IsEmpty() const { return m_Text.empty(); }
  void Empty() { m_Text.clear(); }
  operator const wchar_t*() const { return m_Text.c_str(); }
  const std::wstring& Str() const { return m_Text; }

  // printf-style formatting with the wide conventions of this platform: %s
  // takes a narrow string, %ls a wide one. Any length; a format the C library
  // rejects leaves the string empty.
  void Format(const wchar_t* format, ...);
  void AppendFormat(const wchar_t* format, ...);
  void FormatV(const wchar_t* format, va_list args);

  CString& operator+=(std::wstring_view text) {
    m_Text += text;
    return *this;
  }
  CString& operator+=(wchar_t character) {
    m_Text += character;
    return *this;
  }
  friend CString operator+(CString a, std::wstring_view b) { return a += b; }
  friend bool operator==(const CString& a, const CString& b) { return a.m_Text == b.m_Text; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.m_Text == (b ? b : L""); }

  int Compare(const wchar_t* other) const { return m_Text.compare(other ? other : L""); }
  int CompareNoCase(const wchar_t* other) const;
  int Find(wchar_t character, int start = 0) const;
  int Find(const wchar_t* text, int start = 0) const;
  int ReverseFind(wchar_t character) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first, int count = -1) const;
  CString& MakeUpper();
  CString& MakeLower();
  BSTR AllocSysString() const { return SysAllocStringLen(m_Text.data(), static_cast<UINT>(m_Text.size())); }

 private:
  std::wstring m_Text;
};
