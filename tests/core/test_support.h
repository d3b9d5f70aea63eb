// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the core and command-line tests: record bytes built field
// by field (never through the program's own encoders), file access in
// temporary folders and a folder that refuses new files.
#pragma once

#include "store/draw_record.h"
#include "store/syndicate_record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <ostream>

class QJsonArray;
class QJsonObject;
class QJsonValue;

// Readable failure output for Qt values (found by argument-dependent lookup).
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
void PrintTo(const QJsonValue &value, std::ostream *os);
void PrintTo(const QJsonArray &array, std::ostream *os);
void PrintTo(const QJsonObject &object, std::ostream *os);

namespace zafrano::test {

// Little-endian writers at a byte offset, the way the record layouts lay fields out.
void putInt16(QByteArray &bytes, int offset, int value);
void putFloat(QByteArray &bytes, int offset, float value);
void putDouble(QByteArray &bytes, int offset, double value);
// Raw single-byte text, left-aligned and padded with spaces to `width`.
void putText(QByteArray &bytes, int offset, QByteArrayView text, int width);

// The day serial of a date (days since 30 December 1899), from the Julian day.
double serialOf(QDate date);
double serialOf(int year, int month, int day);

// One 24-byte draw record.
QByteArray drawBytes(std::initializer_list<int> numbers, int complementario, int reintegro,
                     double serial);

// An 8307-byte syndicate record built field by field at the layout's offsets.
// Starts with every byte 0 and the two text fields blank.
class SyndicateBytes
{
public:
    SyndicateBytes();
    // Starts from a stored record, to change some of its fields.
    explicit SyndicateBytes(const QByteArray &record) : m_bytes(record) {}

    SyndicateBytes &name(QByteArrayView text);
    SyndicateBytes &reduced(int from, int guarantee, std::initializer_list<int> numbers);
    // Numbers 1, 2, … of bet j (1..205).
    SyndicateBytes &bet(int j, std::initializer_list<int> numbers);
    SyndicateBytes &number(int j, int i, int value);
    // The five tallies in slot order [3] [4] [5] [6] [7] (7 = 5 + complementario).
    SyndicateBytes &hits(int three, int four, int five, int six, int fiveC);
    SyndicateBytes &days(QByteArrayView text);
    SyndicateBytes &betCount(int count);
    SyndicateBytes &createdOn(double serial);
    SyndicateBytes &countedThrough(double serial);

    const QByteArray &bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// A 591-byte syndicate record of the older program version.
class LegacySyndicateBytes
{
public:
    LegacySyndicateBytes();

    LegacySyndicateBytes &name(QByteArrayView text);
    // Numbers 1, 2, … of bet j (1..24), at most 11.
    LegacySyndicateBytes &bet(int j, std::initializer_list<int> numbers);
    LegacySyndicateBytes &number(int j, int i, int value);
    LegacySyndicateBytes &hits(int three, int four, int five, int six, int fiveC);
    LegacySyndicateBytes &days(QByteArrayView text);
    LegacySyndicateBytes &betCount(int count);
    LegacySyndicateBytes &createdOn(double serial);
    LegacySyndicateBytes &countedThrough(double serial);

    const QByteArray &bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Whole-file access; readBytes gives an empty array for a missing file.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, QByteArrayView bytes);
// The real draws since 1988 (tests/fixtures/historico_bonoloto.csv), oldest first.
const QList<zafrano::DrawRecord> &realHistory();
// The hits of a syndicate's first bet (six numbers) in the draws it played
// after `after` up to `through`, counted here by hand as its tallies should
// hold them: 3, 4, 5, 6 and 5 + complementario hits.
std::array<int, 5> talliesByHand(const zafrano::SyndicateRecord &syndicate,
                                 const QList<zafrano::DrawRecord> &draws, QDate after,
                                 QDate through);
std::array<int, 5> talliesOf(const zafrano::SyndicateRecord &syndicate);
// The names of the files in a folder, sorted.
QStringList fileNames(const QString &folder);
// Copies the reduction tables into a folder so the start-up finds them.
void copyTables(const QString &folder);

// Sets or clears the immutable flag of a file or folder (root only); false
// when the system does not allow it.
bool setImmutableFlag(const QString &path, bool on);

// Makes a folder refuse new files (and renames) for its lifetime: the immutable
// flag as `chattr +i` sets it when running as root, who ignores permissions,
// mode 0555 otherwise. active() is false when neither stops a file creation.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool active() const { return m_active; }

private:
    bool setImmutable(bool on) const;
    void restore();

    QString m_path;
    bool m_immutable = false;
    bool m_chmodded = false;
    bool m_active = false;
};

} // namespace zafrano::test
