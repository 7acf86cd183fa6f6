#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "platform/WideString.h"

namespace zelph {
namespace {

namespace fs = std::filesystem;

// Entries keyed by the lower-cased key, holding the key as written and its
// value, so that lookups ignore case and the file keeps the writer's spelling.
struct Entry {
  std::wstring key;
  std::wstring value;
};
using Entries = std::map<std::wstring, Entry>;

std::wstring Folded(const std::wstring& key) {
  std::wstring folded = key;
  for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return folded;
}

bool IsStorable(const std::wstring& text) { return text.find_first_of(L"\t\n\r") == std::wstring::npos; }

Entries Load(const std::string& path) {
  Entries entries;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::wstring key = FromUtf8(std::string_view(line).substr(0, tab));
    std::wstring value = FromUtf8(std::string_view(line).substr(tab + 1));
    entries[Folded(key)] = {key, value};
  }
  return entries;
}

HRESULT Save(const std::string& path, const Entries& entries) {
  std::string temporary = path + ".tmp." + std::to_string(getpid());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& [folded, entry] : entries) file << ToUtf8(entry.key) << '\t' << ToUtf8(entry.value) << '\n';
    file.flush();
    if (!file) return REGDB_E_WRITEREGDB;
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return REGDB_E_WRITEREGDB;
  }
  return S_OK;
}

// Runs `change` on the current entries under the registry's exclusive lock
// and stores the result when it succeeds, so concurrent writers in other
// processes never lose each other's entries.
HRESULT Modify(const std::function<HRESULT(Entries&)>& change) {
  std::string path = Registry::FilePath();
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  int lock = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock < 0) return REGDB_E_WRITEREGDB;
  HRESULT hr = REGDB_E_WRITEREGDB;
  if (flock(lock, LOCK_EX) == 0) {
    Entries entries = Load(path);
    hr = change(entries);
    if (SUCCEEDED(hr)) hr = Save(path, entries);
    flock(lock, LOCK_UN);
  }
  close(lock);
  return hr;
}

void EraseTree(Entries& entries, const std::wstring& key) {
  std::wstring folded = Folded(key);
  std::wstring below = folded + L"\\";
  entries.erase(folded);
  auto first = entries.lower_bound(below);
  auto last = first;
  while (last != entries.end() && last->first.compare(0, below.size(), below) == 0) ++last;
  entries.erase(first, last);
}

std::wstring Trimmed(const std::wstring& text) {
  size_t first = text.find_first_not_of(L" \t\r");
  if (first == std::wstring::npos) return {};
  size_t last = text.find_last_not_of(L" \t\r");
  return text.substr(first, last - first + 1);
}

// Replaces every %NAME% from `replacements`; false for an unknown name or an
// unclosed '%'.
bool Substitute(std::wstring& text, const std::map<std::wstring, std::wstring>& replacements) {
  std::wstring result;
  size_t position = 0;
  while (position < text.size()) {
    size_t open = text.find(L'%', position);
    if (open == std::wstring::npos) break;
    size_t close = text.find(L'%', open + 1);
    if (close == std::wstring::npos) return false;
    auto replacement = replacements.find(text.substr(open + 1, close - open - 1));
    if (replacement == replacements.end()) return false;
    result += text.substr(position, open - position);
    result += replacement->second;
    position = close + 1;
  }
  result += text.substr(position);
  text = std::move(result);
  return true;
}

std::wstring VersionKey(REFGUID libid, WORD major, WORD minor) {
  std::wstringstream key;
  key << L"TypeLib\\" << GuidText(libid) << L'\\' << std::hex << major << L'.' << minor;
  return key.str();
}

}  // namespace

std::string Registry::FilePath() {
  if (const char* named = std::getenv("ZELPH_REGISTRY"); named && *named) return named;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
    return std::string(config) + "/zelph/registry";
  }
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.config/zelph/registry";
}

std::optional<std::wstring> Registry::GetValue(const std::wstring& key) {
  Entries entries = Load(FilePath());
  auto found = entries.find(Folded(key));
  if (found == entries.end()) return std::nullopt;
  return found->second.value;
}

HRESULT Registry::SetValue(const std::wstring& key, const std::wstring& value) {
  if (key.empty() || !IsStorable(key) || !IsStorable(value)) return E_INVALIDARG;
  return Modify([&](Entries& entries) {
    entries[Folded(key)] = {key, value};
    return S_OK;
  });
}

HRESULT Registry::DeleteTree(const std::wstring& key) {
  return Modify([&](Entries& entries) {
    EraseTree(entries, key);
    return S_OK;
  });
}

HRESULT ApplyRegistrationScript(const std::wstring& script, const std::map<std::wstring, std::wstring>& replacements,
                                bool registering) {
  std::vector<Entry> lines;
  std::wstringstream stream(script);
  std::wstring line;
  while (std::getline(stream, line)) {
    line = Trimmed(line);
    if (line.empty() || line[0] == L';') continue;
    size_t separator = line.find(L" = ");
    if (separator == std::wstring::npos) return E_INVALIDARG;
    Entry entry{Trimmed(line.substr(0, separator)), Trimmed(line.substr(separator + 3))};
    if (!Substitute(entry.key, replacements) || !Substitute(entry.value, replacements)) return E_INVALIDARG;
    if (entry.key.empty() || !IsStorable(entry.key) || !IsStorable(entry.value)) return E_INVALIDARG;
    lines.push_back(std::move(entry));
  }
  return Modify([&](Entries& entries) {
    for (const Entry& entry : lines) {
      if (registering) {
        entries[Folded(entry.key)] = entry;
      } else {
        EraseTree(entries, entry.key);
      }
    }
    return S_OK;
  });
}

HRESULT RegisterTypeLibRecord(REFGUID libid, WORD major, WORD minor, const std::wstring& name,
                              const std::wstring& modulePath) {
  std::wstring version = VersionKey(libid, major, minor);
  if (!IsStorable(name) || !IsStorable(modulePath)) return E_INVALIDARG;
  return Modify([&](Entries& entries) {
    entries[Folded(version)] = {version, name};
    std::wstring pathKey = version + L"\\0\\linux64";
    entries[Folded(pathKey)] = {pathKey, modulePath};
    return S_OK;
  });
}

HRESULT UnRegisterTypeLibRecord(REFGUID libid, WORD major, WORD minor) {
  return Registry::DeleteTree(VersionKey(libid, major, minor));
}

HRESULT QueryTypeLibPath(REFGUID libid, WORD major, WORD minor, std::wstring* modulePath) {
  if (!modulePath) return E_POINTER;
  std::optional<std::wstring> path = Registry::GetValue(VersionKey(libid, major, minor) + L"\\0\\linux64");
  if (!path) return TYPE_E_LIBNOTREGISTERED;
  *modulePath = *path;
  return S_OK;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace zelph
