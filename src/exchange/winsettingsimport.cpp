#include "exchange/winsettingsimport.h"

#include <QDir>

#include "app/configcodec.h"
#include "platform/foldername.h"

namespace {

// A Windows folder in one spelling: backslashes, a trailing one, for comparing
// without regard to case.
QString windowsKey(const QString& folder) {
    QString f = folder.trimmed();
    f.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (!f.endsWith(QLatin1Char('\\'))) {
        f += QLatin1Char('\\');
    }
    return f.toCaseFolded();
}

// The parts of a Windows path after the drive or share.
QStringList windowsParts(const QString& folder) {
    QString f = folder;
    f.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return f.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// The sub-folder name of dir, as it is stored, that matches name in any letter case.
QString storedChild(const QDir& dir, const QString& name) {
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return {};
}

}  // namespace

bool WinSettingsImport::isWindowsPath(const QString& path) {
    const QString p = path.trimmed();
    return (p.size() >= 2 && p[0].isLetter() && p[1] == QLatin1Char(':')) ||
           p.startsWith(QStringLiteral("\\\\"));
}

bool WinSettingsImport::read(QByteArrayView bytes, QString* error) {
    const ConfigReadResult r = ConfigCodec::read(bytes);
    if (r.data.PathLavoro.toText().trimmed().isEmpty()) {
        *error = QStringLiteral(
            "Il file non contiene impostazioni di Quintora (manca la cartella "
            "di lavoro).");
        return false;
    }
    data_ = r.data;
    layout_ = ConfigCodec::layoutName(r.layout);
    chosen_.clear();
    return true;
}

QStringList WinSettingsImport::windowsFolders() const {
    QStringList out;
    QStringList keys;
    const auto add = [&](const QString& folder) {
        if (isWindowsPath(folder) && !keys.contains(windowsKey(folder))) {
            keys << windowsKey(folder);
            out << folder.trimmed();
        }
    };
    add(data_.PathLavoro.toText());
    for (const Value& v : data_.CartelleMp3) {
        add(v.toText());
    }
    return out;
}

void WinSettingsImport::choose(const QString& windowsFolder, const QString& linuxFolder) {
    chosen_.append({windowsFolder, FolderName::withSeparator(QDir::cleanPath(linuxFolder))});
}

QString WinSettingsImport::linuxFor(const QString& windowsFolder) const {
    for (const auto& [win, local] : chosen_) {
        if (windowsKey(win) == windowsKey(windowsFolder)) {
            return local;
        }
    }
    return {};
}

QString WinSettingsImport::proposal(const QString& windowsFolder, const QString& home) const {
    const QStringList parts = windowsParts(windowsFolder);
    // Under a folder already chosen: the same sub-folders there.
    for (auto it = chosen_.crbegin(); it != chosen_.crend(); ++it) {
        const QString base = windowsKey(it->first);
        const QString key = windowsKey(windowsFolder);
        if (!key.startsWith(base) || key == base) {
            continue;
        }
        const QStringList rest = parts.mid(windowsParts(it->first).size());
        QDir dir(it->second);
        bool found = true;
        for (const QString& part : rest) {
            const QString child = storedChild(dir, part);
            if (child.isEmpty()) {
                found = false;
                break;
            }
            dir.setPath(dir.filePath(child));
        }
        if (found) {
            return FolderName::withSeparator(dir.path());
        }
    }
    if (!chosen_.isEmpty()) {
        // The folder of the same name beside the last one chosen.
        const QDir last(chosen_.last().second);
        QDir parent = last;
        if (!parts.isEmpty() && parent.cdUp()) {
            const QString sibling = storedChild(parent, parts.last());
            if (!sibling.isEmpty()) {
                return FolderName::withSeparator(parent.filePath(sibling));
            }
        }
        return chosen_.last().second;
    }
    return home;
}

ConfigData WinSettingsImport::result(const ConfigData& current) const {
    ConfigData d = data_;
    d.version = "2.8";
    const auto mapped = [&](const Value& v) -> Value {
        const QString text = v.toText();
        if (!isWindowsPath(text)) {
            return v;
        }
        const QString local = linuxFor(text);
        return local.isEmpty() ? Value(QString()) : Value(local);
    };
    d.PathLavoro = mapped(data_.PathLavoro);
    for (std::size_t i = 0; i < d.CartelleMp3.size(); ++i) {
        d.CartelleMp3[i] = mapped(data_.CartelleMp3[i]);
    }
    d.outputDevice = current.outputDevice;
    d.bufferFrames = current.bufferFrames;
    d.pedalInterface = current.pedalInterface;
    return d;
}
