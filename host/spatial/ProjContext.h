// The host's one PROJ context: coordinate systems by code and the cached
// transformations between them. PROJ's objects are not for concurrent use,
// so every call goes through this class's lock.
#pragma once

#include <proj.h>

#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "platform/WinError.h"

namespace zelph::host {

enum class CoordinateSystemKind { Geographic, Projected };

struct CoordinateSystemInfo {
  CoordinateSystemKind kind;
  std::string name;  // as PROJ's database spells it
};

class ProjContext {
 public:
  static ProjContext& Instance();

  // What PROJ's database knows of an EPSG code; nothing for an unknown code
  // or one that names neither a geographic nor a projected system.
  std::optional<CoordinateSystemInfo> Describe(long code);

  // Transforms the points in place from one EPSG system to another, with
  // geographic coordinates as longitude, latitude. E_INVALIDARG when no
  // transformation exists; E_FAIL when a point cannot be transformed, and
  // then no point is changed.
  HRESULT Transform(long sourceCode, long targetCode, std::span<double> xs, std::span<double> ys);

  ProjContext(const ProjContext&) = delete;
  ProjContext& operator=(const ProjContext&) = delete;

 private:
  ProjContext();
  ~ProjContext();
  PJ* TransformationLocked(long sourceCode, long targetCode);

  std::mutex m_Lock;
  PJ_CONTEXT* m_Context;
  std::map<std::pair<long, long>, PJ*> m_Transformations;
};

}  // namespace zelph::host
