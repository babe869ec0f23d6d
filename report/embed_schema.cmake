# Turns the JSON Schema into a C++ source, so that --schema works wherever
# the program is run from. Run by the build with -DINPUT= -DOUTPUT=.
file(READ "${INPUT}" schema)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from report/vantor-info.schema.json by report/embed_schema.cmake.\n"
  "#include \"report/schema.h\"\n"
  "namespace vantor::report {\n"
  "const char* const kJsonSchema = R\"vantor_schema(${schema})vantor_schema\";\n"
  "}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
