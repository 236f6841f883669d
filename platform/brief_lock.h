// Locks for sections of a microsecond or two that the threads of a build
// enter thousands of times each (a cache look-up, one non-blocking read).
// A waiter first spins for a while the section takes and only then sleeps:
// waking a sleeping thread costs tens of microseconds, far more on a
// virtual machine whose idle processor the host has to schedule again.
#ifndef BTE_PLATFORM_BRIEF_LOCK_H
#define BTE_PLATFORM_BRIEF_LOCK_H

#include <mutex>
#include <shared_mutex>

namespace bte::platform {

// Tells the processor that the thread is waiting in a loop.
inline void PauseWhileSpinning() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Tries try_lock up to kBriefSpins times before blocking in lock.
template <typename TryLock, typename Lock>
void LockSpinningFirst(TryLock tryLock, Lock lock) {
  // A few microseconds of pauses: several times a brief section.
  constexpr int kBriefSpins = 100;
  for (int spin = 0; spin < kBriefSpins; ++spin) {
    if (tryLock()) return;
    PauseWhileSpinning();
  }
  lock();
}

// A standard mutex whose waiters spin first.
template <typename Mutex>
class BriefLock {
 public:
  void lock() {
    LockSpinningFirst([this] { return mutex_.try_lock(); }, [this] { mutex_.lock(); });
  }
  bool try_lock() { return mutex_.try_lock(); }
  void unlock() { mutex_.unlock(); }

 protected:
  Mutex mutex_;
};

using BriefMutex = BriefLock<std::mutex>;

// Many readers at once, one writer; both spin first.
class BriefSharedMutex : public BriefLock<std::shared_mutex> {
 public:
  void lock_shared() {
    LockSpinningFirst([this] { return mutex_.try_lock_shared(); }, [this] { mutex_.lock_shared(); });
  }
  bool try_lock_shared() { return mutex_.try_lock_shared(); }
  void unlock_shared() { mutex_.unlock_shared(); }
};

}  // namespace bte::platform

#endif  // BTE_PLATFORM_BRIEF_LOCK_H
