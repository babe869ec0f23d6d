#pragma once

#include <cstddef>
#include <cstdio>
#include <span>

#include "replay/path_status.h"

// The one read a replay takes: its first bytes, into a buffer the size of
// what the decoder uses. The window, vantor-info and its folder walk all
// read through here, over paths in the system's own form.
namespace vantor::replay {

using ReadBuffer = std::span<unsigned char>;

struct ReadResult {
  // Of the buffer's bytes, how many the file held; -1 when it cannot be
  // opened or read.
  std::ptrdiff_t bytesHeld = -1;
  int error = 0;  // the system's errno when it could not
};

// Up to buffer.size() bytes from the start of the file.
ReadResult readFileStart(const NativePath& path, ReadBuffer buffer);

// The same from an open stream, such as standard input.
ReadResult readStreamStart(std::FILE* stream, ReadBuffer buffer);

// A folder held open while its files are read: the system then looks up one
// name instead of the whole path again. Where that is not to be had, the
// path is opened.
class OpenFolder {
 public:
  explicit OpenFolder(const NativePath& path);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  // name within the folder; path is the folder joined with name.
  ReadResult readFileStart(const NativePath& name, const NativePath& path, ReadBuffer buffer) const;

 private:
  int descriptor_ = -1;
};

}  // namespace vantor::replay
