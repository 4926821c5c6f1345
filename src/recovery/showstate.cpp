#include "recovery/showstate.h"

#include <QList>
#include <QUrl>
#include <cmath>

namespace {

const QByteArray kHeader = QByteArrayLiteral("Quintora ripresa 1");
// Longer than any title a library holds: anything longer is not ours.
constexpr qsizetype kMaxValue = 4096;

QByteArray text(const QString& value) {
    return QUrl::toPercentEncoding(value);
}

QString untext(const QByteArray& value) {
    return QUrl::fromPercentEncoding(value);
}

std::optional<int> number(const QByteArray& value, int low, int high) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high) {
        return std::nullopt;
    }
    return n;
}

bool isList(const QString& list) {
    return ShowState::entryOf(list) >= 0 || !ShowState::viewOf(list).isEmpty();
}

}  // namespace

QString ShowState::listEntry(int index) {
    return QStringLiteral("lista %1").arg(index);
}

QString ShowState::view(const QString& name, int index) {
    return index < 0 ? name : QStringLiteral("%1 %2").arg(name).arg(index);
}

int ShowState::entryOf(const QString& list) {
    if (!list.startsWith(QLatin1String("lista ")) || list.size() != 7) {
        return -1;
    }
    const int n = list.at(6).digitValue();
    return n >= 0 && n <= 6 ? n : -1;
}

QString ShowState::viewOf(const QString& list, int* folder) {
    if (list == QLatin1String("loop") || list == QLatin1String("mp3")) {
        return list;
    }
    if (list.startsWith(QLatin1String("filtro ")) && list.size() == 8 && list.at(7).isDigit()) {
        if (folder) {
            *folder = list.at(7).digitValue();
        }
        return QStringLiteral("filtro");
    }
    return {};
}

QByteArray ShowState::encode() const {
    QByteArray out = kHeader + '\n';
    const auto line = [&out](const char* name, const QByteArray& value) {
        out += name;
        out += '=';
        out += value;
        out += '\n';
    };
    line("lista", text(list));
    line("evidenziato", text(title));
    line("riga", QByteArray::number(row));
    line("preparato", prepared ? "1" : "0");
    line("listapreparato", text(preparedList));
    line("titolopreparato", text(preparedTitle));
    line("rigapreparato", QByteArray::number(preparedRow));
    if (waveVolume) {
        line("volume", QByteArray::number(*waveVolume));
    }
    if (mp3Volume) {
        line("volumemp3", QByteArray::number(*mp3Volume));
    }
    line("collegato", connected ? "1" : "0");
    if (sounding > 0) {
        line("suona", QByteArray::number(sounding));
        line("punto", QByteArray::number(soundAt, 'f', 3));
    }
    return out;
}

std::optional<ShowState> ShowState::decode(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader) {
        return std::nullopt;
    }
    ShowState s;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& l = lines[i];
        const qsizetype eq = l.indexOf('=');
        if (eq <= 0 || l.size() > kMaxValue) {
            continue;
        }
        const QByteArray name = l.left(eq);
        const QByteArray value = l.mid(eq + 1).trimmed();
        if (name == "lista" && isList(untext(value))) {
            s.list = untext(value);
        } else if (name == "evidenziato") {
            s.title = untext(value);
        } else if (name == "riga") {
            s.row = number(value, -1, 1 << 24).value_or(-1);
        } else if (name == "preparato") {
            s.prepared = value == "1";
        } else if (name == "listapreparato" && isList(untext(value))) {
            s.preparedList = untext(value);
        } else if (name == "titolopreparato") {
            s.preparedTitle = untext(value);
        } else if (name == "rigapreparato") {
            s.preparedRow = number(value, -1, 1 << 24).value_or(-1);
        } else if (name == "volume") {
            s.waveVolume = number(value, 0, 32767);
        } else if (name == "volumemp3") {
            s.mp3Volume = number(value, -2000, 0);
        } else if (name == "collegato") {
            s.connected = value == "1";
        } else if (name == "suona") {
            s.sounding = number(value, 0, 2).value_or(0);
        } else if (name == "punto") {
            bool ok = false;
            const double at = value.toDouble(&ok);
            s.soundAt = ok && std::isfinite(at) && at >= 0 && at < 1e12 ? at : -1;
        }
    }
    return s;
}
