# Turns the file INPUT into a C++ source OUTPUT that defines
#   std::string_view voltaro::SYMBOL()
# returning the file's bytes unchanged.
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <string_view>

namespace voltaro {
namespace {
const char data[] = {
    ${bytes}'\\0'};
}  // namespace

std::string_view ${SYMBOL}() { return {data, ${byte_count}}; }
}  // namespace voltaro
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
