#include "library/columnwidthstore.h"

#include "config/sharedstate.h"
#include "library/aggiornadbg.h"
#include "library/songgrid.h"

ColumnWidthStore::ColumnWidthStore(SharedState& state, SongGrid& dbgrid1, AggiornaDBG& aggiornaDBG2,
                                   QObject* parent)
    : QObject(parent), state_(state), grid_(dbgrid1), aggiornaDBG2_(aggiornaDBG2) {
    connect(&grid_, &SongGrid::columnResized, this, &ColumnWidthStore::store);
}

void ColumnWidthStore::store() {
    const struct {
        const char* field;
        Value& width;
    } widths[] = {{"Titoli", state_.LargTitoli},       {"Pagina", state_.LargPagina},
                  {"Capotasto", state_.LargCapotasto}, {"BPM", state_.LargBPM},
                  {"Groove1", state_.LargGroove1},     {"Groove2", state_.LargGroove2},
                  {"Loop", state_.LargLoop},           {"Autore", state_.LargAutore}};
    for (const auto& w : widths) {
        const int pixels = grid_.fieldWidth(QString::fromLatin1(w.field));
        if (pixels > 0) {
            w.width = pixels;
        }
    }
    aggiornaDBG2_.run();
}
