#pragma once

namespace vantor::report {

// The JSON Schema of the JSON line and the --diff object, from
// report/vantor-info.schema.json, built in so that --schema works wherever
// the program is run from.
extern const char* const kJsonSchema;

}  // namespace vantor::report
