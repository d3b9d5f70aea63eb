// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/marker_search.h"

namespace zafrano {

namespace {

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

QByteArray upperAscii(QByteArrayView text)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = upper(text[i]);
    return result;
}

} // namespace

QByteArray MarkerSearch::find(QByteArrayView start, QByteArrayView end)
{
    return search(start, end, Unclosed::KeepText);
}

QByteArray MarkerSearch::findClosed(QByteArrayView start, QByteArrayView end)
{
    return search(start, end, Unclosed::Empty);
}

QByteArray MarkerSearch::search(QByteArrayView start, QByteArrayView end, Unclosed unclosed)
{
    const QByteArray marker = upperAscii(start);
    const QByteArray upperEnd = upperAscii(end);
    const qsizetype last = m_page.size();
    const qsizetype n = marker.size();
    const qsizetype m = end.size();

    // The marker window slides one byte at a time; the end-of-page test comes
    // before the comparison, so a marker ending on the last byte is not found.
    for (;;) {
        if (m_position > last)
            throw PageReadPastEnd();
        const qsizetype at = m_position - 1;
        m_position += 1;
        if (m_position + n - 1 > last)
            return {};
        bool same = true;
        for (qsizetype i = 0; i < n && same; ++i)
            same = upper(m_page[at + i]) == marker[i];
        if (same) {
            m_position = at + 1 + n;
            break;
        }
    }

    QByteArray text;
    for (;;) {
        if (m_position > last)
            throw PageReadPastEnd();
        const QByteArrayView window =
            m_page.sliced(m_position - 1).first(std::min<qsizetype>(m, last - m_position + 1));
        m_position += 1;
        if (window == end || window == QByteArrayView(upperEnd))
            return text;
        if (unclosed == Unclosed::Empty ? m_position + m - 1 > last : m_position > last)
            return unclosed == Unclosed::Empty ? QByteArray() : text;
        text += window.front();
    }
}

QByteArray withoutRareCharacters(QByteArrayView text)
{
    QByteArray result;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 33 && code <= 122)
            result += c;
    }
    return result;
}

} // namespace zafrano
