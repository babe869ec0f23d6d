#include "view/caption.h"

namespace vantor::view {

std::string_view baseName(std::string_view path) {
  // The search goes down to the second character only: a path whose one
  // backslash leads it ("\race.rpl") is shown whole.
  for (std::size_t i = path.size(); i-- > 1;) {
    if (path[i] == '\\') return path.substr(i + 1);
  }
  return path;
}

std::string captionFor(std::string_view path) {
  constexpr std::string_view kPrefix = "Vantor : [";
  std::string caption(kPrefix);
  caption += baseName(path);
  caption += ']';
  // The window title has always been built in a buffer of 256: cut, never overrun.
  if (caption.size() > kCaptionMaxLength) caption.resize(kCaptionMaxLength);
  return caption;
}

}  // namespace vantor::view
