// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/backtest_panel.h"

#include "app/program_data.h"
#include "backtest/backtest_bets.h"
#include "calendar/weekday.h"
#include "printing/backtest_sheet.h"
#include "store/day_serial.h"
#include "store/program_database.h"
#include "systems/table_list.h"
#include "ui/platform.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// The kinds of bets a variant plays, in the order its list offers them.
enum VariantKind
{
    NoVariant,
    PenaBets,
    TypedBets,
    Multiple,
    Table
};

const QStringList &kindNames()
{
    static const QStringList names = {u"(ninguna)"_s, u"Las de la peña"_s, u"Apuestas"_s,
                                      u"Múltiple"_s, u"Tabla de reducción"_s};
    return names;
}

qint64 chartTime(QDate date)
{
    return QDateTime(date, QTime(12, 0)).toMSecsSinceEpoch();
}

} // namespace

BacktestPanel::BacktestPanel(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data) {}

void BacktestPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_figures)
        build();
    if (m_stale)
        refresh();
}

void BacktestPanel::build()
{
    m_filling = true;
    Result<ReductionTables> tables = readReductionTables(m_data.folder().tablesPath());
    if (tables)
        m_tables = std::move(tables).value();

    auto *common = new QGroupBox(u"Sorteos"_s, this);
    m_days = new QComboBox(common);
    m_days->setObjectName(u"BacktestDays"_s);
    m_days->addItems(weekdayNames() + QStringList{everyDrawDay()});
    m_days->setCurrentText(everyDrawDay());
    const QDate last =
        m_data.draws().isEmpty() ? m_data.platform().clock.today() : m_data.draws().last().date();
    const QDate first = m_data.draws().isEmpty() ? last : m_data.draws().first().date();
    m_from = new QDateEdit(std::clamp(firstEuroDraw(), first, last), common);
    m_from->setObjectName(u"BacktestFrom"_s);
    m_to = new QDateEdit(last, common);
    m_to->setObjectName(u"BacktestTo"_s);
    for (QDateEdit *edit : {m_from, m_to}) {
        edit->setDisplayFormat(u"dd/MM/yyyy"_s);
        edit->setCalendarPopup(true);
    }
    m_price = new QLineEdit(common);
    m_price->setObjectName(u"BacktestPrice"_s);
    m_price->setPlaceholderText(u"el de la configuración"_s);
    auto *commonLayout = new QGridLayout(common);
    commonLayout->addWidget(new QLabel(u"Días:"_s, common), 0, 0);
    commonLayout->addWidget(m_days, 0, 1);
    commonLayout->addWidget(new QLabel(u"Precio por apuesta:"_s, common), 0, 2);
    commonLayout->addWidget(m_price, 0, 3);
    commonLayout->addWidget(new QLabel(u"Desde:"_s, common), 1, 0);
    commonLayout->addWidget(m_from, 1, 1);
    commonLayout->addWidget(new QLabel(u"Hasta:"_s, common), 1, 2);
    commonLayout->addWidget(m_to, 1, 3);

    auto *variantsBox = new QGroupBox(u"Qué se juega"_s, this);
    auto *variantsLayout = new QGridLayout(variantsBox);
    for (int v = 0; v < MostVariants; ++v) {
        VariantInputs &inputs = m_inputs[static_cast<std::size_t>(v)];
        const QString suffix = QString::number(v + 1);
        auto *title = new QLabel(u"<b>%1</b>"_s.arg(v + 1), variantsBox);
        title->setStyleSheet(
            u"color: #%1;"_s.arg(VariantColors[static_cast<std::size_t>(v)], 6, 16, QChar(u'0')));
        inputs.kind = new QComboBox(variantsBox);
        inputs.kind->setObjectName(u"BacktestKind"_s + suffix);
        inputs.kind->addItems(kindNames());
        inputs.numbers = new QLineEdit(variantsBox);
        inputs.numbers->setObjectName(u"BacktestNumbers"_s + suffix);
        inputs.detail = new QComboBox(variantsBox);
        inputs.detail->setObjectName(u"BacktestDetail"_s + suffix);
        inputs.detail->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        inputs.detail->setMinimumContentsLength(10);
        variantsLayout->addWidget(title, v, 0);
        variantsLayout->addWidget(inputs.kind, v, 1);
        variantsLayout->addWidget(inputs.detail, v, 2);
        variantsLayout->addWidget(inputs.numbers, v, 3);
        connect(inputs.kind, &QComboBox::currentIndexChanged, this, [this, v] {
            kindChosen(v);
            recompute();
        });
        connect(inputs.numbers, &QLineEdit::textChanged, this, &BacktestPanel::recompute);
        connect(inputs.detail, &QComboBox::currentIndexChanged, this, &BacktestPanel::recompute);
    }
    variantsLayout->setColumnStretch(3, 1);
    m_inputs[0].kind->setCurrentIndex(PenaBets);
    for (int v = 0; v < MostVariants; ++v)
        kindChosen(v);

    m_figures = new QTableWidget(0, 0, this);
    m_figures->setObjectName(u"BacktestFigures"_s);
    m_figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures->setSelectionMode(QAbstractItemView::NoSelection);
    m_figures->verticalHeader()->setDefaultSectionSize(m_figures->fontMetrics().height() + 6);
    m_figures->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // A figure too wide for its column goes on two lines rather than lose its end.
    m_figures->setWordWrap(true);
    m_notes = new QLabel(this);
    m_notes->setObjectName(u"BacktestNotes"_s);
    m_notes->setWordWrap(true);

    auto *chart = new QChart;
    chart->setTitle(u"Neto acumulado (€)"_s);
    chart->setMargins({0, 0, 0, 0});
    // The euro axis in the program's Spanish: "1.250", not "1250".
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_dates = new QDateTimeAxis(chart);
    m_dates->setFormat(u"MM/yyyy"_s);
    m_dates->setTickCount(4);
    m_euros = new QValueAxis(chart);
    m_euros->setLabelFormat(u"%.0f"_s);
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_euros, Qt::AlignLeft);
    for (int v = 0; v < MostVariants; ++v) {
        auto *line = new QLineSeries(chart);
        line->setColor(QColor::fromRgb(VariantColors[static_cast<std::size_t>(v)]));
        chart->addSeries(line);
        line->attachAxis(m_dates);
        line->attachAxis(m_euros);
        m_lines[static_cast<std::size_t>(v)] = line;
    }
    auto *chartView = new QChartView(chart, this);
    chartView->setObjectName(u"BacktestChart"_s);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(220);

    auto *print = new QPushButton(u"Imprimir"_s, this);
    print->setObjectName(u"BacktestPrint"_s);
    connect(print, &QPushButton::clicked, this, &BacktestPanel::printAsked);

    connect(m_days, &QComboBox::currentIndexChanged, this, &BacktestPanel::recompute);
    connect(m_from, &QDateEdit::dateChanged, this, &BacktestPanel::recompute);
    connect(m_to, &QDateEdit::dateChanged, this, &BacktestPanel::recompute);
    connect(m_price, &QLineEdit::textChanged, this, &BacktestPanel::recompute);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->addWidget(common);
    layout->addWidget(variantsBox);
    layout->addWidget(m_figures);
    layout->addWidget(m_notes);
    layout->addWidget(chartView, 1);
    layout->addWidget(print, 0, Qt::AlignLeft);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(u"BacktestScroll"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    scroll->setWidget(content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    m_filling = false;
}

void BacktestPanel::kindChosen(int variant)
{
    const VariantInputs &inputs = m_inputs[static_cast<std::size_t>(variant)];
    const int kind = inputs.kind->currentIndex();
    const bool filling = std::exchange(m_filling, true);
    inputs.detail->clear();
    if (kind == Multiple) {
        for (int k = 5; k <= 11; ++k)
            inputs.detail->addItem(u"%1 números"_s.arg(k), k);
        inputs.detail->setCurrentIndex(2);
    } else if (kind == Table) {
        const QStringList entries = chooserEntries(m_tables);
        for (qsizetype t = 0; t < entries.size(); ++t)
            inputs.detail->addItem(u"%1: %2"_s.arg(t).arg(entries[t]), int(t));
    }
    inputs.detail->setVisible(kind == Multiple || kind == Table);
    inputs.numbers->setEnabled(kind == TypedBets || kind == Multiple || kind == Table);
    inputs.numbers->setPlaceholderText(kind == TypedBets ? u"1 2 3 4 5 6; 7 8 9 10 11 12"_s
                                       : kind == Multiple || kind == Table
                                           ? u"los números: 3 7 12 …"_s
                                           : QString());
    m_filling = filling;
}

void BacktestPanel::showSyndicate(int record)
{
    m_record = record;
    m_stale = true;
    if (isVisible())
        refresh();
}

void BacktestPanel::playNumbers(const EditorRequest &request)
{
    if (!m_figures)
        build();
    const VariantInputs &inputs = m_inputs[0];
    m_filling = true;
    QStringList words;
    for (int number : request.numbers)
        words.append(QString::number(number));
    if (request.editorKind == EditorKind::Reduced) {
        inputs.kind->setCurrentIndex(Table);
        inputs.detail->setCurrentIndex(inputs.detail->findData(request.reductionTableIndex));
    } else if (request.editorKind == EditorKind::Simple) {
        inputs.kind->setCurrentIndex(TypedBets);
    } else {
        inputs.kind->setCurrentIndex(Multiple);
        inputs.detail->setCurrentIndex(inputs.detail->findData(int(request.numbers.size())));
    }
    inputs.numbers->setText(words.join(u' '));
    m_filling = false;
    recompute();
}

void BacktestPanel::refresh()
{
    m_stale = false;
    m_sourcesProblem.clear();
    m_reintegro.reset();
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    Result<BacktestSources> sources =
        db ? readBacktestSources(*db, centsFromEuros(m_data.settings().pricePerBet),
                                 m_data.platform().clock.today())
           : Result<BacktestSources>(db.error());
    if (sources)
        m_sources = std::move(sources).value();
    else
        m_sourcesProblem = sources.error().message.text;
    const QList<SyndicateRecord> &syndicates = m_data.syndicates();
    if (db && m_record >= 1 && m_record <= syndicates.size()) {
        const SyndicateRecord &syndicate = syndicates[m_record - 1];
        Result<std::optional<ReintegroDigit>> digit = syndicateReintegro(*db, syndicate.nameText());
        if (digit)
            m_reintegro = *digit;
        Result<QString> days = playingDaysFromText(syndicate.daysText());
        const bool filling = std::exchange(m_filling, true);
        m_days->setCurrentText(days ? *days : everyDrawDay());
        m_filling = filling;
    }
    recompute();
}

BacktestVariant BacktestPanel::variantOf(const VariantInputs &inputs) const
{
    const auto refused = [](const QString &label, const Error &error) {
        return BacktestVariant{label, std::nullopt, error.message.text};
    };
    const int kind = inputs.kind->currentIndex();
    const QString typed = inputs.numbers->text();
    BacktestRequest request;
    QString label;
    if (kind == PenaBets) {
        const QList<SyndicateRecord> &syndicates = m_data.syndicates();
        if (m_record < 1 || m_record > syndicates.size())
            return {kindNames()[PenaBets], std::nullopt, u"No hay ninguna peña elegida."_s};
        request.bets = syndicates[m_record - 1];
        request.reintegro = m_reintegro;
        label = u"Peña "_s + request.bets.nameText();
    } else if (kind == TypedBets) {
        label = u"Apuestas"_s;
        Result<QList<QList<int>>> bets = betsFromText(typed);
        Result<SyndicateRecord> record =
            bets ? simpleBets(*bets) : Result<SyndicateRecord>(bets.error());
        if (!record)
            return refused(label, record.error());
        request.bets = *record;
        label = request.bets.betCount == 1 ? u"1 apuesta"_s
                                           : u"%1 apuestas"_s.arg(request.bets.betCount);
    } else {
        const int detail = inputs.detail->currentData().toInt();
        label = kind == Multiple ? u"Múltiple de %1"_s.arg(detail) : u"Tabla %1"_s.arg(detail);
        if (kind == Table && detail >= 0 && detail < m_tables.tables.size())
            label += u" (%1 al %2)"_s.arg(m_tables.tables[detail].numbers)
                         .arg(m_tables.tables[detail].guarantee);
        Result<QList<int>> numbers = numbersFromText(typed);
        if (!numbers)
            return refused(label, numbers.error());
        Result<SyndicateRecord> record = kind == Multiple
                                             ? multipleBet(detail, *numbers)
                                             : reducedSystem(m_tables, detail, *numbers);
        if (!record)
            return refused(label, record.error());
        request.bets = *record;
    }
    request.days = m_days->currentText();
    request.from = m_from->date();
    request.to = m_to->date();
    request.prices = m_sources.prices;
    if (!m_price->text().trimmed().isEmpty()) {
        Result<Cents> price = amountFromText(m_price->text());
        if (!price)
            return refused(label, price.error());
        request.prices = {{QDate(1985, 1, 1), *price}};
    }
    Result<Backtest> result = runBacktest(request, m_data.draws(), m_sources.lookup());
    if (!result)
        return refused(label, result.error());
    return {label, std::move(result).value(), {}};
}

void BacktestPanel::recompute()
{
    if (m_filling || !m_figures)
        return;
    m_variants.clear();
    for (const VariantInputs &inputs : m_inputs) {
        if (inputs.kind->currentIndex() != NoVariant)
            m_variants.append(variantOf(inputs));
    }

    // The figures, one column each.
    QStringList labels;
    QStringList heads;
    for (const BacktestVariant &variant : m_variants) {
        heads.append(variant.label);
        if (variant.result && labels.isEmpty()) {
            for (const BacktestFigure &figure : backtestFigures(*variant.result))
                labels.append(figure.label);
        }
    }
    m_figures->clear();
    m_figures->setColumnCount(int(m_variants.size()));
    m_figures->setRowCount(int(std::max<qsizetype>(labels.size(), 1)));
    m_figures->setHorizontalHeaderLabels(heads);
    m_figures->setVerticalHeaderLabels(labels);
    QStringList notes;
    if (!m_sourcesProblem.isEmpty())
        notes.append(m_sourcesProblem);
    for (int column = 0; column < m_variants.size(); ++column) {
        const BacktestVariant &variant = m_variants[column];
        if (!variant.result) {
            auto *item = new QTableWidgetItem(variant.problem);
            item->setToolTip(variant.problem);
            item->setForeground(QColor(0xa0, 0x20, 0x20));
            m_figures->setItem(0, column, item);
            continue;
        }
        const QList<BacktestFigure> figures = backtestFigures(*variant.result);
        for (int row = 0; row < figures.size(); ++row) {
            auto *item = new QTableWidgetItem(figures[row].value);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setToolTip(figures[row].value);
            m_figures->setItem(row, column, item);
        }
        for (const QString &note : backtestNotes(*variant.result)) {
            const QString said =
                note.startsWith(u"Premios aún"_s) ? variant.label + u": "_s + note : note;
            if (!notes.contains(said))
                notes.append(said);
        }
    }
    m_figures->resizeRowsToContents();
    int height = m_figures->horizontalHeader()->sizeHint().height() + 2 * m_figures->frameWidth();
    for (int row = 0; row < m_figures->rowCount(); ++row)
        height += m_figures->rowHeight(row);
    m_figures->setFixedHeight(height);
    m_notes->setText(notes.join(u'\n'));

    // One line of net euros each.
    Cents lowest = 0, highest = 100;
    QDate first = m_from->date(), last = m_to->date();
    for (std::size_t v = 0; v < m_lines.size(); ++v) {
        QList<QPointF> points;
        const BacktestVariant *variant =
            v < std::size_t(m_variants.size()) ? &m_variants[qsizetype(v)] : nullptr;
        if (variant && variant->result) {
            for (const NetPoint &point : chartPoints(variant->result->cumulative, 600)) {
                points.append(QPointF(chartTime(point.date), eurosFromCents(point.net)));
                lowest = std::min(lowest, point.net);
                highest = std::max(highest, point.net);
            }
        }
        m_lines[v]->replace(points);
        m_lines[v]->setName(variant ? variant->label : QString());
        m_lines[v]->setVisible(variant && variant->result);
    }
    m_dates->setRange(QDateTime(first, QTime(0, 0)), QDateTime(last.addDays(1), QTime(0, 0)));
    m_euros->setRange(eurosFromCents(lowest), eurosFromCents(highest));
    // Round steps (0, 250, 500…), not the range's own ends (-4, 246, 496…).
    m_euros->applyNiceNumbers();
}

QString BacktestPanel::periodText() const
{
    const QString days = m_days->currentText() == everyDrawDay()
                             ? u"todos los días de sorteo"_s
                             : u"los "_s + m_days->currentText().toLower();
    const QString price = m_price->text().trimmed().isEmpty()
                              ? u"el precio de la configuración en cada fecha"_s
                              : u"a "_s + m_price->text().trimmed() + u" € la apuesta"_s;
    return u"Del %1 al %2, %3, %4."_s.arg(shortDate(m_from->date()), shortDate(m_to->date()), days,
                                          price);
}

void BacktestPanel::printAsked()
{
    if (m_variants.isEmpty()) {
        m_data.platform().messages.show({u"Elija antes qué se juega."_s,
                                         u"¿Cuánto habría ganado?"_s, MessageIcon::Information});
        return;
    }
    m_data.platform().desktop.previewDocument(backtestSheet(periodText(), m_variants),
                                              u"¿Cuánto habría ganado?"_s);
}

} // namespace zafrano::gui
