// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/last_draw_tab.h"

#include "app/program_data.h"
#include "calendar/weekday.h"
#include "checking/prize_category.h"
#include "common/money.h"
#include "net/document_fetch.h"
#include "net/draw_intake.h"
#include "net/prize_report.h"
#include "net/results_page.h"
#include "store/record_file.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

LastDrawTab::LastDrawTab(ProgramData &data, const QUrl &operatorBase, int requestTimeoutMs,
                         QWidget *parent)
    : QWidget(parent), m_data(data), m_operatorBase(operatorBase),
      m_fetch(std::make_unique<DocumentFetch>(m_network, requestTimeoutMs))
{
    setObjectName(u"LastDrawTab"_s);
    auto *layout = new QVBoxLayout(this);
    m_heading = new QLabel(u"Un momento. Actualizando información..."_s, this);
    m_heading->setObjectName(u"Label8"_s);
    m_heading->setAutoFillBackground(true);
    m_heading->setStyleSheet(u"font-weight: bold; background: rgb(224, 224, 224);"_s);
    layout->addWidget(m_heading);

    auto *grid = new QGridLayout;
    for (int k = 0; k < static_cast<int>(PrizeCategories.size()); ++k) {
        grid->addWidget(new QLabel(QString::fromUtf16(PrizeCategories[k].name) + u':', this), k, 0);
        auto *prize = new QLabel(this);
        prize->setObjectName(u"Label10_"_s + QString::number(k));
        prize->setStyleSheet(u"font-weight: bold;"_s);
        grid->addWidget(prize, k, 1);
        grid->addWidget(new QLabel(u"euros"_s, this), k, 2);
        m_prizes.append(prize);
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);

    m_message = new QPlainTextEdit(this);
    m_message->setObjectName(u"Text1"_s);
    m_message->setReadOnly(true);
    layout->addWidget(m_message, 1);
    m_document = new QPdfDocument(this);
    // The pages are drawn once into pictures: Qt's own PDF view keeps a
    // gesture recognizer alive past the window.
    m_viewer = new QScrollArea(this);
    m_viewer->setObjectName(u"WebBrowser1"_s);
    m_viewer->setWidgetResizable(true);
    m_viewer->setBackgroundRole(QPalette::Dark);
    m_pages = new QWidget(m_viewer);
    m_pagesLayout = new QVBoxLayout(m_pages);
    m_pagesLayout->setAlignment(Qt::AlignHCenter);
    m_viewer->setWidget(m_pages);
    m_viewer->hide();
    layout->addWidget(m_viewer, 1);

    connect(m_fetch.get(), &DocumentFetch::finished, this, &LastDrawTab::documentArrived);
}

LastDrawTab::~LastDrawTab() = default;

bool LastDrawTab::messageShown() const
{
    return !m_message->isHidden();
}

void LastDrawTab::showMessage(const QString &text)
{
    m_viewer->hide();
    m_message->show();
    m_message->setPlainText(text);
}

void LastDrawTab::refreshWhenOpened()
{
    m_heading->setText(u"Un momento. Actualizando información..."_s);
    m_heading->setStyleSheet(u"font-weight: bold; background: rgb(255, 128, 0);"_s);
    m_heading->repaint();
    showReport(false);
    m_heading->setStyleSheet(u"font-weight: bold; background: rgb(224, 224, 224);"_s);
}

void LastDrawTab::showReport(bool fetchDocument)
{
    m_viewer->hide();
    m_message->show();
    m_documentUrl.clear();
    const CalendarStatus &calendar = m_data.calendar();
    if (calendar.hasDraws())
        m_heading->setText(u"-Informe del "_s + longSpanishDate(calendar.lastDraw.date()));

    const QString pagePath =
        m_data.folder().filePath(QString::fromUtf16(DataFolder::SavedDrawPageName));
    Result<QByteArray> page = readFileCapped(pagePath, MaxSavedPageBytes);
    const PrizeReport report =
        readPrizeReport(page ? QByteArrayView(page.value()) : QByteArrayView(), m_operatorBase);
    for (int k = 0; k < 5; ++k)
        m_prizes[k]->setText(report.prizes.value(k));
    if (report.prizes.join(QString()).isEmpty() && calendar.hasDraws())
        showStoredPrizes(calendar.lastDraw.date());
    m_documentUrl = report.documentUrl;
    if (m_documentUrl.isEmpty()) {
        m_message->setPlainText(prizesNotYetText());
        return;
    }
    if (!fetchDocument) {
        showDocument();
        return;
    }
    m_document->close();
    if (!m_fetch->start(m_data.folder(), m_documentUrl)) {
        m_documentFetched = false;
        showMessage(prizesNotYetText());
        return;
    }
    m_documentFetched = true;
    m_message->setPlainText(u"Un momento. Actualizando información..."_s);
}

void LastDrawTab::documentArrived()
{
    // What did not come leaves no tuv.pdf, so the display says the data are not there.
    if (!m_fetch->result())
        m_documentFetched = false;
    showDocument();
}

void LastDrawTab::showStoredPrizes(QDate date)
{
    // The start-up has said what is wrong with an unreadable zafrano.db: the
    // boxes then stay as the page filled them.
    const Result<std::optional<DrawPrizes>> stored = prizesOfDraw(m_data.folder(), date);
    if (!stored || !stored.value())
        return;
    const std::optional<DrawPrizes> &prizes = stored.value();
    for (int k = 0; k < 5; ++k)
        m_prizes[k]->setText(prizes->cents[k] ? moneyText(*prizes->cents[k]) : QString());
}

void LastDrawTab::showDocument()
{
    const QString path = m_data.folder().filePath(QString::fromUtf16(DocumentFileName));
    QByteArray header;
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        header = file.read(4);
    if (!documentAvailable(header, !m_documentUrl.isEmpty(), m_documentFetched)) {
        showMessage(prizesNotYetText());
        return;
    }
    m_document->close();
    if (m_document->load(path) != QPdfDocument::Error::None || m_document->pageCount() < 1) {
        showMessage(u"No se encuentra conexión a internet.... :("_s);
        return;
    }
    while (QLayoutItem *item = m_pagesLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const int width = std::max(400, m_viewer->viewport()->width() - 24);
    for (int page = 0; page < std::min(m_document->pageCount(), MaxShownPages); ++page) {
        const QSizeF points = m_document->pagePointSize(page);
        const QSize size(width, qRound(width * points.height() / std::max(1.0, points.width())));
        auto *picture = new QLabel(m_pages);
        picture->setObjectName(u"PdfPage_"_s + QString::number(page));
        // The pages are drawn on paper white; the renderer leaves them transparent.
        QImage sheet(size, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter(&sheet).drawImage(0, 0, m_document->render(page, size));
        picture->setPixmap(QPixmap::fromImage(sheet));
        m_pagesLayout->addWidget(picture);
    }
    m_document->close();
    m_message->hide();
    m_viewer->show();
}

} // namespace zafrano::gui
