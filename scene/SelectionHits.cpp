#include "scene/SelectionHits.h"

std::vector<SelectionHits::Hit> SelectionHits::ReadGraphicHits(std::span<const GLuint> buffer, GLint hitCount,
                                                               GLuint nameLimit) {
  constexpr std::size_t kHeaderWords = 3;
  std::vector<Hit> hits;
  std::size_t at = 0;
  for (GLint record = 0; record < hitCount; ++record) {
    if (buffer.size() - at < kHeaderWords) break;
    std::size_t names = buffer[at];
    if (names > buffer.size() - at - kHeaderWords) break;
    if (names == 1) {
      GLuint name = buffer[at + kHeaderWords];
      if (name > 0 && name < nameLimit) hits.push_back({name, buffer[at + 1]});
    }
    at += kHeaderWords + names;
  }
  return hits;
}

const SelectionHits::Hit* SelectionHits::Nearest(const std::vector<Hit>& hits) {
  const Hit* nearest = nullptr;
  for (const Hit& hit : hits) {
    if (!nearest || hit.minDepth < nearest->minDepth) nearest = &hit;
  }
  return nearest;
}
