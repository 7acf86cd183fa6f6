// The process's one FreeType library and the faces opened from it. FreeType
// objects are not safe to use from two threads at once, so every call into
// FreeType, on the library or on any face, holds the library's lock.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

struct FT_LibraryRec_;

namespace zelph::gdi {

class FontFace;

// A face in a font file: the file's path and the face's number in it.
struct FontFileLocation {
  std::string path;
  int index = 0;
  friend auto operator<=>(const FontFileLocation&, const FontFileLocation&) = default;
};

class FontLibrary : public std::enable_shared_from_this<FontLibrary> {
 public:
  // Faces keep the library they came from alive, so that a font still
  // held at exit never outlives FreeType.
  static std::shared_ptr<FontLibrary> Instance();

  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary();

  // One face object per location while anyone holds it; null when FreeType
  // cannot read the file.
  std::shared_ptr<FontFace> OpenFace(const FontFileLocation& location);

  std::mutex& Lock() { return m_Lock; }

 private:
  FontLibrary();

  FT_LibraryRec_* m_Library = nullptr;
  std::mutex m_Lock;
  std::map<FontFileLocation, std::weak_ptr<FontFace>> m_Faces;
};

}  // namespace zelph::gdi
