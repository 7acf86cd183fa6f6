// The automation description of one dual interface: its members, and the
// tables of the object's other interfaces it also answers for (a billboard
// scripted through its default interface still has a centroid). An included
// table's dispatch ids are shifted by its offset, so that ids never clash.
// Both late-bound calls and the type information read this one table.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "frame/DispatchMember.h"

namespace zelph {

class DispatchTable {
 public:
  struct Include {
    const DispatchTable& table;
    DISPID offset;
  };

  DispatchTable(std::initializer_list<DispatchMember> members, const std::vector<Include>& includes = {});
  // Entries point into the table itself.
  DispatchTable(const DispatchTable&) = delete;
  DispatchTable& operator=(const DispatchTable&) = delete;

  // Every member with the dispatch id it has here: the table's own first,
  // then those of the included tables.
  struct Entry {
    const DispatchMember* member;
    DISPID id;
  };
  const std::vector<Entry>& Entries() const { return m_Entries; }

  // The id of a member named `name`, ignoring case; DISPID_UNKNOWN if none.
  DISPID IdOf(std::wstring_view name) const;
  // The name of the member with `id`, or null.
  const std::wstring* NameOf(DISPID id) const;

  // A late-bound call of member `id` on `object` in the way `flags` asks.
  HRESULT Invoke(IUnknown* object, DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* exception, UINT* argumentError) const;

 private:
  // The member `id` that answers `flags`; a put also reaches a by-reference
  // setter when the property has no by-value one, as scripts that know no
  // difference ask for puts only.
  const DispatchMember* Find(DISPID id, WORD flags) const;

  std::vector<DispatchMember> m_Members;
  std::vector<Entry> m_Entries;
};

}  // namespace zelph
