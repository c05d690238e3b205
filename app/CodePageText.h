#pragma once

#include <string>
#include <string_view>

namespace voltaro {

// Appends the system's single-byte text `bytes` to `utf8` as UTF-8: ASCII as it is,
// 0xA1..0xDF as the half-width katakana U+FF61..U+FF9F, and any other byte (NUL, the
// rest of the upper half) as U+FFFD, so that no byte can make the result invalid.
void AppendCodePageAsUtf8(std::string_view bytes, std::string& utf8);

// The system's single-byte text for UTF-8 text typed on this computer: ASCII as it is,
// the half-width katakana U+FF61..U+FF9F as 0xA1..0xDF, and every other character (NUL,
// anything the code page lacks, a broken sequence) as "?", which no item that checks its
// bytes takes.
std::string CodePageFromUtf8(std::string_view utf8);

}  // namespace voltaro
