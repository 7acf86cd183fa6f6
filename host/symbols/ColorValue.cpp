#include "host/symbols/ColorValue.h"

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/streams/StreamValues.h"
#include "platform/ComPtr.h"

namespace zelph::host::symbols {

namespace {

constexpr LONG kPackedBits = 0xFFFFFF;

}  // namespace

ColorValue ColorValue::FromPacked(LONG rgb, BYTE transparency) {
  RequireArgument((rgb & ~kPackedBits) == 0);
  return {rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF, transparency};
}

ColorValue ReadColor(IColor* color) {
  if (!color) Fail(E_POINTER);
  ColorValue value;
  if (CComQIPtr<IRgbColor> rgb{color}) {
    ThrowIfFailed(rgb->get_Red(&value.red));
    ThrowIfFailed(rgb->get_Green(&value.green));
    ThrowIfFailed(rgb->get_Blue(&value.blue));
    RequireArgument(ValidComponent(value.red) && ValidComponent(value.green) && ValidComponent(value.blue));
  } else {
    LONG packed = 0;
    ThrowIfFailed(color->get_RGB(&packed));
    value = ColorValue::FromPacked(packed, value.transparency);
  }
  ThrowIfFailed(color->get_Transparency(&value.transparency));
  return value;
}

void HandOutColor(const ColorValue& value, IColor** color) {
  CComPtr<IColor> copy;
  ThrowIfFailed(CreateRgbColor(nullptr, IID_IColor, reinterpret_cast<void**>(&copy)));
  ThrowIfFailed(copy->put_RGB(value.Packed()));
  ThrowIfFailed(copy->put_Transparency(value.transparency));
  *color = copy.Detach();
}

void SaveColor(IVariantStream* stream, const ColorValue& value) {
  streams::WriteLong(stream, value.Packed());
  streams::WriteByte(stream, value.transparency);
}

ColorValue LoadColor(IVariantStream* stream) {
  LONG packed = streams::ReadLong(stream);
  BYTE transparency = streams::ReadByte(stream);
  if ((packed & ~kPackedBits) != 0) Fail(streams::kRecordMismatch);
  return ColorValue::FromPacked(packed, transparency);
}

}  // namespace zelph::host::symbols
