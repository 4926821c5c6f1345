#include "exchange/folderquestiondialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FolderQuestionDialog::FolderQuestionDialog(const FolderQuestion& question, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DomandaCartella"));
    setWindowTitle(question.title);
    auto* v = new QVBoxLayout(this);
    auto* text = new QLabel(question.text);
    text->setObjectName(QStringLiteral("Domanda"));
    text->setWordWrap(true);
    v->addWidget(text);

    auto* row = new QHBoxLayout;
    folder_ = new QLineEdit(QDir::toNativeSeparators(question.proposal));
    folder_->setObjectName(QStringLiteral("Cartella"));
    folder_->setAccessibleName(QStringLiteral("Cartella"));
    folder_->setMinimumWidth(420);
    text->setBuddy(folder_);
    auto* browse = new QPushButton(QStringLiteral("Sfoglia..."));
    browse->setObjectName(QStringLiteral("Sfoglia"));
    browse->setAutoDefault(false);
    row->addWidget(folder_, 1);
    row->addWidget(browse);
    v->addLayout(row);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    QPushButton* back = buttons->addButton(QStringLiteral("Indietro"), QDialogButtonBox::ResetRole);
    back->setObjectName(QStringLiteral("Indietro"));
    back->setEnabled(question.canGoBack);
    QPushButton* skip = buttons->addButton(QStringLiteral("Salta"), QDialogButtonBox::ActionRole);
    skip->setObjectName(QStringLiteral("Salta"));
    skip->setToolTip(QStringLiteral("Nessuna cartella al posto di questa: resta vuota."));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Annulla"));
    v->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &FolderQuestionDialog::browse);
    connect(folder_, &QLineEdit::textChanged, this, &FolderQuestionDialog::folderEdited);
    connect(ok_, &QPushButton::clicked, this, [this] { finish(FolderAnswer::Kind::Chosen); });
    connect(back, &QPushButton::clicked, this, [this] { finish(FolderAnswer::Kind::Back); });
    connect(skip, &QPushButton::clicked, this, [this] { finish(FolderAnswer::Kind::Skipped); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(FolderAnswer::Kind::Cancelled); });
    folderEdited();
}

FolderAnswer FolderQuestionDialog::ask() {
    answer_ = FolderAnswer{};
    exec();
    return answer_;
}

void FolderQuestionDialog::browse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, windowTitle(), QDir::fromNativeSeparators(folder_->text().trimmed()));
    if (!chosen.isEmpty()) {
        folder_->setText(QDir::toNativeSeparators(chosen));
    }
}

// Only an existing folder can be the answer.
void FolderQuestionDialog::folderEdited() {
    const QString typed = QDir::fromNativeSeparators(folder_->text().trimmed());
    ok_->setEnabled(!typed.isEmpty() && !QDir::isRelativePath(typed) && QFileInfo(typed).isDir());
}

void FolderQuestionDialog::finish(FolderAnswer::Kind kind) {
    answer_.kind = kind;
    answer_.folder = kind == FolderAnswer::Kind::Chosen
                         ? QDir::fromNativeSeparators(folder_->text().trimmed())
                         : QString();
    if (kind == FolderAnswer::Kind::Cancelled) {
        reject();
    } else {
        accept();
    }
}
