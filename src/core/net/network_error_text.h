// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkReply>
#include <QString>

namespace zafrano {

// What went wrong with a request, in the program's words, to go inside the
// message that names the server: "el servidor ha cerrado la conexión". Qt's
// own error text is English and never shown.
QString networkErrorText(QNetworkReply::NetworkError error);

} // namespace zafrano
