// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics filter as the player uses it: the two mirrored groups, the
// period box and its sliders, "Comparativa" and the chart halves, and step 2
// of the assistant on "Crear Combinación".
#include "app/program_data.h"
#include "gui_test_support.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace zafrano;
using test::ProgramFolder;
using test::ProgramRun;

namespace {

constexpr int StatisticsTab = 3;
constexpr int CreateTab = 4;
const QDate Today(2026, 8, 21); // a Friday

// Four draws in the last week, a Sunday among them, and one in May.
QList<DrawRecord> someDraws()
{
    return {test::makeDraw(QDate(2026, 5, 4), {1, 2, 3, 6, 7, 8}, 9, 1),         // Monday
            test::makeDraw(QDate(2026, 8, 15), {1, 11, 21, 31, 41, 49}, 5, 2),   // Saturday
            test::makeDraw(QDate(2026, 8, 16), {2, 12, 22, 32, 42, 48}, 6, 3),   // Sunday
            test::makeDraw(QDate(2026, 8, 17), {1, 2, 3, 4, 5, 25}, 49, 4),      // Monday
            test::makeDraw(QDate(2026, 8, 18), {1, 10, 20, 25, 30, 40}, 44, 5)}; // Tuesday
}

QCheckBox *box(const ProgramRun &run, int index)
{
    return run.window.findChild<QCheckBox *>(u"Check3_"_s + QString::number(index));
}

QString labelText(const ProgramRun &run, const QString &name)
{
    auto *label = run.window.findChild<QLabel *>(name);
    return label ? label->text() : QString();
}

QBarSeries *chartSeries(const ProgramRun &run)
{
    auto *view = run.window.findChild<QChartView *>(u"MSChart1"_s);
    if (!view || view->chart()->series().size() != 1)
        return nullptr;
    return qobject_cast<QBarSeries *>(view->chart()->series().first());
}

QStringList chartCategories(const ProgramRun &run)
{
    auto *view = run.window.findChild<QChartView *>(u"MSChart1"_s);
    const auto axes = view->chart()->axes(Qt::Horizontal);
    auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
    return axis ? axis->categories() : QStringList();
}

const QList<int> FilterDays = {0, 1, 9, 13, 10, 14, 17};
const QList<int> StepOneBoxes = {3, 4, 7, 8, 11, 12, 15, 16, 18};

} // namespace

class StatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void groupsMirrorEachOtherAndRecount();
    void periodBoxShowsSlidersThatMoveTogether();
    void comparisonLocksTheDaysAndSplitsTheChart();
    void slidersReachTheMonthsOfTheSettings();
    void assistantRanksAndLocksStepOne();
    void theDrawsListShowsWholeDatesAtTheFirstSize();
};

void StatisticsTest::groupsMirrorEachOtherAndRecount()
{
    ProgramFolder folder;
    QVERIFY(folder.writeDraws(someDraws()));
    ProgramRun run(folder, Today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    const gui::ProgramData &data = run.window.data();

    QCOMPARE(data.listing().count(), 5);
    QCOMPARE(labelText(run, u"Label21"_s),
             u"-Tiene seleccionados todos los sorteos. Desde el 04/05/2026 al 18/08/2026, en "
             u"total, 5 sorteos en la base de datos."_s);
    QCOMPARE(labelText(run, u"Label27"_s), u"-Ha seleccionado TODOS los sorteos de la semana."_s);

    // Unticking Monday in the filter unticks it in "Paso 1" and drops the
    // Monday draws; unticking Sunday in "Paso 1" drops the Sunday one too.
    QTest::mouseClick(box(run, 0), Qt::LeftButton);
    QVERIFY(!box(run, 3)->isChecked());
    QCOMPARE(data.listing().count(), 3);
    QCOMPARE(labelText(run, u"Label27"_s),
             u"-Ha seleccionado sólo los números de los sorteos del MARTES, MIÉRCOLES, JUEVES, "
             u"VIERNES, SÁBADO y DOMINGO."_s);
    QCOMPARE(box(run, 18)->text(), u"Dom"_s);
    box(run, 18)->click();
    QVERIFY(!box(run, 17)->isChecked());
    QCOMPARE(data.listing().count(), 2);
    QCOMPARE(data.listing().counts.timesOf(1), 2);
    QCOMPARE(labelText(run, u"Label27"_s),
             u"-Ha seleccionado sólo los números de los sorteos del MARTES, MIÉRCOLES, JUEVES, "
             u"VIERNES Y SÁBADO."_s);
    QCOMPARE(labelText(run, u"Label12"_s), u"TOTAL: 2 sorteos."_s);

    // And back from the other group.
    box(run, 3)->click();
    box(run, 17)->click();
    QVERIFY(box(run, 0)->isChecked());
    QVERIFY(box(run, 18)->isChecked());
    QCOMPARE(data.listing().count(), 5);
    QCOMPARE(data.listing().counts.timesOf(2), 3); // the Sunday draw is back
    QVERIFY(run.fake.messages.shown.isEmpty());
}

void StatisticsTest::periodBoxShowsSlidersThatMoveTogether()
{
    ProgramFolder folder;
    QVERIFY(folder.writeDraws(someDraws()));
    ProgramRun run(folder, Today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    const gui::ProgramData &data = run.window.data();
    FIND_CHILD(QSlider, filterSlider, run.window, u"Slider1_0"_s);
    FIND_CHILD(QSlider, stepOneSlider, run.window, u"Slider1_1"_s);
    QVERIFY(filterSlider->isHidden());

    // The period box of "Paso 1" unticks "Todos" in both groups.
    box(run, 8)->click();
    QVERIFY(box(run, 6)->isChecked());
    QVERIFY(!box(run, 5)->isChecked());
    QVERIFY(!box(run, 7)->isChecked());
    QVERIFY(!filterSlider->isHidden());
    QVERIFY(!stepOneSlider->isHidden());
    QCOMPARE(box(run, 6)->text(), u"Último mes"_s);
    QCOMPARE(data.listing().count(), 4);
    QCOMPARE(labelText(run, u"Label21"_s),
             u"-Tiene seleccionados sólo el último mes de sorteos, desde el 15/08/2026 al "
             u"18/08/2026, en total, 4 sorteos en la base de datos."_s);

    // Four months (122 days) reach the May draw; two (61 days) do not.
    stepOneSlider->setValue(4);
    QCOMPARE(filterSlider->value(), 4);
    QCOMPARE(box(run, 6)->text(), u"Últimos 4 meses"_s);
    QCOMPARE(box(run, 8)->text(), u"Últimos 4 meses"_s);
    QCOMPARE(data.listing().count(), 5);
    filterSlider->setValue(2);
    QCOMPARE(stepOneSlider->value(), 2);
    QCOMPARE(data.listing().count(), 4);
    QVERIFY(labelText(run, u"Label21"_s)
                .startsWith(u"-Tiene seleccionados los últimos 2 meses de sorteos, desde el "_s));

    // Ticking "Todos" again hides the sliders and counts everything.
    box(run, 5)->click();
    QVERIFY(!box(run, 6)->isChecked());
    QVERIFY(!box(run, 8)->isChecked());
    QVERIFY(box(run, 7)->isChecked());
    QVERIFY(filterSlider->isHidden());
    QCOMPARE(data.listing().count(), 5);
}

void StatisticsTest::comparisonLocksTheDaysAndSplitsTheChart()
{
    ProgramFolder folder;
    QVERIFY(folder.writeDraws(someDraws()));
    ProgramRun run(folder, Today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    FIND_CHILD(QGroupBox, legend, run.window, u"Frame5"_s);
    FIND_CHILD(QScrollBar, halves, run.window, u"HScroll2"_s);
    QVERIFY(legend->isHidden());
    QBarSeries *series = chartSeries(run);
    QVERIFY(series);
    QCOMPARE(series->count(), 1);
    QCOMPARE(chartCategories(run).first(), u"1"_s);
    QCOMPARE(chartCategories(run).last(), u"25"_s);
    QCOMPARE(series->barSets().first()->at(0), 4.0); // number 1

    box(run, 0)->click(); // Monday off first
    box(run, 2)->click(); // "Comparativa"
    for (int index : FilterDays + QList<int>{3, 4, 11, 15, 12, 16, 18}) {
        QVERIFY2(box(run, index)->isChecked(), qPrintable(QString::number(index)));
        QVERIFY2(!box(run, index)->isEnabled(), qPrintable(QString::number(index)));
    }
    QVERIFY(!legend->isHidden());
    QCOMPARE(run.window.data().listing().count(), 5);
    series = chartSeries(run);
    QVERIFY(series);
    QStringList labels;
    for (QBarSet *set : series->barSets())
        labels.append(set->label());
    QCOMPARE(labels, (QStringList{u"Lunes"_s, u"Martes"_s, u"Miércoles"_s, u"Jueves"_s,
                                  u"Viernes"_s, u"Sábado"_s, u"Domingo"_s}));

    // The second half starts at 25, counted once on Monday and once on Tuesday.
    halves->setValue(2);
    QCOMPARE(chartCategories(run).first(), u"25"_s);
    QCOMPARE(chartCategories(run).last(), u"49"_s);
    series = chartSeries(run);
    QCOMPARE(series->barSets()[0]->at(0), 1.0);
    QCOMPARE(series->barSets()[1]->at(0), 1.0);
    QCOMPARE(series->barSets()[5]->at(0), 0.0);
    QCOMPARE(series->barSets()[6]->at(0), 0.0);

    // Unticked, the days are free again but stay ticked.
    box(run, 2)->click();
    for (int index : FilterDays) {
        QVERIFY(box(run, index)->isChecked());
        QVERIFY(box(run, index)->isEnabled());
    }
    QVERIFY(legend->isHidden());
    series = chartSeries(run);
    QCOMPARE(series->count(), 1);
    QCOMPARE(series->barSets().first()->at(0), 2.0); // 25 in the second half
    QCOMPARE(chartCategories(run).first(), u"25"_s);
}

void StatisticsTest::slidersReachTheMonthsOfTheSettings()
{
    for (const auto &[months, maximum] : {std::pair{0, 12}, std::pair{30, 30}}) {
        ProgramFolder folder;
        Settings settings;
        settings.maxMonths = qint16(months);
        QVERIFY(folder.writeSettings(settings));
        ProgramRun run(folder, Today);
        QVERIFY(run.window.startUp());
        FIND_CHILD(QSlider, slider, run.window, u"Slider1_0"_s);
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), maximum);
    }
}

void StatisticsTest::assistantRanksAndLocksStepOne()
{
    ProgramFolder folder;
    QVERIFY(folder.writeDraws(someDraws()));
    ProgramRun run(folder, Today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(CreateTab));
    FIND_CHILD(QPushButton, automatic, run.window, u"Command9"_s);
    FIND_CHILD(QSlider, count, run.window, u"Slider2"_s);
    FIND_CHILD(QPushButton, back, run.window, u"Image4"_s);
    QVERIFY(automatic->isEnabled());
    QVERIFY(!count->isVisible());

    QTest::mouseClick(automatic, Qt::LeftButton);
    QVERIFY(!automatic->isVisible());
    QVERIFY(count->isVisible());
    QCOMPARE(labelText(run, u"Label23"_s), u"Ha seleccionado 0 números."_s);

    // 1 four times, 2 three times, then 3 and 25 twice: ties in number order.
    // The complementario 49 of the Monday draw does not count.
    count->setValue(3);
    QCOMPARE(labelText(run, u"Label23"_s), u"Ha seleccionado 3 números."_s);
    const gui::ProgramData &data = run.window.data();
    QCOMPARE(data.rankedNumbers().mid(0, 4), (QList<int>{1, 2, 3, 25}));
    QCOMPARE(data.chosenNumbers(), (QList<RankedNumber>{{1, 4}, {2, 3}, {3, 2}}));
    for (int index : StepOneBoxes)
        QVERIFY2(!box(run, index)->isEnabled(), qPrintable(QString::number(index)));
    QVERIFY(box(run, 0)->isEnabled()); // the statistics tab's own group stays free

    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(count->value(), 0);
    QCOMPARE(labelText(run, u"Label23"_s), u"Ha seleccionado 0 números."_s);
    for (int index : StepOneBoxes)
        QVERIFY(box(run, index)->isEnabled());

    // Leaving the tab puts it back in its opening state.
    count->setValue(6);
    run.window.findChild<QTabWidget *>(u"SSTab1"_s)->setCurrentIndex(0);
    QVERIFY(!automatic->isHidden());
    QVERIFY(count->value() == 0);
    QVERIFY(box(run, 3)->isEnabled());
    QVERIFY(run.fake.messages.shown.isEmpty());
}

void StatisticsTest::theDrawsListShowsWholeDatesAtTheFirstSize()
{
    ProgramFolder folder;
    QList<DrawRecord> draws = someDraws();
    draws << test::makeDraw(QDate(2026, 8, 19), {1, 12, 23, 34, 45, 46}, 7, 3); // a Wednesday
    QVERIFY(folder.writeDraws(draws));
    ProgramRun run(folder, Today);
    QVERIFY(run.window.startUp());
    QVERIFY(run.showTab(StatisticsTab));
    FIND_CHILD(QTableView, list, run.window, u"ListView3"_s);
    // No entry is cut, "Miércoles" included.
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const QModelIndex cell = list->model()->index(row, column);
            QVERIFY2(list->columnWidth(column) >= list->sizeHintForIndex(cell).width(),
                     qPrintable(cell.data().toString()));
        }
    }
}

QTEST_MAIN(StatisticsTest)
#include "test_statistics.moc"
