#include "display/BitmapBot.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/WideString.h"

BitmapBot::Canvas::Canvas(HDC screen, HBITMAP bitmap) : m_Dc(CreateCompatibleDC(screen)) {
  if (!m_Dc || !bitmap) return;
  m_Previous = SelectObject(m_Dc, bitmap);
  m_Selected = m_Previous != nullptr;
}

BitmapBot::Canvas::~Canvas() {
  if (m_Selected) SelectObject(m_Dc, m_Previous);
  if (m_Dc) DeleteDC(m_Dc);
}

BitmapBot::BitmapBot() : m_hDC(GetDC(nullptr)) {}

BitmapBot::~BitmapBot() {
  if (m_hBMP) DeleteObject(m_hBMP);
  if (m_hDC) ReleaseDC(nullptr, m_hDC);
}

void BitmapBot::Hold(HBITMAP bitmap, COLORREF transColor, bool useTrans) {
  if (m_hBMP && m_hBMP != bitmap) DeleteObject(m_hBMP);
  m_hBMP = bitmap;
  m_Bitmap = BITMAP{};
  GetObjectW(bitmap, sizeof(BITMAP), &m_Bitmap);
  m_Width = m_Bitmap.bmWidth;
  m_Height = m_Bitmap.bmHeight;
  m_TransColor = transColor;
  m_UseTrans = useTrans;
  m_BmpLoaded = true;
}

bool BitmapBot::LoadBitmapW(LPCWSTR path, COLORREF transColor, bool useTrans) {
  if (!path || !FileExists(path)) return false;
  HBITMAP loaded = zelph::LoadBitmapFile(path);
  if (!loaded) return false;
  Hold(loaded, transColor, useTrans);
  return true;
}

bool BitmapBot::SetByHandle(HBITMAP bitmap, COLORREF transColor, bool useTrans) {
  if (!IsBitmap(bitmap)) return false;
  Hold(bitmap, transColor, useTrans);
  return true;
}

HBITMAP BitmapBot::NewSection(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

bool BitmapBot::Fill(HBITMAP bitmap, int width, int height, COLORREF color) const {
  Canvas canvas(m_hDC, bitmap);
  HBRUSH brush = CreateSolidBrush(color);
  if (!canvas.Dc() || !brush) {
    if (brush) DeleteObject(brush);
    return false;
  }
  const RECT all{0, 0, width, height};
  const bool filled = FillRect(canvas.Dc(), &all, brush) != 0;
  DeleteObject(brush);
  return filled;
}

bool BitmapBot::CreateNewBitmap(int width, int height, COLORREF color, bool useTrans) {
  HBITMAP created = NewSection(width, height);
  if (!created) return false;
  if (!Fill(created, width, height, color)) {
    DeleteObject(created);
    return false;
  }
  Hold(created, useTrans ? color : m_TransColor, useTrans);
  return true;
}

HBITMAP BitmapBot::CopyBitmapByHandle() const {
  if (!m_hBMP) return nullptr;
  HBITMAP copy = NewSection(m_Width, m_Height);
  if (!copy) return nullptr;
  bool copied = false;
  {
    Canvas from(m_hDC, m_hBMP);
    Canvas to(m_hDC, copy);
    copied = from.Dc() && to.Dc() && BitBlt(to.Dc(), 0, 0, m_Width, m_Height, from.Dc(), 0, 0, SRCCOPY);
  }
  if (!copied) {
    DeleteObject(copy);
    return nullptr;
  }
  return copy;
}

bool BitmapBot::Stretch(int width, int height) {
  if (!m_hBMP) return false;
  HBITMAP stretched = NewSection(width, height);
  if (!stretched) return false;
  bool drawn = Fill(stretched, width, height, m_TransColor);
  if (drawn) {
    Canvas from(m_hDC, m_hBMP);
    Canvas to(m_hDC, stretched);
    // Whole source pixels only: a blend of two colours would no longer
    // match the colour key.
    drawn = from.Dc() && to.Dc() && SetStretchBltMode(to.Dc(), COLORONCOLOR) != 0 &&
            StretchBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, m_Width, m_Height, SRCCOPY);
  }
  if (!drawn) {
    DeleteObject(stretched);
    return false;
  }
  Hold(stretched, m_TransColor, m_UseTrans);
  return true;
}

HBITMAP BitmapBot::Detach() {
  HBITMAP held = m_hBMP;
  m_hBMP = nullptr;
  m_Bitmap = BITMAP{};
  m_Width = 0;
  m_Height = 0;
  m_BmpLoaded = false;
  return held;
}

bool BitmapBot::FileExists(LPCWSTR path) {
  if (!path || !*path) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(zelph::ToUtf8(path), error);
}

bool BitmapBot::IsBitmap(HBITMAP bitmap) {
  // Brushes and fonts describe themselves in records of other sizes.
  BITMAP description{};
  return bitmap && GetObjectW(bitmap, sizeof(BITMAP), &description) == static_cast<int>(sizeof(BITMAP)) &&
         description.bmWidth > 0 && description.bmHeight > 0;
}
