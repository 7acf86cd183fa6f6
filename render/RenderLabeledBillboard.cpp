#include "render/RenderLabeledBillboard.h"

#include <cmath>

#include "frame/Logger.h"
#include "geometry/Geopunctus.h"
#include "text/BillboardFont.h"

namespace {

// Labels on the side edges reach up to the quad's diagonal.
constexpr float kCornerAngle = (Geopunctus::PI / 4.0f) * 180.0f / Geopunctus::PI;
// Size differences below this keep the labels.
constexpr float kSizeTolerance = 1e-9f;
constexpr float kHalf = 0.5f;

float Radians(float degrees) { return degrees * Geopunctus::PI / 180.0f; }

// The same direction in [0, 360), so that a label at -90 degrees sits where
// one at 270 does.
float NormalizedAngle(float degrees) {
  float angle = std::fmod(degrees, 360.0f);
  if (angle < 0.0f) angle += 360.0f;
  return angle >= 360.0f ? 0.0f : angle;
}

// Labels between these angles hang below their position.
bool HangsBelow(float angle) { return angle > 225.0f && angle < 315.0f; }

bool Differs(float a, float b) { return std::fabs(a - b) > kSizeTolerance; }

}  // namespace

RenderLabeledBillboard::RenderLabeledBillboard(GLuint Name) : RenderBillboard(Name) {}

RenderLabeledBillboard::~RenderLabeledBillboard() {
  if (m_LabelDisplayList != kNoList && glIsList(m_LabelDisplayList)) glDeleteLists(m_LabelDisplayList, 1);
}

void RenderLabeledBillboard::Render() {
  Guarded(L"Render", [&] {
    if (!m_Visible) return;
    // A font without glyphs for its typeface stays uninitialised; trying
    // again every frame would only reserve its lists anew each time.
    if (m_Font && !m_Font->IsInitialized() && !m_Font->IsUnixed()) {
      Logger::Trace(L"RenderLabeledBillboard initializing font...");
      m_Font->FontBase::Initialize(0.0f);
    }
    if (!m_ValidLabelDisplayList) MachenLabelDisplayList();
    DrawBillboard();
  });
}

void RenderLabeledBillboard::SetWidth(float Width) {
  const float oldWidth = m_Width, oldHeight = m_Height;
  RenderBillboard::SetWidth(Width);
  if (std::isnan(Width)) return;
  if (m_OriginalWidth == kUnknownSize) m_OriginalWidth = m_Width;
  NoteSizeChange(oldWidth, oldHeight);
}

void RenderLabeledBillboard::SetHeight(float Height) {
  const float oldWidth = m_Width, oldHeight = m_Height;
  RenderBillboard::SetHeight(Height);
  if (std::isnan(Height)) return;
  if (m_OriginalHeight == kUnknownSize) m_OriginalHeight = m_Height;
  NoteSizeChange(oldWidth, oldHeight);
}

void RenderLabeledBillboard::SetSize(float Width, float Height) {
  const float oldWidth = m_Width, oldHeight = m_Height;
  RenderBillboard::SetSize(Width, Height);
  if (std::isnan(Width) || std::isnan(Height)) return;
  if (m_OriginalWidth == kUnknownSize) m_OriginalWidth = m_Width;
  if (m_OriginalHeight == kUnknownSize) m_OriginalHeight = m_Height;
  NoteSizeChange(oldWidth, oldHeight);
}

void RenderLabeledBillboard::NoteSizeChange(float OldWidth, float OldHeight) {
  const bool awayFromOriginal = (m_OriginalWidth != kUnknownSize && Differs(m_OriginalWidth, m_Width)) ||
                                (m_OriginalHeight != kUnknownSize && Differs(m_OriginalHeight, m_Height));
  // Back to the original from another size is a change too: the list was
  // built for the other size.
  const bool changed = Differs(OldWidth, m_Width) || Differs(OldHeight, m_Height);
  if (awayFromOriginal || changed) m_ValidLabelDisplayList = false;
}

void RenderLabeledBillboard::MachenLabels() {
  if (m_LabelDisplayList != kNoList && glIsList(m_LabelDisplayList)) glCallList(m_LabelDisplayList);
}

void RenderLabeledBillboard::SetFont(BillboardFont* Font) {
  m_Font = Font;
  m_ValidLabelDisplayList = false;
}

void RenderLabeledBillboard::GetFontRGB(float* R, float* G, float* B) const {
  if (R) *R = m_FontR;
  if (G) *G = m_FontG;
  if (B) *B = m_FontB;
}

void RenderLabeledBillboard::SetFontRGB(float R, float G, float B) {
  RenderMaterial::TakeUnitValue(m_FontR, R);
  RenderMaterial::TakeUnitValue(m_FontG, G);
  RenderMaterial::TakeUnitValue(m_FontB, B);
  m_ValidLabelDisplayList = false;
}

void RenderLabeledBillboard::SetEnableLabels(bool EnableLabels) {
  m_EnableLabels = EnableLabels;
  m_ValidLabelDisplayList = false;
}

void RenderLabeledBillboard::AddLabel(Label NewLabel) {
  m_Labels.push_back(std::move(NewLabel));
  m_ValidLabelDisplayList = false;
}

void RenderLabeledBillboard::CalculateAutoLabelPosition(float CornerAngle, float Angle, float* x, float* y) {
  const float c = kHalf * std::cos(Radians(Angle));
  const float s = kHalf * std::sin(Radians(Angle));
  float px = 0.0f, py = 0.0f;
  if (Angle < 90.0f) {
    if (Angle <= CornerAngle) {
      px = kHalf, py = s;
    } else {
      px = c, py = kHalf;
    }
  } else if (Angle < 180.0f) {
    if (Angle >= 180.0f - CornerAngle) {
      px = -kHalf, py = s;
    } else {
      px = c, py = kHalf;
    }
  } else if (Angle < 270.0f) {
    if (Angle <= 180.0f + CornerAngle) {
      px = -kHalf, py = s;
    } else {
      px = c, py = -kHalf;
    }
  } else {
    if (Angle >= 360.0f - CornerAngle) {
      px = kHalf, py = s;
    } else {
      px = c, py = -kHalf;
    }
  }
  if (x) *x = px;
  if (y) *y = py;
}

void RenderLabeledBillboard::CalculateManualLabelPosition(float Angle, float Radius, float* x, float* y) const {
  // Before any size is known the quad is at its original size. A quad with
  // no extent has no place for a label but its centre.
  const float original = m_OriginalWidth == kUnknownSize ? m_Width : m_OriginalWidth;
  float px = 0.0f, py = 0.0f;
  if (m_Width != 0.0f && m_Height != 0.0f && original != 0.0f) {
    const float ratio = m_Width / original;
    px = std::cos(Radians(Angle)) * Radius / m_Width * ratio;
    py = std::sin(Radians(Angle)) * Radius / m_Height * ratio;
  }
  if (x) *x = px;
  if (y) *y = py;
}

void RenderLabeledBillboard::MachenLabelDisplayList() {
  if (m_Labels.empty() || !m_EnableLabels || !m_Font) {
    // Labels switched off after they were drawn must not linger in the
    // list the quad plays back.
    if (m_LabelDisplayList != kNoList && glIsList(m_LabelDisplayList)) {
      glNewList(m_LabelDisplayList, GL_COMPILE);
      glEndList();
    }
    m_ValidLabelDisplayList = true;
    return;
  }
  // Glyphs cannot be built while the list is compiled, so each text's
  // glyphs are asked for first.
  for (Label& label : m_Labels) label.RightToLeft = m_Font->InitializeForText(label.Text);
  if (m_LabelDisplayList == kNoList || !glIsList(m_LabelDisplayList)) {
    m_LabelDisplayList = glGenLists(1);
    // The quad's list plays the labels back only if it knew their list.
    m_ValidDisplayList = false;
  }
  CompileList(m_LabelDisplayList, m_ValidLabelDisplayList, [&] {
    m_Font->SetGLColor(m_FontR, m_FontG, m_FontB);
    m_Font->SetGLAlpha(m_Alpha);
    m_Font->SetScale(kLabelScale);
    for (const Label& label : m_Labels) DrawLabel(label);
  });
}

void RenderLabeledBillboard::DrawLabel(const Label& label) const {
  const float angle = NormalizedAngle(label.Angle);
  float x = 0.0f, y = 0.0f;
  if (label.AutoArrange) {
    CalculateAutoLabelPosition(kCornerAngle, angle, &x, &y);
  } else {
    CalculateManualLabelPosition(angle, label.Radius, &x, &y);
  }
  const VAlignment kept = m_Font->GetVerticalAlignment();
  if (HangsBelow(angle)) m_Font->SetVerticalAlignment(VAlignment::BELOW);
  switch (label.Alignment) {
    case HAlign::RIGHT:
      m_Font->RenderStringRightAligned(label.Text, x, y, 0.0f, false, false, label.RightToLeft);
      break;
    case HAlign::CENTER:
      m_Font->RenderStringCenterAligned(label.Text, x, y, 0.0f, false, false, label.RightToLeft);
      break;
    default:
      m_Font->RenderString(label.Text, x, y, 0.0f, false, false, label.RightToLeft);
      break;
  }
  m_Font->SetVerticalAlignment(kept);
}
