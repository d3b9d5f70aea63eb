// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report_layout.h"

#include "common/texts.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace zafrano {

namespace {

// The report engine's number for a layout that names what is not there.
constexpr int ErrorLayoutField = 20515;

Error layoutError(const QString &what)
{
    return {ErrorKind::InvalidData,
            {u"Diseño de informe no válido: "_s + what, u"Error"_s, MessageIcon::Information},
            ErrorLayoutField};
}

// Replaces every {name} of a piece of layout; `lookup` gives the value or nothing.
Result<QString> fillFields(const QString &text,
                           const std::function<std::optional<QString>(const QString &)> &lookup)
{
    static const QRegularExpression field(u"\\{([^{}<>\\s][^{}<>]*)\\}"_s);
    QString out;
    qsizetype last = 0;
    for (auto it = field.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const std::optional<QString> value = lookup(match.captured(1));
        if (!value)
            return layoutError(match.captured(0));
        out += text.mid(last, match.capturedStart() - last) + value->toHtmlEscaped();
        last = match.capturedEnd();
    }
    return out + text.mid(last);
}

// {Tabla.Columna}: that column of the table's first row.
std::optional<QString> tableField(const ReportTables &tables, const QString &name)
{
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    const auto table = tables.constFind(name.left(dot));
    if (table == tables.constEnd())
        return std::nullopt;
    const QString column = name.mid(dot + 1);
    // A table's columns are the same in every row; an empty table prints blanks.
    const auto &schema = reportSchema();
    const auto def = std::find_if(schema.begin(), schema.end(),
                                  [&](const auto &entry) { return entry.first == table.key(); });
    // A table of another document (the account's statement) has the columns of its rows.
    if (def == schema.end())
        return table->isEmpty() || table->first().contains(column)
                   ? std::optional<QString>(table->value(0).value(column))
                   : std::nullopt;
    if (!def->second.contains(column))
        return std::nullopt;
    return table->isEmpty() ? QString() : table->first().value(column);
}

} // namespace

QString layoutFileName(ReportKind kind)
{
    return kind == ReportKind::Syndicate ? u"Zafrano.net"_s : u"Zafrano1.net"_s;
}

Result<QString> fillLayout(const QString &layout, const ReportTables &tables)
{
    static const QRegularExpression block(
        u"<!--\\s*(repetir|sin)\\s+(\\S+)\\s*-->(.*?)<!--\\s*fin\\s*-->"_s,
        QRegularExpression::DotMatchesEverythingOption);
    QString out;
    qsizetype last = 0;
    auto global = [&](const QString &name) { return tableField(tables, name); };
    for (auto it = block.globalMatch(layout); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        Result<QString> before = fillFields(layout.mid(last, match.capturedStart() - last), global);
        if (!before)
            return before;
        out += before.value();
        last = match.capturedEnd();

        const auto table = tables.constFind(match.captured(2));
        if (table == tables.constEnd())
            return layoutError(match.captured(2));
        const QString body = match.captured(3);
        if (match.captured(1) == u"sin"_s) {
            if (table->isEmpty()) {
                Result<QString> filled = fillFields(body, global);
                if (!filled)
                    return filled;
                out += filled.value();
            }
            continue;
        }
        for (qsizetype r = 0; r < table->size(); ++r) {
            const ReportRow &row = table->at(r);
            Result<QString> filled = fillFields(body, [&](const QString &name) {
                if (name == u"#"_s)
                    return std::optional<QString>(QString::number(r + 1));
                if (row.contains(name))
                    return std::optional<QString>(row.value(name));
                return tableField(tables, name);
            });
            if (!filled)
                return filled;
            out += filled.value();
        }
    }
    const QString rest = layout.mid(last);
    if (rest.contains(u"<!-- repetir"_s) || rest.contains(u"<!-- sin"_s))
        return layoutError(u"bloque sin <!-- fin -->"_s);
    Result<QString> tail = fillFields(rest, global);
    if (!tail)
        return tail;
    return out + tail.value();
}

Result<ReportDocument> buildReport(const DataFolder &folder, ReportKind kind)
{
    QFile file(folder.shippedFilePath(layoutFileName(kind)));
    if (!file.exists())
        return Error{ErrorKind::NotFound,
                     {file.fileName(), u"Error"_s, MessageIcon::Information},
                     texts::ErrorFileNotFound};
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorKind::Io,
                     {file.fileName(), u"Error"_s, MessageIcon::Information},
                     texts::ErrorPathFileAccess};
    const QString layout = QString::fromUtf8(file.readAll());
    Result<ReportTables> tables =
        ReportDatabase(folder.filePath(QString::fromUtf16(ReportDatabase::FileName))).readAll();
    if (!tables)
        return tables.error();
    Result<QString> html = fillLayout(layout, tables.value());
    if (!html)
        return html.error();
    static const QRegularExpression titleTag(u"<title>(.*?)</title>"_s,
                                             QRegularExpression::DotMatchesEverythingOption);
    // The title is HTML as the layout filled it: a window title or a PDF's
    // title wants the text ("A & B", not "A &amp; B").
    QString title =
        QTextDocumentFragment::fromHtml(titleTag.match(html.value()).captured(1)).toPlainText();
    title = title.trimmed();
    if (title.isEmpty())
        title = kind == ReportKind::Syndicate ? u"Informe de la peña"_s : u"Informe estadístico"_s;
    return ReportDocument{title, html.value()};
}

void renderReport(const ReportDocument &report, QPagedPaintDevice &device)
{
    QTextDocument document;
    QFont font(u"DejaVu Sans"_s);
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setHtml(report.html);
    document.print(&device);
}

Status writeReportPdf(const ReportDocument &report, const QString &path)
{
    const Error notWritten{ErrorKind::Io, texts::pdfNotWritten(path)};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return notWritten;
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title);
        writer.setCreator(u"Zafrano"_s);
        writer.setPageSize(QPageSize(QPageSize::A4));
        // The document keeps its own 2 cm margins on every page.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        writer.setResolution(300);
        renderReport(report, writer);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return notWritten;
    return {};
}

} // namespace zafrano
