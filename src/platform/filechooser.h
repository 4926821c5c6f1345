#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The choosers of the song editor: a file to open and one entry of a short list.
// The real ones are the desktop's standard dialogs (modal); tests hand in a
// scripted one. GUI thread only.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A file chosen by the user (starting in folder, showing the files filter
    // names, e.g. "Groove WAV (*.wav *.WAV)"), or an empty text when cancelled.
    virtual QString chooseFile(const QString& title, const QString& folder, const QString& filter,
                               QWidget* parent) = 0;
    // The index of the entry chosen among items, or nothing when cancelled.
    virtual std::optional<int> chooseItem(const QString& title, const QString& label,
                                          const QStringList& items, QWidget* parent) = 0;
    // As chooseItem, with the entry proposed (chosen by just confirming) at index
    // proposed.
    virtual std::optional<int> proposeItem(const QString& title, const QString& label,
                                           const QStringList& items, int proposed,
                                           QWidget* parent) {
        (void)proposed;
        return chooseItem(title, label, items, parent);
    }
};
