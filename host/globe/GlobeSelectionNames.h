// The OpenGL selection names under which the host draws its globe in a
// selection pass. Each hit record of the host's own drawing carries exactly
// these two names, the marker last; the host's records come before any a
// sink writes in AfterDraw, so a reader skips the leading records whose last
// name equals the first record's last name and reads its own after them.
#pragma once

#include <cstdint>

namespace zelph::host {

inline constexpr std::uint32_t kGlobeSelectionName = 1;
inline constexpr std::uint32_t kHostSelectionMarker = 0x686F7374;  // "host" in ASCII

}  // namespace zelph::host
