#include "exchange/winsettingsimport.h"

#include <QDir>

#include "config/configcodec.h"
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

// The column flags and widths that an older layout leaves unset (it has no such
// fields, or fewer of them) take what a first run gives: unset counts as a hidden
// column, which would leave only the titles in the grids.
void takeFirstRunDefaults(ConfigData& d) {
    const ConfigData first;
    Value* const values[] = {&d.MostraPagina,  &d.MostraCapotasto, &d.MostraBPM,    &d.MostraLoop,
                             &d.MostraGroove1, &d.MostraGroove2,   &d.MostraAutore, &d.LargTitoli,
                             &d.LargPagina,    &d.LargCapotasto,   &d.LargBPM,      &d.LargLoop,
                             &d.LargGroove1,   &d.LargGroove2,     &d.LargAutore};
    const Value* const defaults[] = {
        &first.MostraPagina,  &first.MostraCapotasto, &first.MostraBPM,    &first.MostraLoop,
        &first.MostraGroove1, &first.MostraGroove2,   &first.MostraAutore, &first.LargTitoli,
        &first.LargPagina,    &first.LargCapotasto,   &first.LargBPM,      &first.LargLoop,
        &first.LargGroove1,   &first.LargGroove2,     &first.LargAutore};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        if (values[i]->isUnset()) {
            *values[i] = *defaults[i];
        }
    }
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

bool WinSettingsImport::namesWindowsFolders(const ConfigData& data) {
    if (isWindowsPath(data.PathLavoro.toText())) {
        return true;
    }
    for (const Value& v : data.CartelleMp3) {
        if (isWindowsPath(v.toText())) {
            return true;
        }
    }
    return false;
}

bool WinSettingsImport::read(QByteArrayView bytes, QString* error) {
    ConfigReadResult r = ConfigCodec::read(bytes);
    if (r.data.PathLavoro.toText().trimmed().isEmpty()) {
        *error = QStringLiteral(
            "Il file non contiene impostazioni di Quintora (manca la cartella "
            "di lavoro).");
        return false;
    }
    if (r.layout != ConfigLayout::V28) {
        takeFirstRunDefaults(r.data);
    }
    data_ = r.data;
    layout_ = ConfigCodec::layoutName(r.layout);
    chosen_.clear();
    return true;
}

QStringList WinSettingsImport::folders() const {
    QStringList out;
    QStringList keys;
    const auto add = [&](const QString& folder) {
        if (!folder.trimmed().isEmpty() && !keys.contains(windowsKey(folder))) {
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
    skip(windowsFolder);
    chosen_.append({windowsFolder, FolderName::withSeparator(QDir::cleanPath(linuxFolder))});
}

void WinSettingsImport::skip(const QString& windowsFolder) {
    chosen_.removeIf([&](const QPair<QString, QString>& c) {
        return windowsKey(c.first) == windowsKey(windowsFolder);
    });
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
    // Nothing the file names is kept as written: a folder not mapped is empty.
    const auto mapped = [&](const Value& v) -> Value {
        const QString text = v.toText();
        if (text.trimmed().isEmpty()) {
            return v;
        }
        const QString local = linuxFor(text);
        return local.isEmpty() ? Value(QString()) : Value(local);
    };
    d.PathLavoro = mapped(data_.PathLavoro);
    if (d.PathLavoro.toText().isEmpty()) {
        d.PathLavoro = current.PathLavoro;
    }
    for (std::size_t i = 0; i < d.CartelleMp3.size(); ++i) {
        d.CartelleMp3[i] = mapped(data_.CartelleMp3[i]);
    }
    d.outputDevice = current.outputDevice;
    d.bufferFrames = current.bufferFrames;
    d.pedalInterface = current.pedalInterface;
    d.clockPorts = current.clockPorts;
    d.clockCountIn = current.clockCountIn;
    d.resumeSounding = current.resumeSounding;
    d.songbooks = current.songbooks;
    d.pageArea = current.pageArea;
    return d;
}
