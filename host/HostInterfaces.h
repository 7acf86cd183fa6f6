// Interfaces of the reference host that only its users call, never the
// library: the offscreen frame of a viewer and the storage of a variant stream.
#pragma once

#include "platform/Bstr.h"
#include "platform/Unknown.h"

// Offered by the viewer besides ISceneViewer. Frames are RGBA, rows
// bottom-up, as OpenGL reads them.
struct IOffscreenViewer : IUnknown {
  // Resizes the frame (and its context); E_INVALIDARG for a side below 1 or
  // above 8192.
  STDMETHOD(SetFrameSize)(LONG width, LONG height) = 0;
  STDMETHOD(get_FrameWidth)(LONG* width) = 0;
  STDMETHOD(get_FrameHeight)(LONG* height) = 0;
  // Makes the viewer's context current on the calling thread.
  STDMETHOD(MakeCurrent)() = 0;
  // Copies the last drawn frame; E_INVALIDARG when `size` is below
  // width * height * 4 bytes.
  STDMETHOD(ReadFrame)(BYTE* rgba, LONG size) = 0;
  // Writes the last drawn frame as a PNG file (top row first).
  STDMETHOD(SaveFrame)(BSTR pngPath) = 0;

 protected:
  ~IOffscreenViewer() = default;
};
ZELPH_DEFINE_IID(IOffscreenViewer, 0xB79E728E, 0xA6D6, 0x4592, 0xA7, 0xEA, 0xCE, 0xDE, 0xB8, 0x73, 0xFC, 0xF4);

// Offered by the host's memory variant stream besides IVariantStream: where
// reading stands, and the stream's values kept in a file.
struct IVariantStreamStorage : IUnknown {
  // Reading starts again at the first value.
  STDMETHOD(Rewind)() = 0;
  // Writes every value held (read or not) to the file, replacing it.
  STDMETHOD(SaveToFile)(BSTR path) = 0;
  // Replaces the values with those of the file and rewinds. A file that is
  // missing, truncated or not a variant stream fails and leaves the stream
  // as it was.
  STDMETHOD(LoadFromFile)(BSTR path) = 0;
  // The values held, read or not.
  STDMETHOD(get_Count)(LONG* count) = 0;

 protected:
  ~IVariantStreamStorage() = default;
};
ZELPH_DEFINE_IID(IVariantStreamStorage, 0x5BD86EEF, 0x34C9, 0x4580, 0x95, 0x92, 0x4B, 0xF4, 0xA5, 0xD0, 0x81, 0x44);
