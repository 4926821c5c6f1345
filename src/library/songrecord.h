#pragma once

#include <QString>
#include <QVariant>
#include <array>

// One song as stored in the library, field by field under the program's names.
// A null QVariant is an empty (null) field. Used to fill a library (new and demo
// libraries, tests, benchmarks).
struct SongRecord {
    QString Titoli;
    QVariant Autore;
    QVariant Pagina = 0;
    QVariant Capotasto;
    QVariant BPM = 0;
    QVariant Groove1;
    QVariant Groove2;
    bool Loop = false;            // stored as -1 / 0
    std::array<QVariant, 5> Sca;  // position in running orders 1..5; null or 0: not in it
    bool Temp = false;            // stored as -1 / 0
};
