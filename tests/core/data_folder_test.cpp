// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the data folder at start-up: files created, the stale work file,
// the required reduction tables and the conversion of an older syndicates file.
#include "startup/open_data_folder.h"
#include "store/folder_lock.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    Result<Settings> open()
    {
        return openDataFolder(DataFolder(dir.path()), [this](const ProgramMessage &message) {
            messages.append(message);
            syndicatesSizeWhenNotified = QFileInfo(pathOf(u"bonoapu.dat"_s)).size();
        });
    }

    QTemporaryDir dir;
    QList<ProgramMessage> messages;
    qint64 syndicatesSizeWhenNotified = -1;
};

TEST_F(DataFolderTest, FirstStartCreatesEveryDataFile)
{
    copyTables(dir.path());
    const Result<Settings> settings = open();
    ASSERT_TRUE(settings.ok()) << settings.error().message.text.toStdString();
    EXPECT_EQ(settings->webAddressText(), defaultWebAddress());
    EXPECT_EQ(fileNames(dir.path()),
              (QStringList{u"bnums.ini"_s, u"bonoapu.dat"_s, u"bononume.dat"_s, u"bonowww.txt"_s,
                           u"bonowww2.txt"_s, u"tablas.bin"_s}));
    for (const QString &name :
         {u"bonoapu.dat"_s, u"bononume.dat"_s, u"bonowww.txt"_s, u"bonowww2.txt"_s})
        EXPECT_EQ(QFileInfo(pathOf(name)).size(), 0) << name.toStdString();
    QByteArray expectedSettings(80, '\0');
    putFloat(expectedSettings, 12, 0.5F);
    putText(expectedSettings, 18, defaultWebAddress().toLatin1(), 60);
    EXPECT_EQ(readBytes(pathOf(u"bnums.ini"_s)), expectedSettings);
    // An empty syndicates file is not an older one.
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DataFolderTest, ExistingFilesAreLeftAsTheyAre)
{
    copyTables(dir.path());
    const QByteArray draws = drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15));
    const QByteArray syndicates = SyndicateBytes()
                                      .name("PE\xD1"
                                            "A")
                                      .days("Lunes")
                                      .betCount(1);
    writeBytes(pathOf(u"bononume.dat"_s), draws);
    writeBytes(pathOf(u"bonoapu.dat"_s), syndicates);
    writeBytes(pathOf(u"bonowww.txt"_s), "<html>p\xE1gina</html>");
    ASSERT_TRUE(open().ok());
    EXPECT_EQ(readBytes(pathOf(u"bononume.dat"_s)), draws);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), syndicates);
    EXPECT_EQ(readBytes(pathOf(u"bonowww.txt"_s)), QByteArray("<html>p\xE1gina</html>"));
}

TEST_F(DataFolderTest, StaleSyndicatesWorkFileIsDeleted)
{
    copyTables(dir.path());
    writeBytes(pathOf(u"bonoapu.tmp"_s), QByteArray(8307, 'x'));
    ASSERT_TRUE(open().ok());
    EXPECT_FALSE(QFile::exists(pathOf(u"bonoapu.tmp"_s)));
}

TEST_F(DataFolderTest, MissingTablesStopsBeforeReadingAnyData)
{
    const QByteArray legacy = LegacySyndicateBytes().days("Lunes").betCount(1);
    writeBytes(pathOf(u"bonoapu.dat"_s), legacy);
    const Result<Settings> settings = open();
    ASSERT_FALSE(settings.ok());
    EXPECT_EQ(settings.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(settings.error().message.text,
              u"No se encuentra un archivo necesario para el funcionamiento del programa. "
              u"Reinstale el programa. Error 53\r\nFalta tablas.bin en "_s +
                  QDir::cleanPath(dir.path()) + u'.');
    EXPECT_EQ(settings.error().message.title, u"¡Vaya hombre!"_s);
    EXPECT_FALSE(QFile::exists(pathOf(u"bnums.ini"_s)));
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), legacy);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DataFolderTest, SyndicatesFileCutShortIsSaidAndKeptAside)
{
    copyTables(dir.path());
    const QByteArray whole = SyndicateBytes().name("BAR").days("Todos").betCount(1).bytes();
    writeBytes(pathOf(u"bonoapu.dat"_s), whole + whole.left(300));
    ASSERT_TRUE(open().ok());

    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              (ProgramMessage{u"El archivo de peñas termina en una peña incompleta, que no se "
                              u"tendrá en cuenta.\r\nSe ha guardado una copia del archivo en "
                              u"bonoapu.bad."_s,
                              u"Error de lectura"_s, MessageIcon::Exclamation}));
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), whole);
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.bad"_s)), whole + whole.left(300));
}

TEST_F(DataFolderTest, OlderSyndicatesFileIsAnnouncedThenConverted)
{
    copyTables(dir.path());
    const QByteArray legacy = LegacySyndicateBytes()
                                  .name("VIEJA")
                                  .bet(1, {1, 2, 3, 4, 5, 6})
                                  .days("Jueves")
                                  .betCount(1)
                                  .bytes() +
                              LegacySyndicateBytes().name("OTRA").days("Todos").betCount(104);
    writeBytes(pathOf(u"bonoapu.dat"_s), legacy);
    ASSERT_TRUE(open().ok());

    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text,
              u"Se ha encontrado un archivo de apuestas perteneciente a una versión anterior del "
              u"programa y se va a convertir el fichero a la versión actual."_s);
    EXPECT_EQ(messages[0].title, u"Actualización de datos"_s);
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    // The message came while the file was still in the older format.
    EXPECT_EQ(syndicatesSizeWhenNotified, 2 * 591);

    const QByteArray expected = SyndicateBytes()
                                    .name("VIEJA")
                                    .bet(1, {1, 2, 3, 4, 5, 6})
                                    .days("Jueves")
                                    .betCount(1)
                                    .bytes() +
                                SyndicateBytes().name("OTRA").days("Todos").betCount(504).bytes();
    EXPECT_EQ(readBytes(pathOf(u"bonoapu.dat"_s)), expected);

    // The next start finds nothing to convert.
    messages.clear();
    ASSERT_TRUE(open().ok());
    EXPECT_TRUE(messages.isEmpty());
}

// The road that first opens a damaged zafrano.db says it, once: where the file
// was kept and how to get its accounts back.
TEST_F(DataFolderTest, ADamagedProgramDatabaseIsSaidOnce)
{
    copyTables(dir.path());
    const QByteArray junk = QByteArray("esto no es una base de datos").repeated(200);
    writeBytes(pathOf(u"zafrano.db"_s), junk);
    ASSERT_TRUE(open().ok());
    ASSERT_EQ(messages.size(), 1);
    const QString &text = messages[0].text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(pathOf(u"zafrano.db.bad"_s))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"«Restaurar copia...»"_s) &&
                text.contains(u"zafrano-cli restore"_s));
    EXPECT_EQ(readBytes(pathOf(u"zafrano.db.bad"_s)), junk);
    messages.clear();
    ASSERT_TRUE(open().ok());
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace

TEST(FolderLock, ASecondWriterWaitsAndIsToldWhoHoldsTheFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lockPath = QDir(dir.path()).filePath(u".zafrano.lock"_s);
    {
        // Another writer (as the evening check would) holds the folder.
        QLockFile other(lockPath);
        ASSERT_TRUE(other.tryLock(0));
        Result<FolderLock::Held> second = FolderLock::take(dir.path(), 200);
        ASSERT_FALSE(second);
        QFile comm(u"/proc/self/comm"_s);
        const QString self = comm.open(QIODevice::ReadOnly)
                                 ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                 : QCoreApplication::applicationName();
        EXPECT_EQ(second.error().message,
                  folderBusyMessage(dir.path(), self, QCoreApplication::applicationPid()));
        EXPECT_TRUE(second.error().message.text.startsWith(
            u"Otro programa está cambiando los datos de la carpeta "_s));
    }
    {
        // Free again, it is taken; a command inside a command nests.
        Result<FolderLock::Held> first = FolderLock::take(dir.path(), 0);
        ASSERT_TRUE(first);
        Result<FolderLock::Held> nested = FolderLock::take(dir.path(), 0);
        ASSERT_TRUE(nested);
        QLockFile other(lockPath);
        EXPECT_FALSE(other.tryLock(0));
    }
    // Let go by both, another program may take it.
    QLockFile after(lockPath);
    EXPECT_TRUE(after.tryLock(0));
}
