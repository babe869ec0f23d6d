#include "cli/read_ahead.h"

#include <algorithm>
#include <utility>

namespace vantor::cli {

ReadAhead::ReadAhead(std::size_t count, Read read) : count_(count), readFile_(std::move(read)), reader_([this] { readAll(); }) {}

ReadAhead::~ReadAhead() {
  // The caller may stop early (its output closed): the reader wakes, sees
  // the stop, and ends.
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  readerWakes_.notify_one();
  reader_.join();
}

void ReadAhead::readAll() {
  for (std::size_t i = 0; i < count_; ++i) {
    if (!waitForRoom(i)) return;
    Slot& slot = slots_[i % kSlots];
    slot.got = readFile_(i, replay::ReadBuffer(slot.bytes));
    publish(i + 1);
  }
}

bool ReadAhead::waitForRoom(std::size_t index) {
  std::unique_lock lock(mutex_);
  if (index >= doneCount_ + kSlots && !stopping_) {
    // Sleeps until a batch of slots is free again.
    readerWaitsFor_ = index - kSlots + kBatch;
    readerWakes_.wait(lock, [&] { return doneCount_ >= readerWaitsFor_ || stopping_; });
    readerWaitsFor_ = kNobody;
  }
  return !stopping_;
}

void ReadAhead::publish(std::size_t readCount) {
  bool wake = false;
  {
    const std::lock_guard lock(mutex_);
    readCount_ = readCount;
    wake = readCount_ >= callerWaitsFor_;
  }
  if (wake) callerWakes_.notify_one();
}

ReadAhead::File ReadAhead::next() {
  bool wakeReader = false;
  {
    std::unique_lock lock(mutex_);
    doneCount_ = taken_;
    wakeReader = doneCount_ >= readerWaitsFor_;
    if (readCount_ <= taken_) {
      if (wakeReader) readerWakes_.notify_one(), wakeReader = false;
      // Sleeps until a batch is read, so as not to wake for every file.
      callerWaitsFor_ = std::min(taken_ + kBatch, count_);
      callerWakes_.wait(lock, [&] { return readCount_ >= callerWaitsFor_; });
      callerWaitsFor_ = kNobody;
    }
  }
  if (wakeReader) readerWakes_.notify_one();
  const Slot& slot = slots_[taken_++ % kSlots];
  return {&slot.bytes, slot.got};
}

}  // namespace vantor::cli
