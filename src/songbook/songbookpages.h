#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThread>

// One page of one book at one size: what the stage view asks for.
struct PageKey {
    QString path;  // the PDF
    int page = 0;  // from 0, in the PDF
    QSize box;     // the area it is fitted to
    bool operator==(const PageKey&) const = default;
};
Q_DECLARE_METATYPE(PageKey)

// The songbook pages the windows show, drawn on a thread of its own (never the GUI
// thread, the show core's or the audio callback) and kept for a few songs: the page
// of the song that comes next is drawn ahead, so that it is in hand the moment that
// song is prepared. The latest page asked for (show) goes before every page asked
// ahead. Commands from the GUI thread; results arrive there as signals.
class SongbookPages : public QObject {
    Q_OBJECT
public:
    // Pages kept, drawn: the song shown, the next, the previous and one more.
    static constexpr int kKept = 4;

    explicit SongbookPages(QObject* parent = nullptr);
    ~SongbookPages() override;

    // The page to show now: shown() at once when it is kept, otherwise when drawn
    // (or failed()). A page asked for before and not yet come is forgotten.
    void show(const PageKey& key);
    // A page that may be shown soon: drawn when nothing else waits, then kept.
    void ahead(const PageKey& key);

    // How many pages were drawn since the start (for the benchmark and the tests).
    int drawn() const;

signals:
    void shown(const PageKey& key, const QImage& image);
    void failed(const PageKey& key, const QString& text);

private:
    class Worker;
    QThread thread_;
    Worker* worker_;
};
