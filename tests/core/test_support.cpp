// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include "store/day_serial.h"
#include "store/draw_history_csv.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

using namespace Qt::StringLiterals;

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    // Records are long: the size and the first bytes are what tell them apart.
    constexpr qsizetype Shown = 96;
    *os << bytes.size() << " bytes: " << bytes.left(Shown).toHex(' ').toStdString()
        << (bytes.size() > Shown ? " …" : "");
}

void PrintTo(const QJsonValue &value, std::ostream *os)
{
    *os << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

void PrintTo(const QJsonArray &array, std::ostream *os)
{
    *os << QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

void PrintTo(const QJsonObject &object, std::ostream *os)
{
    *os << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

namespace zafrano::test {

namespace {

void putBytes(QByteArray &bytes, int offset, std::uint64_t value, int size)
{
    for (int b = 0; b < size; ++b)
        bytes[offset + b] = static_cast<char>((value >> (8 * b)) & 0xFF);
}

// Julian day of 30 December 1899, day 0 of the stored dates.
constexpr qint64 JulianDayZero = 2415019;

// Syndicate record offsets.
constexpr int SyndicateSize = 8307;
constexpr int LegacySize = 591;

} // namespace

void putInt16(QByteArray &bytes, int offset, int value)
{
    putBytes(bytes, offset, static_cast<std::uint16_t>(value), 2);
}

void putFloat(QByteArray &bytes, int offset, float value)
{
    putBytes(bytes, offset, std::bit_cast<std::uint32_t>(value), 4);
}

void putDouble(QByteArray &bytes, int offset, double value)
{
    putBytes(bytes, offset, std::bit_cast<std::uint64_t>(value), 8);
}

void putText(QByteArray &bytes, int offset, QByteArrayView text, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = i < text.size() ? text[i] : ' ';
}

double serialOf(QDate date)
{
    return static_cast<double>(date.toJulianDay() - JulianDayZero);
}

double serialOf(int year, int month, int day)
{
    return serialOf(QDate(year, month, day));
}

QByteArray drawBytes(std::initializer_list<int> numbers, int complementario, int reintegro,
                     double serial)
{
    QByteArray bytes(24, '\0');
    int offset = 0;
    for (int n : numbers) {
        putInt16(bytes, offset, n);
        offset += 2;
    }
    putInt16(bytes, 12, complementario);
    putInt16(bytes, 14, reintegro);
    putDouble(bytes, 16, serial);
    return bytes;
}

SyndicateBytes::SyndicateBytes() : m_bytes(SyndicateSize, '\0')
{
    putText(m_bytes, 0, {}, 20);
    putText(m_bytes, 8274, {}, 15);
}

SyndicateBytes &SyndicateBytes::name(QByteArrayView text)
{
    putText(m_bytes, 0, text, 20);
    return *this;
}

SyndicateBytes &SyndicateBytes::reduced(int from, int guarantee, std::initializer_list<int> numbers)
{
    putInt16(m_bytes, 20, from);
    putInt16(m_bytes, 22, guarantee);
    int offset = 24;
    for (int n : numbers) {
        putInt16(m_bytes, offset, n);
        offset += 2;
    }
    return *this;
}

SyndicateBytes &SyndicateBytes::bet(int j, std::initializer_list<int> numbers)
{
    int i = 1;
    for (int n : numbers)
        number(j, i++, n);
    return *this;
}

SyndicateBytes &SyndicateBytes::number(int j, int i, int value)
{
    putInt16(m_bytes, 64 + 2 * ((i - 1) + 20 * (j - 1)), value);
    return *this;
}

SyndicateBytes &SyndicateBytes::hits(int three, int four, int five, int six, int fiveC)
{
    const int values[] = {three, four, five, six, fiveC};
    for (int s = 0; s < 5; ++s)
        putInt16(m_bytes, 8264 + 2 * s, values[s]);
    return *this;
}

SyndicateBytes &SyndicateBytes::days(QByteArrayView text)
{
    putText(m_bytes, 8274, text, 15);
    return *this;
}

SyndicateBytes &SyndicateBytes::betCount(int count)
{
    putInt16(m_bytes, 8289, count);
    return *this;
}

SyndicateBytes &SyndicateBytes::createdOn(double serial)
{
    putDouble(m_bytes, 8291, serial);
    return *this;
}

SyndicateBytes &SyndicateBytes::countedThrough(double serial)
{
    putDouble(m_bytes, 8299, serial);
    return *this;
}

LegacySyndicateBytes::LegacySyndicateBytes() : m_bytes(LegacySize, '\0')
{
    putText(m_bytes, 0, {}, 20);
    putText(m_bytes, 558, {}, 15);
}

LegacySyndicateBytes &LegacySyndicateBytes::name(QByteArrayView text)
{
    putText(m_bytes, 0, text, 20);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::bet(int j, std::initializer_list<int> numbers)
{
    int i = 1;
    for (int n : numbers)
        number(j, i++, n);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::number(int j, int i, int value)
{
    putInt16(m_bytes, 20 + 2 * ((i - 1) + 11 * (j - 1)), value);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::hits(int three, int four, int five, int six, int fiveC)
{
    const int values[] = {three, four, five, six, fiveC};
    for (int s = 0; s < 5; ++s)
        putInt16(m_bytes, 548 + 2 * s, values[s]);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::days(QByteArrayView text)
{
    putText(m_bytes, 558, text, 15);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::betCount(int count)
{
    putInt16(m_bytes, 573, count);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::createdOn(double serial)
{
    putDouble(m_bytes, 575, serial);
    return *this;
}

LegacySyndicateBytes &LegacySyndicateBytes::countedThrough(double serial)
{
    putDouble(m_bytes, 583, serial);
    return *this;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

const QList<DrawRecord> &realHistory()
{
    static const QList<DrawRecord> draws =
        parseDrawHistoryCsv(
            readBytes(QString::fromUtf8(FixturesDir) + u"/historico_bonoloto.csv"_s))
            .value();
    return draws;
}

std::array<int, 5> talliesByHand(const SyndicateRecord &syndicate, const QList<DrawRecord> &draws,
                                 QDate after, QDate through)
{
    const QString days = syndicate.daysText().trimmed().toLower();
    std::array<int, 5> tally{};
    for (const DrawRecord &draw : draws) {
        const QDate date = draw.date();
        if (date <= after || date > through || date < fromDaySerial(syndicate.createdOn))
            continue;
        if (days != u"todos"_s && QLocale(QLocale::Spanish).dayName(date.dayOfWeek()) != days)
            continue;
        int hits = 0;
        bool complementario = false;
        for (int k = 0; k < 6; ++k) {
            const qint16 n = syndicate.bets[0][k];
            hits += std::count(draw.numbers.begin(), draw.numbers.end(), n) > 0 ? 1 : 0;
            complementario = complementario || n == draw.complementario;
        }
        if (hits == 3)
            ++tally[0];
        else if (hits == 4)
            ++tally[1];
        else if (hits == 5)
            ++tally[complementario ? 4 : 2];
        else if (hits == 6)
            ++tally[3];
    }
    return tally;
}

std::array<int, 5> talliesOf(const SyndicateRecord &syndicate)
{
    return {syndicate.hits[0], syndicate.hits[1], syndicate.hits[2], syndicate.hits[3],
            syndicate.hits[4]};
}

void writeBytes(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), bytes.size()), bytes.size());
}

QStringList fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void copyTables(const QString &folder)
{
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(TablesFile), QDir(folder).filePath(u"tablas.bin"_s)))
        << "missing " << TablesFile;
}

ReadOnlyFolder::ReadOnlyFolder(QString path) : m_path(std::move(path))
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        m_immutable = setImmutable(true);
    else
        m_chmodded =
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
#endif
    // Only a folder that really refuses a new file makes the tests meaningful.
    QFile probe(QDir(m_path).filePath(u"probe.tmp"_s));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        restore();
        return;
    }
    m_active = true;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    restore();
}

bool ReadOnlyFolder::setImmutable(bool on) const
{
    return setImmutableFlag(m_path, on);
}

bool setImmutableFlag([[maybe_unused]] const QString &path, [[maybe_unused]] bool on)
{
#ifdef Q_OS_LINUX
    // What `chattr +i` / `chattr -i` do, on a file or a folder.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
#else
    return false;
#endif
}

void ReadOnlyFolder::restore()
{
    if (m_immutable)
        m_immutable = !setImmutable(false);
    if (m_chmodded) {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::ExeOther);
        m_chmodded = false;
    }
}

} // namespace zafrano::test
