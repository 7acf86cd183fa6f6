// The globe view every benchmark draws into: the reference host's display,
// viewer and camera, a 1024 x 768 frame, and the camera close enough to the
// globe that the globe fills the whole frame. Also the places the benchmark
// graphics stand on, spread evenly over the frame, and the size in scene
// units that makes each of them a given number of pixels across.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "host/HostInterfaces.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"

namespace zelph::bench {

inline constexpr LONG kFrameWidth = 1024;
inline constexpr LONG kFrameHeight = 768;
inline constexpr double kGlobeRadiusMetres = 6367444.5;
// Vertical angle of view, degrees.
inline constexpr double kFieldAngle = 45.0;
// Half a globe radius up: from there the globe covers the whole frame
// (its outline lies some 830 pixels from the centre, the corners 640).
inline constexpr double kCameraAltitudeMetres = 0.5 * kGlobeRadiusMetres;
// Graphics float this far above the surface, clear of the globe's depth.
inline constexpr double kGraphicAltitudeMetres = 1000.0;

struct Vec3d {
  double x = 0.0, y = 0.0, z = 0.0;
};

// Where one graphic stands: its geographic place, its anchor in scene
// units (as the library places it), and the size in scene units that
// spans the requested number of pixels at its depth.
struct Placement {
  double latitude = 0.0;
  double longitude = 0.0;
  double altitudeMetres = 0.0;
  float anchor[3] = {};
  double size = 0.0;
};

// The anchor of a geographic place, as the library computes it.
inline Vec3d SceneLocation(double latitude, double longitude, double altitudeMetres) {
  const double lat = latitude * std::numbers::pi / 180.0, lon = longitude * std::numbers::pi / 180.0;
  const double factor = (altitudeMetres + kGlobeRadiusMetres) / kGlobeRadiusMetres;
  return {std::cos(lat) * std::cos(lon) * factor, std::cos(lat) * std::sin(lon) * factor, std::sin(lat) * factor};
}

// `count` places where rays through random pixels of the frame (kept
// `marginPixels` from its edges) meet the globe, each sized to span
// `pixels` pixels (at `altitudeFactor` times its own size above the
// surface when that is not 0). The camera stands above latitude 0,
// longitude 0 looking at the centre with north up, so the frame's x runs
// east (+y) and its y north (+z). A fixed seed gives the same places in
// every run, and the first n of them are spread like all of them.
inline std::vector<Placement> PlacementsOnFrame(int count, double pixels, double altitudeFactor, std::uint32_t seed) {
  const double eye = 1.0 + kCameraAltitudeMetres / kGlobeRadiusMetres;
  const double halfHeight = std::tan(kFieldAngle / 2.0 * std::numbers::pi / 180.0);
  const double aspect = static_cast<double>(kFrameWidth) / kFrameHeight;
  const double margin = pixels;
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> column(margin, kFrameWidth - margin), row(margin, kFrameHeight - margin);
  std::vector<Placement> places;
  places.reserve(static_cast<size_t>(count));
  while (static_cast<int>(places.size()) < count) {
    const double ndcX = 2.0 * column(random) / kFrameWidth - 1.0;
    const double ndcY = 2.0 * row(random) / kFrameHeight - 1.0;
    // forward (-1, 0, 0), right (0, 1, 0), up (0, 0, 1)
    Vec3d ray{-1.0, ndcX * halfHeight * aspect, ndcY * halfHeight};
    const double length = std::sqrt(ray.x * ray.x + ray.y * ray.y + ray.z * ray.z);
    ray = {ray.x / length, ray.y / length, ray.z / length};
    const double along = eye * ray.x;  // eye . ray with the eye at (eye, 0, 0)
    const double discriminant = along * along - (eye * eye - 1.0);
    if (discriminant <= 0.0) continue;  // misses the globe
    const double t = -along - std::sqrt(discriminant);
    const Vec3d hit{eye + t * ray.x, t * ray.y, t * ray.z};
    Placement place;
    place.latitude = std::atan2(hit.z, std::hypot(hit.x, hit.y)) * 180.0 / std::numbers::pi;
    place.longitude = std::atan2(hit.y, hit.x) * 180.0 / std::numbers::pi;
    // The size depends on the depth, the depth a little on the altitude:
    // two rounds settle both.
    double depth = eye - hit.x;
    for (int round = 0; round < 2; ++round) {
      place.size = pixels * 2.0 * depth * halfHeight / kFrameHeight;
      place.altitudeMetres =
          altitudeFactor > 0.0 ? altitudeFactor * place.size * kGlobeRadiusMetres : kGraphicAltitudeMetres;
      const Vec3d anchor = SceneLocation(place.latitude, place.longitude, place.altitudeMetres);
      depth = eye - anchor.x;
      place.anchor[0] = static_cast<float>(anchor.x);
      place.anchor[1] = static_cast<float>(anchor.y);
      place.anchor[2] = static_cast<float>(anchor.z);
    }
    places.push_back(place);
  }
  return places;
}

// The reference host's display with its viewer and camera, set up as
// above. The viewer's context is current once Open has returned.
struct BenchView {
  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComQIPtr<IOffscreenViewer> frame;
  CComPtr<ICamera> camera;
  CComQIPtr<IGlobeCamera> globeCamera;

  bool Open() {
    if (FAILED(display.CoCreateInstance(CLSID_GlobeDisplay))) return false;
    if (FAILED(display->get_ActiveViewer(&viewer)) || !viewer) return false;
    frame = viewer.p;
    if (FAILED(viewer->get_Camera(&camera)) || !camera) return false;
    globeCamera = camera.p;
    if (!frame || !globeCamera) return false;
    return frame->SetFrameSize(kFrameWidth, kFrameHeight) == S_OK &&
           globeCamera->put_OrientationMode(kestGlobeCameraOrientationGlobal) == S_OK &&
           globeCamera->PlaceAbove(0.0, 0.0, kCameraAltitudeMetres) == S_OK &&
           camera->put_ViewFieldAngle(kFieldAngle) == S_OK && frame->MakeCurrent() == S_OK;
  }

  // The globe's surface offset a scene manager sets when it attaches, so
  // that frames without one push the globe back just as far.
  void UseSceneSurfaceOffset(double factor) const {
    CComPtr<IGlobeAdvancedOptions> options;
    if (SUCCEEDED(display->get_AdvancedOptions(&options)) && options) options->put_SurfaceOffsetFactor(factor);
  }

  // The last frame's RGBA pixels, rows bottom-up; empty when there is none.
  std::vector<BYTE> ReadFrame() const {
    std::vector<BYTE> rgba(static_cast<size_t>(kFrameWidth) * kFrameHeight * 4);
    if (frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())) != S_OK) rgba.clear();
    return rgba;
  }
};

// How many pixels of an RGBA frame `match(r, g, b)` accepts.
template <class Match>
long CountPixels(const std::vector<BYTE>& rgba, Match&& match) {
  long count = 0;
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    if (match(rgba[i], rgba[i + 1], rgba[i + 2])) ++count;
  }
  return count;
}

}  // namespace zelph::bench
