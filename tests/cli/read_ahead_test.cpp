#include "cli/read_ahead.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace vantor::cli {
namespace {

// Each "file" holds its own index in its first byte; every fifth cannot be read.
replay::ReadResult fakeRead(std::size_t index, replay::ReadBuffer buffer) {
  if (index % 5 == 4) return {-1, EACCES};
  buffer[0] = static_cast<unsigned char>(index);
  return {1, 0};
}

TEST(ReadAhead, HandsOutEveryFileInOrderAndStopsWhenLeftEarly) {
  {
    ReadAhead ahead(300, fakeRead);
    for (std::size_t i = 0; i < 300; ++i) {
      const ReadAhead::File file = ahead.next();
      if (i % 5 == 4) {
        EXPECT_EQ(file.got.bytesHeld, -1);
        EXPECT_EQ(file.got.error, EACCES);
      } else {
        ASSERT_EQ(file.got.bytesHeld, 1);
        EXPECT_EQ((*file.bytes)[0], static_cast<unsigned char>(i)) << i;
      }
    }
  }
  // A reader slower than the caller: the caller waits, to the very last.
  ReadAhead slow(40, [](std::size_t index, replay::ReadBuffer buffer) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    buffer[0] = static_cast<unsigned char>(index);
    return replay::ReadResult{1, 0};
  });
  for (std::size_t i = 0; i < 40; ++i) EXPECT_EQ((*slow.next().bytes)[0], i);
  // A caller whose output closed leaves after a few, the reader blocked on
  // a full ring: the reader must still end.
  ReadAhead left(1000, fakeRead);
  EXPECT_EQ((*left.next().bytes)[0], 0);
}

}  // namespace
}  // namespace vantor::cli
