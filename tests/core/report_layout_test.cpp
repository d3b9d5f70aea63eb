// SPDX-License-Identifier: GPL-3.0-or-later
// The report layouts: fields, repeated rows, and the two layouts the program
// ships filled from a written database.
#include "reports/report_layout.h"
#include "test_paths.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;

namespace {

ReportTables someTables()
{
    ReportTables tables;
    tables.insert(u"Peña"_s, {{{u"Nombre"_s, u"A & B <peña>"_s}, {u"Dinero"_s, u"9"_s}}});
    tables.insert(u"Peñanums"_s, {{{u"Numeros"_s, u"1 - 2- 3- 4- 5- 6"_s}},
                                  {{u"Numeros"_s, u"7 - 8- 9-10-11-12"_s}}});
    tables.insert(u"Numeros"_s, {});
    return tables;
}

TEST(ReportLayout, FillsFieldsAndRepeatsRows)
{
    Result<QString> html = fillLayout(
        u"<h1>{Peña.Nombre}</h1><!-- repetir Peñanums --><p>{#}: {Numeros} ({Peña.Dinero})</p>"
        u"<!-- fin --><!-- sin Numeros --><i>nada</i><!-- fin --><!-- sin Peñanums -->X<!-- fin -->"_s,
        someTables());
    ASSERT_TRUE(html) << html.error().message.text.toStdString();
    EXPECT_EQ(html.value(), u"<h1>A &amp; B &lt;peña&gt;</h1><p>1: 1 - 2- 3- 4- 5- 6 (9)</p>"
                            u"<p>2: 7 - 8- 9-10-11-12 (9)</p><i>nada</i>"_s);
}

TEST(ReportLayout, NamesTheDatabaseDoesNotHoldAreErrors)
{
    for (const QString &layout :
         {u"{Peña.Apodo}"_s, u"{Nadie.Nombre}"_s, u"{Nombre}"_s,
          u"<!-- repetir Nadie -->x<!-- fin -->"_s, u"<!-- repetir Peñanums -->{Nombre}"_s}) {
        Result<QString> html = fillLayout(layout, someTables());
        ASSERT_FALSE(html) << layout.toStdString();
        EXPECT_EQ(html.error().number, 20515);
    }
}

class ShippedLayouts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const QString &name : {u"Zafrano.net"_s, u"Zafrano1.net"_s})
            ASSERT_TRUE(
                QFile::copy(QDir(QString::fromUtf8(test::DataDir)).filePath(name), base + name));
        ASSERT_TRUE(
            QFile::copy(QString::fromUtf8(test::ReportDatabaseFile), base + u"Zafrano.mdb"_s));
        QFile::setPermissions(base + u"Zafrano.mdb"_s, QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir dir;
    QString base = dir.path() + u'/';
};

TEST_F(ShippedLayouts, BothReportsFillFromTheDatabase)
{
    const ReportDatabase db(base + u"Zafrano.mdb"_s);
    SyndicateReportRow row;
    row.name = u"BAR <b> & CÍA"_s;
    row.days = u"Todos"_s;
    row.money = 900;
    row.prizes = {4, 1, 0, 1, 0};
    ASSERT_TRUE(db.writeSyndicate({u"5 -12-23- 7-40-49"_s}, row));
    ASSERT_TRUE(db.writeChosenNumbers({{30, 9}, {4, 7}}));

    Result<ReportDocument> syndicate = buildReport(DataFolder(base), ReportKind::Syndicate);
    ASSERT_TRUE(syndicate) << syndicate.error().message.text.toStdString();
    // The title is text, as a window or a PDF shows it.
    EXPECT_EQ(syndicate->title, u"Informe de la peña BAR <b> & CÍA"_s);
    EXPECT_TRUE(syndicate->html.contains(u"5 -12-23- 7-40-49"_s));
    EXPECT_TRUE(syndicate->html.contains(u"9,00 euros"_s));

    Result<ReportDocument> statistics = buildReport(DataFolder(base), ReportKind::Statistics);
    ASSERT_TRUE(statistics) << statistics.error().message.text.toStdString();
    EXPECT_EQ(statistics->title, u"Informe estadístico"_s);
    EXPECT_TRUE(statistics->html.contains(u"<b>30</b>"_s));
}

TEST_F(ShippedLayouts, AMissingLayoutOrDatabaseKeepsItsNumber)
{
    QFile::remove(base + u"Zafrano1.net"_s);
    Result<ReportDocument> report = buildReport(DataFolder(base), ReportKind::Statistics);
    ASSERT_FALSE(report);
    EXPECT_EQ(report.error().number, 53);

    QFile::remove(base + u"Zafrano.mdb"_s);
    report = buildReport(DataFolder(base), ReportKind::Syndicate);
    ASSERT_FALSE(report);
    EXPECT_EQ(report.error().number, -14);
}

} // namespace
