// The web page's entry points into the core, as the page places files in
// the module's memory; bench/web/native_core.cpp calls the same natively.
#pragma once

#include <cstddef>

namespace vantor::web {

// A file's first bytes and its name. Every call that takes files takes a
// table of these.
struct File {
  const unsigned char* bytes;
  std::size_t size;
  const char* name;
  std::size_t nameSize;
};

}  // namespace vantor::web

extern "C" const void* rows(const vantor::web::File* files, std::size_t count);
