# cmake -DINPUT=<file> -DOUTPUT=<source> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source defining platform::embedded::<name> (the file's bytes) and <name>Size.
file(READ "${INPUT}" hex HEX)
if(hex STREQUAL "")
  message(FATAL_ERROR "${INPUT} is empty or missing")
endif()
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}.
#include <cstddef>

namespace platform::embedded {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
const unsigned char ${SYMBOL}[] = {
${bytes}};
const std::size_t ${SYMBOL}Size = ${size};
}  // namespace platform::embedded
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
