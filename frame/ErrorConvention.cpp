#include "frame/ErrorConvention.h"

namespace zelph {

std::string ReportedSourcePath(const char* file) {
  std::string path = file ? file : "";
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return "./" + name;
}

void LogEntering(const wchar_t* method) { Logger::Debug(L"Entering %ls...", method); }

void LogExiting(const wchar_t* method) { Logger::Debug(L"Exiting %ls...", method); }

void LogException(const std::source_location& where) {
  Logger::Warning(L"Exception @ File: %s Line: %d\n", ReportedSourcePath(where.file_name()).c_str(),
                  static_cast<int>(where.line()));
}

HRESULT LogIfNotOk(HRESULT hr, std::source_location where) {
  if (hr != S_OK) {
    Logger::Warning(L"COM Error: %X File: %s Line: %d\n", static_cast<unsigned>(hr),
                    ReportedSourcePath(where.file_name()).c_str(), static_cast<int>(where.line()));
  }
  return hr;
}

}  // namespace zelph
