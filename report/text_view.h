#pragma once

#include <array>
#include <string>
#include <string_view>

#include "view/window_content.h"

namespace vantor::report {

// The written forms are made from what the window shows, and from nothing else.
using view::RecordRowTexts;
using view::TuningValue;
using view::WindowContent;

// What the text view calls each thing it shows.
namespace label {
inline constexpr std::string_view kTrack = "Track";
inline constexpr std::string_view kDirection = "Direction";
inline constexpr std::string_view kLaps = "Laps";
inline constexpr std::string_view kDriver = "Driver";
inline constexpr std::string_view kCar = "Car";
inline constexpr std::string_view kAutomaticTransmission = "Transmission/autom.";
inline constexpr std::string_view kDamage = "Damage";
inline constexpr std::string_view kDownforce = "Downforce";
inline constexpr std::string_view kTirePressure = "Tire Pressure";
inline constexpr std::string_view kGears = "Gears";
inline constexpr std::array<std::string_view, 8> kGearNames = {"1st", "2nd", "3rd",     "4th",
                                                               "5th", "6th", "Reverse", "Final"};
inline constexpr std::string_view kRecords = "Records";
inline constexpr std::string_view kCutShort = "Cut short";
inline constexpr std::string_view kBytesHeld = "Bytes held";
}  // namespace label

inline constexpr std::size_t kLabelWidth = 22;  // "Transmission/autom." and three blanks

// Appends the readable block for one replay: a heading with the path, then
// everything the window shows, aligned, in UTF-8, lines ended by "\n".
// vantor-info prints it and the window copies it. Control characters from
// the file or its name are shown as U+FFFD so that no replay can drive the
// terminal.
void appendTextView(std::string& out, const WindowContent& content);

// The pieces it is made of, for other views of the same values.

// A Windows-1252 text in UTF-8, control characters as U+FFFD. Each byte is
// one character on screen, so a text's byte count is its width.
void appendShownText(std::string& out, std::string_view windows1252);
void appendPadded(std::string& out, std::string_view windows1252, std::size_t width);

// A path or caption, the system's bytes: invalid UTF-8 and control
// characters as U+FFFD.
void appendShownPath(std::string& out, std::string_view bytes);

// What the text view shows for a value the file does not hold (a file cut
// short): U+2205, a sign that is no number and that no replay text can
// make, as it is no Windows-1252 letter.
inline constexpr std::string_view kMissing = "\xE2\x88\x85";

// A value as the text view shows it, in UTF-8: the text, or kMissing.
std::string shown(const view::Held<std::string>& windows1252);

// How many characters a UTF-8 text shows, for aligning columns.
std::size_t columns(std::string_view utf8);

// Appends the UTF-8 text and blanks up to width characters.
void appendPaddedShown(std::string& out, std::string_view utf8, std::size_t width);
void pad(std::string& out, std::size_t used, std::size_t width);

// "0 (clear)", "1 (checked)", the signed byte, or kMissing.
std::string checkText(const view::Held<int>& state);

// "left L, right R", each as shown.
std::string leftRight(const view::Held<std::string>& left, const view::Held<std::string>& right);

// The text with each "\n" made "\r\n", the line end the Windows clipboard
// and the programs that paste from it expect.
std::string withCrLf(std::string_view text);

}  // namespace vantor::report
