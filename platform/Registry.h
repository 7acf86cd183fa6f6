// The registry: a per-user file of keys and string values that in-process
// servers write when they register and that CoCreateInstance reads.
//
// Location: the file named by the environment variable ZELPH_REGISTRY, or
// else $XDG_CONFIG_HOME/zelph/registry, or else ~/.config/zelph/registry.
//
// Format (UTF-8 text, one entry per line, sorted by key):
//     <key> TAB <value> LF
// Keys are paths with backslashes ("CLSID\{...}\InprocServer32") compared
// without regard to case; values never contain a tab or a line feed. Writers
// take an exclusive lock on "<file>.lock" and replace the file atomically.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Guid.h"

namespace zelph {

class Registry {
 public:
  static std::string FilePath();

  static std::optional<std::wstring> GetValue(const std::wstring& key);
  static HRESULT SetValue(const std::wstring& key, const std::wstring& value);
  // Removes the key and every key below it.
  static HRESULT DeleteTree(const std::wstring& key);
};

// A registration script: one "key = value" per line; blank lines and lines
// starting with ';' are ignored. Each "%NAME%" in keys and values is replaced
// from `replacements` before the script is applied. Registering writes every
// entry; unregistering removes every key the script names together with its
// subkeys. Keys exist only while they hold a value, so no empty key is left.
// E_INVALIDARG for a line without " = " or a name without a replacement; the
// registry is left untouched then.
HRESULT ApplyRegistrationScript(const std::wstring& script, const std::map<std::wstring, std::wstring>& replacements,
                                bool registering);

// Type library records: "TypeLib\{libid}\<major>.<minor>" holds the name and
// "...\0\linux64" the path of the module whose type information it is.
HRESULT RegisterTypeLibRecord(REFGUID libid, WORD major, WORD minor, const std::wstring& name,
                              const std::wstring& modulePath);
HRESULT UnRegisterTypeLibRecord(REFGUID libid, WORD major, WORD minor);
// The module path of a registered type library; TYPE_E_LIBNOTREGISTERED when
// none is recorded.
HRESULT QueryTypeLibPath(REFGUID libid, WORD major, WORD minor, std::wstring* modulePath);

std::wstring GuidText(REFGUID guid);

}  // namespace zelph
