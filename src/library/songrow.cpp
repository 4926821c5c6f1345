#include "library/songrow.h"

#include "library/sqlstatement.h"

namespace SongRow {

QString columns() {
    return QStringLiteral(
        "Titoli, Autore, Pagina, Capotasto, BPM, Loop, Groove1, Groove2, Sca1, Sca2, Sca3, "
        "Sca4, Sca5, Temp");
}

SongRecord read(const SqlStatement& q) {
    SongRecord s;
    s.Titoli = q.value(0).toString();
    s.Autore = q.value(1);
    s.Pagina = q.value(2);
    s.Capotasto = q.value(3);
    s.BPM = q.value(4);
    s.Loop = q.integer(5) != 0;
    s.Groove1 = q.value(6);
    s.Groove2 = q.value(7);
    for (int i = 0; i < 5; ++i) {
        s.Sca[size_t(i)] = q.value(8 + i);
    }
    s.Temp = q.integer(13) != 0;
    return s;
}

}  // namespace SongRow
