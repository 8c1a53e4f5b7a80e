# Writes OUTPUT, a C++ file that holds the bytes of the BMP files in BITMAPS (a list of paths whose
# names start with their numbers, resources/bitmaps/120-digits.bmp) behind EmbeddedBitmap().
set(arrays "")
set(cases "")
foreach(path IN LISTS BITMAPS)
  get_filename_component(name ${path} NAME)
  string(REGEX MATCH "^[0-9]+" number ${name})
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "constexpr uint8_t kBitmap${number}[] = {\n${bytes}};\n")
  string(APPEND cases "        case ${number}:\n            return kBitmap${number};\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from resources/bitmaps by embed_bitmaps.cmake.
#include \"platform/web/embedded_bitmaps.h\"

namespace {
${arrays}
}  // namespace

std::span<const uint8_t> EmbeddedBitmap(int number) {
    switch (number) {
${cases}        default:
            return {};
    }
}
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
