#include "platform/TextDirection.h"

#include <algorithm>
#include <iterator>

namespace zelph {
namespace {

enum class Direction { Neutral, LeftToRight, RightToLeft };

struct Range {
  char32_t first;
  char32_t last;
  Direction direction;
};

// Ranges of characters with a strong direction, close to the bidirectional
// classes L, R and AL. Earlier entries win, so the digits and marks inside
// the right-to-left blocks come before the blocks.
constexpr Range kRanges[] = {
    {U'A', U'Z', Direction::LeftToRight},
    {U'a', U'z', Direction::LeftToRight},
    {0x00AA, 0x00AA, Direction::LeftToRight},
    {0x00B5, 0x00B5, Direction::LeftToRight},
    {0x00BA, 0x00BA, Direction::LeftToRight},
    {0x00D7, 0x00D7, Direction::Neutral},  // multiplication sign
    {0x00F7, 0x00F7, Direction::Neutral},  // division sign
    {0x00C0, 0x02B8, Direction::LeftToRight},  // Latin letters, IPA
    {0x0370, 0x0373, Direction::LeftToRight},
    {0x0376, 0x037D, Direction::LeftToRight},
    {0x037F, 0x0383, Direction::LeftToRight},
    {0x0386, 0x0386, Direction::LeftToRight},
    {0x0388, 0x0482, Direction::LeftToRight},  // Greek, Cyrillic
    {0x048A, 0x058F, Direction::LeftToRight},  // Cyrillic, Armenian
    {0x0591, 0x05BD, Direction::Neutral},  // Hebrew points
    {0x0610, 0x061A, Direction::Neutral},  // Arabic marks
    {0x064B, 0x065F, Direction::Neutral},
    {0x0660, 0x066C, Direction::Neutral},  // Arabic-Indic digits and separators
    {0x0670, 0x0670, Direction::Neutral},
    {0x06D6, 0x06ED, Direction::Neutral},
    {0x06F0, 0x06F9, Direction::Neutral},  // extended Arabic-Indic digits
    {0x0590, 0x08FF, Direction::RightToLeft},  // Hebrew, Arabic, Syriac, Thaana, N'Ko, ...
    {0x0900, 0x1FFF, Direction::LeftToRight},  // Indic, South-East Asian, Georgian, Hangul Jamo, Latin and Greek extended
    {0x2C00, 0x2DFF, Direction::LeftToRight},  // Glagolitic, Latin Extended-C, Coptic, Georgian, Tifinagh
    {0x3040, 0x9FFF, Direction::LeftToRight},  // kana, bopomofo, CJK
    {0xA000, 0xA4CF, Direction::LeftToRight},  // Yi
    {0xAC00, 0xD7AF, Direction::LeftToRight},  // Hangul syllables
    {0xF900, 0xFAFF, Direction::LeftToRight},  // CJK compatibility ideographs
    {0xFB00, 0xFB17, Direction::LeftToRight},  // Latin and Armenian ligatures
    {0xFB1D, 0xFDFF, Direction::RightToLeft},  // Hebrew and Arabic presentation forms
    {0xFE70, 0xFEFE, Direction::RightToLeft},  // Arabic presentation forms B
    {0xFF21, 0xFF3A, Direction::LeftToRight},  // full-width Latin
    {0xFF41, 0xFF5A, Direction::LeftToRight},
    {0xFF66, 0xFFDC, Direction::LeftToRight},  // half-width kana and Hangul
    {0x10800, 0x10FFF, Direction::RightToLeft},  // historic right-to-left scripts
    {0x1E800, 0x1EFFF, Direction::RightToLeft},  // Mende Kikakui, Adlam, Arabic mathematical letters
    {0x1F000, 0x1FFFF, Direction::Neutral},  // emoji, pictographs, game symbols
    {0x10000, 0x3FFFF, Direction::LeftToRight},  // other supplementary letters and ideographs
};

Direction DirectionOf(wchar_t character) {
  const char32_t code = static_cast<char32_t>(character);
  const Range* found = std::find_if(std::begin(kRanges), std::end(kRanges),
                                    [code](const Range& range) { return range.first <= code && code <= range.last; });
  return found == std::end(kRanges) ? Direction::Neutral : found->direction;
}

}  // namespace

bool IsRightToLeftText(std::wstring_view text) {
  for (wchar_t character : text) {
    const Direction direction = DirectionOf(character);
    if (direction != Direction::Neutral) return direction == Direction::RightToLeft;
  }
  return false;
}

}  // namespace zelph
