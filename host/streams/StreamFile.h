// The file form of a variant stream. All numbers are little-endian:
//
//   file    := "ZVS1" · count:u32 · value × count        (nothing follows)
//   value   := type:u16 (the VARTYPE) · payload
//   payload := nothing                     VT_EMPTY, VT_NULL
//            | the value's bytes           VT_I1, VT_UI1 (1 byte); VT_I2,
//                                          VT_BOOL (2); VT_I4, VT_INT,
//                                          VT_UI4, VT_UINT, VT_R4 (4); VT_R8 (8)
//            | present:u8 · [text]         VT_BSTR; 0 for a null BSTR
//            | present:u8 · [record]       VT_UNKNOWN, VT_DISPATCH; 0 for a
//                                          null object
//   text    := length:u32 · UTF-8 bytes × length (characters that are no
//              Unicode scalar value, such as lone surrogates, become U+FFFD)
//   record  := text (the class id, braced) · count:u32 · value × count
//
// Reading trusts nothing in the bytes: every length and count is held
// against the bytes left before anything is allocated for it, records nest
// kMaxNesting deep at most, and an unknown type, a presence byte other than
// 0 or 1, a class id that does not parse, or bytes left over make the whole
// file unreadable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/streams/StoredValue.h"

namespace zelph::host::streams {

// What reading bytes that are not a whole variant stream fails with (the
// result of the system's "invalid data" error).
constexpr HRESULT kNotAVariantStream = MakeHResult(0x8007000D);
// What loading a file that does not exist fails with.
constexpr HRESULT kStreamFileNotFound = MakeHResult(0x80070002);

std::string EncodeStream(const std::vector<StoredValue>& values);
// The values of `bytes`; kNotAVariantStream (as a ComException) unless
// they are a whole stream.
std::vector<StoredValue> DecodeStream(std::string_view bytes);

// Replaces the file at `path` (UTF-8) as a whole: the bytes go to a file
// beside it first, which then takes its name. E_FAIL when that cannot be
// done.
void WriteStreamFile(const std::string& path, const std::string& bytes);
// kStreamFileNotFound for a missing file, E_FAIL when it cannot be read.
std::string ReadStreamFile(const std::string& path);

}  // namespace zelph::host::streams
