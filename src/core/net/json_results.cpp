// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/json_results.h"

#include "common/money.h"
#include "store/day_serial.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

Error notData()
{
    return sourceRefusal(u"El servidor de resultados no ha enviado datos válidos."_s);
}

// The text of a field that may come as a string or as a number.
QString fieldText(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'f', 2);
    return value.toString();
}

// Categories 1..5 of the service are 6, 5 + C, 5, 4 and 3 hits; the
// reintegro's row may carry any number, so its name tells it.
int categoryIndex(const QJsonObject &row)
{
    if (row.value(u"tipo"_s).toString().contains(u"reintegro"_s, Qt::CaseInsensitive))
        return DrawPrizes::Refund;
    const QJsonValue category = row.value(u"categoria"_s);
    const int number = category.isString() ? category.toString().toInt() : category.toInt();
    return number >= 1 && number <= 5 ? number - 1 : -1;
}

DrawPrizes prizesOf(const QJsonValue &escrutinio, QDate date)
{
    DrawPrizes prizes;
    prizes.date = date;
    for (const QJsonValue &value : escrutinio.toArray()) {
        const QJsonObject row = value.toObject();
        const int k = categoryIndex(row);
        if (k < 0)
            continue;
        if (const std::optional<qint64> cents = centsFromText(fieldText(row.value(u"premio"_s))))
            prizes.cents[k] = cents;
    }
    return prizes;
}

} // namespace

Error sourceRefusal(const QString &text, ErrorKind kind)
{
    return {kind, {text, u"Error de conexión"_s, MessageIcon::Exclamation}};
}

std::optional<DrawRecord> drawOfCombination(QStringView text)
{
    static const QRegularExpression shape(
        u"^\\s*(\\d{1,2})\\s*-\\s*(\\d{1,2})\\s*-\\s*(\\d{1,2})\\s*-\\s*(\\d{1,2})\\s*-\\s*"
        u"(\\d{1,2})\\s*-\\s*(\\d{1,2})\\s*C\\s*\\(\\s*(\\d{1,2})\\s*\\)\\s*R\\s*\\(\\s*(\\d)\\s*"
        u"\\)\\s*$"_s);
    const QRegularExpressionMatch match = shape.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    DrawRecord draw;
    for (int i = 0; i < 6; ++i)
        draw.numbers[i] = static_cast<qint16>(match.capturedView(i + 1).toInt());
    draw.complementario = static_cast<qint16>(match.capturedView(7).toInt());
    draw.reintegro = static_cast<qint16>(match.capturedView(8).toInt());
    std::sort(draw.numbers.begin(), draw.numbers.end());
    return draw;
}

Result<QList<FetchedDraw>> readJsonAnswer(QByteArrayView body)
{
    QJsonParseError error;
    // A bare string is a document too: the service's "no draws" message.
    const QByteArray wrapped = '[' + body.toByteArray() + ']';
    const QJsonDocument document = QJsonDocument::fromJson(wrapped, &error);
    if (error.error != QJsonParseError::NoError || document.array().size() != 1)
        return notData();
    const QJsonValue top = document.array().at(0);
    if (top.isString())
        return QList<FetchedDraw>();
    if (!top.isArray())
        return notData();
    QList<FetchedDraw> draws;
    for (const QJsonValue &value : top.toArray()) {
        const QJsonObject draw = value.toObject();
        const QString when = draw.value(u"fecha_sorteo"_s).toString();
        const QDate date = QDate::fromString(when.left(10), u"yyyy-MM-dd"_s);
        if (!date.isValid())
            return sourceRefusal(
                u"El servidor de resultados ha enviado un sorteo sin fecha válida (%1)."_s.arg(
                    when.left(40)));
        // The service answers for other games too; a draw of one is not Bonoloto's.
        if (const QJsonValue game = draw.value(u"game_id"_s);
            !game.isUndefined() && game.toString() != u"BONO"_s)
            return sourceRefusal(
                u"El servidor de resultados ha enviado un sorteo del %1 que no es de Bonoloto "
                u"(%2); no se añade ningún sorteo."_s.arg(shortDate(date),
                                                          fieldText(game).left(20)));
        std::optional<DrawRecord> record =
            drawOfCombination(draw.value(u"combinacion"_s).toString());
        if (!record)
            return sourceRefusal(
                u"La combinación del sorteo del %1 no se puede leer; no se añade ningún sorteo."_s
                    .arg(shortDate(date)));
        record->drawDate = toDaySerial(date);
        draws.append({*record, prizesOf(draw.value(u"escrutinio"_s), date)});
    }
    return draws;
}

} // namespace zafrano
