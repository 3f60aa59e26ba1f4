// UTF-8 <-> UTF-16 conversion for portable code. Sources are UTF-8; the
// Win32 layer speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace ksv {

// Invalid sequences become U+FFFD rather than failing: a file name or a
// registry text should still show something.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace ksv
