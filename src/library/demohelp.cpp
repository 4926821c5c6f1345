// The help document of the demo library: a short RTF text in Italian.
#include <QString>
#include <QStringList>

#include "library/demolibrary.h"

namespace {

QByteArray rtfText(const QString& text) {
    QByteArray out;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c == u'\n') {
            out += "\\par\n";
        } else if (c < 0x80) {
            out += char(c);
        } else if (c < 0x100) {
            out += "\\'" + QByteArray::number(int(c), 16).rightJustified(2, '0');
        } else {
            out += "\\u" + QByteArray::number(int(c)) + '?';
        }
    }
    return out;
}

}  // namespace

namespace DemoLibrary {

QByteArray helpDocument() {
    const QStringList lines = {
        QStringLiteral("Quintora: guida rapida"),
        QString(),
        QStringLiteral("Scegli un brano nella lista, premi Esc per prepararlo: la spia del tempo "
                       "conta le battute d'attacco al tempo del brano."),
        QString(),
        QStringLiteral("Pedali"),
        QStringLiteral("Pedale 1: avvia e ferma il groove 1 del brano (o la base MP3)."),
        QStringLiteral("Pedale 2: avvia e ferma il groove 2 del brano."),
        QStringLiteral("Attiva la pedaliera dal menu prima di suonare; F10 la disattiva."),
        QString(),
        QStringLiteral("Tasti"),
        QStringLiteral("F8: lista alfabetica per titolo.  F7: lista alfabetica per autore."),
        QStringLiteral("F1-F5: scalette 1-5."),
        QStringLiteral("F9: mostra tutto.  F11: solo i brani loop.  F12: solo i brani MP3."),
        QStringLiteral("0-9: mostra i brani MP3 della cartella scelta."),
        QStringLiteral("Lettere: nelle liste alfabetiche porta al primo brano che inizia così."),
        QStringLiteral("Esc: prepara il brano evidenziato.  Invio: avvia il groove 1 o la base."),
        QStringLiteral("Spazio: ferma tutto.  + e -: volume dei groove; con Maiusc, Ctrl o Alt: "
                       "volume delle basi MP3."),
        QStringLiteral("Ins: informazioni sul programma."),
        QString(),
        QStringLiteral("Buona musica, e che la serata sia un successo!"),
    };
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n\\f0\\fs22 ";
    rtf += "{\\b\\fs28 " + rtfText(lines.first()) + "}\\par\n";
    for (const QString& line : lines.mid(1)) {
        const bool heading = line == u"Pedali" || line == u"Tasti";
        rtf += heading ? "{\\b " + rtfText(line) + "}\\par\n" : rtfText(line) + "\\par\n";
    }
    rtf += "}\n";
    return rtf;
}

}  // namespace DemoLibrary
