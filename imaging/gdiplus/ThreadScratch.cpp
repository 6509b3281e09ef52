#include "ThreadScratch.h"

namespace Gdiplus {

ThreadScratchKeeper::ThreadScratchKeeper(Destroy destroy) : destroy_(destroy) {
  haveKey_ = pthread_key_create(&key_, &ThreadScratchKeeper::ThreadEnded) == 0;
}

ThreadScratchKeeper::~ThreadScratchKeeper() {
  // After the key is gone no thread's end calls into this module any more.
  if (haveKey_) pthread_key_delete(key_);
  std::lock_guard<std::mutex> lock(mutex_);
  while (Held* held = first_) {
    first_ = held->next;
    destroy_(held->object);
    delete held;
  }
}

void ThreadScratchKeeper::Keep(void* object) {
  Held* held = new Held{this, object, nullptr, nullptr};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    held->next = first_;
    if (first_) first_->previous = held;
    first_ = held;
  }
  // Without a key the object lives until the unload.
  if (haveKey_) pthread_setspecific(key_, held);
}

void ThreadScratchKeeper::ThreadEnded(void* pointer) {
  Held* held = static_cast<Held*>(pointer);
  ThreadScratchKeeper* keeper = held->keeper;
  {
    std::lock_guard<std::mutex> lock(keeper->mutex_);
    if (held->previous)
      held->previous->next = held->next;
    else
      keeper->first_ = held->next;
    if (held->next) held->next->previous = held->previous;
  }
  keeper->destroy_(held->object);
  delete held;
}

}  // namespace Gdiplus
