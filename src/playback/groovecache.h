#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "playback/decodedaudio.h"

// Decoded grooves kept in memory by path, so that a groove the preload has played
// (or that was prefetched) starts without touching the disk. Bounded in bytes; the
// least recently used grooves go first. Decoding runs on the cache's own loader
// thread. Any thread may call the public functions (each runs under the cache's own
// mutex, and only waitFor() waits for the loader); finished() is emitted on the
// loader thread, so connect to it from objects of another thread (Qt queues it to
// them).
class GrooveCache : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultMaxBytes = std::size_t(512) << 20;

    explicit GrooveCache(std::size_t maxBytes = kDefaultMaxBytes, QObject* parent = nullptr);
    ~GrooveCache() override;

    // The decoded groove if it is in memory (marking it as just used), else nullptr.
    // Never touches the disk.
    std::shared_ptr<const DecodedAudio> find(const QString& path);

    // Like find(), but only while the file on disk is still the one that was decoded:
    // nullptr when its size or times have changed since (it must be read again). A
    // file that has gone keeps the copy in memory. Looks at the file's size and times
    // only, never at its contents.
    std::shared_ptr<const DecodedAudio> findCurrent(const QString& path);

    // Asks the loader thread for path. A groove already in memory is checked against
    // the file on disk (size and time) and decoded again only when the file changed;
    // a groove whose file has gone is dropped. Empty paths are ignored.
    void request(const QString& path);

    // Requests path and blocks until the loader has finished with it: the decoded
    // groove, or nullptr when the file cannot be played. For offline rendering,
    // where a result must not depend on thread timing.
    std::shared_ptr<const DecodedAudio> waitFor(const QString& path);

    // Whether path is queued or being decoded.
    bool isPending(const QString& path) const;

    std::size_t bytesUsed() const;
    std::size_t maxBytes() const { return maxBytes_; }
    int count() const;

signals:
    // The loader has finished with path: ok when it is now in memory.
    void finished(const QString& path, bool ok);

private:
    // What tells one version of a file from another without reading it.
    struct FileStamp {
        qint64 size = -1;  // -1: no regular file there
        // Modification and status-change times in nanoseconds since the epoch, read
        // straight from the file system: no time zone is looked at, so the loader
        // thread and the commanding threads may stamp files side by side.
        qint64 modified = 0;
        qint64 changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    struct Entry {
        std::shared_ptr<const DecodedAudio> sound;
        std::uint64_t lastUse = 0;
        FileStamp stamp;
    };

    void loaderLoop();
    bool load(const QString& path);  // loader thread
    void insertLocked(const QString& path, Entry entry);
    void evictLocked();

    const std::size_t maxBytes_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;      // the loader has work or must quit
    std::condition_variable finished_;  // a job is done
    std::deque<QString> jobs_;
    QHash<QString, int> pending_;  // path -> queued or running jobs
    QHash<QString, Entry> entries_;
    std::size_t bytes_ = 0;
    std::uint64_t useCounter_ = 0;
    bool quit_ = false;
    std::thread loader_;
};
