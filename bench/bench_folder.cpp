// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_folder.h"

#include "bench_paths.h"
#include "reports/report_database.h"
#include "store/data_folder.h"
#include "store/draw_history_csv.h"
#include "store/draws_file.h"
#include "store/settings.h"
#include "store/syndicates_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace zafrano::bench {

namespace {

using Rng = std::mt19937;

int roll(Rng &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// k distinct numbers of the pool, ascending.
std::vector<qint16> pickNumbers(Rng &rng, std::vector<qint16> pool, int k)
{
    std::shuffle(pool.begin(), pool.end(), rng);
    pool.resize(static_cast<std::size_t>(k));
    std::sort(pool.begin(), pool.end());
    return pool;
}

std::vector<qint16> allNumbers()
{
    std::vector<qint16> numbers(49);
    std::iota(numbers.begin(), numbers.end(), qint16{1});
    return numbers;
}

void putBet(SyndicateRecord::Bet &bet, const std::vector<qint16> &numbers)
{
    std::copy(numbers.begin(), numbers.end(), bet.begin());
}

// Carries the history on to `count` draws: the newest draws come round again,
// numbers and all, moved forward by whole weeks so each keeps its weekday.
QList<DrawRecord> extendHistory(const QList<DrawRecord> &history, int count)
{
    QList<DrawRecord> draws = history;
    const qsizetype missing = count - history.size();
    if (missing <= 0 || missing > history.size())
        return draws;
    const qsizetype first = history.size() - missing;
    const double span = history.last().drawDate - history[first].drawDate + 1;
    const double shift = std::ceil(span / 7) * 7;
    for (qsizetype i = first; i < history.size(); ++i) {
        DrawRecord draw = history[i];
        draw.drawDate += shift;
        draws.append(draw);
    }
    return draws;
}

// A mix of what players keep: mostly simple syndicates of a few bets, some
// reduced systems and some multiples, on one weekday or every draw day, created
// at any time over the years the history covers.
QList<SyndicateRecord> makeSyndicates(int count, double firstDay, double lastDay)
{
    Rng rng(20'240'601);
    const std::vector<qint16> numbers = allNumbers();
    const QStringList days = {u"Lunes"_s,   u"Martes"_s, u"Miércoles"_s, u"Jueves"_s,
                              u"Viernes"_s, u"Sábado"_s, u"Todos"_s};
    const std::array<qint16, 12> reductionSizes = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20};

    QList<SyndicateRecord> syndicates;
    syndicates.reserve(count);
    for (int s = 0; s < count; ++s) {
        SyndicateRecord syndicate;
        syndicate.setName(u"Peña %1"_s.arg(s + 1, 3, 10, QChar(u'0')));
        const int kind = roll(rng, 0, 99);
        if (kind < 60 || s == 0) {
            // The first one plays the most bets a syndicate can hold.
            const int size = roll(rng, 0, 9);
            const int bets = s == 0     ? SyndicateRecord::MaxBets
                             : size < 7 ? roll(rng, 1, 10)
                             : size < 9 ? roll(rng, 11, 50)
                                        : roll(rng, 51, SyndicateRecord::MaxBets);
            syndicate.betCount = static_cast<qint16>(bets);
            for (int b = 0; b < bets; ++b)
                putBet(syndicate.bets[b], pickNumbers(rng, numbers, 6));
        } else if (kind < 80) {
            const qint16 from = reductionSizes[roll(rng, 0, int(reductionSizes.size()) - 1)];
            syndicate.reducedFrom = from;
            syndicate.reducedGuarantee = static_cast<qint16>(roll(rng, 3, 5));
            const std::vector<qint16> base = pickNumbers(rng, numbers, from);
            std::copy(base.begin(), base.end(), syndicate.reducedNumbers.begin());
            const int bets = roll(rng, 3, std::min(from * 8, int(SyndicateRecord::MaxBets)));
            syndicate.betCount = static_cast<qint16>(bets);
            for (int b = 0; b < bets; ++b)
                putBet(syndicate.bets[b], pickNumbers(rng, base, 6));
        } else {
            const auto code =
                static_cast<qint16>(roll(rng, MultipleCode::First, MultipleCode::Last));
            syndicate.betCount = code;
            putBet(syndicate.bets[0], pickNumbers(rng, numbers, cuantos(code)));
        }
        syndicate.setDays(days[roll(rng, 0, int(days.size()) - 1)]);
        syndicate.createdOn = roll(rng, int(firstDay), int(lastDay));
        // Prizes as they come over the years: many threes, few fours, fives now and then.
        syndicate.setHit(3, static_cast<qint16>(roll(rng, 0, 400)));
        syndicate.setHit(4, static_cast<qint16>(roll(rng, 0, 30)));
        syndicate.setHit(5, static_cast<qint16>(roll(rng, 0, 9) == 0));
        syndicate.setHit(7, static_cast<qint16>(roll(rng, 0, 49) == 0));
        syndicate.countedThrough = lastDay;
        syndicates.append(syndicate);
    }
    return syndicates;
}

QString prepare(BenchFolder &folder, const QTemporaryDir &dir)
{
    if (!dir.isValid())
        return u"no temporary folder: "_s + dir.errorString();

    QFile csv(QString::fromUtf8(HistoryCsv));
    if (!csv.open(QIODevice::ReadOnly))
        return u"cannot read "_s + csv.fileName();
    Result<QList<DrawRecord>> history = parseDrawHistoryCsv(csv.readAll());
    if (!history)
        return history.error().message.text;
    folder.realDraws = static_cast<int>(history->size());
    folder.draws = extendHistory(history.value(), DrawCount);
    if (folder.draws.size() != DrawCount)
        return u"the history has %1 draws, too few to reach %2"_s.arg(folder.realDraws)
            .arg(DrawCount);
    folder.syndicates =
        makeSyndicates(SyndicateCount, history->first().drawDate, history->last().drawDate);
    folder.today = folder.draws.last().date().addDays(1);

    folder.path = DataFolder(dir.path()).basePath();
    folder.importPath = DataFolder(dir.filePath(u"importacion"_s)).basePath();
    if (!QDir().mkpath(folder.importPath))
        return u"cannot create "_s + folder.importPath;

    // Written through the program's own writers, so the files are what it keeps.
    const DataFolder data(folder.path);
    for (const QString &path : {folder.path, folder.importPath}) {
        if (Result<int> imported = DrawsFile(path).importDraws(folder.draws); !imported)
            return imported.error().message.text;
    }
    if (Status written = data.syndicates().writeAll(folder.syndicates); !written)
        return written.error().message.text;
    (void)data.settings().readAtStartup(); // writes bnums.ini with the default address
    const QString tables = data.tablesPath();
    if (!QFile::copy(QString::fromUtf8(TablesFile), tables))
        return u"cannot copy tablas.bin to "_s + tables;
    // The syndicate detail writes the report database from the first start.
    const QString reports = data.filePath(QString::fromUtf16(ReportDatabase::FileName));
    if (!QFile::copy(QString::fromUtf8(ReportDatabaseFile), reports) ||
        !QFile::setPermissions(reports, QFile::ReadOwner | QFile::WriteOwner))
        return u"cannot copy Zafrano.mdb to "_s + reports;

    folder.drawsFileBytes = QFileInfo(data.draws().path()).size();
    folder.syndicatesFileBytes = QFileInfo(data.syndicates().path()).size();
    if (folder.drawsFileBytes != qint64(DrawCount) * DrawRecord::Size ||
        folder.syndicatesFileBytes != qint64(SyndicateCount) * SyndicateRecord::Size)
        return u"the data files do not have the expected sizes"_s;
    return {};
}

} // namespace

const BenchFolder &benchFolder()
{
    static const QTemporaryDir dir;
    static const BenchFolder folder = [] {
        BenchFolder prepared;
        prepared.error = prepare(prepared, dir);
        return prepared;
    }();
    return folder;
}

const BenchFolder *folderOrSkip(benchmark::State &state)
{
    const BenchFolder &folder = benchFolder();
    if (folder.error.isEmpty())
        return &folder;
    skipWithError(state, folder.error);
    return nullptr;
}

void skipWithError(benchmark::State &state, const QString &what)
{
    const QByteArray message = what.toUtf8();
    state.SkipWithError(message.constData());
}

QList<SyndicateRecord> historySyndicates(const BenchFolder &folder, bool alreadyCounted)
{
    const std::array<std::pair<SyndicateKind, int>, 3> wanted = {
        {{SyndicateKind::Simple, 12}, {SyndicateKind::Reduced, 4}, {SyndicateKind::Multiple, 4}}};
    QList<SyndicateRecord> chosen;
    for (const auto &[kind, count] : wanted) {
        int taken = 0;
        for (const SyndicateRecord &syndicate : folder.syndicates) {
            if (syndicate.kind() != kind || taken == count)
                continue;
            SyndicateRecord copy = syndicate;
            copy.setDays(u"Todos"_s);
            copy.createdOn = folder.draws.first().drawDate;
            copy.countedThrough = alreadyCounted ? folder.draws.last().drawDate : 0;
            chosen.append(copy);
            ++taken;
        }
    }
    return chosen;
}

} // namespace zafrano::bench
