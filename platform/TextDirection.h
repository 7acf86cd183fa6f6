// Which way a text runs, as the text renderers need it to lay out glyphs
// that are drawn one after another from left to right.
#pragma once

#include <string_view>

namespace zelph {

// True when the first character with a strong direction belongs to a
// right-to-left script (Hebrew, Arabic and their relatives); digits,
// punctuation, symbols, marks and spaces have none and are passed over. A
// text without any strong character runs left to right.
bool IsRightToLeftText(std::wstring_view text);

}  // namespace zelph
