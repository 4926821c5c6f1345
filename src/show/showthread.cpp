#include "show/showthread.h"

#include <pthread.h>
#include <sched.h>

namespace {

// Above every ordinary thread, below the sound server's and the audio callback's
// own real-time threads (JACK's start at 10 and above).
constexpr int kPriority = 5;

}  // namespace

ShowThread::ShowThread() {
    thread_.setObjectName(QStringLiteral("ShowThread"));
    thread_.start();
    context_ = new QObject;
    context_->moveToThread(&thread_);
    call([this] {
        sched_param param{};
        param.sched_priority = kPriority;
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
