# Writes a C++ source holding the bytes of INPUT as the template database.
file(READ ${INPUT} HEX HEX)
string(LENGTH "${HEX}" HEX_LENGTH)
math(EXPR BYTE_COUNT "${HEX_LENGTH} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," BYTES "${HEX}")
file(WRITE ${OUTPUT}
  "// Generated from resources/orgmdb.db; do not edit.\n"
  "#include \"files/TemplateDatabase.h\"\n"
  "namespace tarnwick {\n"
  "namespace {\n"
  "const char kTemplateBytes[${BYTE_COUNT}] = {${BYTES}};\n"
  "}\n"
  "std::string_view TemplateDatabase() { return {kTemplateBytes, ${BYTE_COUNT}}; }\n"
  "}  // namespace tarnwick\n")
