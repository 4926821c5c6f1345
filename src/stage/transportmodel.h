#pragma once

#include <QObject>

#include "stage/transportsnapshot.h"
#include "stage/transportsource.h"

class Clock;

// One model of what is prepared and what sounds, for the windows that show the
// transport (the main window's MP3 time, the stage view). It holds no widget: it
// looks at its source whenever it is told to (the program does at every main tick,
// and when a lamp or the prepared song changes), and signals changed() only when
// what it shows differs. It adds no timer of its own. GUI thread only.
class TransportModel : public QObject {
    Q_OBJECT
public:
    TransportModel(Clock& clock, TransportSource source, QObject* parent = nullptr);
    ~TransportModel() override;

    const TransportSnapshot& snapshot() const { return now_; }

    // Looks at the source again now.
    void refresh();
    // The song marked to come next (empty: none).
    void setCued(const QString& title);

    // "1:05", "12:00", "1:02:03": whole seconds as a performer reads them.
    static QString clockText(int seconds);
    // The MP3's time as the main window shows it: "1:05 / -2:10", or the elapsed
    // time alone while the length is not known; empty when no MP3 plays.
    static QString mp3Text(const TransportSnapshot& s);

signals:
    void changed();

private:
    Clock& clock_;
    TransportSource source_;
    TransportSnapshot now_;
    QString cued_;
    double soundingSinceMs_ = 0;
};
