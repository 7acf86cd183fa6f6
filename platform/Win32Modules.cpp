#include "platform/Win32Modules.h"

#include <dirent.h>
#include <fcntl.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <link.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/WideString.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

namespace {

// ---- modules ---------------------------------------------------------------

// What dladdr knows about the module whose load address is exactly `module`.
// A pointer into the middle of an image is not a module handle.
bool DescribeModule(HMODULE module, Dl_info& info, link_map*& map) {
  void* extra = nullptr;
  if (!module || !dladdr1(module, &info, &extra, RTLD_DL_LINKMAP)) return false;
  map = static_cast<link_map*>(extra);
  return info.dli_fbase == static_cast<void*>(module);
}

// The executable's own link map has an empty name; dladdr then reports
// argv[0], which may be relative to a directory the program has since left.
bool IsExecutable(const link_map* map) { return map && map->l_name && map->l_name[0] == '\0'; }

std::string AbsolutePath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) ? std::string(resolved) : std::string(path);
}

std::string ExecutablePath() { return AbsolutePath("/proc/self/exe"); }

std::string ModulePath(HMODULE module) {
  if (!module) return ExecutablePath();
  Dl_info info;
  link_map* map = nullptr;
  if (!DescribeModule(module, info, map)) return {};
  if (IsExecutable(map)) return ExecutablePath();
  return info.dli_fname ? AbsolutePath(info.dli_fname) : std::string();
}

HMODULE ModuleOfHandle(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
  return ModuleFromAddress(map->l_ld);
}

// Every load made through LoadLibraryW, so that FreeLibrary undoes exactly
// one of them and GetProcAddress has a handle to look symbols up in. The
// table is never destroyed: modules may still be freed while the process's
// static objects are being torn down.
struct LoadedModule {
  void* handle = nullptr;
  int loads = 0;
};

class LoadedModules {
 public:
  static LoadedModules& Instance() {
    static auto* instance = new LoadedModules;
    return *instance;
  }

  void Add(HMODULE module, void* handle) {
    std::lock_guard<std::mutex> guard(m_Lock);
    LoadedModule& entry = m_Modules[module];
    entry.handle = handle;
    ++entry.loads;
  }

  // The handle of one load to give back to dlclose, or null when the module
  // has no loads left.
  void* Remove(HMODULE module) {
    std::lock_guard<std::mutex> guard(m_Lock);
    auto found = m_Modules.find(module);
    if (found == m_Modules.end()) return nullptr;
    void* handle = found->second.handle;
    if (--found->second.loads == 0) m_Modules.erase(found);
    return handle;
  }

  void* HandleOf(HMODULE module) {
    std::lock_guard<std::mutex> guard(m_Lock);
    auto found = m_Modules.find(module);
    return found == m_Modules.end() ? nullptr : found->second.handle;
  }

 private:
  std::mutex m_Lock;
  std::unordered_map<HMODULE, LoadedModule> m_Modules;
};

HMODULE ExecutableModule() {
  void* handle = dlopen(nullptr, RTLD_NOW);
  HMODULE module = handle ? ModuleOfHandle(handle) : nullptr;
  if (handle) dlclose(handle);
  return module;
}

// A dlopen handle for a module that is already in the process however it got
// there; the caller closes it. RTLD_NOLOAD only adds a reference.
void* OpenLoadedModule(HMODULE module) {
  Dl_info info;
  link_map* map = nullptr;
  if (!DescribeModule(module, info, map)) return nullptr;
  if (IsExecutable(map)) return dlopen(nullptr, RTLD_NOW);
  return map && map->l_name ? dlopen(map->l_name, RTLD_NOW | RTLD_NOLOAD) : nullptr;
}

void* OpenLibrary(const std::string& name) {
  if (name.find('/') == std::string::npos) {
    std::string executable = ExecutablePath();
    std::string besideExecutable = executable.substr(0, executable.rfind('/') + 1) + name;
    if (void* handle = dlopen(besideExecutable.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  }
  return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// dlsym also searches a library's dependencies; a module's exports are only
// the symbols defined in its own image.
void* ExportOf(void* handle, HMODULE module, LPCSTR name) {
  void* symbol = dlsym(handle, name);
  return symbol && ModuleFromAddress(symbol) == module ? symbol : nullptr;
}

// ---- file search -----------------------------------------------------------

struct FileSearch {
  DIR* directory = nullptr;
  std::string namePattern;  // in fnmatch syntax
};

// Only '*' and '?' are wildcards in a search pattern; fnmatch's brackets and
// backslash are ordinary characters there. "*.*" keeps its old meaning of
// every name, with or without a dot.
std::string ToFnmatchPattern(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  std::string escaped;
  for (char c : pattern) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void FillFindData(DIR* directory, const char* name, WIN32_FIND_DATAW* found) {
  struct stat status {};
  int directoryFd = dirfd(directory);
  bool known = fstatat(directoryFd, name, &status, 0) == 0 || fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0;
  bool isDirectory = known && S_ISDIR(status.st_mode);
  found->dwFileAttributes = isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  found->nFileSizeBytes = known && !isDirectory ? static_cast<ULONGLONG>(status.st_size) : 0;
  std::wstring wideName = zelph::FromUtf8(name);
  size_t length = std::min<size_t>(wideName.size(), MAX_PATH - 1);
  std::wmemcpy(found->cFileName, wideName.data(), length);
  found->cFileName[length] = L'\0';
}

bool FindNextMatch(FileSearch& search, WIN32_FIND_DATAW* found) {
  while (dirent* entry = readdir(search.directory)) {
    if (fnmatch(search.namePattern.c_str(), entry->d_name, 0) == 0) {
      FillFindData(search.directory, entry->d_name, found);
      return true;
    }
  }
  return false;
}

FileSearch* SearchOf(HANDLE search) {
  return search && search != INVALID_HANDLE_VALUE ? static_cast<FileSearch*>(search) : nullptr;
}

}  // namespace

HMODULE ModuleFromAddress(const void* address) {
  Dl_info info;
  if (!address || !dladdr(address, &info) || !info.dli_fbase) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (!buffer && size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string path = ModulePath(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::wstring widePath = zelph::FromUtf8(path);
  if (widePath.size() >= size) {
    if (size) {
      std::wmemcpy(buffer, widePath.data(), size - 1);
      buffer[size - 1] = L'\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::wmemcpy(buffer, widePath.c_str(), widePath.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(widePath.size());
}

HMODULE LoadLibraryW(LPCWSTR fileName) {
  void* handle = fileName && *fileName ? OpenLibrary(zelph::ToUtf8(fileName)) : nullptr;
  HMODULE module = handle ? ModuleOfHandle(handle) : nullptr;
  if (!module) {
    if (handle) dlclose(handle);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  LoadedModules::Instance().Add(module, handle);
  return module;
}

BOOL FreeLibrary(HMODULE module) {
  void* handle = LoadedModules::Instance().Remove(module);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  dlclose(handle);
  return TRUE;
}

void* GetProcAddress(HMODULE module, LPCSTR name) {
  if (!module) module = ExecutableModule();
  void* symbol = nullptr;
  if (name) {
    if (void* handle = LoadedModules::Instance().HandleOf(module)) {
      symbol = ExportOf(handle, module, name);
    } else if (void* handle = OpenLoadedModule(module)) {
      symbol = ExportOf(handle, module, name);
      dlclose(handle);
    }
  }
  if (!symbol) SetLastError(ERROR_PROC_NOT_FOUND);
  return symbol;
}

BOOL DisableThreadLibraryCalls(HMODULE module) { return TRUE; }

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found) {
  if (!pattern || !found) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path = zelph::ToUtf8(pattern);
  size_t slash = path.rfind('/');
  std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  DIR* opened = opendir(directory.c_str());
  if (!opened) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto* search = new FileSearch{opened, ToFnmatchPattern(name)};
  if (!FindNextMatch(*search, found)) {
    FindClose(search);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  return search;
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* found) {
  FileSearch* search = SearchOf(handle);
  if (!search || !found) {
    SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!FindNextMatch(*search, found)) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  FileSearch* search = SearchOf(handle);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  closedir(search->directory);
  delete search;
  return TRUE;
}
