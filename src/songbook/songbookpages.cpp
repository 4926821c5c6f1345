#include "songbook/songbookpages.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <atomic>
#include <deque>
#include <list>

#include "songbook/pagerenderer.h"

// The drawing thread's side: the renderer, the pages kept, and what waits.
class SongbookPages::Worker : public QObject {
    Q_OBJECT
public:
    explicit Worker(SongbookPages& owner) : owner_(owner) {}

    // Any thread.
    void wantShown(const PageKey& key) {
        {
            const QMutexLocker lock(&mutex_);
            shown_ = key;
            showWaits_ = true;
        }
        wake();
    }
    void wantAhead(const PageKey& key) {
        {
            const QMutexLocker lock(&mutex_);
            if (std::find(ahead_.begin(), ahead_.end(), key) == ahead_.end()) {
                ahead_.push_back(key);
                while (ahead_.size() > std::size_t(kKept)) {
                    ahead_.pop_front();
                }
            }
        }
        wake();
    }
    int drawn() const { return drawn_.load(); }

private:
    void wake() { QMetaObject::invokeMethod(this, &Worker::work, Qt::QueuedConnection); }

    // The drawing thread: the page shown first, then those ahead, one at a time so
    // that a newer page to show never waits behind more than one drawing.
    void work() {
        PageKey key;
        bool forShow = false;
        {
            const QMutexLocker lock(&mutex_);
            if (showWaits_) {
                key = shown_;
                showWaits_ = false;
                forShow = true;
            } else if (!ahead_.empty()) {
                key = ahead_.front();
                ahead_.pop_front();
            } else {
                return;
            }
        }
        const Kept* page = find(key);
        if (page == nullptr) {
            PageRenderer::Page drawn = renderer_.render(key.path, key.page, key.box);
            ++drawn_;
            if (drawn.image.isNull()) {
                // Not kept: the book may be mended or come back before it is asked again.
                if (forShow && !newerShown(key)) {
                    emit owner_.failed(key, drawn.error);
                }
                wake();
                return;
            }
            kept_.push_front({key, drawn.image});
            if (kept_.size() > std::size_t(kKept)) {
                kept_.pop_back();
            }
            page = &kept_.front();
        }
        if (forShow && !newerShown(key)) {
            emit owner_.shown(key, page->image);
        }
        wake();
    }

    // Whether a page to show other than key was asked for since key was taken.
    bool newerShown(const PageKey& key) {
        const QMutexLocker lock(&mutex_);
        return showWaits_ && !(shown_ == key);
    }

    struct Kept {
        PageKey key;
        QImage image;
    };
    // The page kept for key, moved to the front; null when not kept.
    const Kept* find(const PageKey& key) {
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->key == key) {
                kept_.splice(kept_.begin(), kept_, it);
                return &kept_.front();
            }
        }
        return nullptr;
    }

    SongbookPages& owner_;
    PageRenderer renderer_;
    std::list<Kept> kept_;
    std::atomic<int> drawn_{0};
    QMutex mutex_;
    PageKey shown_;
    bool showWaits_ = false;
    std::deque<PageKey> ahead_;
};

SongbookPages::SongbookPages(QObject* parent) : QObject(parent), worker_(new Worker(*this)) {
    qRegisterMetaType<PageKey>();
    thread_.setObjectName(QStringLiteral("Canzonieri"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

SongbookPages::~SongbookPages() {
    thread_.quit();
    thread_.wait();
}

void SongbookPages::show(const PageKey& key) {
    worker_->wantShown(key);
}

void SongbookPages::ahead(const PageKey& key) {
    worker_->wantAhead(key);
}

int SongbookPages::drawn() const {
    return worker_->drawn();
}

#include "songbookpages.moc"
