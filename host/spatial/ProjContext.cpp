#include "host/spatial/ProjContext.h"

#include <cmath>
#include <vector>

namespace zelph::host {
namespace {

std::string EpsgName(long code) { return "EPSG:" + std::to_string(code); }

bool IsGeographic(PJ_TYPE type) {
  return type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS;
}

}  // namespace

ProjContext& ProjContext::Instance() {
  static ProjContext instance;
  return instance;
}

ProjContext::ProjContext() : m_Context(proj_context_create()) {
  // Errors are reported through HRESULTs; PROJ's own messages would only
  // clutter the host's standard error stream.
  proj_log_level(m_Context, PJ_LOG_NONE);
}

ProjContext::~ProjContext() {
  for (auto& [codes, transformation] : m_Transformations) proj_destroy(transformation);
  proj_context_destroy(m_Context);
}

std::optional<CoordinateSystemInfo> ProjContext::Describe(long code) {
  std::lock_guard guard(m_Lock);
  if (code <= 0) return std::nullopt;
  PJ* system = proj_create(m_Context, EpsgName(code).c_str());
  if (!system) return std::nullopt;
  std::optional<CoordinateSystemInfo> info;
  PJ_TYPE type = proj_get_type(system);
  if (IsGeographic(type) || type == PJ_TYPE_PROJECTED_CRS) {
    const char* name = proj_get_name(system);
    info = CoordinateSystemInfo{IsGeographic(type) ? CoordinateSystemKind::Geographic : CoordinateSystemKind::Projected,
                                name ? name : EpsgName(code)};
  }
  proj_destroy(system);
  return info;
}

PJ* ProjContext::TransformationLocked(long sourceCode, long targetCode) {
  auto key = std::make_pair(sourceCode, targetCode);
  if (auto found = m_Transformations.find(key); found != m_Transformations.end()) return found->second;
  PJ* raw = proj_create_crs_to_crs(m_Context, EpsgName(sourceCode).c_str(), EpsgName(targetCode).c_str(), nullptr);
  if (!raw) return nullptr;
  // Longitude first, whatever axis order the systems define.
  PJ* normalized = proj_normalize_for_visualization(m_Context, raw);
  proj_destroy(raw);
  if (normalized) m_Transformations.emplace(key, normalized);
  return normalized;
}

HRESULT ProjContext::Transform(long sourceCode, long targetCode, std::span<double> xs, std::span<double> ys) {
  if (xs.size() != ys.size()) return E_INVALIDARG;
  std::lock_guard guard(m_Lock);
  PJ* transformation = TransformationLocked(sourceCode, targetCode);
  if (!transformation) return E_INVALIDARG;
  std::vector<PJ_COORD> points(xs.size());
  for (size_t i = 0; i < xs.size(); ++i) points[i] = proj_coord(xs[i], ys[i], 0, 0);
  proj_errno_reset(transformation);
  proj_trans_array(transformation, PJ_FWD, points.size(), points.data());
  for (const PJ_COORD& point : points) {
    if (!std::isfinite(point.xy.x) || !std::isfinite(point.xy.y)) return E_FAIL;
  }
  for (size_t i = 0; i < xs.size(); ++i) {
    xs[i] = points[i].xy.x;
    ys[i] = points[i].xy.y;
  }
  return S_OK;
}

}  // namespace zelph::host
