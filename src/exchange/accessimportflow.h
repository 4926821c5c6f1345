#pragma once

#include <QString>
#include <functional>

class FileChooser;
class PathChooser;
class Prompter;
class QWidget;

// The import of an Access library as the user meets it: "Importa archivio
// Access...", the question when the working folder's library turns out to be an
// Access file, and "Salva una copia..." of the library. The work runs under a
// progress dialog that can be cancelled; the outcome is told in a message box.
// GUI thread only.
class AccessImportFlow {
public:
    struct Services {
        Prompter& prompter;
        FileChooser& files;
        PathChooser& paths;
        QWidget* window;
        std::function<QString()> workFolder;    // ends in the separator; empty: none yet
        std::function<QString()> library;       // the library file now in use
        std::function<void()> libraryReplaced;  // the lists read the new library
    };

    explicit AccessImportFlow(Services services) : s_(std::move(services)) {}

    // "Importa archivio Access...": an Access file chosen by the user becomes the
    // library of the working folder.
    void chooseAndImport();
    // The library file at path is an Access file: offers to import it (default Yes).
    // True when the user was asked (whatever the answer), false when path is no
    // Access file and the caller should report the library as usual.
    bool offerImport(const QString& path);
    // "Salva una copia...": a consistent copy of the library where the user says.
    void saveCopy();

    // Runs the import with its progress dialog and tells the outcome; true when done.
    bool importFile(const QString& source, const QString& folder);

    static QString offerText(const QString& path);
    // Told when the offer is declined: where to import later.
    static QString laterText();
    // The question before the working folder's library is replaced.
    static QString replaceText(const QString& library);
    static QString menuCaption() { return QStringLiteral("Importa archivio Access..."); }

private:
    Services s_;
};
