#include "app/audiolibrary.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>

#include "app/audio.h"
#include "library/aggiornadbg.h"
#include "library/columnwidthstore.h"
#include "library/datasource.h"
#include "library/filtrocartella.h"
#include "library/listchooser.h"
#include "library/mainlistquery.h"
#include "library/songgrid.h"
#include "library/songlabels.h"
#include "library/visualizza.h"

AudioLibrary::AudioLibrary(Audio& w) {
    AudioControls& c = w.controls();
    SharedState& st = w.state();
    c.DBGrid1->setDataSource(c.Data1);
    c.DBGrid2->setDataSource(c.Data2);
    aggiorna1_ = std::make_unique<AggiornaDBG>(st, *c.Data1, *c.DBGrid1, c.Numsongs);
    aggiorna2_ = std::make_unique<AggiornaDBG>(st, *c.Data2, *c.DBGrid2);
    query_ =
        std::make_unique<MainListQuery>(st, *c.Data1, w.services().prompter, w.services().files);
    lists_ =
        std::make_unique<ListChooser>(*c.Data1, *aggiorna1_, *c.CmbScalette, c.Tappo, c.DBGrid1);
    lists_->setPrompter(&w.services().prompter);
    labels_ = std::make_unique<SongLabels>(*c.DBGrid1, c.Tit, c.Aut, c.Pag, c.Cap);
    widths_ = std::make_unique<ColumnWidthStore>(st, *c.DBGrid1, *aggiorna2_);
    views_ = std::make_unique<Visualizza>(*c.Data1, *aggiorna1_, *query_, c.VisTutto, c.VisLoop,
                                          c.VisMp3, c.DBGrid1);
    QList<QAbstractButton*> filtro;
    for (QRadioButton* b : c.Filtro) {
        filtro << b;
    }
    filters_ = std::make_unique<FiltroCartella>(st, *aggiorna1_, *query_, c.DBGrid1, filtro);
}

AudioLibrary::~AudioLibrary() = default;
