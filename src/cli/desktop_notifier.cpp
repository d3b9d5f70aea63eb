// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

Error notSent(const QString &text)
{
    return {ErrorKind::Io, {text, u"Error"_s, MessageIcon::Exclamation}};
}

} // namespace

Status DesktopNotifier::send(const Announcement &announcement) const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return notSent(u"No hay bus de sesión de D-Bus."_s);
    QDBusInterface service(u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
                           u"org.freedesktop.Notifications"_s, bus);
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    const QDBusReply<uint> reply =
        service.call(u"Notify"_s, u"Zafrano"_s, 0U, u"es.zafrano.Zafrano"_s, announcement.title,
                     announcement.body, QStringList(), QVariantMap(), -1);
    if (reply.isValid())
        return {};
    // D-Bus explains itself in English: the program says it in its own words,
    // naming the error only where it is not the plain absence of the service.
    switch (reply.error().type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
        return notSent(u"No hay servicio de avisos del escritorio."_s);
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return notSent(u"El servicio de avisos del escritorio no ha respondido a tiempo."_s);
    default:
        return notSent(u"El servicio de avisos del escritorio no ha aceptado el aviso ("_s +
                       reply.error().name() + u")."_s);
    }
}

} // namespace zafrano::cli
