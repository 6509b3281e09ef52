// Memory each drawing thread keeps for itself from one picture to the next.
// A thread_local object with a destructor would pin the module in memory
// past the COM library's unload, so the object is reached through a plain
// pointer and freed by a thread key when its thread ends, or by the module's
// unload while its thread still runs.
#pragma once

#include <pthread.h>

#include <mutex>

namespace Gdiplus {

class ThreadScratchKeeper {
 public:
  using Destroy = void (*)(void*);
  explicit ThreadScratchKeeper(Destroy destroy);
  ~ThreadScratchKeeper();
  ThreadScratchKeeper(const ThreadScratchKeeper&) = delete;
  ThreadScratchKeeper& operator=(const ThreadScratchKeeper&) = delete;

  // Hands the calling thread's new object to the keeper.
  void Keep(void* object);

 private:
  struct Held {
    ThreadScratchKeeper* keeper;
    void* object;
    Held* previous;
    Held* next;
  };
  static void ThreadEnded(void* held);

  Destroy destroy_;
  pthread_key_t key_{};
  bool haveKey_ = false;
  std::mutex mutex_;
  Held* first_ = nullptr;
};

// The calling thread's T, default-constructed at its first use there.
template <class T>
T& ThreadScratch() {
  static ThreadScratchKeeper keeper([](void* object) { delete static_cast<T*>(object); });
  thread_local T* mine = nullptr;
  if (!mine) {
    T* made = new T();
    keeper.Keep(made);
    mine = made;
  }
  return *mine;
}

}  // namespace Gdiplus
