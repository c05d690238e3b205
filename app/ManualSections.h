#pragma once

#include <array>
#include <string_view>

namespace voltaro {

// The manual's sections that windows open it at: a window's Help shows its own. Each is an
// anchor ("id") of the manual; the start of the manual has none.
namespace manual_section {
inline constexpr std::string_view Start = "";
inline constexpr std::string_view Settings = "settings";
inline constexpr std::string_view ComSetup = "com-setup";
inline constexpr std::string_view Transfer = "transfer";
inline constexpr std::string_view Conversion = "conversion";
inline constexpr std::string_view Divide = "divide";
inline constexpr std::string_view Viewer = "viewer";
inline constexpr std::string_view Commands = "commands";
}  // namespace manual_section

// Every anchor above, for the check that the manual has them all.
inline constexpr std::array kManualSections{manual_section::Settings, manual_section::ComSetup,
                                            manual_section::Transfer, manual_section::Conversion,
                                            manual_section::Divide,   manual_section::Viewer,
                                            manual_section::Commands};

}  // namespace voltaro
