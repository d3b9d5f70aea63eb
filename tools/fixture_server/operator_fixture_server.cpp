// SPDX-License-Identifier: GPL-3.0-or-later
#include "operator_fixture_server.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

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
    const QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
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
    const QString path = target.section(u'?', 0, 0);

    QByteArray body;
    QByteArray type = "text/html; charset=utf-8";
    Behaviour how = Behaviour::Normal;
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

void OperatorFixtureServer::send(QTcpSocket *socket, const QByteArray &body, Behaviour how)
{
    const QByteArray type = "text/html; charset=utf-8";
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
        socket->write(header(errorStatus, text.size(), type) + text);
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
