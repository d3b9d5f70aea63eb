// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/results_page.h"

#include "net/draw_intake.h"
#include "net/marker_search.h"
#include "store/day_serial.h"
#include "store/draw_rule.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// A run-time error of the parse that is not a read past the end.
struct ParseError
{
};

// The quote-quote-greater marker in front of the complementario and the reintegro.
constexpr QByteArrayView ExtraMarker = "q\"\">";

// The numeric value of a cell as a leading decimal number, blanks skipped and
// rounded half to even; 0 when the text does not start with a number. A value
// that cannot be a 16-bit number is a page that cannot be read.
qint16 leadingNumber(QByteArrayView text)
{
    QByteArray digits;
    bool seenPoint = false;
    qsizetype i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < text.size() && blank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        digits += text[i++];
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (blank(c))
            continue;
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c == '.' && !seenPoint)
            seenPoint = true, digits += c;
        else
            break;
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok)
        return 0;
    const double rounded = std::nearbyint(value); // half to even, the default rounding
    if (rounded < -32768 || rounded > 32767)
        throw ParseError{}; // an overflow: the page is not a results page
    return static_cast<qint16>(rounded);
}

} // namespace

int monthOfWord(QByteArrayView word)
{
    static const char *const spanish[] = {"ENERO",      "FEBRERO", "MARZO",     "ABRIL",
                                          "MAYO",       "JUNIO",   "JULIO",     "AGOSTO",
                                          "SEPTIEMBRE", "OCTUBRE", "NOVIEMBRE", "DICIEMBRE"};
    static const char *const english[] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                          "MAY",       "JUNE",     "JULY",     "AUGUST",
                                          "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
    const QByteArray upper = word.toByteArray().toUpper();
    for (int month = 0; month < 12; ++month) {
        if (upper == spanish[month] || upper == english[month])
            return month + 1;
    }
    return 0;
}

QDate pageDate(QByteArrayView day, int month, QByteArrayView year)
{
    bool dayOk = false;
    bool yearOk = false;
    const int d = day.toByteArray().trimmed().toInt(&dayOk);
    const int y = year.toByteArray().trimmed().toInt(&yearOk);
    if (!dayOk || !yearOk || y < 100 || y > 9999)
        return {};
    return QDate(y, month, d);
}

QString parseErrorText()
{
    return u"\r\nERROR DE INTERPRETACIÓN DE DATOS:\r\nSi más tarde se conecta y le vuelve a "
           u"suceder envie un email a: "_s +
           QString::fromUtf16(SupportAddress);
}

PageParse parseResultsPage(QByteArrayView savedPage, QDate newestStored, const QString &drawLink,
                           int year)
{
    PageParse parse;
    parse.drawLink = drawLink;
    MarkerSearch page(savedPage);
    // Set when a listed draw is no draw: the page cannot be taken in, and
    // the rule's message says why.
    std::optional<ProgramMessage> refusal;
    const double lastDate = newestStored.isValid() ? toDaySerial(newestStored) : 0.0;
    try {
        // The end of the list; a page without it is read to its end.
        qsizetype endLimit = 0;
        if (!savedPage.isEmpty()) {
            page.find("-- while", "-");
            endLimit = page.position();
        }
        page.rewind();

        // First pass: the dates of the listed draws and the newest one's link.
        QList<QDate> newDates;
        int month = 0;
        while (page.position() < endLimit - 3000) {
            page.find("do del", ";");
            const QByteArray day = page.find(" ", " ");
            if (const int word = monthOfWord(page.find(" ", " ")); word != 0)
                month = word;
            const QByteArray yearText = page.find(" ", "<");
            const QDate date = month == 0 ? QDate() : pageDate(day, month, yearText);
            if (!date.isValid())
                throw ParseError{};
            const double serial = toDaySerial(date);
            if (serial >= lastDate) {
                if (parse.drawLink.isEmpty()) {
                    const QByteArray tail = page.find(yearText + '/', "\"");
                    parse.drawLink = QString::fromLatin1(yearText + '/' + tail);
                    parse.drawLinkDate = date;
                }
                if (serial > lastDate) {
                    // Newest first: a date listed twice or out of order would
                    // leave the draws file out of date order.
                    if (newDates.size() == MaxPageDates ||
                        (!newDates.isEmpty() && date >= newDates.last()))
                        throw ParseError{};
                    newDates.append(date);
                }
            }
        }

        // Second pass: the numbers of each new draw, in the same order.
        page.rewind();
        QList<DrawRecord> batch;
        for (qsizetype i = 0; i < newDates.size(); ++i) {
            page.find("combi", "<");
            DrawRecord draw;
            for (qint16 &number : draw.numbers)
                number = leadingNumber(page.find("<li> ", "<"));
            draw.complementario = leadingNumber(page.find(ExtraMarker, "<"));
            draw.reintegro = leadingNumber(page.find(ExtraMarker, "<"));
            if (draw.complementario == 0 ||
                std::find(draw.numbers.begin(), draw.numbers.end(), 0) != draw.numbers.end())
                break;
            draw.drawDate = toDaySerial(newDates[i]);
            Result<DrawRecord> sorted = sortedDraw(draw);
            if (!sorted) {
                refusal = sorted.error().message;
                throw ParseError{};
            }
            if (batch.size() == MaxPageDraws)
                throw ParseError{};
            batch.append(sorted.value());
            parse.newDrawsText = newDrawsText(static_cast<int>(i + 1));
            parse.newDrawCount += 1;
        }

        // The page lists the newest draw first; the file keeps ascending dates.
        parse.draws = QList<DrawRecord>(batch.rbegin(), batch.rend());
        if (parse.newDrawCount == 0) {
            parse.outcome = PageOutcome::NothingNew;
            parse.message = nothingNewMessage();
            parse.newDrawCount = 1;
        } else {
            parse.outcome = PageOutcome::NewDraws;
        }
        return parse;
    } catch (const PageReadPastEnd &) {
    } catch (const ParseError &) {
    }

    parse.draws.clear();
    if (refusal) {
        parse.outcome = PageOutcome::Corrupt;
        parse.message = refusal;
    } else if (parse.newDrawCount == 0) {
        parse.outcome = PageOutcome::Corrupt;
        parse.message = ProgramMessage{
            u"¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, "
            u"posiblemente se ha de actualizar el programa. Pruebe más tarde."_s,
            u"Error crítico"_s, MessageIcon::Critical};
    } else {
        parse.outcome = PageOutcome::Incomplete;
        parse.message = ProgramMessage{u"Aun no hay datos de sorteos del %1."_s.arg(year),
                                       u"Pruebe mas tarde"_s, MessageIcon::Information};
    }
    return parse;
}

QList<FetchedDraw> PageParse::fetchedDraws() const
{
    QList<FetchedDraw> fetched;
    for (const DrawRecord &draw : draws)
        fetched.append({draw, {}});
    return fetched;
}

QString newDrawsText(int count)
{
    return count == 1 ? u"1 sorteo"_s : u"%1 sorteos"_s.arg(count);
}

ProgramMessage nothingNewMessage()
{
    return {u"Todavía no hay sorteos nuevos."_s, u"Pruebe más tarde"_s, MessageIcon::Information};
}

ProgramMessage notConnectedMessage()
{
    return {u"No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde "
            u"ya que no es posible conectar con el servidor de ONLAE."_s,
            u"Error de conexión"_s, MessageIcon::Exclamation};
}

QByteArray savedPageBytes(QByteArrayView page)
{
    QByteArray saved;
    saved.reserve(page.size() + 4);
    saved += '"';
    saved += page;
    saved += "\"\r\n";
    return saved;
}

Result<PageParse> readResultsPage(const DataFolder &folder, QByteArrayView savedPage,
                                  const QString &drawLink, int year)
{
    Result<QList<DrawRecord>> stored = folder.draws().readAll();
    if (!stored)
        return stored.error();
    const QDate newest = stored->isEmpty() ? QDate() : stored->last().date();
    return parseResultsPage(savedPage, newest, drawLink, year);
}

Result<PageParse> takeInResultsPage(const DataFolder &folder, QByteArrayView savedPage,
                                    const QString &drawLink, int year)
{
    Result<PageParse> parse = readResultsPage(folder, savedPage, drawLink, year);
    if (!parse)
        return parse;
    if (Result<Intake> intake = takeInDraws(folder, parse->fetchedDraws()); !intake)
        return intake.error();
    return parse;
}

} // namespace zafrano
