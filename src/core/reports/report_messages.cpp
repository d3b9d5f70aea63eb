// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report_messages.h"

#include "common/texts.h"
#include "reports/report_database.h"

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The data-access components could not be created.
constexpr int ErrorComponentsMissing = 430;

ProgramMessage oops(const QString &text, int number)
{
    return {text + u"Error "_s + QString::number(number), u"¡Vaya hombre!"_s,
            MessageIcon::Exclamation};
}

} // namespace

DetailFailure detailFailure(const Error &error)
{
    if (error.kind == ErrorKind::PermissionDenied)
        return {texts::permissionDenied(), false};
    const int number = error.number != 0 ? error.number : texts::ErrorDeviceIo;
    if (number == ErrorComponentsMissing)
        return {oops(u"El sistema operativo no tiene algunas librerías actualizadas. Póngase en "
                     u"contacto con nosotros para solucionar el problema. "_s,
                     number),
                false};
    if (number == ReportDatabase::NoCurrentRow || number < 0)
        return {oops(u"Un archivo necesario para el funcionamiento del programa ha sido "
                     u"modificado o eliminado. Reinstale el programa. "_s,
                     number),
                true};
    return {oops(u"Posiblemente el fichero de apuestas está corrupto. "_s, number), false};
}

ProgramMessage reportFailure(int number)
{
    return {u"Error "_s + QString::number(number) +
                u". No es posible mostrar el informe. Si el error persiste, reinstalar el "
                u"programa puede ser la solución."_s,
            u"Error"_s, MessageIcon::Information};
}

ProgramMessage statisticsFailure(int number)
{
    return {u"Sistema operativo no actualizado. El programa no funcionará correctamente. Error "_s +
                QString::number(number),
            u"¡Error!"_s, MessageIcon::Information};
}

} // namespace zafrano
