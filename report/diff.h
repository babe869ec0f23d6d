#pragma once

#include <string>
#include <vector>

#include "view/window_content.h"

// vantor-info --diff: the values in which two replays differ.
namespace vantor::report {

// Raised whenever a key of the --diff object changes meaning: 2 since
// fields became JSON Pointers, 3 since their values are those of the JSON
// line's format 2 (null for a value the file does not hold, laps a number).
inline constexpr int kDiffFormat = 3;

struct Difference {
  std::string label;  // as the text view names it
  std::string field;  // a JSON Pointer into the JSON line: where a script finds the value
  std::string textA, textB;  // UTF-8, as the text view shows them
  std::string jsonA, jsonB;  // JSON values, as the JSON lines hold them
};

// In the order the text view shows them. The paths and captions are not
// compared: they name the two files.
std::vector<Difference> differences(const view::WindowContent& a, const view::WindowContent& b);

// The two paths, then one line per difference: label, A's value, B's value.
// Nothing when there are none.
void appendDiffText(std::string& out, const view::WindowContent& a, const view::WindowContent& b,
                    const std::vector<Difference>& found);

// {"format":2,"a":PATH,"b":PATH,"differences":[{"field":...,"a":...,"b":...},...]} and a newline;
// "a" and "b" are the values at "field" in A's and B's JSON lines.
void appendDiffJson(std::string& out, const view::WindowContent& a, const view::WindowContent& b,
                    const std::vector<Difference>& found);

}  // namespace vantor::report
