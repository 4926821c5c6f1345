#include "library/songlabels.h"

#include <QLabel>

#include "library/datasource.h"
#include "library/songgrid.h"
#include "platform/numbertext.h"

namespace {

void setText(QLabel* label, const QString& text) {
    if (label) {
        label->setText(text);
    }
}

// The text of a field, or nothing when it is null (a null is never "greater than
// the empty string").
QString textOf(const QVariant& v) {
    if (v.isNull()) {
        return {};
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong) {
        return NumberText::format(v.toDouble());
    }
    return v.toString();
}

}  // namespace

SongLabels::SongLabels(SongGrid& dbgrid1, QLabel* tit, QLabel* aut, QLabel* pag, QLabel* cap,
                       QObject* parent)
    : QObject(parent), grid_(dbgrid1), tit_(tit), aut_(aut), pag_(pag), cap_(cap) {
    connect(&grid_, &SongGrid::rowChanged, this, &SongLabels::show);
}

void SongLabels::show() {
    DataSource* data = grid_.dataSource();
    if (!data || data->absolutePosition() < 0) {
        for (QLabel* label : {tit_.data(), aut_.data(), pag_.data(), cap_.data()}) {
            setText(label, {});
        }
        return;
    }
    setText(tit_, textOf(data->value(QStringLiteral("Titoli"))));
    setText(aut_, textOf(data->value(QStringLiteral("Autore"))));
    const QVariant page = data->value(QStringLiteral("Pagina"));
    const bool hasPage = !page.isNull() && NumberText::leadingNumber(textOf(page)) > 0;
    setText(pag_, hasPage ? textOf(page) : QString());
    setText(cap_, textOf(data->value(QStringLiteral("Capotasto"))));
}
