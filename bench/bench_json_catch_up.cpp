// SPDX-License-Identifier: GPL-3.0-or-later
// The catch-up parse of a year of the JSON service's answers: twelve monthly
// answers read, ordered and checked, as a folder a year behind takes them in.
// Measured, never judged.
#include "net/json_results.h"
#include "net/results_source.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

// The fixture year split month by month, as the service answers.
QList<QByteArray> monthlyAnswers()
{
    QFile file(QString::fromUtf8(ZAFRANO_OPERATOR_PAGES) + u"/sorteos.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QJsonArray> months(12);
    for (const QJsonValue &draw : QJsonDocument::fromJson(file.readAll()).array()) {
        const int month = draw.toObject().value(u"fecha_sorteo"_s).toString().mid(5, 2).toInt();
        months[month - 1].append(draw);
    }
    QList<QByteArray> answers;
    for (const QJsonArray &month : months)
        answers.append(QJsonDocument(month).toJson(QJsonDocument::Compact));
    return answers;
}

void CatchUpAYearOfJsonAnswers(benchmark::State &state)
{
    const QList<QByteArray> answers = monthlyAnswers();
    qint64 bytes = 0;
    for (const QByteArray &answer : answers)
        bytes += answer.size();
    for (auto _ : state) {
        QList<FetchedDraw> draws;
        for (const QByteArray &answer : answers)
            draws += readJsonAnswer(answer).value();
        const Result<QList<FetchedDraw>> result =
            newDrawsOf(draws, QDate(2025, 12, 31), QDate(2026, 12, 8));
        if (!result || result->size() < 280)
            state.SkipWithError("the year did not give its draws");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(CatchUpAYearOfJsonAnswers)->Unit(benchmark::kMillisecond);

} // namespace
