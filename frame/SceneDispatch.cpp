// The dispatch tables of the scene manager. Its default interface also
// answers for tracking, selection and location help, which the same object
// offers.
#include "frame/DispatchTables.h"
#include "frame/SceneInterfaces.h"

namespace zelph {
namespace {

using M = DispatchMember;

constexpr DISPID kOrthoTrackIds = 1000;
constexpr DISPID kSelectionIds = 2000;
constexpr DISPID kLocationHelperIds = 3000;

const DispatchTable& OrthoTrackTable() {
  static const DispatchTable table{
      M::Method(L"StartTrackRect", 1, &IOrthoTrack3D::StartTrackRect),
      M::Method(L"UpdateTrackRect", 2, &IOrthoTrack3D::UpdateTrackRect),
      M::Method(L"FinishTrackRect", 3, &IOrthoTrack3D::FinishTrackRect),
  };
  return table;
}

const DispatchTable& SelectionTable() {
  static const DispatchTable table{
      M::Get(L"SelectionOption", 1, &ISelection3D::get_SelectionOption),
      M::Put(L"SelectionOption", 1, &ISelection3D::put_SelectionOption),
      M::Get(L"SelectionColor", 2, &ISelection3D::get_SelectionColor),
      M::PutRef(L"SelectionColor", 2, &ISelection3D::putref_SelectionColor),
      M::Method(L"HitTestPoint", 3, &ISelection3D::HitTestPoint),
      M::Method(L"HitTestRect", 4, &ISelection3D::HitTestRect),
      M::Method(L"ClearSelection", 5, &ISelection3D::ClearSelection),
  };
  return table;
}

const DispatchTable& LocationHelperTable() {
  static const DispatchTable table{
      M::Method(L"WindowToGeographic", 1, &ILocationHelper3D::WindowToGeographic),
      M::Method(L"GeographicToWindow", 2, &ILocationHelper3D::GeographicToWindow),
      M::Method(L"PixelsToDegrees", 3, &ILocationHelper3D::PixelsToDegrees),
      M::Method(L"PixelsToMeters", 4, &ILocationHelper3D::PixelsToMeters),
  };
  return table;
}

const DispatchTable& SceneManagerTable() {
  static const DispatchTable table{{
                                       M::Method(L"InitializeContext", 1, &ISceneManager3D::InitializeContext),
                                       M::Method(L"UninitializeContext", 2, &ISceneManager3D::UninitializeContext),
                                       M::Get(L"BaseExaggeration", 3, &ISceneManager3D::get_BaseExaggeration),
                                       M::Put(L"BaseExaggeration", 3, &ISceneManager3D::put_BaseExaggeration),
                                       M::Method(L"AddGraphic", 4, &ISceneManager3D::AddGraphic),
                                       M::Method(L"RemoveGraphic", 5, &ISceneManager3D::RemoveGraphic),
                                       M::Method(L"Refresh", 6, &ISceneManager3D::Refresh),
                                       M::Method(L"ClearAllGraphics", 7, &ISceneManager3D::ClearAllGraphics),
                                       M::Get(L"Graphics", 8, &ISceneManager3D::get_Graphics),
                                       M::PutRef(L"Graphics", 8, &ISceneManager3D::putref_Graphics),
                                       M::Method(L"FindGraphic", 9, &ISceneManager3D::FindGraphic),
                                       M::Method(L"UpdateGraphic", 10, &ISceneManager3D::UpdateGraphic),
                                       M::Get(L"AutoRefreshGlobe", 11, &ISceneManager3D::get_AutoRefreshGlobe),
                                       M::Put(L"AutoRefreshGlobe", 11, &ISceneManager3D::put_AutoRefreshGlobe),
                                       M::Method(L"ToggleRendering", 12, &ISceneManager3D::ToggleRendering),
                                   },
                                   {{OrthoTrackTable(), kOrthoTrackIds},
                                    {SelectionTable(), kSelectionIds},
                                    {LocationHelperTable(), kLocationHelperIds}}};
  return table;
}

}  // namespace

std::span<const DispatchInterface> SceneDispatchInterfaces() {
  static const DispatchInterface interfaces[] = {
      ZELPH_DISPATCH_INTERFACE(ISceneManager3D, SceneManagerTable()),
      ZELPH_DISPATCH_INTERFACE(IOrthoTrack3D, OrthoTrackTable()),
      ZELPH_DISPATCH_INTERFACE(ISelection3D, SelectionTable()),
      ZELPH_DISPATCH_INTERFACE(ILocationHelper3D, LocationHelperTable()),
  };
  return interfaces;
}

}  // namespace zelph
