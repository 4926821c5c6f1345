#include "library/verifiche.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "library/datasource.h"
#include "library/verifichecheck.h"

namespace {

template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

Verifiche::Verifiche(const SharedState& state, DataSource& data1, Prompter& prompter,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), data1_(data1), prompter_(prompter) {
    setObjectName(QStringLiteral("Verifiche"));
    setWindowTitle(caption());
    setAttribute(Qt::WA_DeleteOnClose);

    titolo_ = named(new QLabel(QStringLiteral("Verifiche: 0 songs")), "Titolo");
    QFont f = titolo_->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titolo_->setFont(f);

    txtVer_ = named(new QPlainTextEdit, "TxtVer");
    txtVer_->setReadOnly(true);
    txtVer_->setAccessibleName(QStringLiteral("Esito delle verifiche"));

    prgBar_ = named(new QProgressBar, "PrgBar");
    prgBar_->setAccessibleName(QStringLiteral("Avanzamento delle verifiche"));

    inizia_ = named(new QPushButton(QStringLiteral("Inizia Verifiche")), "Inizia");
    esci_ = named(new QPushButton(QStringLiteral("Esci ")), "Esci");
    connect(inizia_, &QPushButton::clicked, this, &Verifiche::inizia);
    connect(esci_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(inizia_);
    buttons->addStretch(1);
    buttons->addWidget(esci_);
    auto* v = new QVBoxLayout(this);
    v->addWidget(titolo_);
    v->addWidget(txtVer_, 1);
    v->addWidget(prgBar_);
    v->addLayout(buttons);
    resize(640, 420);

    // The count of the list as it is now; it is not followed afterwards.
    titolo_->setText(titoloText(data1_.rowCount()));
}

Verifiche::~Verifiche() = default;

QString Verifiche::caption() {
    return QStringLiteral("Verifiche: conferma la presenza di tutte le song inserite nel DB.");
}

QString Verifiche::titoloText(int count) {
    const QString number = count < 0 ? QString::number(count) : u' ' + QString::number(count);
    return QStringLiteral("Verifiche: ") + number + QStringLiteral(" songs");
}

void Verifiche::inizia() {
    // A message box of the check lets events through; a second run must not start
    // inside the first.
    if (running_) {
        return;
    }
    running_ = true;
    // QProgressBar repaints at once whenever the bar's look changes, so it advances
    // on screen although the check serves no events.
    VerificheCheck::Display display{[this](int n) { prgBar_->setMaximum(n); },
                                    [this](int i) { prgBar_->setValue(i); }, [this] { showLog(); }};
    VerificheCheck check(state_, data1_, prompter_, gearPorts_);
    check.setLoudness(loudness_);
    check.run(log_, display);
    showLog();
    running_ = false;
}

void Verifiche::showLog() {
    QString shown = log_.text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtVer_->setPlainText(shown);
}

void Verifiche::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
