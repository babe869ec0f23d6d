# Turns the JSON Schema into a C++ source, so that --schema works wherever
# the program is run from. Run by the build with -DINPUT= -DOUTPUT=.
file(READ "${INPUT}" schema)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from cli/vantor-info.schema.json by cli/embed_schema.cmake.\n"
  "#include \"cli/vantor_info.h\"\n"
  "namespace vantor::cli {\n"
  "const char* const kJsonSchema = R\"vantor_schema(${schema})vantor_schema\";\n"
  "}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
