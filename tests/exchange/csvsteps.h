#pragma once

// Acting on the imports and exports as the user would (the menu "Archivio", the
// preview, the progress window) and reading back what the library holds.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "exchange/csvexport.h"
#include "exchange/csvpreviewdialog.h"
#include "library/datasource.h"
#include "library/rowset.h"
#include "library/songdatabase.h"
#include "support/harness.h"

namespace csvsteps {

inline void menu(Harness& h, const char* item) {
    QAction* a = h.window().findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
}

inline QString library(Harness& h) {
    return h.workDir() + SongDatabase::kFileName;
}

// Every song of the library (title order) or of a running order, one line each
// with every field; a null field shows as "-", an empty text as "''".
inline QStringList songs(const QString& libraryPath, int list = 0) {
    QString error;
    const auto all = CsvExport::songs(libraryPath, list, &error);
    EXPECT_TRUE(all.has_value()) << error.toStdString();
    auto show = [](const QVariant& v) {
        return v.isNull()               ? QStringLiteral("-")
               : v.toString().isEmpty() ? QStringLiteral("''")
                                        : v.toString();
    };
    QStringList out;
    for (const SongRecord& s : all.value_or(QVector<SongRecord>())) {
        QStringList f = {s.Titoli,    show(s.Autore),          show(s.Pagina),  show(s.Capotasto),
                         show(s.BPM), s.Loop ? "loop" : "mp3", show(s.Groove1), show(s.Groove2)};
        for (const QVariant& p : s.Sca) {
            f << show(p);
        }
        out << f.join(QLatin1Char('|'));
    }
    return out;
}

// A list as one text for the test's messages, a line each.
inline std::string lines(const QStringList& list) {
    return list.join(QLatin1Char('\n')).toStdString();
}

// The visible preview of a CSV import, or null.
inline CsvPreviewDialog* preview(Harness& h) {
    for (auto* d : h.window().findChildren<CsvPreviewDialog*>()) {
        if (d->isVisible()) {
            return d;
        }
    }
    return nullptr;
}

// Imports file through the menu and its preview, pressing "Importa".
inline void importCsv(Harness& h, const QString& file) {
    h.fileChooser.files.enqueue(file);
    menu(h, "MenuImportaCsv");
    CsvPreviewDialog* d = preview(h);
    ASSERT_NE(d, nullptr) << h.prompter.texts().join('\n').toStdString();
    d->findChild<QPushButton*>(QStringLiteral("Importa"))->click();
    QApplication::processEvents();
}

// The last message's text.
inline QString lastText(Harness& h) {
    return h.prompter.messages.isEmpty() ? QString() : h.prompter.messages.last().text;
}

}  // namespace csvsteps
