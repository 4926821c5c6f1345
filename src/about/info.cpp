#include "about/info.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "about/programversion.h"
#include "platform/processlauncher.h"
#include "platform/prompter.h"

namespace {

QLabel* label(const char* name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

// Desktop programs that show what the computer holds, most specific first.
struct SysInfoProgram {
    const char* name;
    QStringList arguments;
};

const SysInfoProgram kSysInfoPrograms[] = {
    {"hardinfo2", {}},
    {"hardinfo", {}},
    {"kinfocenter", {}},
    {"gnome-control-center", {QStringLiteral("info-overview")}},
    {"xfce4-about", {QStringLiteral("--system")}},
};

}  // namespace

Info::Info(ProcessLauncher& launcher, Prompter& prompter, QWidget* parent)
    : QDialog(parent), launcher_(launcher), prompter_(prompter) {
    setObjectName(QStringLiteral("Info"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Informazioni su ") + Prompter::kAppTitle);
    auto* g = new QGridLayout(this);
    auto* logo = label("Titoloimg", Prompter::kAppTitle);
    QFont f = logo->font();
    f.setPointSize(20);
    f.setBold(true);
    logo->setFont(f);
    auto* icon = label("picIcon", QStringLiteral("\u266B"));
    f.setPointSize(28);
    icon->setFont(f);
    icon->setAccessibleName(QStringLiteral("Icona di Quintora"));
    g->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    g->addWidget(logo, 0, 1);
    g->addWidget(label("lblVersion", versionText()), 1, 1);
    // One line that is never wrapped: broken anywhere, the phrase no longer reads.
    auto* phrase = label("Label1", QStringLiteral("Interfaccia audio   Pedale -> Computer"));
    phrase->setWordWrap(false);
    g->addWidget(phrase, 2, 1);
    g->addWidget(
        label("lblDescription",
              QStringLiteral("Basi musicali, scalette e pedaliera per chi suona dal vivo.")),
        3, 1);
    g->addWidget(label("lblDisclaimer",
                       QStringLiteral("Programma fornito così com'è, senza alcuna garanzia.")),
                 4, 1);
    g->addWidget(label("Label3", QStringLiteral("Gli sviluppatori di Quintora")), 5, 1);
    auto* logoPicture = label("Logo", QString());
    logoPicture->setAccessibleName(QStringLiteral("Logo"));
    g->addWidget(logoPicture, 5, 0);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    auto* sysInfo = new QPushButton(QStringLiteral("Cosa c'è nel mio PC?"));
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(sysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });
    g->addWidget(ok, 6, 1, Qt::AlignRight);
    g->addWidget(sysInfo, 7, 1, Qt::AlignRight);
}

QString Info::versionText() {
    return QStringLiteral("Versione ") + ProgramVersion::number();
}

QString Info::unavailableText() {
    return QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase");
}

void Info::StartSysInfo() {
    for (const SysInfoProgram& p : kSysInfoPrograms) {
        const QString path = launcher_.findProgram(QString::fromLatin1(p.name));
        if (!path.isEmpty()) {
            if (launcher_.start(path, p.arguments)) {
                return;
            }
            break;
        }
    }
    prompter_.tell(unavailableText());
}
