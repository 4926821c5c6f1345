#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "exchange/csvpreviewdialog.h"
#include "exchange/csvservices.h"

class CsvImport;
class Mp3FolderAction;
class QMenu;
class QWidget;
class SetListExportAction;

// The imports and exports of the menu "Archivio" that take songs from and to other
// programs: "Importa CSV..." (a spreadsheet file, with a preview before anything is
// written), "Esporta CSV..." (the whole library or one running order), "Importa
// cartella MP3...", and a running order as a play list or a printable page. Every
// import first makes a copy of the library and says where; a cancelled import
// leaves the library as it was. GUI thread only.
class CsvMenu : public QObject {
    Q_OBJECT
public:
    CsvMenu(const CsvServices& services, QWidget* window);
    ~CsvMenu() override;

    // Adds the items after a separator, before "Scalette..." (else at the end).
    void addActions(QMenu& menu);

    void importCsv();
    void exportCsv();
    // The preview of the import under way, while it is open.
    CsvPreviewDialog* preview() const { return preview_.data(); }

signals:
    // An import has stored done songs of total (before the transaction ends).
    void progressed(int done, int total);

private:
    void runImport(const CsvImport& import, const QString& fileName);

    CsvServices s_;
    QWidget* window_;
    QPointer<CsvPreviewDialog> preview_;
    Mp3FolderAction* mp3_ = nullptr;
    SetListExportAction* setLists_ = nullptr;
};
