// The small GDI bitmap toolkit behind the textures: holds one bitmap (and
// owns it), loads it from an image file, makes a new one in one colour,
// copies it and stretches it. Bitmaps it makes are 24-bit bottom-up DIB
// sections, as bitmap files are stored.
#pragma once

#include "platform/Gdi.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

class BitmapBot {
 public:
  // A memory device context with `bitmap` selected into it for the life of
  // the canvas; Dc() is null when that could not be done.
  class Canvas {
   public:
    Canvas(HDC screen, HBITMAP bitmap);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return m_Selected ? m_Dc : nullptr; }

   private:
    HDC m_Dc = nullptr;
    HGDIOBJ m_Previous = nullptr;
    bool m_Selected = false;
  };

  // Takes the screen's device context, from which its memory contexts come.
  BitmapBot();
  // Deletes the held bitmap unless it was detached.
  ~BitmapBot();
  BitmapBot(const BitmapBot&) = delete;
  BitmapBot& operator=(const BitmapBot&) = delete;

  // Loads an existing image file as a DIB section at its own size; false
  // (and the held bitmap kept) when the file is missing or not an image.
  bool LoadBitmapW(LPCWSTR path, COLORREF transColor, bool useTrans);
  // Takes over `bitmap`, deleting the one held before. A null or unknown
  // bitmap changes nothing and gives false.
  bool SetByHandle(HBITMAP bitmap, COLORREF transColor, bool useTrans);
  // Holds a new width x height bitmap filled with `color`; false (and the
  // held bitmap kept) when that size cannot be made.
  bool CreateNewBitmap(int width, int height, COLORREF color, bool useTrans);
  // A new bitmap of the same size with a copy of the pixels, for the caller
  // to own; null when none is held.
  HBITMAP CopyBitmapByHandle() const;
  // Draws the held bitmap into a new one of the given size (the background
  // in the transparency colour, source pixels kept whole) and holds that
  // instead. False, with the held bitmap unchanged, on failure.
  bool Stretch(int width, int height);
  // Hands the held bitmap to the caller, who then owns it.
  HBITMAP Detach();

  HBITMAP Handle() const { return m_hBMP; }
  bool Loaded() const { return m_BmpLoaded; }
  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  bool UsesTransparency() const { return m_UseTrans; }
  COLORREF TransparencyColor() const { return m_TransColor; }

  // The screen context this toolkit draws through.
  HDC ScreenDC() const { return m_hDC; }

  static bool FileExists(LPCWSTR path);
  // Whether `bitmap` is a live bitmap handle (not another kind of object).
  static bool IsBitmap(HBITMAP bitmap);

 private:
  // Holds `bitmap` (already known to be one) in place of the old one.
  void Hold(HBITMAP bitmap, COLORREF transColor, bool useTrans);
  // A new 24-bit bottom-up section, black, or null.
  static HBITMAP NewSection(int width, int height);
  // Fills all of `bitmap` with `color`.
  bool Fill(HBITMAP bitmap, int width, int height, COLORREF color) const;

  bool m_BmpLoaded = false;
  bool m_UseTrans = false;
  int m_Width = 0;
  int m_Height = 0;
  COLORREF m_TransColor = RGB(0, 0, 0);
  HDC m_hDC = nullptr;
  HBITMAP m_hBMP = nullptr;
  BITMAP m_Bitmap{};
};
