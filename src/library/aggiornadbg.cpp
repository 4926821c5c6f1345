#include "library/aggiornadbg.h"

#include <QLabel>

#include "config/sharedstate.h"
#include "library/datasource.h"
#include "library/songgrid.h"

AggiornaDBG::AggiornaDBG(SharedState& state, DataSource& data, SongGrid& grid, QLabel* numsongs)
    : state_(state), data_(data), grid_(grid), numsongs_(numsongs) {}

bool AggiornaDBG::run() {
    return show(data_.refresh());
}

bool AggiornaDBG::follow(qint64 song) {
    return show(data_.applyChange(song) || data_.refresh());
}

bool AggiornaDBG::show(bool loaded) {
    grid_.viewport()->update();
    applyColumns();
    if (numsongs_) {
        numsongs_->setText(songsCaption(data_.rowCount()));
    }
    return loaded;
}

void AggiornaDBG::applyColumns() {
    const struct {
        const char* field;
        const Value& shown;
    } flags[] = {{"Pagina", state_.MostraPagina},   {"Capotasto", state_.MostraCapotasto},
                 {"BPM", state_.MostraBPM},         {"Groove1", state_.MostraGroove1},
                 {"Groove2", state_.MostraGroove2}, {"Loop", state_.MostraLoop},
                 {"Autore", state_.MostraAutore}};
    for (const auto& f : flags) {
        // Any non-zero flag shows the column; 0 and a flag never set hide it.
        grid_.setFieldVisible(QString::fromLatin1(f.field), f.shown.toBool());
    }
    const struct {
        const char* field;
        const Value& width;
    } widths[] = {{"Titoli", state_.LargTitoli},       {"Pagina", state_.LargPagina},
                  {"Capotasto", state_.LargCapotasto}, {"BPM", state_.LargBPM},
                  {"Groove1", state_.LargGroove1},     {"Groove2", state_.LargGroove2},
                  {"Loop", state_.LargLoop},           {"Autore", state_.LargAutore}};
    for (const auto& w : widths) {
        // A width never set keeps the column's default width.
        if (!w.width.isUnset()) {
            grid_.setFieldWidth(QString::fromLatin1(w.field), int(w.width.toNumber()));
        }
    }
    for (const char* hidden : {"Sca1", "Sca2", "Sca3", "Sca4", "Sca5", "Temp"}) {
        grid_.setFieldVisible(QString::fromLatin1(hidden), false);
    }
}

QString AggiornaDBG::songsCaption(int count) {
    return QStringLiteral("Songs:") + (count >= 0 ? QStringLiteral(" ") : QString()) +
           QString::number(count);
}
