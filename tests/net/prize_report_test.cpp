// SPDX-License-Identifier: GPL-3.0-or-later
// The prize report of the draw page, the document's address (whose host the
// page cannot change), the document check and the maker's announced address.
#include "net/news_check.h"
#include "net/prize_report.h"
#include "net/results_page.h"
#include "net_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {
const QUrl Operator(u"http://127.0.0.1:8088"_s);
}

TEST(PrizeReport, ReadsTheFivePrizesAndTheRepairedDocumentLink)
{
    const PrizeReport report =
        readPrizeReport(savedPageBytes(operatorPage(u"sorteo.html"_s)), Operator);
    EXPECT_EQ(report.prizes,
              (QStringList{u"612.345,67"_s, u"45.678,90"_s, u"1.234,56"_s, u"31,20"_s, u"4,00"_s}));
    EXPECT_EQ(report.documentUrl.host(), u"127.0.0.1"_s);
    EXPECT_EQ(report.documentUrl.port(), 8088);
    EXPECT_EQ(report.documentUrl.path(),
              u"/f/loterias/documentos/Bonoloto/premios/LOTERÍA-bonoloto-20261207.pdf"_s);
}

TEST(PrizeReport, APageWithoutTableOrLinkLeavesEverythingEmpty)
{
    for (const QByteArray &page : {savedPageBytes(operatorPage(u"sorteo-sin-premios.html"_s)),
                                   QByteArray(), savedPageBytes("<td>")}) {
        const PrizeReport report = readPrizeReport(page, Operator);
        EXPECT_EQ(report.prizes, QStringList(5));
        EXPECT_TRUE(report.documentUrl.isEmpty());
    }
    EXPECT_TRUE(prizesNotYetText().contains(u"Los datos del sorteo aún no están disponibles."_s));
}

TEST(PrizeReport, TheDocumentHostIsAlwaysTheOperators)
{
    for (const QByteArray &path :
         {QByteArray("@evil.example/premios"), QByteArray("//evil.example/premios"),
          QByteArray("/a/../@evil.example:80/x"), QByteArray(".evil.example/x")}) {
        const QUrl url = documentUrlFor(path, Operator);
        if (!url.isEmpty()) {
            EXPECT_EQ(url.host(), u"127.0.0.1"_s) << path.constData();
        }
    }
    EXPECT_TRUE(documentUrlFor("http://evil.example/x", Operator).isEmpty());
    EXPECT_TRUE(documentUrlFor("\\\\evil.example\\x", Operator).isEmpty());
    const QUrl plain = documentUrlFor("/docs/premios\x81", Operator);
    EXPECT_EQ(plain.toString(), u"http://127.0.0.1:8088/docs/premios.pdf"_s);
}

TEST(PrizeReport, TheDocumentIsShownOnlyWhenLinkedFetchedAndAPdf)
{
    EXPECT_TRUE(documentAvailable("%PDF", true, true));
    EXPECT_TRUE(documentAvailable("%pdf", true, true));
    EXPECT_FALSE(documentAvailable("<htm", true, true));
    EXPECT_FALSE(documentAvailable("", true, true));
    EXPECT_FALSE(documentAvailable("%PDF", false, true));
    EXPECT_FALSE(documentAvailable("%PDF", true, false));
}

TEST(NewsAddress, OnlyAPlainHostWithAnOptionalPathIsTaken)
{
    EXPECT_EQ(acceptedWebAddress(u"  www.zafrano.es/descargas "_s), u"www.zafrano.es/descargas"_s);
    EXPECT_EQ(acceptedWebAddress(u"zafrano.es"_s), u"zafrano.es"_s);
    for (const QString &bad :
         {u"http://zafrano.es"_s, u"zafrano.es\" onload=\"x"_s, u"zafrano .es"_s, u""_s,
          u"user@evil.example"_s, u"evil.example:8080"_s, u"javascript:alert(1)"_s,
          QString(61, u'a')}) {
        EXPECT_TRUE(acceptedWebAddress(bad).isEmpty()) << bad.toStdString();
    }
}

TEST(NewsCheck, RunsForAPlayerWithSyndicatesTwoDaysAfterTheNewestDraw)
{
    const QDate newest(2026, 12, 7);
    EXPECT_FALSE(newsCheckDue(newest, newest.addDays(1), true));
    EXPECT_TRUE(newsCheckDue(newest, newest.addDays(2), true));
    EXPECT_FALSE(newsCheckDue(newest, newest.addDays(9), false));
    EXPECT_FALSE(newsCheckDue(QDate(), newest, true));
    EXPECT_EQ(newsUrl(u" WWW.Zafrano.es/Noticias  "_s).toString(),
              u"http://www.zafrano.es/noticias/binforme.dat"_s);
}

TEST(NewsCheck, TheConfiguredNewsAddressIsAWebAddressOrNone)
{
    qputenv(NewsUrlVariable, "http://127.0.0.1:8088/binforme.dat");
    EXPECT_EQ(configuredNewsUrl({})->toString(), u"http://127.0.0.1:8088/binforme.dat"_s);
    for (const char *refused : {"file:///etc/passwd", "ftp://h/binforme.dat", "off", "no es"}) {
        qputenv(NewsUrlVariable, refused);
        EXPECT_FALSE(configuredNewsUrl({}).has_value()) << refused;
    }
    qunsetenv(NewsUrlVariable);
}

TEST(NewsCheck, OnlyLongerChangedNewsIsShownAndMovesTheAddress)
{
    const QByteArray padding(320, 'x');
    const QByteArray news = "<html><!-- web:nuevo.zafrano.es/web> -->" + padding + "</html>";
    const NewsVerdict moved = judgeNews("viejo", news, u"www.zafrano.es"_s);
    EXPECT_TRUE(moved.fresh);
    EXPECT_EQ(moved.newWebAddress, u"nuevo.zafrano.es/web"_s);

    // 300 characters or less, or the same length as before: no news at all.
    EXPECT_FALSE(judgeNews("viejo", news.left(300), u"www.zafrano.es"_s).fresh);
    EXPECT_FALSE(judgeNews(QByteArray(news.size(), 'o'), news, u"www.zafrano.es"_s).fresh);
    // The same address, a blank one, or one that is not a plain host changes nothing.
    EXPECT_TRUE(judgeNews("viejo", news, u"nuevo.zafrano.es/web "_s).newWebAddress.isEmpty());
    EXPECT_TRUE(judgeNews("viejo", "web:   >" + padding, u"a.es"_s).newWebAddress.isEmpty());
    const NewsVerdict unsafe =
        judgeNews("viejo", "web:http://evil.example/\" x>" + padding, u"a.es"_s);
    EXPECT_TRUE(unsafe.fresh);
    EXPECT_TRUE(unsafe.newWebAddress.isEmpty());
}
