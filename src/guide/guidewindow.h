#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// The user guide in a window of the program's own: the guide written once in
// Italian (data/guida.md, built into the program) shown as formatted text, for when
// the working folder has no help document or nothing on the system opens it.
// Modeless; destroyed when closed. GUI thread only.
class GuideWindow : public QDialog {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget* parent = nullptr);

    // The guide's Markdown text as built into the program.
    static QString markdown();

    // The browser that shows the guide (objectName "Guida").
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
