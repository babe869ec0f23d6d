#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>

#include "replay/file_start.h"
#include "replay/layout.h"

// Reads the starts of a folder's files on a second thread, in order, a few
// dozen ahead of the one the caller decodes and prints: the system's work
// of opening and reading one file then overlaps the program's work on the
// file before it, instead of the two taking turns.
namespace vantor::cli {

class ReadAhead {
 public:
  using Bytes = std::array<unsigned char, replay::layout::kBytesUsed>;
  // Reads file `index` of the folder into the buffer; called on the reading
  // thread, in index order.
  using Read = std::function<replay::ReadResult(std::size_t index, replay::ReadBuffer buffer)>;

  struct File {
    const Bytes* bytes = nullptr;
    replay::ReadResult got;
  };

  ReadAhead(std::size_t count, Read read);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The next file's start, once it is read; good until the next call.
  File next();

 private:
  // Each side that must wait sleeps until a batch is ready for it, not a
  // single file: waking a thread costs the system more than a read.
  static constexpr std::size_t kSlots = 64;
  static constexpr std::size_t kBatch = 16;
  static constexpr std::size_t kNobody = static_cast<std::size_t>(-1);
  struct Slot {
    Bytes bytes;
    replay::ReadResult got;
  };

  void readAll();
  // Reader side: waits until the caller is through with file `index - kSlots`.
  bool waitForRoom(std::size_t index);
  void publish(std::size_t readCount);

  std::size_t count_;
  Read readFile_;
  std::array<Slot, kSlots> slots_;
  std::size_t taken_ = 0;  // files handed out; the caller's own, unguarded

  std::mutex mutex_;  // guards what follows
  std::condition_variable readerWakes_, callerWakes_;
  std::size_t readCount_ = 0;  // files whose start is in its slot
  std::size_t doneCount_ = 0;  // files the caller is through with: their slots are free
  std::size_t readerWaitsFor_ = kNobody;  // the doneCount_ that wakes the reader
  std::size_t callerWaitsFor_ = kNobody;  // the readCount_ that wakes the caller
  bool stopping_ = false;

  std::thread reader_;  // last: started once all the above is set up
};

}  // namespace vantor::cli
