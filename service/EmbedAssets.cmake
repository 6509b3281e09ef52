# Writes OUTPUT, a C++ source holding the demo page's files as byte arrays,
# so the service needs nothing beside its binary. Run with
#   cmake -DOUTPUT=... -DSOURCE_DIR=... -P EmbedAssets.cmake
# Each row: request path, file name, content type (its ';' spelled '%').
set(assets
  "/|index.html|text/html% charset=utf-8"
  "/demo.css|demo.css|text/css% charset=utf-8"
  "/demo.js|demo.js|text/javascript% charset=utf-8")

set(arrays "")
set(rows "")
set(index 0)
foreach(asset ${assets})
  string(REPLACE "|" ";" fields "${asset}")
  list(GET fields 0 path)
  list(GET fields 1 file)
  list(GET fields 2 type)
  string(REPLACE "%" ";" type "${type}")
  file(READ "${SOURCE_DIR}/${file}" hex HEX)
  file(SIZE "${SOURCE_DIR}/${file}" size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND arrays "constexpr char kAsset${index}[] = {${bytes} 0};\n")
  string(APPEND rows "    {\"${path}\", \"${type}\", {kAsset${index}, ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from service/demo by EmbedAssets.cmake; do not edit.
#include \"DemoAssets.h\"

namespace glyphward_service {
namespace {
${arrays}
constexpr DemoAsset kAssets[] = {
${rows}};
}  // namespace

const DemoAsset* FindDemoAsset(std::string_view path) {
  for (const DemoAsset& asset : kAssets)
    if (asset.path == path) return &asset;
  return nullptr;
}

}  // namespace glyphward_service
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
