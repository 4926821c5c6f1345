#include "playback/commandlock.h"

CommandLock::CommandLock() {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    // A system without priority inheritance still gets a plain mutex: the protocol
    // is then left at its default and only the lifting of the holder is lost.
    pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
    if (pthread_mutex_init(&mutex_, &attributes) != 0) {
        pthread_mutex_init(&mutex_, nullptr);
    }
    pthread_mutexattr_destroy(&attributes);
}

CommandLock::~CommandLock() {
    pthread_mutex_destroy(&mutex_);
}

void CommandLock::lock() {
    pthread_mutex_lock(&mutex_);
}

void CommandLock::unlock() {
    pthread_mutex_unlock(&mutex_);
}
