#include "CliRunner.h"

#include <QFile>

SimProcess::SimProcess(const QStringList& arguments, const QString& transcript)
    : m_transcript(transcript) {
    QStringList all = arguments;
    // As fast as the line goes: the tests wait for nothing but the conversation.
    all << QStringLiteral("--baud") << QStringLiteral("0");
    if (!transcript.isEmpty())
        all << QStringLiteral("--transcript") << transcript;
    m_process.start(QStringLiteral(VEXA_SIM_EXE), all);
    if (!m_process.waitForStarted(5000))
        return;
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(5000))
            return;
    m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

SimProcess::~SimProcess() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
}

QStringList SimProcess::received() const {
    QFile file(m_transcript);
    QStringList lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    // "      123  #i": the milliseconds, two blanks, the line.
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.size() > 11)
            lines << QString::fromLatin1(line.mid(11));
    return lines;
}

void prepareCli(QProcess& process, const QStringList& arguments, const QStringList& ports,
                const QList<QPair<QString, QString>>& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VEXA_EXTRA_PORTS"), ports.join(u':'));
    env.remove(QStringLiteral("VEXA_MAINTENANCE_PASSWORD"));
    for (const auto& [name, value] : extra) {
        if (value.isEmpty())
            env.remove(name);
        else
            env.insert(name, value);
    }
    process.setProcessEnvironment(env);
    // No terminal on standard input: nothing can be asked.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProgram(QStringLiteral(VEXA_CLI_EXE));
    process.setArguments(arguments);
}

CliRun runCli(const QStringList& arguments, const QStringList& ports,
              const QList<QPair<QString, QString>>& extra, int timeoutMs) {
    QProcess process;
    prepareCli(process, arguments, ports, extra);
    process.start();
    CliRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
