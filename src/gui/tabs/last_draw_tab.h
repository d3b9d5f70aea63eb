// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QNetworkAccessManager>
#include <QUrl>
#include <QWidget>
#include <memory>

class QLabel;
class QPdfDocument;
class QScrollArea;
class QVBoxLayout;
class QPlainTextEdit;

namespace zafrano {
class DocumentFetch;
}

namespace zafrano::gui {

class ProgramData;

// Tab "Último sorteo": the prize report of the newest draw, read from the
// draw page the last download saved, with its prize document shown inside
// the tab or the message that tells why it is not there.
class LastDrawTab : public QWidget
{
    Q_OBJECT
public:
    LastDrawTab(ProgramData &data, const QUrl &operatorBase, int requestTimeoutMs,
                QWidget *parent = nullptr);
    ~LastDrawTab() override;

    // The prize report; with `fetchDocument` the prize document is first
    // downloaded to tuv.pdf (after a download), otherwise the one there is shown.
    void showReport(bool fetchDocument);
    // The message box of the tab (Text1), shown instead of the document.
    void showMessage(const QString &text);
    bool messageShown() const;
    // A new download starts: the document there belongs to the draw before.
    void forgetDocument() { m_documentFetched = false; }
    // "Un momento. Actualizando información..." on orange while the report is redone.
    void refreshWhenOpened();

    const QUrl &documentUrl() const { return m_documentUrl; }

private:
    void documentArrived();
    // The prizes kept in zafrano.db, when the saved draw page has none.
    void showStoredPrizes(QDate date);
    void showDocument();

    ProgramData &m_data;
    QUrl m_operatorBase;
    QLabel *m_heading = nullptr;         // Label8
    QList<QLabel *> m_prizes;            // Label10(0..4)
    QPlainTextEdit *m_message = nullptr; // Text1
    QScrollArea *m_viewer = nullptr;     // WebBrowser1
    QWidget *m_pages = nullptr;
    QVBoxLayout *m_pagesLayout = nullptr;
    static constexpr int MaxShownPages = 40;
    QPdfDocument *m_document = nullptr;
    QNetworkAccessManager m_network;
    std::unique_ptr<DocumentFetch> m_fetch;
    QUrl m_documentUrl;
    // The document in tuv.pdf is the one of the saved draw page: true for
    // what an earlier run left, false from the start of a download until its
    // document download starts.
    bool m_documentFetched = true;
};

} // namespace zafrano::gui
