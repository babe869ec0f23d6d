#pragma once

#include <string>
#include <string_view>

#include "view/window_content.h"

// vantor-info --csv: every replay a row of a spreadsheet, with the values of
// its JSON line but the records. RFC 4180: fields quoted where they hold a
// comma, a quote or a line end; rows ended by CR LF. UTF-8 with a byte order
// mark before the header, which spreadsheet programs need to read the
// letters as UTF-8 rather than their system's code page.
namespace vantor::report {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The byte order mark and the header row: the column names, in order.
void appendCsvHeader(std::string& out);

// One replay's row. A value the file does not hold is an empty cell; a
// held empty text is an empty quoted one ("").
void appendCsvRow(std::string& out, const view::WindowContent& content);

// A replay's Windows-1252 text as a field, in UTF-8; an empty one quoted
// (""), so that it is told from the empty cell of a missing value.
void appendCsvText(std::string& out, std::string_view windows1252);

// A path, the system's bytes, as a field in UTF-8 (U+FFFD for what is not).
void appendCsvPath(std::string& out, std::string_view bytes);

}  // namespace vantor::report
