// SPDX-License-Identifier: GPL-3.0-or-later
// A data folder that may not be modified: every change is refused with the
// permission message and every file stays byte-identical.
#include "backup/automatic_copies.h"
#include "startup/open_data_folder.h"
#include "stats/draw_listing.h"
#include "test_support.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

const QString PermissionText =
    u"Para modificar el archivo necesita permiso de escritura en la carpeta de datos.\r\n"
    u"Cierre el programa, compruebe los permisos de la carpeta (la muestran \"Acerca de...\" y "
    u"zafrano-cli where) y repita la operación."_s;

class ReadOnlyFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        copyTables(dir.path());
        writeBytes(pathOf(u"bononume.dat"_s),
                   drawBytes({3, 7, 12, 25, 33, 41}, 5, 3, serialOf(2018, 10, 15)) +
                       drawBytes({1, 2, 20, 26, 28, 8}, 39, 5, serialOf(2018, 10, 16)));
        writeBytes(pathOf(u"bonoapu.dat"_s),
                   SyndicateBytes().name("UNO").days("Lunes").betCount(1).hits(1, 2, 3, 4, 5) +
                       SyndicateBytes().name("DOS").days("Todos").betCount(503).createdOn(43000));
        ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}).ok());
        before = snapshot();
        readOnly.emplace(dir.path());
        if (!readOnly->active())
            GTEST_SKIP() << "neither the immutable flag nor the permissions stop a new file";
    }

    void TearDown() override { readOnly.reset(); }

    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : fileNames(dir.path()))
            files.insert(name, readBytes(pathOf(name)));
        return files;
    }

    void expectPermissionDenied(const Status &status) const
    {
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().kind, ErrorKind::PermissionDenied);
        EXPECT_EQ(status.error().message.text, PermissionText);
        EXPECT_EQ(status.error().message.title, u"Error de permiso"_s);
        EXPECT_EQ(status.error().message.icon, MessageIcon::Exclamation);
    }

    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    DataFolder folder{dir.path()};
    QMap<QString, QByteArray> before;
    std::optional<ReadOnlyFolder> readOnly; // released before the folders go
};

TEST_F(ReadOnlyFolderTest, DeletingOneDrawIsRefused)
{
    expectPermissionDenied(folder.draws().removeRecord(1));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, DeletingAllDrawsIsRefused)
{
    expectPermissionDenied(copies::deleteAllDraws(folder));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, DeletingASyndicateIsRefused)
{
    expectPermissionDenied(copies::deleteSyndicate(folder, 2));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, ResettingResultsIsRefused)
{
    expectPermissionDenied(copies::resetResults(folder, QDate(2024, 5, 6)));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, ImportIsRefusedWithTheImportMessage)
{
    const QString chosen = QDir(elsewhere.path()).filePath(u"bononume.dat"_s);
    writeBytes(chosen, drawBytes({2, 11, 19, 27, 38, 44}, 21, 6, serialOf(2018, 11, 5)));
    const Result<int> imported = copies::importDrawsFile(folder, chosen);
    ASSERT_FALSE(imported.ok());
    EXPECT_EQ(imported.error().kind, ErrorKind::PermissionDenied);
    EXPECT_EQ(imported.error().message.text,
              u"Fichero de sorteos no válido. Compruebe que el archivo BONONUME.DAT sea para "
              u"Zafrano. Error 75"_s);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, UnreadableDrawsFileKeepsItsBytesWhenItCannotBeMoved)
{
    readOnly.reset();
    const QByteArray damaged = drawBytes({1, 2, 3, 4, 5, 50}, 6, 1, serialOf(2018, 10, 18));
    writeBytes(pathOf(u"bononume.dat"_s), damaged);
    before = snapshot();
    readOnly.emplace(dir.path());

    const Result<LoadedDraws> loaded = loadDrawsList(folder.draws(), 0);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().kind, ErrorKind::InvalidData);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ReadOnlyFolderTest, StartUpStillOpensAndKeepsSettingsInMemory)
{
    readOnly.reset();
    QByteArray settings(80, '\0');
    putText(settings, 18, QByteArray(60, 'w'), 60);
    writeBytes(pathOf(u"bnums.ini"_s), settings);
    before = snapshot();
    readOnly.emplace(dir.path());

    const Result<Settings> opened = openDataFolder(folder, [](const ProgramMessage &) {});
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened->webAddressText(), defaultWebAddress());
    EXPECT_EQ(snapshot(), before);
}

} // namespace
