// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/network_error_text.h"

using namespace Qt::StringLiterals;

namespace zafrano {

QString networkErrorText(QNetworkReply::NetworkError error)
{
    using E = QNetworkReply::NetworkError;
    switch (error) {
    case E::NoError:
        return {};
    case E::ConnectionRefusedError:
        return u"el servidor ha rechazado la conexión"_s;
    case E::RemoteHostClosedError:
        return u"el servidor ha cerrado la conexión"_s;
    case E::HostNotFoundError:
        return u"no se encuentra el servidor; compruebe la conexión a internet"_s;
    case E::TimeoutError:
        return u"el servidor no ha respondido a tiempo"_s;
    case E::OperationCanceledError:
        return u"se ha cancelado la conexión"_s;
    case E::SslHandshakeFailedError:
        return u"no se ha podido establecer la conexión segura"_s;
    case E::TemporaryNetworkFailureError:
    case E::NetworkSessionFailedError:
    case E::BackgroundRequestNotAllowedError:
        return u"la red no está disponible en este momento"_s;
    case E::TooManyRedirectsError:
        return u"el servidor redirige demasiadas veces"_s;
    case E::InsecureRedirectError:
        return u"el servidor redirige a una dirección que no es segura"_s;
    case E::ProxyConnectionRefusedError:
        return u"el proxy ha rechazado la conexión"_s;
    case E::ProxyConnectionClosedError:
        return u"el proxy ha cerrado la conexión"_s;
    case E::ProxyNotFoundError:
        return u"no se encuentra el proxy"_s;
    case E::ProxyTimeoutError:
        return u"el proxy no ha respondido a tiempo"_s;
    case E::ProxyAuthenticationRequiredError:
        return u"el proxy pide usuario y contraseña"_s;
    case E::UnknownProxyError:
        return u"error del proxy"_s;
    case E::ContentAccessDenied:
    case E::ContentOperationNotPermittedError:
        return u"el servidor no permite el acceso a la página"_s;
    case E::ContentNotFoundError:
        return u"la página no existe en el servidor"_s;
    case E::AuthenticationRequiredError:
        return u"el servidor pide usuario y contraseña"_s;
    case E::ContentReSendError:
    case E::ContentConflictError:
    case E::UnknownContentError:
        return u"el servidor no ha dado la página"_s;
    case E::ContentGoneError:
        return u"la página ya no está en el servidor"_s;
    case E::InternalServerError:
    case E::UnknownServerError:
        return u"error interno del servidor"_s;
    case E::OperationNotImplementedError:
        return u"el servidor no atiende esta petición"_s;
    case E::ServiceUnavailableError:
        return u"el servidor no está disponible en este momento"_s;
    case E::ProtocolUnknownError:
    case E::ProtocolInvalidOperationError:
        return u"la dirección no es de una página web"_s;
    case E::ProtocolFailure:
        return u"la respuesta del servidor no es válida"_s;
    case E::UnknownNetworkError:
        break;
    }
    return u"error de red (código %1)"_s.arg(static_cast<int>(error));
}

} // namespace zafrano
