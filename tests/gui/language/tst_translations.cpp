#include "app/Language.h"
#include "common/Messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

// Text of the current element; Qt Linguist stores a CR as <byte value="xd"/>.
QString readText(QXmlStreamReader& xml) {
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement() && xml.name() == u"byte")
            text +=
                QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        else if (xml.isEndElement() && xml.name() != u"byte")
            break;
    }
    return text;
}

QList<TsMessage> readTs(const QString& path) {
    QList<TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            current = TsMessage{context, {}, {}, true};
        } else if (xml.name() == u"source") {
            current.source = readText(xml);
        } else if (xml.name() == u"translation") {
            const auto type = xml.attributes().value(QLatin1String("type"));
            current.finished = type.isEmpty();
            current.translation = readText(xml);
            messages.append(current);
        }
    }
    return messages;
}

const QString kTs = QStringLiteral(VEXA_SOURCE_DIR "/resources/translations/VEXAReader_en.ts");

} // namespace

// The English translation is complete: every French text of the program has one.
class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyEntryIsTranslated();
    void everyTextOfTheCodeIsInTheTranslation();
    void everyMessageOfTheTableIsTranslated();
};

void TestTranslations::everyEntryIsTranslated() {
    const auto messages = readTs(kTs);
    QVERIFY(messages.size() > 100);
    QStringList missing;
    for (const TsMessage& m : messages)
        if (!m.finished || m.translation.isEmpty())
            missing << m.context + ": " + m.source;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
}

void TestTranslations::everyTextOfTheCodeIsInTheTranslation() {
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.ts");
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VEXA_SOURCE_DIR));
    QStringList arguments = {"-silent", "-no-obsolete", "-locations", "none", "-I", "."};
    arguments << QStringList{VEXA_TRANSLATED_FOLDERS} << "-ts" << fresh;
    lupdate.start(QStringLiteral(VEXA_LUPDATE), arguments);
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);
    QSet<QString> known;
    for (const TsMessage& m : readTs(kTs))
        known.insert(m.context + u'\x1f' + m.source);
    QStringList missing;
    for (const TsMessage& m : readTs(fresh))
        if (!known.contains(m.context + u'\x1f' + m.source))
            missing << m.context + ": " + m.source;
    QVERIFY2(missing.isEmpty(), qPrintable("Run scripts/update-translations.sh and translate:\n" +
                                           missing.join(u'\n')));
}

void TestTranslations::everyMessageOfTheTableIsTranslated() {
    Language language(QCoreApplication::applicationDirPath() + "/VEXAReader");
    QVERIFY(language.ApplyStoredLanguage(2057));
    for (int number = kFirstMessageId; number <= kLastMessageId; ++number) {
        const auto id = static_cast<MsgId>(number);
        QVERIFY2(msg(id) != msgSource(id), qPrintable(msgSource(id)));
        QVERIFY(!msg(id).isEmpty());
    }
    // The one fixed text is not part of the table: nothing translates it.
    QCOMPARE(QCoreApplication::translate(kMessagesContext, "   Fichier enregistré   "),
             QStringLiteral("   Fichier enregistré   "));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
