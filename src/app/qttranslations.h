#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the standard buttons Yes, No, OK, Cancel, the colour and font
// choosers) in Italian, as the rest of the program speaks. They come from the
// translations installed beside Qt (Debian's qt6-translations-l10n); when those are
// missing Qt's English texts stay and nothing else changes. GUI thread only.
namespace QtTranslations {

// Installs Qt's Italian texts into app and answers their translator (owned by app),
// or null when they are not on this system.
QTranslator* installItalian(QCoreApplication& app);

}  // namespace QtTranslations
