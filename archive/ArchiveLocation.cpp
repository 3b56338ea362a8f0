#include "archive/ArchiveLocation.h"

#include "archive/ArchiveError.h"
#include "common/Messages.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

[[noreturn]] void refuse(const QString& detail) {
    throw ArchiveError(msg(MsgId::ArchiveBadUrl).arg(detail));
}

// A value as libpq's connection string quotes it; Qt's driver joins the options with
// blanks in place of the semicolons that separate them, so a value may hold none.
QString quotedOption(const QString& key, const QString& value) {
    if (value.contains(QLatin1Char(';')))
        refuse(key);
    QString escaped = value;
    escaped.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    escaped.replace(QLatin1String("'"), QLatin1String("\\'"));
    return key + QLatin1String("='") + escaped + QLatin1Char('\'');
}

QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

int portNumber(const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    // Not the text itself: whatever stands there may be a mistyped password.
    if (!ok || port <= 0 || port > 65535)
        refuse(QStringLiteral("port"));
    return port;
}

// scheme://[user@][host][:port][/database][?key=value&...], each part percent-encoded, as
// libpq reads it: a socket folder may stand percent-encoded in the host's place.
ArchiveLocation parsePostgres(const QString& url) {
    const QString rest = url.section(QLatin1String("://"), 1);
    const qsizetype authorityEnd = rest.indexOf(QRegularExpression(QStringLiteral("[/?]")));
    const QString authority = rest.left(authorityEnd);
    const QString afterAuthority = authorityEnd < 0 ? QString() : rest.mid(authorityEnd);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    const QString userInfo = at < 0 ? QString() : authority.left(at);
    if (userInfo.contains(QLatin1Char(':')))
        throw ArchiveError(msg(MsgId::ArchivePasswordInUrl));

    ArchiveLocation location;
    location.engine = ArchiveLocation::Engine::Postgres;
    location.user = decoded(userInfo);
    QString hostPort = authority.mid(at + 1);
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
        if (close < 0)
            refuse(QStringLiteral("["));
        location.host = hostPort.mid(1, close - 1);
        hostPort = hostPort.mid(close + 1);
        if (!hostPort.isEmpty() && !hostPort.startsWith(QLatin1Char(':')))
            refuse(QStringLiteral("port"));
        if (hostPort.size() > 1)
            location.port = portNumber(hostPort.mid(1));
    } else {
        const qsizetype colon = hostPort.indexOf(QLatin1Char(':'));
        location.host = decoded(hostPort.left(colon));
        if (colon >= 0 && colon + 1 < hostPort.size())
            location.port = portNumber(hostPort.mid(colon + 1));
    }
    if (location.host.contains(QLatin1Char(',')))
        refuse(location.host); // several hosts: libpq's failover is not offered here

    const QString path = afterAuthority.section(QLatin1Char('?'), 0, 0);
    location.database = decoded(path.mid(1));
    if (location.database.contains(QLatin1Char('/')))
        refuse(location.database);

    QStringList options;
    bool timeoutGiven = false;
    const QString query = afterAuthority.section(QLatin1Char('?'), 1);
    for (const QString& item : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const QString key = decoded(item.section(QLatin1Char('='), 0, 0));
        const QString value = decoded(item.section(QLatin1Char('='), 1));
        static const QRegularExpression keyPattern(QStringLiteral("^[a-z_]+$"));
        if (!keyPattern.match(key).hasMatch() || !item.contains(QLatin1Char('=')))
            refuse(key.left(20));
        if (key == QLatin1String("password"))
            throw ArchiveError(msg(MsgId::ArchivePasswordInUrl));
        if (key == QLatin1String("host")) {
            location.host = value;
        } else if (key == QLatin1String("port")) {
            location.port = portNumber(value);
        } else if (key == QLatin1String("user")) {
            location.user = value;
        } else if (key == QLatin1String("dbname")) {
            location.database = value;
        } else {
            timeoutGiven = timeoutGiven || key == QLatin1String("connect_timeout");
            options << quotedOption(key, value);
        }
    }
    // libpq waits for an unreachable server without end unless told otherwise; a docking
    // station must go on with the next instrument and spool this download instead.
    if (!timeoutGiven)
        options << QStringLiteral("connect_timeout=10");
    location.connectOptions = options.join(QLatin1Char(';'));
    return location;
}

} // namespace

QString ArchiveLocation::display() const {
    if (engine == Engine::Sqlite)
        return sqlitePath;
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += user + QLatin1Char('@');
    if (!host.startsWith(QLatin1Char('/')))
        text += host;
    if (port > 0)
        text += QLatin1Char(':') + QString::number(port);
    text += QLatin1Char('/') + database;
    if (host.startsWith(QLatin1Char('/')))
        text += QLatin1String("?host=") + host;
    return text;
}

ArchiveLocation parseArchiveUrl(const QString& url) {
    const QString text = url.trimmed();
    if (text.startsWith(QLatin1String("sqlite:"))) {
        ArchiveLocation location;
        location.sqlitePath = text.mid(7);
        if (location.sqlitePath.isEmpty())
            refuse(QStringLiteral("sqlite:"));
        return location;
    }
    if (text.startsWith(QLatin1String("postgresql://")) ||
        text.startsWith(QLatin1String("postgres://")))
        return parsePostgres(text);
    // The scheme alone: whatever follows may hold a password.
    refuse(text.section(QLatin1Char(':'), 0, 0).left(20));
}

QString archiveUrlFromEnvironment() {
    return qEnvironmentVariable("VEXA_ARCHIVE").trimmed();
}
