// SPDX-License-Identifier: GPL-3.0-or-later
#include "manual_page.h"

#include "output.h"

using namespace Qt::StringLiterals;

namespace zafrano::cli {

namespace {

// Text as troff prints it: backslashes and hyphen-minus signs escaped, and no
// line taken for a request.
QString troff(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', u"\\e"_s).replace(u'-', u"\\-"_s);
    return u"\\&"_s + escaped;
}

QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names.append(u"\\fB"_s + troff((name.size() == 1 ? u"-"_s : u"--"_s) + name) + u"\\fR"_s);
    QString line = names.join(u", "_s);
    if (!option.valueName().isEmpty())
        line += u" \\fI"_s + troff(option.valueName()) + u"\\fR"_s;
    return line;
}

} // namespace

std::optional<QString> manualPageSections(const QList<CommandEntry> &commands,
                                          const QList<QCommandLineOption> &options)
{
    QString page = u".SH ÓRDENES\n"_s;
    for (const CommandEntry &command : commands) {
        if (!command.summary) {
            printError(u"La orden "_s + QString::fromUtf16(command.name) +
                       u" no tiene descripción para la ayuda y el manual."_s);
            return std::nullopt;
        }
        page += u".TP\n\\fB"_s + troff(QString::fromUtf16(command.usage)) + u"\\fR\n"_s +
                troff(QString::fromUtf16(command.summary)) + u'\n';
    }
    page += u".SH OPCIONES\n"_s;
    for (const QCommandLineOption &option : options)
        page += u".TP\n"_s + optionNames(option) + u'\n' + troff(option.description()) + u'\n';
    page.chop(1);
    return page;
}

} // namespace zafrano::cli
