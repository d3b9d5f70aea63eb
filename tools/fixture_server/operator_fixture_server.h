// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace zafrano::fixture {

// How the server answers the search page: well, or in one of the ways a real
// server fails.
enum class Behaviour
{
    Normal,       // the page, whole
    Silent,       // accepts the connection and never answers
    Late,         // the page, after `delayMs`
    HttpError,    // the status `errorStatus` with a short body
    ResetHalfway, // half the page, then the connection is reset
    EmptyBody,    // 200 with no body
    HugeBody,     // `hugeBytes` of markup
    Trickle,      // the page in ten pieces over `delayMs`
    RedirectAway, // a redirect to `redirectTo`
};

// The operator's results site played by our own pages, on 127.0.0.1 only:
// the search page, the newest draw's page and the prize document.
class OperatorFixtureServer : public QObject
{
    Q_OBJECT
public:
    explicit OperatorFixtureServer(QObject *parent = nullptr);

    // Listens on 127.0.0.1 (port 0: any free one). False when it cannot.
    bool listen(quint16 port = 0);
    quint16 port() const { return m_server.serverPort(); }
    QUrl baseUrl() const;

    QByteArray searchPage;
    QByteArray drawPage;
    QByteArray document;
    QByteArray news;                         // the maker's binforme.dat, when a test serves one
    Behaviour behaviour = Behaviour::Normal; // of the search page
    int delayMs = 0;
    QUrl redirectTo;
    int errorStatus = 500;
    qint64 hugeBytes = 8 * 1024 * 1024;
    // How the draw page is answered (the document is always answered well).
    Behaviour drawPageBehaviour = Behaviour::Normal;

    // The JSON service: the draws of sorteos.json, answered month by month as
    // the days asked for select them; `jsonBody`, when set, is every answer.
    QByteArray jsonDraws;
    QByteArray jsonBody;
    Behaviour jsonBehaviour = Behaviour::Normal;
    int jsonErrorStatus = 403;
    // When not negative: the JSON requests answered before every later one
    // gets `jsonErrorStatus`.
    int jsonAnswersBeforeError = -1;
    // Months the JSON service answers badly, as the real one does now and
    // then, by their first day: with its "not available" message, with `[]`,
    // or with the draws of the first half of the month only. A test clears
    // them to see the service recover.
    enum class MonthFault
    {
        Unavailable,
        Empty,
        HalfMonth
    };
    QHash<QDate, MonthFault> jsonMonthFaults;
    // The request headers of the last JSON request ("user-agent", "accept").
    QByteArray jsonUserAgent;
    QByteArray jsonAccept;

    // The request targets received, in order ("/es/buscador?startDate=…").
    const QStringList &requests() const { return m_requests; }

    // Reads the pages of a folder: buscador.html, sorteo.html, premios.pdf
    // (or the names given), and the JSON service's sorteos.json and
    // sorteos-AAAA.json.
    bool loadPages(const QString &folder, const QString &search = QStringLiteral("buscador.html"),
                   const QString &draw = QStringLiteral("sorteo.html"));

signals:
    // A request came for this target.
    void requested(const QString &target);

private:
    void accept();
    void answer(QTcpSocket *socket);
    void send(QTcpSocket *socket, const QByteArray &body, Behaviour behaviour,
              const QByteArray &type = "text/html; charset=utf-8", int errorCode = 0);
    QByteArray jsonAnswer(const QString &query) const;

    QTcpServer m_server;
    QStringList m_requests;
    int m_jsonAnswers = 0;
};

} // namespace zafrano::fixture
