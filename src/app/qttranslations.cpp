#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtTranslations {

QTranslator* installItalian(QCoreApplication& app) {
    // Owned by the application, so it lasts as long as the texts are used.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace QtTranslations
