#include "guide/guidewindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

GuideWindow::GuideWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GuideWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Guida di Quintora"));
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Guida"));
    browser_->setAccessibleName(QStringLiteral("Guida di Quintora"));
    browser_->setOpenExternalLinks(false);
    browser_->setMarkdown(markdown());
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(640, 720);
}

QString GuideWindow::markdown() {
    QFile file(QStringLiteral(":/guida/guida.md"));
    if (!file.open(QIODevice::ReadOnly)) {
        // Only a broken build lacks it; the window still says what it is.
        return QStringLiteral("# Guida di Quintora\n\nLa guida non è disponibile.");
    }
    return QString::fromUtf8(file.readAll());
}
