// The dispatch table of the 3D display.
#include "frame/DispatchTables.h"
#include "frame/DisplayInterfaces.h"

namespace zelph {
namespace {

using M = DispatchMember;

const DispatchTable& GLDisplayTable() {
  static const DispatchTable table{
      M::Method(L"InitializeContext", 1, &IGLDisplay3D::InitializeContext),
      M::Method(L"UninitializeContext", 2, &IGLDisplay3D::UninitializeContext),
      M::Get(L"BaseExaggeration", 3, &IGLDisplay3D::get_BaseExaggeration),
      M::Put(L"BaseExaggeration", 3, &IGLDisplay3D::put_BaseExaggeration),
      M::Method(L"ClearDisplayContents", 4, &IGLDisplay3D::ClearDisplayContents),
      M::Method(L"GetGlobeScaleRatio", 5, &IGLDisplay3D::GetGlobeScaleRatio),
      M::Get(L"EnableExtrusion", 6, &IGLDisplay3D::get_EnableExtrusion),
      M::Put(L"EnableExtrusion", 6, &IGLDisplay3D::put_EnableExtrusion),
      M::Get(L"EnableOutlining", 7, &IGLDisplay3D::get_EnableOutlining),
      M::Put(L"EnableOutlining", 7, &IGLDisplay3D::put_EnableOutlining),
      M::Get(L"OutlineColorOption", 8, &IGLDisplay3D::get_OutlineColorOption),
      M::Put(L"OutlineColorOption", 8, &IGLDisplay3D::put_OutlineColorOption),
      M::Get(L"ManualOutlineColor", 9, &IGLDisplay3D::get_ManualOutlineColor),
      M::PutRef(L"ManualOutlineColor", 9, &IGLDisplay3D::putref_ManualOutlineColor),
      M::Get(L"PointOption", 10, &IGLDisplay3D::get_PointOption),
      M::Put(L"PointOption", 10, &IGLDisplay3D::put_PointOption),
      M::Get(L"TextOption", 11, &IGLDisplay3D::get_TextOption),
      M::Put(L"TextOption", 11, &IGLDisplay3D::put_TextOption),
      M::Get(L"EnableCallouts", 12, &IGLDisplay3D::get_EnableCallouts),
      M::Put(L"EnableCallouts", 12, &IGLDisplay3D::put_EnableCallouts),
      M::Get(L"CalloutLineSymbol", 13, &IGLDisplay3D::get_CalloutLineSymbol),
      M::PutRef(L"CalloutLineSymbol", 13, &IGLDisplay3D::putref_CalloutLineSymbol),
      M::Get(L"Scene", 14, &IGLDisplay3D::get_Scene),
      M::Get(L"FillOption", 15, &IGLDisplay3D::get_FillOption),
      M::Put(L"FillOption", 15, &IGLDisplay3D::put_FillOption),
      M::Get(L"OutlineTransparency", 16, &IGLDisplay3D::get_OutlineTransparency),
      M::Put(L"OutlineTransparency", 16, &IGLDisplay3D::put_OutlineTransparency),
      M::Get(L"DisplayTargetGraphic", 17, &IGLDisplay3D::get_DisplayTargetGraphic),
      M::PutRef(L"DisplayTargetGraphic", 17, &IGLDisplay3D::putref_DisplayTargetGraphic),
      M::Get(L"ThresholdElevation", 18, &IGLDisplay3D::get_ThresholdElevation),
      M::Put(L"ThresholdElevation", 18, &IGLDisplay3D::put_ThresholdElevation),
  };
  return table;
}

}  // namespace

std::span<const DispatchInterface> DisplayDispatchInterfaces() {
  static const DispatchInterface interfaces[] = {
      ZELPH_DISPATCH_INTERFACE(IGLDisplay3D, GLDisplayTable()),
  };
  return interfaces;
}

}  // namespace zelph
