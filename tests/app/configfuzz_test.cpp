// Feeds the configuration reader truncated, mutated and random files: it must
// neither crash nor hang, and what it returns must always be usable and survive
// a save unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "config/configcodec.h"
#include "configtestdata.h"

using namespace configtest;

namespace {

// What must hold for any content whatsoever.
void checkUsable(const QByteArray& bytes) {
    const ConfigReadResult r = ConfigCodec::read(bytes);
    for (const auto& [name, value] : allValues(r.data)) {
        if (value->kind() == Value::Kind::Number) {
            ASSERT_TRUE(std::isfinite(value->toNumber())) << name;
        }
        if (value->kind() == Value::Kind::Text) {
            ASSERT_FALSE(value->toText().contains(u'"')) << name;
        }
    }
    const double frames = r.data.bufferFrames.toNumber();
    ASSERT_TRUE(frames == ConfigData::kAutomaticBufferFrames ||
                (frames >= ConfigData::kMinBufferFrames && frames <= ConfigData::kMaxBufferFrames));
    for (const ConfigProblem& p : r.problems) {
        ASSERT_GE(p.line, 1);
        ASSERT_GE(p.field, 0);
    }
    // Whatever was read is saved and read back exactly, without complaint.
    const ConfigReadResult again = ConfigCodec::read(ConfigCodec::write(r.data));
    ASSERT_EQ(again.layout, ConfigLayout::V28);
    ASSERT_TRUE(again.problems.isEmpty()) << again.problems[0].toText().toStdString();
    ConfigData expected = r.data;
    expected.version = "2.8";
    const auto a = allValues(again.data);
    const auto b = allValues(expected);
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_TRUE(identical(*a[i].second, *b[i].second)) << a[i].first;
    }
}

QList<QByteArray> samples() {
    ConfigData unsetWidths;
    unsetWidths.LargTitoli = unsetWidths.LargAutore = Value();
    return {file28(),
            file27(),
            file25(),
            fileUntagged(),
            ConfigCodec::write(ConfigData()),
            ConfigCodec::write(unsetWidths)};
}

}  // namespace

TEST(ConfigFuzz, TruncatedFilesKeepWhatTheirCompleteLinesHold) {
    for (const QByteArray& sample : samples()) {
        const ConfigReadResult full = ConfigCodec::read(sample);
        qsizetype line19 = -1;  // the end of line n
        for (int n = 0; n < 18; ++n)
            line19 = sample.indexOf('\n', line19 + 1);
        ++line19;  // where line 19 begins
        for (qsizetype length = 0; length <= sample.size(); ++length) {
            const QByteArray cut = sample.left(length);
            checkUsable(cut);
            const ConfigReadResult r = ConfigCodec::read(cut);
            // Complete lines read as in the whole file; the first one fixes the layout.
            const qsizetype firstLineEnd = sample.indexOf('\n');
            if (length > firstLineEnd) {
                ASSERT_EQ(r.layout, full.layout) << length;
            }
            if (length >
                sample.indexOf("\r\n", sample.indexOf(full.data.fontName.toText().toUtf8()))) {
                ASSERT_TRUE(identical(r.data.fontSize, full.data.fontSize)) << length;
                ASSERT_TRUE(identical(r.data.MetroFreq, full.data.MetroFreq)) << length;
            }
            // Anything but a whole file is reported, unless it ends cleanly: just
            // before the audio line of this program, or on a closing quote.
            const bool whole =
                length >= sample.size() - 1 ||
                (length == sample.size() - 2 && sample.endsWith("\"\r\n")) ||
                (full.layout == ConfigLayout::V28 && (length == line19 || length == line19 - 1));
            if (!whole) {
                ASSERT_FALSE(r.problems.isEmpty()) << cut.toStdString();
            }
        }
    }
}

TEST(ConfigFuzz, MutatedFilesNeverBreakTheReader) {
    std::mt19937 rng(20240611);
    const QList<QByteArray> bases = samples();
    const QByteArray alphabet("\",#\r\n 0123456789.-+EeDdTRUFALS\\\t&H");
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = bases[pick(bases.size())];
        const int edits = 1 + pick(8);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = pick(bytes.size());
            const char c = pick(3) == 0 ? char(pick(256)) : alphabet[pick(alphabet.size())];
            switch (pick(5)) {
                case 0:
                    bytes[at] = c;
                    break;
                case 1:
                    bytes.insert(at, c);
                    break;
                case 2:
                    bytes.remove(at, 1 + pick(20));
                    break;
                case 3:  // a line moved or doubled
                    bytes.insert(at, bytes.mid(pick(bytes.size()), pick(40)));
                    break;
                default:
                    bytes.insert(at, QByteArray(1 + pick(200), c));
                    break;
            }
        }
        checkUsable(bytes);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "round " << round << ": " << bytes.toHex().toStdString();
            return;
        }
    }
}

TEST(ConfigFuzz, RandomBytesNeverBreakTheReader) {
    std::mt19937 rng(7);
    for (int round = 0; round < 1000; ++round) {
        QByteArray bytes(int(rng() % 700), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(rng() % 4 == 0 ? "\",\n"[rng() % 3] : rng() % 256);
        checkUsable(bytes);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "round " << round << ": " << bytes.toHex().toStdString();
            return;
        }
    }
}

TEST(ConfigFuzz, HugeAndStrangeContentIsReadInOnePass) {
    const QByteArray prefix = "\"2.8\"\r\n\"C:\\\"\r\n";
    const QList<QByteArray> strange{
        prefix + QByteArray(4 << 20, ','),  // a line of four million fields
        prefix + QByteArray(4 << 20, '"'),
        prefix + QByteArray(4 << 20, '9'),  // a number with four million digits
        prefix + "1E" + QByteArray(1 << 20, '9') + ",1,1,1\r\n",
        prefix + QByteArray(1 << 20, '\n'),
        prefix + QByteArray(1 << 20, '\r'),
        prefix + QByteArray(1 << 20, '\0'),
        QByteArray(1 << 20, '\0'),
        QByteArray("\"2.8\"\0\r\n\"a\0b\"\r\n", 15),
        "\xEF\xBB\xBF",
        "\xEF\xBB",
        "\"\xC3\x28\"\r\n",      // not valid UTF-8: Windows-1252
        "\"\xED\xA0\x80\"\r\n",  // an encoded surrogate: Windows-1252
    };
    for (const QByteArray& bytes : strange) {
        checkUsable(bytes);
    }
    const ConfigReadResult r = ConfigCodec::read(QByteArray("\"2.8\"\r\n\"a\0b\"\r\n", 15));
    EXPECT_EQ(r.data.PathLavoro, QString::fromUtf8("a\0b", 3));
}
