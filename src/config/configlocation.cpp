#include "config/configlocation.h"

#include <QDir>
#include <QFileInfo>

namespace ConfigLocation {

QString defaultPath() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Quintora.ini");
#else
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules ask.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return QDir::cleanPath(base + QStringLiteral("/Quintora/Quintora.ini"));
#endif
}

QString fromOption(const QString& optionValue) {
    if (optionValue.isEmpty())
        return defaultPath();
    return QDir::toNativeSeparators(QFileInfo(optionValue).absoluteFilePath());
}

QString fromArguments(const QStringList& arguments) {
    const QString option = QStringLiteral("--config");
    const QString withValue = QStringLiteral("--config=");
    QString value;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == option && i + 1 < arguments.size()) {
            value = arguments[++i];
        } else if (a.startsWith(withValue)) {
            value = a.mid(withValue.size());
        }
    }
    return fromOption(value);
}

QString backupPath(const QString& configPath) {
    const QFileInfo info(configPath);
    const QString name = info.completeBaseName() + QStringLiteral(".old");
    return QDir::toNativeSeparators(info.dir().filePath(name));
}

}  // namespace ConfigLocation
