#pragma once

#include <string>
#include <string_view>

namespace voltaro {

// `text` with the ASCII letters in upper case; other bytes as they are.
std::string UpperCaseAscii(std::string_view text);

// `text` without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace voltaro
