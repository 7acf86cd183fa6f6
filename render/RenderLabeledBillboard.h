// A billboard with text labels around its edge, drawn with a camera-facing
// font inside the quad's own frame, so that they turn, scale and get picked
// with the quad. The labels are compiled into a list of their own, which the
// quad's list plays back by name: rebuilding the labels needs no new quad.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "render/Label.h"
#include "render/RenderBillboard.h"

class BillboardFont;

class RenderLabeledBillboard : public RenderBillboard {
 public:
  // The label list before it is first compiled.
  static constexpr GLuint kNoList = 0xFFFFFFFF;
  // A size not known yet: the first size set becomes the original one.
  static constexpr float kUnknownSize = -1.0f;
  // Text height against the quad: glyph ems to quad units.
  static constexpr float kLabelScale = 0.2f;

  explicit RenderLabeledBillboard(GLuint Name = kNextGLName);
  ~RenderLabeledBillboard() override;

  // Initialises the font and rebuilds the labels when they are stale, then
  // draws as a billboard does.
  void Render() override;

  // The billboard's setters; the first size set is remembered as the
  // original one. The labels are rebuilt when the size moves away from the
  // original or changes at all, since manual positions depend on it.
  void SetWidth(float Width) override;
  void SetHeight(float Height) override;
  void SetSize(float Width, float Height) override;

  // Plays the label list back while the quad's list is compiled.
  void MachenLabels() override;

  // The font is shared and stays its owner's.
  BillboardFont* GetFont() const { return m_Font; }
  void SetFont(BillboardFont* Font);
  void GetFontRGB(float* R, float* G, float* B) const;
  // Each component is taken only when it lies in [0, 1].
  void SetFontRGB(float R, float G, float B);
  bool GetEnableLabels() const { return m_EnableLabels; }
  void SetEnableLabels(bool EnableLabels);
  // Appends; labels are drawn in the order they were added.
  void AddLabel(Label NewLabel);
  const std::vector<Label>& GetLabels() const { return m_Labels; }

  // Where the ray from the centre at Angle degrees (counter-clockwise from
  // +x) leaves the unit quad: on a side edge within CornerAngle of the
  // horizontal, on the top or bottom edge otherwise. Quad units.
  static void CalculateAutoLabelPosition(float CornerAngle, float Angle, float* x, float* y);
  // Radius scene units from the centre at Angle degrees, in quad units,
  // growing with the quad's width against its original width.
  void CalculateManualLabelPosition(float Angle, float Radius, float* x, float* y) const;

 protected:
  // Compiles every label into the label list with the font's colour,
  // opacity and scale set for them.
  void MachenLabelDisplayList();

  BillboardFont* m_Font = nullptr;
  float m_FontR = 1.0f;
  float m_FontG = 1.0f;
  float m_FontB = 1.0f;
  bool m_EnableLabels = true;
  GLuint m_LabelDisplayList = kNoList;
  bool m_ValidLabelDisplayList = false;
  float m_OriginalHeight = kUnknownSize;
  float m_OriginalWidth = kUnknownSize;
  std::vector<Label> m_Labels;

 private:
  void DrawLabel(const Label& label) const;
  // Remembers a first size as the original and marks the labels stale when
  // the size now differs from the original or from (OldWidth, OldHeight).
  void NoteSizeChange(float OldWidth, float OldHeight);
};
