#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Harness::Harness() {
    QDir(dir_.path()).mkpath(QStringLiteral("work"));
}

Harness::~Harness() { window_.reset(); }

QString Harness::path(const QString& relative) const {
    return QDir(dir_.path()).filePath(relative);
}

QString Harness::workDir() const { return path(QStringLiteral("work")) + QDir::separator(); }

QString Harness::configPath() const { return path(QStringLiteral("config/Quintora.ini")); }

void Harness::writeConfig(const QByteArray& text, bool crlf) {
    QByteArray bytes = text;
    if (crlf) {
        bytes.replace("\r\n", "\n");
        bytes.replace("\n", "\r\n");
    }
    writeFile(QStringLiteral("config/Quintora.ini"), bytes);
}

void Harness::writeFile(const QString& relative, const QByteArray& bytes) {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
}

Audio& Harness::start() {
    Services services{clock, prompter, box, player, grooves, volume, files, launcher, configPath()};
    services.choosers = &choosers;
    services.devices = &devices;
    window_ = std::make_unique<Audio>(services);
    branch_ = Startup(*window_).run();
    if (branch_ != Startup::Branch::FirstRun) {
        window_->show();
    }
    return *window_;
}
