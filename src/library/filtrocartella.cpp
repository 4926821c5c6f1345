#include "library/filtrocartella.h"

#include <QAbstractButton>
#include <QWidget>

#include "config/sharedstate.h"
#include "library/aggiornadbg.h"
#include "library/listedfolderprobe.h"
#include "library/mainlistquery.h"
#include "library/rowset.h"
#include "library/songdatabase.h"

FiltroCartella::FiltroCartella(SharedState& state, AggiornaDBG& aggiornaDBG, MainListQuery& query,
                               QWidget* dbgrid1, const QList<QAbstractButton*>& buttons,
                               QObject* parent)
    : QObject(parent), state_(state), aggiornaDBG_(aggiornaDBG), query_(query), grid_(dbgrid1) {
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]) {
            connect(buttons[i], &QAbstractButton::clicked, this, [this, i] { filtro(i); });
        }
    }
}

void FiltroCartella::filtro(int index) {
    if (index < 0 || index >= int(state_.CartelleMp3.size())) {
        return;
    }
    const QString folder = state_.CartelleMp3[size_t(index)].toText();
    std::shared_ptr<RowSet> mp3 = query_.open(kMarkQuery);
    // An empty set needs no marking pass; the result query still lists the songs
    // marked before.
    if (mp3 && (mp3->rowCount() == 0 || mark(*mp3, folder))) {
        query_.apply(kResultQuery);
    }
    aggiornaDBG_.run();
    if (grid_) {
        grid_->setFocus();
    }
}

bool FiltroCartella::mark(RowSet& rows, const QString& folder) {
    SongDatabase& db = *rows.database();
    if (!db.begin()) {
        query_.fail(kMarkQuery, db.readError(QStringLiteral("l'archivio è in uso.")));
        return false;
    }
    const ListedFolderProbe probe(folder);
    const int count = rows.rowCount();
    const QVector<QVariant> grooves = rows.values(QStringLiteral("Groove1"));
    rows.moveFirst();
    for (int i = 0; i < count && i < grooves.size(); ++i) {
        const QString groove1 = grooves[i].toString();
        const QString found = probe.storedName(folder + groove1);
        const bool here = !groove1.isEmpty() && !found.isEmpty();
        if (!rows.edit() || !rows.setValue(QStringLiteral("Temp"), here ? -1 : 0) ||
            !rows.update()) {
            db.rollback();
            query_.fail(kMarkQuery, rows.error());
            return false;
        }
        rows.moveNext();
    }
    if (!db.commit()) {
        db.rollback();
        query_.fail(kMarkQuery,
                    db.readError(QStringLiteral("le modifiche non sono state salvate.")));
        return false;
    }
    return true;
}
