#include "show/showthread.h"

#include <pthread.h>
#include <sched.h>

ShowThread::ShowThread(const QString& name, int priority) {
    thread_.setObjectName(name);
    thread_.start();
    context_ = new QObject;
    context_->moveToThread(&thread_);
    call([this, priority] {
        sched_param param{};
        param.sched_priority = priority;
        realTime_ = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
    });
}

ShowThread::~ShowThread() {
    call([this] {
        delete context_;
        context_ = nullptr;
    });
    thread_.quit();
    thread_.wait();
}

void ShowThread::call(const std::function<void()>& f) {
    if (QThread::currentThread() == &thread_) {
        f();
        return;
    }
    QMetaObject::invokeMethod(context_, f, Qt::BlockingQueuedConnection);
}
