#pragma once

#include <pthread.h>

// A mutex that lends its holder the priority of whoever waits for it (priority
// inheritance), so that a real-time thread waiting on a GUI thread that holds it
// lifts that thread instead of waiting behind everything else the GUI runs. Meets
// BasicLockable: std::lock_guard and std::unique_lock take it. Not recursive. Any
// thread; never from the audio callback.
class CommandLock {
public:
    CommandLock();
    ~CommandLock();
    CommandLock(const CommandLock&) = delete;
    CommandLock& operator=(const CommandLock&) = delete;

    void lock();
    void unlock();

private:
    pthread_mutex_t mutex_;
};
