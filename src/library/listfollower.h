#pragma once

#include <QObject>

class AggiornaDBG;
class DataSource;

// Keeps a shown list in step with the library after a change: shows the changed
// song in its new place, or reloads the list (the same list, view or filter as
// before) through its refresh procedure, and puts the
// highlight on the changed song when the list holds it, otherwise back on the song
// that was highlighted, otherwise on the row where the highlight was. Nothing else
// is touched: what sounds, the prepared song and the shared state stay as they are.
// GUI thread only.
class ListFollower : public QObject {
    Q_OBJECT
public:
    ListFollower(DataSource& data, AggiornaDBG& refresh, QObject* parent = nullptr);

    // The library changed; song is the one to show (-1: none in particular).
    void follow(qint64 song);
    // The song changed (-1: any song may have) and the highlight stays where it was.
    void keep(qint64 changed);

private:
    void update(qint64 changed, bool showChanged);

    DataSource& data_;
    AggiornaDBG& refresh_;
};
