// The renderable of a text point: its string drawn through the glyph fonts
// facing the camera, standing upright or lying flat (and, flat, extruded
// into solid letters) at its anchor, with its material, orientation,
// callout line and wind vane. The whole text, both passes of flat text
// included, is compiled into the main list and replayed every frame.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include "render/CalloutBase.h"
#include "render/RenderMaterial.h"
#include "text/TextBase.h"

class RenderTextPoint : public CalloutBase, public TextBase {
 public:
  explicit RenderTextPoint(GLuint Name);

  // Flat text extruded down to the ground takes its depth from the anchor's
  // altitude, so a new anchor rebuilds it as well as the wind vane.
  void InvalidateLocation() override;
  void Render() override;

 protected:
  void TextChanged() override { m_ValidDisplayList = false; }

 private:
  // The wind vane, its foot halfway down to the ground; the list counts as
  // built even when the vane has no size.
  void MachenLoxDisplayList();
  // Heading, pitch and roll in the text's own frame: the camera-facing one
  // for billboard text, the local frame on the globe otherwise.
  void MachenOrientationDisplayList();
  // The text list: the extrusion pass of flat text, then the face pass.
  void MachenDisplayList();
  // The depth flat text is extruded by, scene units.
  float ExtrusionDepth() const;
  // One pass: the font coloured and stippled by `Material`, textured when
  // `Textured`, at opacity `Alpha`, then the string.
  void DrawWithMaterial(const RenderMaterial& Material, float Alpha, float Depth, bool Textured);
  // The string through the font of the mode, at its scale, alignment and,
  // for globe text, its turn and extrusion depth.
  void DrawTextW(float Depth);
};
