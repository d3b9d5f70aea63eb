// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <stdexcept>

namespace zafrano {

// A read that starts beyond the last byte of a saved page: the page is not
// what the reader expected. Thrown by MarkerSearch, caught by the readers of
// the pages, never beyond them.
class PageReadPastEnd : public std::runtime_error
{
public:
    PageReadPastEnd() : std::runtime_error("read past the end of the page") {}
};

// The sequential marker search over a saved page, byte by byte in the page's
// 8-bit code page. Positions are 1-based like the file positions it walks.
class MarkerSearch
{
public:
    explicit MarkerSearch(QByteArrayView page) : m_page(page) {}

    qsizetype position() const { return m_position; }
    void rewind() { m_position = 1; }
    qsizetype size() const { return m_page.size(); }

    // `busca`: finds `start` (any letter case) from the current position and
    // returns the bytes up to `end` (as given or upper-cased). A missing start
    // marker gives empty text; a missing end marker gives the text up to, not
    // including, the last byte. Throws PageReadPastEnd when it starts reading
    // beyond the end of the page.
    QByteArray find(QByteArrayView start, QByteArrayView end);

    // `busca2`: the same, except that text whose end marker is missing is empty.
    QByteArray findClosed(QByteArrayView start, QByteArrayView end);

private:
    enum class Unclosed
    {
        KeepText,
        Empty
    };
    QByteArray search(QByteArrayView start, QByteArrayView end, Unclosed unclosed);

    QByteArrayView m_page;
    qsizetype m_position = 1;
};

// `raros`: the text without every byte outside 33..122 (blanks, controls,
// accented letters, the euro sign, anything above "z").
QByteArray withoutRareCharacters(QByteArrayView text);

} // namespace zafrano
