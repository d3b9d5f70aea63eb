// SPDX-License-Identifier: GPL-3.0-or-later
#include "operator_fixture_server.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace zafrano::fixture {

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray header(int status, qint64 length, const QByteArray &type)
{
    const QByteArray reason = status == 200   ? "OK"
                              : status == 404 ? "Not Found"
                              : status == 403 ? "Forbidden"
                                              : "Error";
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
}

} // namespace

OperatorFixtureServer::OperatorFixtureServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &OperatorFixtureServer::accept);
}

bool OperatorFixtureServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

QUrl OperatorFixtureServer::baseUrl() const
{
    return QUrl(u"http://127.0.0.1:%1"_s.arg(port()));
}

bool OperatorFixtureServer::loadPages(const QString &folder, const QString &search,
                                      const QString &draw)
{
    const QDir dir(folder);
    searchPage = readFile(dir.filePath(search));
    drawPage = readFile(dir.filePath(draw));
    document = readFile(dir.filePath(u"premios.pdf"_s));
    // The year of sorteos.json, and the whole earlier years of sorteos-AAAA.json.
    QJsonArray draws = QJsonDocument::fromJson(readFile(dir.filePath(u"sorteos.json"_s))).array();
    for (const QString &year : dir.entryList({u"sorteos-*.json"_s}, QDir::Files, QDir::Name)) {
        for (const QJsonValue &draw : QJsonDocument::fromJson(readFile(dir.filePath(year))).array())
            draws.append(draw);
    }
    jsonDraws = QJsonDocument(draws).toJson(QJsonDocument::Compact);
    return !searchPage.isEmpty() && !document.isEmpty();
}

void OperatorFixtureServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
    }
}

void OperatorFixtureServer::answer(QTcpSocket *socket)
{
    // Answer once the head of the request is in.
    const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    const QString target = words.size() >= 2 ? QString::fromLatin1(words[1]) : QString();
    m_requests.append(target);
    emit requested(target);
    const QString path = target.section(u'?', 0, 0);

    QByteArray body;
    QByteArray type = "text/html; charset=utf-8";
    Behaviour how = Behaviour::Normal;
    if (path == u"/servicios/buscadorSorteos"_s) {
        const QByteArray lower = head.toLower();
        auto headerValue = [&lower](const QByteArray &name) {
            const qsizetype at = lower.indexOf("\r\n" + name + ":");
            if (at < 0)
                return QByteArray();
            const qsizetype from = at + name.size() + 3;
            return lower.mid(from, lower.indexOf("\r\n", from) - from).trimmed();
        };
        jsonUserAgent = headerValue("user-agent");
        jsonAccept = headerValue("accept");
        const bool refused = jsonAnswersBeforeError >= 0 && m_jsonAnswers >= jsonAnswersBeforeError;
        ++m_jsonAnswers;
        send(socket, jsonBody.isEmpty() ? jsonAnswer(target.section(u'?', 1)) : jsonBody,
             refused ? Behaviour::HttpError : jsonBehaviour, "application/json", jsonErrorStatus);
        return;
    }
    if (path == u"/es/buscador"_s) {
        body = searchPage;
        how = behaviour;
    } else if (path.startsWith(u"/es/bonoloto/sorteos/"_s)) {
        body = drawPage;
        how = drawPageBehaviour;
    } else if (path == u"/binforme.dat"_s && !news.isEmpty()) {
        body = news;
    } else if (path.endsWith(u".pdf"_s) && !document.isEmpty()) {
        body = document;
        type = "application/pdf";
    } else {
        const QByteArray missing = "<html><body>No existe.</body></html>";
        socket->write(header(404, missing.size(), type) + missing);
        socket->disconnectFromHost();
        return;
    }
    send(socket, body, how);
}

QByteArray OperatorFixtureServer::jsonAnswer(const QString &query) const
{
    const QUrlQuery asked(query);
    const QDate from =
        QDate::fromString(asked.queryItemValue(u"fechaInicioInclusiva"_s), u"yyyyMMdd"_s);
    const QDate to = QDate::fromString(asked.queryItemValue(u"fechaFinInclusiva"_s), u"yyyyMMdd"_s);
    const QDate month = from.isValid() ? QDate(from.year(), from.month(), 1) : QDate();
    const bool faulty = jsonMonthFaults.contains(month);
    const MonthFault fault = jsonMonthFaults.value(month, MonthFault::HalfMonth);
    if (faulty && fault == MonthFault::Unavailable)
        return "\"Servicio no disponible temporalmente\"";
    if (faulty && fault == MonthFault::Empty)
        return "[]";
    QJsonArray chosen;
    for (const QJsonValue &draw : QJsonDocument::fromJson(jsonDraws).array()) {
        const QDate date = QDate::fromString(
            draw.toObject().value(u"fecha_sorteo"_s).toString().left(10), u"yyyy-MM-dd"_s);
        if (faulty && fault == MonthFault::HalfMonth && date.day() > 15)
            continue;
        if (date >= from && date <= to)
            chosen.append(draw);
    }
    if (chosen.isEmpty())
        return "\"No hay sorteos en las fechas indicadas\"";
    return QJsonDocument(chosen).toJson(QJsonDocument::Compact);
}

void OperatorFixtureServer::send(QTcpSocket *socket, const QByteArray &body, Behaviour how,
                                 const QByteArray &type, int errorCode)
{
    switch (how) {
    case Behaviour::Normal:
        socket->write(header(200, body.size(), type) + body);
        socket->disconnectFromHost();
        return;
    case Behaviour::Silent:
        return;
    case Behaviour::Late: {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(delayMs, this, [guarded, body, type] {
            if (!guarded || guarded->state() != QAbstractSocket::ConnectedState)
                return;
            guarded->write(header(200, body.size(), type) + body);
            guarded->disconnectFromHost();
        });
        return;
    }
    case Behaviour::HttpError: {
        const QByteArray text = "<html><body>Error del servidor</body></html>";
        socket->write(header(errorCode != 0 ? errorCode : errorStatus, text.size(), type) + text);
        socket->disconnectFromHost();
        return;
    }
    case Behaviour::Trickle: {
        // The page in ten pieces spread over `delayMs`: slow, never silent for long.
        socket->write(header(200, body.size(), type));
        QPointer<QTcpSocket> guarded(socket);
        const qsizetype piece = body.size() / 10 + 1;
        for (int i = 0; i < 10; ++i) {
            QTimer::singleShot(delayMs * (i + 1) / 10, this, [guarded, body, piece, i] {
                if (!guarded || guarded->state() != QAbstractSocket::ConnectedState)
                    return;
                guarded->write(body.mid(i * piece, piece));
                if (i == 9)
                    guarded->disconnectFromHost();
            });
        }
        return;
    }
    case Behaviour::RedirectAway: {
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + redirectTo.toEncoded() +
                      "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    case Behaviour::ResetHalfway:
        socket->write(header(200, body.size(), type) + body.left(body.size() / 2));
        socket->flush();
        socket->abort();
        return;
    case Behaviour::EmptyBody:
        socket->write(header(200, 0, type));
        socket->disconnectFromHost();
        return;
    case Behaviour::HugeBody: {
        QByteArray huge = "<html><body>";
        while (huge.size() < hugeBytes)
            huge += "<p>Relleno de una p&aacute;gina desmesurada.</p>\n";
        socket->write(header(200, huge.size(), type) + huge);
        socket->disconnectFromHost();
        return;
    }
    }
}

} // namespace zafrano::fixture
