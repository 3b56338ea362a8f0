// The vexa-sim program as the demo and a developer start it: options, printed path,
// answers on that path, clean exit on SIGTERM.

#include "PtyEnd.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// Starts vexa-sim and returns the device path it printed (empty on failure).
QString startSim(QProcess& process, const QStringList& arguments) {
    process.start(QStringLiteral(VEXA_SIM_EXE), arguments);
    if (!process.waitForStarted(5000))
        return {};
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(5000))
            return {};
    }
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

} // namespace

class TestVexaSimExe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void servesThePrintedPathAndCleansUpOnSigterm() {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("vexa"));
        const QString log = dir.filePath(QStringLiteral("transcript.txt"));
        QProcess process;
        const QString path = startSim(
            process, {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--files"),
                      QStringLiteral("2"), QStringLiteral("--measures"), QStringLiteral("3"),
                      QStringLiteral("--gps"), QStringLiteral("--language"), QStringLiteral("C"),
                      QStringLiteral("--link"), link, QStringLiteral("--transcript"), log});
        QVERIFY(path.startsWith(QStringLiteral("/dev/")));
        QCOMPARE(QFileInfo(link).symLinkTarget(), path);
        {
            PtyEnd line(path);
            QVERIFY2(line.isOpen(), qPrintable(line.error()));
            const QByteArray identity = line.exchange("#i");
            QCOMPARE(identity.size(), 106);
            QCOMPARE(line.exchange("#T").mid(23, 5), QByteArray("00002"));
            QVERIFY(line.exchange("#OK").startsWith("#R "));
            QVERIFY(line.exchange("#OK").startsWith("#G "));
            QCOMPARE(line.exchange("#p").at(65), 'C');
            PtyEnd viaLink(link);
            QCOMPARE(viaLink.exchange("#i"), identity);
        }

        process.terminate();
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());

        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 6 + 1); // six lines, each ended by a newline
        QVERIFY(lines.at(0).endsWith("  #i"));
        QVERIFY(lines.at(4).endsWith("  #p"));
    }

    void memoryFileSilenceAndHangUp() {
        QTemporaryDir dir;
        const QString memory = dir.filePath(QStringLiteral("memory.txt"));
        QFile file(memory);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#R first\r\n#L end\r\n");
        file.close();

        QProcess stored;
        const QString path = startSim(
            stored, {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--memory"),
                     memory, QStringLiteral("--hangup-after"), QStringLiteral("4")});
        QVERIFY(!path.isEmpty());
        {
            PtyEnd line(path);
            QCOMPARE(line.exchange("#T").mid(23, 5), QByteArray("00001"));
            QCOMPARE(line.exchange("#OK"), QByteArray("#R first\r\n"));
            QCOMPARE(line.exchange("#OK"), QByteArray("#L end\r\n"));
            line.sendLine("#OK");
            QVERIFY(line.waitForHangUp(2000));
        }
        // A hung-up simulator has nothing left to serve and ends by itself.
        QVERIFY(stored.waitForFinished(5000));

        QProcess silent;
        const QString log = dir.filePath(QStringLiteral("silent.txt"));
        const QString quiet =
            startSim(silent, {QStringLiteral("--silent"), QStringLiteral("--transcript"), log});
        QVERIFY(!quiet.isEmpty());
        {
            PtyEnd line(quiet);
            line.sendLine("#i");
            // Logged means handled: a reply, had there been one, would be on its way.
            QVERIFY(QTest::qWaitFor([&] { return fileBytes(log).contains("  #i"); }, 5000));
            QCOMPARE(line.readFor(100), QByteArray());
        }
        silent.terminate();
        QVERIFY(silent.waitForFinished(5000));
    }

    // Any user may put a pipe or a link where a transcript in /tmp goes: vexa-sim refuses
    // both at once, and the link's target is left alone.
    void transcriptIsOnlyARegularFile() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0666) == 0);
        const QString target = dir.filePath(QStringLiteral("bashrc"));
        QVERIFY(writeFileBytes(target, "kept\n"));
        const QString link = dir.filePath(QStringLiteral("t.txt"));
        QVERIFY(QFile::link(target, link));
        for (const QString& transcript : {fifo, link}) {
            QProcess process;
            process.start(QStringLiteral(VEXA_SIM_EXE),
                          {QStringLiteral("--transcript"), transcript});
            QVERIFY2(process.waitForFinished(10000), qPrintable(transcript));
            QVERIFY(process.exitCode() != 0);
        }
        QCOMPARE(fileBytes(target), QByteArray("kept\n"));
    }

    void helpAndBadOptions() {
        QProcess help;
        help.start(QStringLiteral(VEXA_SIM_EXE), {QStringLiteral("--help")});
        QVERIFY(help.waitForFinished(5000));
        QCOMPARE(help.exitCode(), 0);
        const QByteArray text = help.readAllStandardOutput();
        for (const char* option :
             {"--link", "--baud", "--files", "--measures", "--gps", "--memory", "--transcript",
              "--silent", "--language", "--hangup-after", "SIGTERM"})
            QVERIFY2(text.contains(option), option);

        // Each value out of range is refused before anything is served, naming its option.
        const QList<QStringList> refused = {
            {QStringLiteral("--language"), QStringLiteral("X")},
            {QStringLiteral("--baud=-1")},
            {QStringLiteral("--reply-delay"), QStringLiteral("soon")},
            {QStringLiteral("--measures=-3")},
            {QStringLiteral("--hangup-after"), QStringLiteral("0")}};
        for (const QStringList& arguments : refused) {
            QProcess bad;
            bad.start(QStringLiteral(VEXA_SIM_EXE), arguments);
            QVERIFY(bad.waitForFinished(5000));
            QCOMPARE(bad.exitCode(), 2);
            QVERIFY(bad.readAllStandardOutput().isEmpty());
            const QByteArray error = bad.readAllStandardError();
            QVERIFY2(error.contains(arguments.first().section(u'=', 0, 0).toLatin1()),
                     error.constData());
        }
    }

    void identityFromTheOptions() {
        QProcess process;
        const QString path =
            startSim(process, {QStringLiteral("--software-version"), QStringLiteral("V9.87"),
                               QStringLiteral("--serial-number"), QStringLiteral("SN-4711")});
        PtyEnd line(path);
        QVERIFY2(line.isOpen(), qPrintable(line.error()));
        const QByteArray identity = line.exchange("#i");
        QVERIFY2(identity.contains("V9.87") && identity.contains("SN-4711"), identity.constData());
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(TestVexaSimExe)
#include "tst_vexa_sim_exe.moc"
