#include "app/editorlist.h"

#include <QRegularExpression>

#include "library/datasource.h"
#include "library/listchooser.h"
#include "library/songdatabase.h"

bool EditorList::holds(qint64 song) const {
    // The list follows every stored change: it highlights the changed song when
    // it holds it.
    const QVariant current = data1_.value(SongDatabase::kKeyField);
    return !current.isNull() && current.toLongLong() == song;
}

QString EditorList::name() const {
    const QString source = data1_.recordSource();
    static const QRegularExpression setList(QStringLiteral("^Scaletta([1-5])$"));
    const QRegularExpressionMatch m = setList.match(source);
    if (m.hasMatch()) {
        return QStringLiteral("Scaletta %1").arg(m.captured(1));
    }
    if (source == QLatin1String("ListaTitoli")) {
        return QStringLiteral("elenco per titolo");
    }
    if (source == QLatin1String("ListaAutore")) {
        return QStringLiteral("elenco per autore");
    }
    return QStringLiteral("elenco filtrato");
}

void EditorList::showInTitles(qint64 song) {
    const auto& entries = ListChooser::entries();
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries[size_t(i)].recordSource == QLatin1String("ListaTitoli")) {
            lists_.select(i);
            break;
        }
    }
    data1_.moveToKey(song);
}
