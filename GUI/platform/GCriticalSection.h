#pragma once

#include <pthread.h>

// A lock for threads started through the platform.
class GCriticalSection {
 public:
  GCriticalSection() = default;
  GCriticalSection(const GCriticalSection&) = delete;
  GCriticalSection& operator=(const GCriticalSection&) = delete;
  virtual ~GCriticalSection() = default;

  // Blocks until the calling thread holds the lock.
  virtual void Lock() = 0;
  // Releases the lock held by the calling thread.
  virtual void Unlock() = 0;
};

// A pthread mutex with default attributes.
class GCriticalSectionUnix : public GCriticalSection {
 public:
  GCriticalSectionUnix() { pthread_mutex_init(&mutex, nullptr); }
  ~GCriticalSectionUnix() override { pthread_mutex_destroy(&mutex); }

  void Lock() override { pthread_mutex_lock(&mutex); }
  void Unlock() override { pthread_mutex_unlock(&mutex); }

 private:
  pthread_mutex_t mutex;
};
