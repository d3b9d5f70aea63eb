// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-fixture-server: our own operator pages on 127.0.0.1, to try a
// download in the real window or with zafrano-cli without the real site.
#include "operator_fixture_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Páginas de prueba del operador en 127.0.0.1."_s);
    parser.addHelpOption();
    const QCommandLineOption portOption(u"port"_s, u"Puerto (8088 si no se da)."_s, u"PUERTO"_s,
                                        u"8088"_s);
    const QCommandLineOption pagesOption(u"pages"_s, u"Carpeta de las páginas."_s, u"CARPETA"_s,
                                         QStringLiteral(ZAFRANO_OPERATOR_PAGES));
    const QCommandLineOption searchOption(u"search"_s, u"Página de búsqueda."_s, u"ARCHIVO"_s,
                                          u"buscador.html"_s);
    const QCommandLineOption drawOption(u"draw"_s, u"Página del sorteo."_s, u"ARCHIVO"_s,
                                        u"sorteo.html"_s);
    const QCommandLineOption jsonErrorOption(
        u"json-error"_s, u"Responder al servicio JSON con este estado HTTP (403…)."_s, u"ESTADO"_s);
    const QCommandLineOption jsonErrorAfterOption(
        u"json-error-after"_s,
        u"Responder bien a las N primeras peticiones JSON y con el error a las siguientes."_s,
        u"N"_s);
    const QCommandLineOption logOption(
        u"log-requests"_s, u"Escribir cada petición recibida, una por línea, tras la dirección."_s);
    parser.addOptions({portOption, pagesOption, searchOption, drawOption, jsonErrorOption,
                       jsonErrorAfterOption, logOption});
    parser.process(app);

    zafrano::fixture::OperatorFixtureServer server;
    if (!server.loadPages(parser.value(pagesOption), parser.value(searchOption),
                          parser.value(drawOption))) {
        std::fprintf(stderr, "No se encuentran las páginas en %s\n",
                     qPrintable(parser.value(pagesOption)));
        return 1;
    }
    if (parser.isSet(jsonErrorOption)) {
        server.jsonBehaviour = zafrano::fixture::Behaviour::HttpError;
        server.jsonErrorStatus = parser.value(jsonErrorOption).toInt();
    }
    if (parser.isSet(jsonErrorAfterOption))
        server.jsonAnswersBeforeError = parser.value(jsonErrorAfterOption).toInt();
    if (parser.isSet(logOption)) {
        QObject::connect(&server, &zafrano::fixture::OperatorFixtureServer::requested,
                         [](const QString &target) {
                             std::printf("%s\n", qPrintable(target));
                             std::fflush(stdout);
                         });
    }
    if (!server.listen(parser.value(portOption).toUShort())) {
        std::fprintf(stderr, "No se puede escuchar en 127.0.0.1:%s\n",
                     qPrintable(parser.value(portOption)));
        return 1;
    }
    std::printf("ZAFRANO_OPERATOR_URL=%s\n", qPrintable(server.baseUrl().toString()));
    std::fflush(stdout);
    return app.exec();
}
