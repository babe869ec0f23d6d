#pragma once

#include <string>
#include <string_view>

#include "view/window_content.h"

namespace vantor::report {

// Raised whenever a key of the object changes meaning: 2 since a value the
// file does not hold is null (format 1 gave what a fresh record holds, 0 or
// an empty text) and laps is a number (it was its decimal text).
inline constexpr int kJsonFormat = 2;

// Appends one replay as a single JSON object and a newline: the keys that
// cli/vantor-info.schema.json describes. Texts are converted from
// Windows-1252, the path and caption from the system's bytes, so the line
// is valid UTF-8 JSON whatever the file and its name hold.
void appendJsonLine(std::string& out, const view::WindowContent& content);

// Pieces of it, for other JSON made of the same values: a Windows-1252
// text, a path (the system's bytes) and one record row.
void appendJsonText(std::string& out, const view::Held<std::string>& windows1252);
void appendJsonPath(std::string& out, std::string_view bytes);
void appendJsonRecord(std::string& out, const view::RecordRowTexts& row);

}  // namespace vantor::report
