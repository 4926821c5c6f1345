#include "config/configcodec.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "config/configlines.h"
#include "config/configtokenizer.h"
#include "config/portlisttext.h"
#include "config/songbooklisttext.h"
#include "config/textencoding.h"
#include "platform/numbertext.h"

namespace {

using Field = ConfigTokenizer::Field;
using ConfigLines::Check;
using ConfigLines::Kind;
using ConfigLines::kStageLine;
using ConfigLines::LineSpec;
using ConfigLines::Slot;

// Whether a number suits its field; a buffer size other than automatic is brought
// into its range.
bool checkNumber(Check check, double* v) {
    switch (check) {
        case Check::None:
        case Check::Path:
        case Check::PortList:
        case Check::SongbookList:
            return true;
        case Check::Interval:
            return *v >= 0 && *v <= ConfigData::kMaxIntervalMs;
        case Check::Int16:
            return *v >= -32768.5 && *v < 32767.5;
        case Check::Flag:
            return *v == 0 || *v == -1;
        case Check::ClickOutput:
            return *v == 0 || *v == 1 || *v == 2;
        case Check::PageArea:
            return *v == 0 || *v == 1;
        case Check::Percent:
            return *v == std::floor(*v) && *v >= 0 && *v <= 100;
        case Check::LoudnessTarget:
            return *v >= ConfigData::kMinLevelTarget && *v <= ConfigData::kMaxLevelTarget;
        case Check::PeakCeiling:
            return *v >= ConfigData::kMinLevelCeiling && *v <= 0;
        case Check::Color:
            return *v == std::floor(*v) && *v >= -2147483648.0 && *v <= 4294967295.0;
        case Check::FontSize:
            *v = std::round(*v * 1e4) / 1e4;  // as it is written
            return *v > 0 && *v <= 1638;
        case Check::BufferFrames: {
            if (*v == ConfigData::kAutomaticBufferFrames) {
                return true;
            }
            const double r = std::clamp(std::round(*v), double(ConfigData::kMinBufferFrames),
                                        double(ConfigData::kMaxBufferFrames));
            const bool ok = r == *v;
            *v = r;
            return ok;
        }
    }
    return true;
}

// Puts one field into its value, or records why it cannot.
void apply(const Slot& slot, const Field& f, int line, int field, QList<ConfigProblem>* problems) {
    auto problem = [&](const QString& message) { problems->append({line, field, message}); };
    const QString expected = slot.kind == Kind::Text     ? QStringLiteral("testo atteso")
                             : slot.kind == Kind::Number ? QStringLiteral("numero atteso")
                                                         : QStringLiteral("valore logico atteso");
    switch (f.kind) {
        case Field::Kind::Empty:
            if (slot.unsetAllowed) {
                *slot.target = Value();
            } else {
                problem(QStringLiteral("campo vuoto"));
            }
            return;
        case Field::Kind::Malformed:
            problem(QStringLiteral("campo non valido"));
            return;
        case Field::Kind::Text:
            if (slot.kind == Kind::Text && slot.check == Check::PortList) {
                if (f.text.size() > ConfigData::kMaxPortListLength ||
                    !PortListText::decode(f.text)) {
                    problem(QStringLiteral("elenco di porte non valido"));
                } else {
                    *slot.target = f.text;
                }
            } else if (slot.kind == Kind::Text && slot.check == Check::SongbookList) {
                if (!SongbookListText::decode(f.text)) {
                    problem(QStringLiteral("elenco di canzonieri non valido"));
                } else {
                    *slot.target = f.text;
                }
            } else if (slot.kind == Kind::Text && f.text.size() > ConfigData::kMaxTextLength) {
                // No folder, font or device has such a name; kept, it would only
                // flood the messages and the labels that show it.
                problem(slot.check == Check::Path ? QStringLiteral("percorso troppo lungo")
                                                  : QStringLiteral("testo troppo lungo"));
            } else if (slot.kind == Kind::Text) {
                *slot.target = f.text;
            } else {
                problem(expected);
            }
            return;
        case Field::Kind::Bool:
        case Field::Kind::Number:
            break;
    }
    const double number = f.kind == Field::Kind::Bool ? (f.boolean ? -1 : 0) : f.number;
    switch (slot.kind) {
        case Kind::Text:
            problem(expected);
            return;
        case Kind::Bool:
            *slot.target = number != 0;
            return;
        case Kind::Number: {
            double v = number;
            if (checkNumber(slot.check, &v)) {
                *slot.target = v;
            } else if (slot.check == Check::BufferFrames) {
                *slot.target = v;
                problem(QStringLiteral("valore fuori intervallo, corretto in %1").arg(v));
            } else {
                problem(QStringLiteral("valore fuori intervallo"));
            }
            return;
        }
    }
}

// Whether a line holds the stage settings whole (the stage line and the lines after
// it): a file that a newer or another program extended past the audio line is read
// without complaint, as before. The songbooks' text only has to be a text to make the
// line this program's: a list in it that cannot be read is then told, not passed over.
bool readsAsStageLine(const ConfigTokenizer::Line& line, const LineSpec& fields, int lineNo) {
    if (line.fieldCount != int(fields.size()) || !line.terminated) {
        return false;
    }
    QList<ConfigProblem> problems;
    for (int k = 0; k < int(line.fields.size()); ++k) {
        Value scratch;
        Slot slot = fields[k];
        slot.target = &scratch;
        if (slot.check == Check::SongbookList) {
            if (line.fields[k].kind != Field::Kind::Text) {
                return false;
            }
            continue;
        }
        apply(slot, line.fields[k], lineNo, k + 1, &problems);
    }
    return problems.isEmpty();
}

QString boolField(bool b) {
    return b ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

bool storable(const QString& text) {
    return !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n');
}

QString encodeField(const Slot& slot) {
    const Value& v = *slot.target;
    if (v.isUnset())
        return {};
    switch (slot.kind) {
        case Kind::Text: {
            QString text = v.toText();
            text.remove(u'"').remove(u'\r').remove(u'\n');
            return u'"' + text + u'"';
        }
        case Kind::Bool:
            if (v.kind() == Value::Kind::Number)
                return NumberText::format(v.toNumber());
            return boolField(v.toBool());
        case Kind::Number:
            break;
    }
    if (v.kind() == Value::Kind::Bool)
        return boolField(v.toBool());
    double number = v.toNumber();
    if (slot.check == Check::FontSize)
        number = std::round(number * 1e4) / 1e4;
    return NumberText::format(number);
}

}  // namespace

QString ConfigProblem::toText() const {
    if (field == 0)
        return QStringLiteral("riga %1: %2").arg(line).arg(message);
    return QStringLiteral("riga %1, campo %2: %3").arg(line).arg(field).arg(message);
}

ConfigReadResult ConfigCodec::read(QByteArrayView bytes) {
    ConfigReadResult result;
    const QString text = TextEncoding::decode(bytes);

    ConfigTokenizer probe(text);
    const ConfigTokenizer::Line first = probe.nextLine(1);
    const QString tag = first.fields.isEmpty() ? QString() : first.fields[0].text;
    if (first.fields.isEmpty() || first.fields[0].kind == Field::Kind::Malformed) {
        result.layout = ConfigLayout::Untagged;
    } else if (tag == u"2.8") {
        result.layout = ConfigLayout::V28;
    } else if (tag == u"2.7") {
        result.layout = ConfigLayout::V27;
    } else if (tag == u"2.5") {
        result.layout = ConfigLayout::V25;
    } else {
        result.layout = ConfigLayout::Untagged;
    }
    ConfigData& d = result.data;
    ConfigLines::clearAbsent(d, result.layout);

    ConfigTokenizer tokens(text);
    const std::vector<LineSpec> lines = ConfigLines::of(d, result.layout);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        const LineSpec& fields = lines[i];
        // The lines after the 2.8 layout's eighteen are this program's own: a file
        // without them, or with a blank line there, keeps their defaults.
        const bool optional = result.layout == ConfigLayout::V28 && lineNo >= 19;
        if (tokens.atEnd()) {
            if (!optional) {
                result.problems.append({lineNo, 0, QStringLiteral("il file finisce prima")});
            }
            break;
        }
        const ConfigTokenizer::Line line = tokens.nextLine(int(fields.size()));
        if (optional && line.fieldCount == 1 && line.fields[0].kind == Field::Kind::Empty) {
            break;
        }
        if (lineNo >= kStageLine && !readsAsStageLine(line, fields, lineNo)) {
            break;  // a line of some other program: the stage keeps its defaults
        }
        if (line.fieldCount != int(fields.size())) {
            result.problems.append({lineNo, 0,
                                    QStringLiteral("attesi %1 campi, trovati %2")
                                        .arg(fields.size())
                                        .arg(line.fieldCount)});
        }
        for (int k = 0; k < int(line.fields.size()); ++k) {
            const Field& f = line.fields[k];
            if (result.layout != ConfigLayout::Untagged && lineNo == 1) {
                d.version = tag;  // the tag as matched, whether quoted or not
            } else if (!line.terminated && k == line.fieldCount - 1 &&
                       (f.kind == Field::Kind::Number || f.kind == Field::Kind::Empty)) {
                // The file ends inside this line: a cut-off number ("10" of "100",
                // or nothing after the last comma) looks like a whole one, so it is
                // not trusted. A closed quote or a whole #TRUE# shows its end.
                result.problems.append(
                    {lineNo, k + 1, QStringLiteral("il file finisce dentro il campo")});
            } else {
                apply(fields[k], f, lineNo, k + 1, &result.problems);
            }
        }
    }
    return result;
}

QByteArray ConfigCodec::write(const ConfigData& data) {
    ConfigData d = data;
    d.version = QStringLiteral("2.8");
    std::vector<LineSpec> lines = ConfigLines::of(d, ConfigLayout::V28);
    // This program's own lines from the stage line on are written only when something
    // on them was changed, so the file of everyone else stays as it was; a line is
    // written whenever one after it is.
    ConfigData defaults;
    const std::vector<LineSpec> standard = ConfigLines::of(defaults, ConfigLayout::V28);
    const auto atDefaults = [&](size_t i) {
        return std::equal(lines[i].begin(), lines[i].end(), standard[i].begin(),
                          ConfigLines::sameValue);
    };
    while (lines.size() >= size_t(kStageLine) && atDefaults(lines.size() - 1)) {
        lines.pop_back();
    }
    QString out;
    for (const LineSpec& line : lines) {
        for (size_t k = 0; k < line.size(); ++k) {
            if (k > 0)
                out += u',';
            out += encodeField(line[k]);
        }
        out += QStringLiteral("\r\n");
    }
    return TextEncoding::encode(out);
}

QStringList ConfigCodec::unstorableTexts(const ConfigData& data) {
    ConfigData d = data;
    QStringList texts;
    for (const LineSpec& line : ConfigLines::of(d, ConfigLayout::V28)) {
        for (const Slot& slot : line) {
            if (slot.kind == Kind::Text && !storable(slot.target->toText())) {
                texts.append(slot.target->toText());
            }
        }
    }
    return texts;
}

QString ConfigCodec::layoutName(ConfigLayout layout) {
    switch (layout) {
        case ConfigLayout::V25:
            return QStringLiteral("2.5");
        case ConfigLayout::V27:
            return QStringLiteral("2.7");
        case ConfigLayout::V28:
            return QStringLiteral("2.8");
        case ConfigLayout::Untagged:
            break;
    }
    return {};
}
