#include <gtest/gtest.h>

#include <QAction>
#include <QDataStream>
#include <QDir>
#include <QProgressDialog>
#include <QTimer>

#include "app/audio.h"
#include "exchange/accessfiles.h"
#include "exchange/accessframes.h"
#include "exchange/accessimport.h"
#include "library/datasource.h"
#include "support/harness.h"

namespace {

using AccessFrames::Kind;

// Two songs; the first has a long note (kept on a page of its own), where a
// damaged file's memo chain can loop.
QJsonObject songTable() {
    QJsonArray columns = AccessFiles::songColumns();
    columns.append(QJsonArray{"Note", "memo"});
    return AccessFiles::table("ListaTitoli", columns,
                              {QJsonObject{{"Titoli", "Alba"}, {"Note", QString(1500, 'n')}},
                               QJsonObject{{"Titoli", "Brezza"}, {"Sca1", 1}}});
}

QString damagedText(const QString& path) {
    return QStringLiteral(
               "L'archivio Access \"%1\" non si può leggere: il file è danneggiato o incompleto.")
        .arg(path);
}

// Limits under which a hung reader is given up within seconds.
AccessReaderProcess::Limits shortLimits() {
    AccessReaderProcess::Limits l;
    l.quietMs = 3000;
    l.totalMs = 30000;
    return l;
}

int listed(Harness& h) {
    return h.find<DataSource>("Data1")->rowCount();
}

}  // namespace

// The working folder holds a damaged Access library that crashes libmdb (a map of
// used pages pointing nowhere) or makes it loop for ever (a memo chain pointing at
// itself). "Importarlo ora?" → Sì says the file is damaged; the file stays as it was,
// nothing is added beside it, and the program goes on: a sound file imports next.
TEST(AccessDamaged, AFileThatCrashesOrHangsTheReaderIsDamagedAndTheProgramGoesOn) {
    const AccessFiles::ReaderLimits limits(shortLimits());
    for (const char* damage : {"usage-map", "memo-loop"}) {
        SCOPED_TRACE(damage);
        Harness h;
        h.writeStandardConfig();
        const QString library = h.workDir() + "Songs.mdb";
        ASSERT_TRUE(AccessFiles::write(library, {songTable()}, false, {}, damage));
        const QByteArray original = AccessFiles::bytes(library);
        h.prompter.answers.enqueue(Message::Answer::Yes);
        h.start();

        ASSERT_EQ(h.prompter.messages.size(), 2) << h.prompter.texts().join("\n").toStdString();
        EXPECT_EQ(h.prompter.messages[1].text, damagedText(library));
        EXPECT_EQ(h.prompter.messages[1].icon, Message::Icon::Critical);
        EXPECT_EQ(AccessFiles::bytes(library), original);
        EXPECT_EQ(QDir(h.workDir()).entryList(QDir::Files), QStringList{"Songs.mdb"});

        const QString sound = h.path("altro/Songs.mdb");
        ASSERT_TRUE(AccessFiles::write(sound, {songTable()}));
        h.fileChooser.files.enqueue(sound);
        h.find<QAction>("MenuImportaAccess")->trigger();
        EXPECT_EQ(listed(h), 2);
    }
}

// "Annulla" ends a read that hangs inside one row: the import stops at once (well
// before any limit), and the working folder stays as it was.
TEST(AccessDamaged, AnnullaStopsAHungRead) {
    AccessReaderProcess::Limits patient;
    patient.quietMs = patient.totalMs = 120000;
    const AccessFiles::ReaderLimits limits(patient);
    Harness h;
    h.writeStandardConfig();
    const QString access = h.path("vecchio/Songs.mdb");
    ASSERT_TRUE(AccessFiles::write(access, {songTable()}, false, {}, "memo-loop"));
    h.start();
    h.prompter.clear();
    h.fileChooser.files.enqueue(access);
    // The user presses "Annulla" a second after the reading began.
    QTimer::singleShot(1000, [&] {
        if (auto* dialog = h.window().findChild<QProgressDialog*>("ImportProgress")) {
            dialog->cancel();
        }
    });
    h.find<QAction>("MenuImportaAccess")->trigger();
    EXPECT_EQ(h.prompter.texts(), QStringList{"Importazione annullata: l'archivio dei brani è "
                                              "rimasto com'era."});
    EXPECT_EQ(QDir(h.workDir()).entryList(QDir::Files), QStringList());
}

// Whatever the reading process sends or does is checked before it is believed: a
// frame too long, counts beyond what a frame holds, rows the end does not account
// for, another program's output, an early end, and a reader growing without bound
// all make the file damaged and leave the folder as it was.
TEST(AccessDamaged, NothingTheReaderSendsIsTrusted) {
    QTemporaryDir dir;
    const QString source = dir.path() + "/Songs.mdb";
    ASSERT_TRUE(AccessFiles::write(source, {songTable()}));
    const QByteArray hello = AccessFrames::frame(
        Kind::Hello, [](QDataStream& s) { s << QString::fromLatin1(AccessFrames::kHello); });
    const QByteArray header =
        hello +
        AccessFrames::frame(
            Kind::Table,
            [](QDataStream& s) { s << QStringLiteral("ListaTitoli") << ~quint64(0); }) +
        AccessFrames::frame(Kind::Columns,
                            [](QDataStream& s) { AccessFrames::writeTexts(s, {"Titoli"}); });
    const auto rows = [](quint32 claimed) -> QByteArray {
        return AccessFrames::frame(Kind::Rows, [&](QDataStream& s) {
            s << claimed;
            AccessFrames::writeTexts(s, {"Alba"});
        });
    };
    const auto done = [](quint64 n) -> QByteArray {
        return AccessFrames::frame(Kind::Done, [&](QDataStream& s) { s << n; });
    };
    const QByteArray manyColumns = hello + AccessFrames::frame(Kind::Columns, [](QDataStream& s) {
                                       s << quint32(0xffffffff);
                                   });
    const struct {
        const char* what;
        QByteArray output;  // what the reader writes before it waits
        QString command;    // else a command run instead
    } cases[] = {
        {"frame too long", QByteArray::fromHex("7fffffff01") + hello, {}},
        {"a column count beyond its frame", manyColumns, {}},
        {"a row count beyond its frame", header + rows(0xffffffff), {}},
        {"more rows at the end than sent", header + rows(1) + done(5), {}},
        {"another program", "Usage: something else\n", {}},
        {"ends without the end", header + rows(1), "exit 0"},
        {"grows without bound", {}, "exec python3 -c 'b = b\"x\" * (3 << 30); print(len(b))'"},
    };
    AccessReaderProcess::Limits l = shortLimits();
    l.memoryBytes = qint64(256) << 20;
    const AccessFiles::ReaderLimits limits(l);
    const QString before = AccessReaderProcess::program();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString frames = dir.path() + "/frames";
        QFile f(frames);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.output);
        f.close();
        const QString reader = dir.path() + "/reader.sh";
        QFile r(reader);
        ASSERT_TRUE(r.open(QIODevice::WriteOnly));
        r.write(("#!/bin/sh\ncat '" + frames + "'\n" +
                 (c.command.isEmpty() ? QStringLiteral("exec sleep 60") : c.command) + "\n")
                    .toUtf8());
        r.close();
        r.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        AccessReaderProcess::setProgram(reader);
        AccessReport report;
        QString error;
        const AccessImport::Outcome outcome =
            AccessImport::run(source, dir.path() + "/nuova", {}, &report, &error);
        AccessReaderProcess::setProgram(before);
        EXPECT_EQ(outcome, AccessImport::Outcome::Failed);
        EXPECT_EQ(error, damagedText(source));
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/nuova"));
    }
}
