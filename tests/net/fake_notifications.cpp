// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop notification service of the tests' own: takes the name
// org.freedesktop.Notifications on the session bus (a private one, under
// dbus-run-session) and writes every notification it receives to a file, one
// JSON object a line. Prints "ready" once it answers.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QVariantMap>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Notifications(QString path) : m_path(std::move(path)) {}

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expireTimeout)
    {
        Q_UNUSED(replacesId)
        Q_UNUSED(actions)
        Q_UNUSED(hints)
        Q_UNUSED(expireTimeout)
        QFile file(m_path);
        if (file.open(QIODevice::Append)) {
            const QJsonObject line{{u"app"_s, appName},
                                   {u"icon"_s, appIcon},
                                   {u"title"_s, summary},
                                   {u"body"_s, body}};
            file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
        }
        return ++m_count;
    }

private:
    QString m_path;
    uint m_count = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fputs("usage: zafrano-fake-notifications FILE\n", stderr);
        return 2;
    }
    Notifications service(app.arguments().at(1));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(u"/org/freedesktop/Notifications"_s, &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(u"org.freedesktop.Notifications"_s)) {
        std::fputs("zafrano-fake-notifications: no session bus\n", stderr);
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "fake_notifications.moc"
