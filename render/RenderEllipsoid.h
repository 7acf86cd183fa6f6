// An ellipsoid standing at a geographic anchor: a unit sphere stretched to
// three diameters along the anchor's south, east and up axes and turned by
// heading, pitch and roll. It draws a frame of meridians and parallels, a
// filled or textured surface, or both, and carries the callout line and
// wind vane of every point-like renderable. A billboard can own one as its
// sensor volume.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include "render/CalloutBase.h"

class RenderEllipsoid : public CalloutBase {
 public:
  // What the ellipsoid shows.
  static constexpr int kFrameOnly = 0;
  static constexpr int kFillOnly = 1;
  static constexpr int kFrameAndFill = 2;

  // Size of one cell of the grid over the sphere, degrees.
  static constexpr float kGridStep = 5.625f;

  explicit RenderEllipsoid(GLuint Name = kNextGLName);
  ~RenderEllipsoid() override;

  void Render() override;
  bool IsEllipsoid() override { return true; }

  // A frame-only ellipsoid is the wireframe one.
  bool GetWireframe() override { return m_Option == kFrameOnly; }
  // Asking for a wireframe turns a fill-only ellipsoid into a frame-only
  // one; a frame-and-fill ellipsoid already shows its frame and keeps it.
  // Nothing else changes the option.
  void SetWireframe(bool Wireframe) override;

  int GetOption() const { return m_Option; }
  void SetOption(int Option) { m_Option = Option; }

  void GetOutlineRGB(float* R, float* G, float* B) const;
  // Each component is taken only when it lies in [0, 1].
  void SetOutlineRGB(float R, float G, float B);
  float GetOutlineWidth() const { return m_OutlineWidth; }
  // Pixels; NaN is ignored.
  void SetOutlineWidth(float Width);
  GLushort GetOutlineStyle() const { return m_OutlineStyle; }
  // A stipple pattern; 0xFFFF draws solid.
  void SetOutlineStyle(GLushort Style) { m_OutlineStyle = Style; }

  // Diameters along south, east and up in scene units; NaN is ignored, and
  // SetSize takes nothing when any of the three is NaN. GetSize writes only
  // when all three pointers are given.
  void SetXSize(float XSize);
  void SetYSize(float YSize);
  void SetZSize(float ZSize);
  void SetSize(float XSize, float YSize, float ZSize);
  void GetSize(float* XSize, float* YSize, float* ZSize) const;

 protected:
  // The parts of the main list, each drawn over the grid in the ellipsoid's
  // own frame, at diameter 1, while the list is compiled.
  virtual void RenderNonTextured();
  virtual void RenderTextured();
  virtual void RenderOutline();
  virtual void RenderSelection();

  // A stretch of the grid: Columns cells of longitude (from the local south
  // towards east) from Lon0, Bands cells of latitude (from the local
  // horizontal towards up) from Lat0, degrees.
  struct Grid {
    float Lon0 = 0.0f;
    int Columns = 0;
    float Lat0 = 0.0f;
    int Bands = 0;
    bool Empty() const { return Columns <= 0 || Bands <= 0; }
  };

  // How the columns of a surface are joined into strips.
  enum class Strips {
    // One strip; the columns meet at the poles, so the joins vanish.
    Joined,
    // One strip whose every column begins and ends at the centre, closing a
    // wedge with caps.
    Capped,
    // A strip of its own for each column.
    Separate,
  };

  // The whole sphere: 64 columns of 5.625 degrees from the local north
  // round through south, and 32 bands from pole to pole.
  static Grid FullGrid();
  // Number of steps of the grid from Start while the angle reached stays
  // below Bound (or at most Bound when Inclusive); never more than a full
  // turn, and none when either angle is not finite.
  static int StepsFrom(float Start, float Bound, bool Inclusive);

  // The surface over `grid`, in the material's two colours or, when
  // Textured, in white with texture coordinates; stippled when the
  // material's fill asks for it.
  void DrawSurface(const Grid& grid, Strips strips, bool Textured) const;
  // The frame over `grid` in the outline colour, width and stipple.
  void DrawOutline(const Grid& grid) const;
  // The selection over `grid`, as an outline or an overlay, each column
  // starting and ending at the centre.
  void DrawSelection(const Grid& grid) const;

  int m_Option = kFrameAndFill;
  float m_OutlineRed = 1.0f;
  float m_OutlineGreen = 1.0f;
  float m_OutlineBlue = 1.0f;
  float m_OutlineWidth = 3.0f;
  GLushort m_OutlineStyle = 0xFFFF;
  float m_XSize = 1.0f;
  float m_YSize = 1.0f;
  float m_ZSize = 1.0f;

 private:
  // Rebuilds the wind vane when the anchor moved.
  void MachenLoxDisplayList();
  // Compiles the main list: depth mask, frame, fill, selection.
  void MachenDisplayList();
  // Heading, pitch and roll in the standing frame; culling is left alone.
  void Orient() const { ApplyOrientation(); }

  // One grid corner on the unit sphere, lifted as the anchor is by the
  // threshold elevation and exaggeration.
  void GridVertex(float Lat, float Lon) const;
  // What each corner of a surface carries besides its position.
  enum class Paint { Colours, TextureCoordinates, Nothing };
  // The corners of one column's cells in surface order.
  void SurfaceColumn(const Grid& grid, int column, Paint paint) const;
  // The corners of one column's cells in frame order: meridian up, a short
  // parallel segment and back.
  void FrameColumn(const Grid& grid, int column) const;
};
