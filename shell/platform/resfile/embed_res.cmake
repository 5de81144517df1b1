# Turns a binary file into a C++ source holding it as a byte array.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed_res.cmake
# Defines `const uint8_t <name>[]` (4-byte aligned) and `const size_t <name>Size`.
if(NOT INPUT OR NOT OUTPUT OR NOT SYMBOL)
  message(FATAL_ERROR "embed_res.cmake needs INPUT, OUTPUT and SYMBOL")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR bytes "${digits} / 2")
if(bytes EQUAL 0)
  set(body "0")
else()
  # 16 bytes a line.
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
endif()
set(text "// Generated from ${INPUT} by embed_res.cmake; do not edit.
#include <cstddef>
#include <cstdint>

extern const uint8_t ${SYMBOL}[];
extern const size_t ${SYMBOL}Size;

alignas(4) const uint8_t ${SYMBOL}[] = {
${body}
};
const size_t ${SYMBOL}Size = ${bytes};
")
# Rewrite only on change, so that an unchanged image does not rebuild its users.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
