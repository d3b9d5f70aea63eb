// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/texts.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zafrano::texts {

ProgramMessage permissionDenied()
{
    return {u"Para modificar el archivo necesita permiso de escritura en la carpeta de datos.\r\n"
            u"Cierre el programa, compruebe los permisos de la carpeta (la muestran "
            u"\"Acerca de...\" y zafrano-cli where) y repita la operación."_s,
            u"Error de permiso"_s, MessageIcon::Exclamation};
}

ProgramMessage requiredFileMissing(int errorNumber)
{
    return {u"No se encuentra un archivo necesario para el funcionamiento del programa. "
            u"Reinstale el programa. Error "_s +
                QString::number(errorNumber),
            u"¡Vaya hombre!"_s, MessageIcon::Exclamation};
}

ProgramMessage printFailed()
{
    return {u"No se ha podido imprimir: no hay ninguna impresora disponible o no responde. "
            u"Compruebe la impresora y repita la operación."_s,
            u"Imprimir"_s, MessageIcon::Exclamation};
}

ProgramMessage legacySyndicatesFound()
{
    return {u"Se ha encontrado un archivo de apuestas perteneciente a una versión anterior del "
            u"programa y se va a convertir el fichero a la versión actual."_s,
            u"Actualización de datos"_s, MessageIcon::Information};
}

ProgramMessage importRejected()
{
    return {
        u"Fichero de sorteos no válido. Compruebe que el archivo BONONUME.DAT sea para Zafrano."_s,
        u"¡Vaya hombre!"_s, MessageIcon::Exclamation};
}

ProgramMessage importFailed(int errorNumber)
{
    ProgramMessage message = importRejected();
    message.text += u" Error "_s + QString::number(errorNumber);
    return message;
}

ProgramMessage importSucceeded()
{
    return {u"Archivo de sorteos importado con éxito"_s, u"Todos los sorteos"_s,
            MessageIcon::Information};
}

namespace {

QString keptCopyLine(const QString &keptAs)
{
    return u"\r\nSe ha guardado una copia del archivo en "_s + QFileInfo(keptAs).fileName() +
           u"."_s;
}

} // namespace

ProgramMessage unreadableDrawsFile(const QString &keptAs)
{
    ProgramMessage message{
        u"Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!."_s,
        u"Error de lectura"_s, MessageIcon::Exclamation};
    if (!keptAs.isEmpty())
        message.text += keptCopyLine(keptAs);
    return message;
}

ProgramMessage partialSyndicatesFile(const QString &keptAs)
{
    return {u"El archivo de peñas termina en una peña incompleta, que no se tendrá en cuenta."_s +
                keptCopyLine(keptAs),
            u"Error de lectura"_s, MessageIcon::Exclamation};
}

ProgramMessage emptyResultsListing()
{
    return {u"Listado vacío. No hay datos para imprimir,"_s, u"No hay datos"_s,
            MessageIcon::Information};
}

ProgramMessage pdfNotWritten(const QString &path)
{
    return {u"No se ha podido escribir el archivo "_s + path + u'.', u"Error"_s,
            MessageIcon::Exclamation};
}

} // namespace zafrano::texts
