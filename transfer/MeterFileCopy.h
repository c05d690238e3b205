#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/ProgressObserver.h"
#include "link/Link.h"
#include "transfer/MeterDirectory.h"

namespace voltaro {

// ".BIN", ".WFM" and ".BMP" files arrive as a counted block of bytes; the others as lines.
bool IsBinaryKind(std::string_view fileName);

// Fetches one file from the meter into `targetPath` (created empty, replacing a file of
// that name) over one exchange: identity, card status, the pick command, the framed
// content. `fileName` is trimmed in place. 0 when the target holds the whole file: exactly
// the announced size, with nothing after the end mark; -1 after reporting the failure (the
// target then holds what arrived).
std::int16_t ZrFileToPcTmpFile(Link& link, MeterMedium medium, std::string& fileName, const std::string& sizeText,
                               const std::string& targetPath, ProgressObserver& progress);

}  // namespace voltaro
