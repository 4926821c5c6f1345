#pragma once

#include <QDialog>

class CsvImport;

// "Importa CSV": what an import would add before anything is written: the file's
// separator, how many rows it holds and how many become songs, the first songs as
// they will be stored, the columns that name no song field and every row that
// cannot be taken with its reason. "Importa" (disabled when no row can be taken)
// accepts, "Annulla" rejects. Shown without blocking the program. GUI thread only.
class CsvPreviewDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 10;

    CsvPreviewDialog(const CsvImport& import, const QString& fileName, QWidget* parent);
};
