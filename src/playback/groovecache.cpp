#include "playback/groovecache.h"

#include <QFile>

#include <sys/stat.h>

#include "playback/soundfilereader.h"

GrooveCache::GrooveCache(std::size_t maxBytes, QObject* parent)
    : QObject(parent), maxBytes_(maxBytes) {
    loader_ = std::thread([this] { loaderLoop(); });
}

GrooveCache::~GrooveCache() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    loader_.join();
}

std::shared_ptr<const DecodedAudio> GrooveCache::find(const QString& path) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(path);
    if (it == entries_.end()) {
        return nullptr;
    }
    it->lastUse = ++useCounter_;
    return it->sound;
}

GrooveCache::FileStamp GrooveCache::stampOf(const QString& path) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        stamp.size = st.st_size;
        stamp.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stamp.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    }
    return stamp;
}

std::shared_ptr<const DecodedAudio> GrooveCache::findCurrent(const QString& path) {
    const FileStamp now = stampOf(path);
    std::lock_guard lock(mutex_);
    auto it = entries_.find(path);
    if (it == entries_.end() || (now.size >= 0 && !(now == it->stamp))) {
        return nullptr;
    }
    it->lastUse = ++useCounter_;
    return it->sound;
}

void GrooveCache::request(const QString& path) {
    if (path.trimmed().isEmpty()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (pending_.value(path) > 0) {
            return;
        }
        pending_[path] += 1;
        jobs_.push_back(path);
    }
    wake_.notify_one();
}

std::shared_ptr<const DecodedAudio> GrooveCache::waitFor(const QString& path) {
    if (path.trimmed().isEmpty()) {
        return nullptr;
    }
    request(path);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return pending_.value(path) == 0 || quit_; });
    auto it = entries_.find(path);
    if (it == entries_.end()) {
        return nullptr;
    }
    it->lastUse = ++useCounter_;
    return it->sound;
}

bool GrooveCache::isPending(const QString& path) const {
    std::lock_guard lock(mutex_);
    return pending_.value(path) > 0;
}

std::size_t GrooveCache::bytesUsed() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

int GrooveCache::count() const {
    std::lock_guard lock(mutex_);
    return int(entries_.size());
}

void GrooveCache::loaderLoop() {
    for (;;) {
        QString path;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return quit_ || !jobs_.empty(); });
            if (quit_) {
                return;
            }
            path = jobs_.front();
            jobs_.pop_front();
        }
        const bool ok = load(path);
        {
            std::lock_guard lock(mutex_);
            if (--pending_[path] <= 0) {
                pending_.remove(path);
            }
        }
        finished_.notify_all();
        emit finished(path, ok);
    }
}

bool GrooveCache::load(const QString& path) {
    const FileStamp stamp = stampOf(path);
    const bool exists = stamp.size >= 0;
    {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(path);
        if (it != entries_.end()) {
            if (exists && it->stamp == stamp) {
                return true;
            }
            bytes_ -= it->sound->bytes();
            entries_.erase(it);
        }
    }
    if (!exists) {
        return false;
    }
    Entry entry;
    entry.sound = SoundFileReader::decodeAll(path, maxBytes_);
    if (!entry.sound) {
        return false;
    }
    entry.stamp = stamp;
    std::lock_guard lock(mutex_);
    insertLocked(path, std::move(entry));
    return true;
}

void GrooveCache::insertLocked(const QString& path, Entry entry) {
    entry.lastUse = ++useCounter_;
    bytes_ += entry.sound->bytes();
    entries_.insert(path, std::move(entry));
    evictLocked();
}

void GrooveCache::evictLocked() {
    while (bytes_ > maxBytes_ && entries_.size() > 1) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->lastUse < oldest->lastUse) {
                oldest = it;
            }
        }
        bytes_ -= oldest->sound->bytes();
        entries_.erase(oldest);
    }
}
