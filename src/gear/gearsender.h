#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>
#include <memory>
#include <mutex>

#include "gear/gearlog.h"
#include "gear/gearoutput.h"
#include "pedals/midisystem.h"

class Clock;
class GearPorts;
class HiResTimer;

// Sends each song's messages to the other gear on stage. The prepared song's list
// (sendSong) is remembered and goes out at once, in order, each message to its port;
// a watch (`TmrUscitaMidi`, about once a second) sends a port its messages again
// when it is back after going away (unplugged, its client restarted) or appears after
// the song was prepared. A message to a port that is not there is logged as not
// sent and nothing waits for a device or a server that went; nothing here opens a
// message box.
// Every send is logged with its time of day (log(), logged()). Lives on a thread of
// its own in the program, just below the show's (the test's thread in tests), so
// that a slow MIDI system never holds up a pedal: made, used and deleted there;
// ports(), sendNow(), sendSong() and log() may be called from any thread.
class GearSender : public QObject, public GearOutput {
    Q_OBJECT
public:
    static constexpr double kWatchMs = 1000;

    explicit GearSender(Clock& clock, MidiSystem::Api api = MidiSystem::Api::Automatic,
                        QObject* parent = nullptr);
    ~GearSender() override;

    QStringList ports() const override;
    // Sends the messages without changing what the watch sends again ("Invia ora").
    void sendNow(const GearMessages& messages) override;
    // The prepared song's messages: sent at once, and again to a port that comes
    // back while the song stays prepared. On the sender's own thread it goes out at
    // once; from another thread (the show's) it is queued there.
    void sendSong(const GearMessages& messages);

    // The last lines of what was sent.
    const GearLog& log() const { return log_; }

signals:
    // Lines were added to log() (emitted on the sender's thread: connect queued).
    void logged();

private:
    void watch();
    void send(const GearMessages& messages, double at, QStringList& lines, QSet<QString>* missed);
    void publishPorts();
    void writeLog(const QStringList& lines);
    bool onOwnThread() const;

    Clock& clock_;
    std::unique_ptr<GearPorts> io_;
    HiResTimer* watch_ = nullptr;
    GearMessages current_;   // the prepared song's messages
    QSet<QString> reached_;  // the ports the current messages all reached
    GearLog log_;
    mutable std::mutex portsMutex_;
    QStringList ports_;  // what io_ listed at its last look
};
