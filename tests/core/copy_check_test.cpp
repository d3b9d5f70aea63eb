// SPDX-License-Identifier: GPL-3.0-or-later
// What a copy must be before it is restored: a backup file whose entries are
// refused before they are read, and copies that read but are not ours, each
// refused with its own reason.
#include "backup/backup_archive.h"
#include "common/sqlite_connection.h"
#include "startup/open_data_folder.h"
#include "store/data_folder.h"
#include "store/draws_file.h"
#include "store/program_database.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QDateTime Noon(QDate(2026, 12, 1), QTime(12, 0));

struct Member
{
    const char *name;
    la_int64_t declaredSize;
    QByteArray bytes; // written as the member's data, the rest left out
};

// A .tar.gz whose headers declare what they are told; no member's data is
// written beyond `bytes`, so a huge declared size stays a small file.
void writeArchive(const QString &path, const QList<Member> &members)
{
    archive *a = archive_write_new();
    archive_write_add_filter_gzip(a);
    archive_write_set_format_pax_restricted(a);
    ASSERT_EQ(archive_write_open_filename(a, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const Member &member : members) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.name);
        archive_entry_set_size(entry, member.declaredSize);
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        ASSERT_EQ(archive_write_header(a, entry), ARCHIVE_OK);
        archive_write_data(a, member.bytes.constData(), static_cast<size_t>(member.bytes.size()));
        archive_entry_free(entry);
    }
    // Closing does not pad a member cut short: the reader must stop at its header.
    archive_write_free(a);
}

class CopyCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTables(dir.path());
        writeBytes(pathOf(u"bononume.dat"_s),
                   drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)));
        writeBytes(pathOf(u"bonoapu.dat"_s),
                   QByteArray(SyndicateBytes().name("UNO").days("Lunes").betCount(1)));
        ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
        ASSERT_TRUE(ProgramDatabase::openIn(folder).ok());
    }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    DataFolder folder{dir.path()};
};

TEST_F(CopyCheckTest, ABackupFileIsRefusedBeforeAnOversizedOrForeignMemberIsRead)
{
    const QByteArray manifest = "{}";
    const struct
    {
        const char *what;
        QList<Member> members;
        QString problem;
    } cases[] = {
        {"unknown name",
         {{"ceros.bin", 1 << 20, QByteArray(4096, '\0')}},
         u"tiene un archivo que no es de Zafrano: ceros.bin"_s},
        {"over the cap of its name",
         {{"bononume.dat", DrawsFile::MaxBytes + 24, QByteArray(4096, '\0')}},
         u"el archivo bononume.dat es demasiado grande"_s},
        {"a name twice",
         {{"bnums.ini", 80, QByteArray(80, ' ')}, {"bnums.ini", 80, QByteArray(80, ' ')}},
         u"tiene un archivo que no es de Zafrano: bnums.ini"_s},
        {"a manifest twice",
         {{"manifiesto.json", 2, manifest}, {"manifiesto.json", 2, manifest}},
         u"tiene un archivo que no es de Zafrano: manifiesto.json"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = pathOf(u"crafted.tar.gz"_s);
        writeArchive(path, c.members);
        Result<ArchiveEntries> read = readBackupArchive(path);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().message.text,
                  u"La copia %1 no vale: %2. No se ha cambiado nada."_s.arg(path, c.problem));
    }
}

TEST_F(CopyCheckTest, ACopyThatIsNotOursIsRefusedWithItsOwnReason)
{
    Result<CopySet> taken = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(taken.ok());
    ASSERT_TRUE(taken->files.contains(u"zafrano.db"_s));

    const QString foreignPath = pathOf(u"ajena.sqlite"_s);
    {
        Result<sqlite::Connection> db =
            sqlite::Connection::open(foreignPath, sqlite::OpenMode::Create);
        ASSERT_TRUE(db.ok());
        ASSERT_TRUE(db->executeScript("CREATE TABLE fotos (nombre TEXT);").ok());
    }

    const struct
    {
        const char *what;
        void (*change)(CopySet &set, const QByteArray &foreign);
        QString problem;
    } cases[] = {
        {"a manifest listing no file", [](CopySet &set, const QByteArray &) { set.files.clear(); },
         u"su manifiesto no nombra ningún archivo"_s},
        {"settings that are not one record",
         [](CopySet &set, const QByteArray &) {
             set.files[u"bnums.ini"_s] = set.files.value(u"bnums.ini"_s).left(79);
         },
         u"el archivo bnums.ini no es un registro de ajustes completo"_s},
        {"a newer program",
         [](CopySet &set, const QByteArray &) { set.programVersion = u"99.0.0"_s; },
         u"es de una versión más nueva del programa (99.0.0)"_s},
        {"a foreign SQLite file",
         [](CopySet &set, const QByteArray &foreign) { set.files[u"zafrano.db"_s] = foreign; },
         u"el archivo zafrano.db no es de Zafrano"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CopySet set = taken.value();
        c.change(set, readBytes(foreignPath));
        Result<CopySet> assembled = assembleCopy(u"copia"_s, set.manifest(), set.files);
        Result<CopySummary> checked = assembled
                                          ? checkCopy(u"copia"_s, assembled.value(), dir.path())
                                          : Result<CopySummary>(assembled.error());
        ASSERT_FALSE(checked.ok());
        EXPECT_EQ(checked.error().message.text,
                  u"La copia copia no vale: %1. No se ha cambiado nada."_s.arg(c.problem));
    }
}

TEST_F(CopyCheckTest, AReadOnlyFolderIsBackedUpWithItsDatabase)
{
    const QString backup = QDir(elsewhere.path()).filePath(u"copia.tar.gz"_s);
    ReadOnlyFolder readOnly(dir.path());
    if (!readOnly.active())
        GTEST_SKIP() << "neither the immutable flag nor the permissions stop a new file";
    Result<CopySet> taken = takeSnapshot(dir.path(), u"copia de seguridad"_s, Noon);
    ASSERT_TRUE(taken.ok()) << taken.error().message.text.toStdString();
    ASSERT_TRUE(writeBackupArchive(taken.value(), backup).ok());
    Result<CheckedCopy> read = readCopy(backup, elsewhere.path());
    ASSERT_TRUE(read.ok()) << read.error().message.text.toStdString();
    EXPECT_EQ(read->set.files, taken->files);
    EXPECT_TRUE(read->summary.members.has_value());
}

} // namespace
