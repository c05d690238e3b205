#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "app/SettingRecord.h"

namespace voltaro {

inline constexpr std::int16_t kParameterRead = 0;
inline constexpr std::int16_t kParameterWrite = 1;

// The Parameter file's name in the application folder.
inline constexpr const char* kParameterFileName = "Parameter";

// The record as the Parameter file holds it: every field in declaration order,
// little-endian, no padding; a text as a 16-bit length and its bytes.
std::string EncodeParameterImage(const SettingRecord& record);

// The record an image holds. Fields past the image's end, or past a damaged text
// length, come out zero or empty.
SettingRecord DecodeParameterImage(std::string_view image);

// Mode 0 reads AppPath + "Parameter" into CurrentSetting (the defaults when the file
// is missing; the record stays as it was when the file cannot be read, is not a regular
// file or is larger than any image). Mode 1 writes CurrentSetting to it, replacing the
// file atomically. Returns 0, or -1 after reporting the failure with the system's text.
std::int16_t AccessParameterFile(AppContext& ctx, std::int16_t mode);

}  // namespace voltaro
