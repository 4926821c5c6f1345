#pragma once

#include <QThread>
#include <functional>

// The thread the show runs on in the program: an event loop of its own, so that a
// pedal press, the main tick and the count-in never wait for the windows. It asks
// for real-time priority (below the sound's own thread) and runs at normal priority,
// without a word, where the system does not grant it. Objects meant to live on it
// are made there with call(); the windows reach them with queued commands.
class ShowThread {
public:
    // The show's real-time priority: above every ordinary thread, below the sound
    // server's and the audio callback's own (JACK's start at 10 and above).
    static constexpr int kShowPriority = 5;

    // name: the thread's name; priority: the real-time priority it asks for (a thread
    // that serves the show, such as the one for the other gear, asks for less).
    explicit ShowThread(const QString& name = QStringLiteral("ShowThread"),
                        int priority = kShowPriority);
    // Stops the loop and waits for it; objects still living there are deleted by
    // their owners afterwards, so bring them back with call() first.
    ~ShowThread();
    ShowThread(const ShowThread&) = delete;
    ShowThread& operator=(const ShowThread&) = delete;

    // Runs f on the show thread and waits until it has run (at once when called
    // there). Commands queued before it run first. Never call it from the show
    // thread's own objects towards the GUI: the show thread never waits for the GUI.
    void call(const std::function<void()>& f);
    QThread* thread() { return &thread_; }
    // Whether the system granted real-time priority.
    bool realTime() const { return realTime_; }

private:
    QThread thread_;
    QObject* context_ = nullptr;  // lives on the show thread: what call() posts to
    bool realTime_ = false;
};
