#include "library/visualizza.h"

#include <QAbstractButton>

#include "library/aggiornadbg.h"
#include "library/datasource.h"
#include "library/mainlistquery.h"

Visualizza::Visualizza(DataSource& data1, AggiornaDBG& aggiornaDBG, MainListQuery& query,
                       QAbstractButton* visTutto, QAbstractButton* visLoop, QAbstractButton* visMp3,
                       QWidget* dbgrid1, QObject* parent)
    : QObject(parent),
      data1_(data1),
      aggiornaDBG_(aggiornaDBG),
      query_(query),
      visLoop_(visLoop),
      visMp3_(visMp3),
      grid_(dbgrid1) {
    for (QAbstractButton* b : {visTutto, visLoop}) {
        if (b) {
            connect(b, &QAbstractButton::clicked, this, &Visualizza::visualizzaloop);
        }
    }
    if (visMp3) {
        connect(visMp3, &QAbstractButton::clicked, this, &Visualizza::visualizzamp3);
    }
}

void Visualizza::visualizzaloop() {
    show(visLoop_, kLoopQuery);
}

void Visualizza::visualizzamp3() {
    show(visMp3_, kMp3Query);
}

void Visualizza::show(QAbstractButton* button, const QString& query) {
    const bool view = button && button->isChecked();
    if (view) {
        query_.apply(query);  // a failure is reported there
    } else {
        data1_.setRecordSource(QStringLiteral("ListaTitoli"));
    }
    if (!aggiornaDBG_.run() && !view) {
        query_.report(data1_.lastError());
    }
    if (grid_) {
        grid_->setFocus();
    }
}
