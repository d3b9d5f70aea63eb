// SPDX-License-Identifier: GPL-3.0-or-later
// Which data folder the program uses, the files it ships, and the refusals
// that name the folder instead of running on without files.
#include "startup/open_data_folder.h"
#include "store/data_location.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zafrano;
using namespace zafrano::test;

namespace {

class DataLocationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(u"usr/bin"_s);
        QDir(root.path()).mkpath(u"usr/share/zafrano"_s);
    }

    QString path(const QString &relative) const { return QDir(root.path()).filePath(relative); }

    DataLocationInputs inputs() const
    {
        return {{}, {}, path(u"usr/bin"_s), path(u"home/.local/share/Zafrano"_s)};
    }

    QTemporaryDir root;
};

TEST_F(DataLocationTest, ChosenThenPortableThenPerUser)
{
    const QString share = QFileInfo(path(u"usr/share/zafrano"_s)).canonicalFilePath();
    QDir().mkpath(path(u"chosen"_s));
    QDir().mkpath(path(u"env"_s));

    // Nothing chosen, nothing beside the program: the user's folder, made now.
    Result<DataLocation> location = locateDataFolder(inputs());
    ASSERT_TRUE(location) << location.error().message.text.toStdString();
    EXPECT_EQ(location->kind, DataLocationKind::PerUser);
    EXPECT_EQ(location->dataFolder, path(u"home/.local/share/Zafrano"_s));
    EXPECT_TRUE(QFileInfo(location->dataFolder).isDir());
    // It holds the members' names and money: its owner's alone.
    using P = QFileDevice;
    const P::Permissions owner = P::ReadOwner | P::WriteOwner | P::ExeOwner;
    const P::Permissions others =
        P::ReadGroup | P::WriteGroup | P::ExeGroup | P::ReadOther | P::WriteOther | P::ExeOther;
    EXPECT_EQ((QFileInfo(location->dataFolder).permissions() & (owner | others)).toInt(),
              owner.toInt());
    EXPECT_EQ(location->shareFolder, share);

    // A program folder that already holds syndicates is used as it stands.
    writeBytes(path(u"usr/bin/bonoapu.dat"_s), "");
    location = locateDataFolder(inputs());
    ASSERT_TRUE(location);
    EXPECT_EQ(location->kind, DataLocationKind::Portable);
    EXPECT_EQ(location->dataFolder, path(u"usr/bin"_s));

    // ZAFRANO_DATA_DIR beats it, and --dir beats ZAFRANO_DATA_DIR.
    DataLocationInputs chosen = inputs();
    chosen.environmentDir = path(u"env"_s);
    location = locateDataFolder(chosen);
    ASSERT_TRUE(location);
    EXPECT_EQ(location->kind, DataLocationKind::Chosen);
    EXPECT_EQ(location->dataFolder, path(u"env"_s));
    chosen.dirOption = path(u"chosen"_s);
    EXPECT_EQ(locateDataFolder(chosen)->dataFolder, path(u"chosen"_s));
}

TEST_F(DataLocationTest, AFolderThatCannotBeWrittenIsNotUsed)
{
    writeBytes(path(u"usr/bin/bonoapu.dat"_s), "");
    QDir().mkpath(path(u"locked"_s));
    const ReadOnlyFolder programFolder(path(u"usr/bin"_s));
    const ReadOnlyFolder locked(path(u"locked"_s));
    if (!programFolder.active() || !locked.active())
        GTEST_SKIP() << "neither the immutable flag nor the permissions stop a new file here";

    // A program folder that cannot be written is no place for data, even
    // with syndicates in it.
    EXPECT_EQ(locateDataFolder(inputs())->kind, DataLocationKind::PerUser);
    DataLocationInputs in = inputs();
    in.userFolder = path(u"locked"_s);
    const Result<DataLocation> refused = locateDataFolder(in);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message.text.startsWith(
        u"No se puede escribir en la carpeta de datos "_s + path(u"locked"_s) + u'.'));

    // A folder that cannot be written is refused, per-user or chosen, unless
    // the caller only reads or names it.
    const auto refusal = [](const DataLocationInputs &tried) {
        const Result<DataLocation> location = locateDataFolder(tried);
        return location ? QString() : location.error().message.text;
    };
    const QString said = u"No se puede escribir en la carpeta de datos "_s + path(u"locked"_s) +
                         u". Compruebe sus permisos o indique otra con ZAFRANO_DATA_DIR."_s;
    DataLocationInputs user = inputs();
    user.userFolder = path(u"locked"_s);
    DataLocationInputs chosen = inputs();
    chosen.dirOption = path(u"locked"_s);
    for (DataLocationInputs *tried : {&user, &chosen}) {
        EXPECT_EQ(refusal(*tried), said);
        tried->access = FolderAccess::Reads;
        EXPECT_EQ(refusal(*tried), QString());
        tried->access = FolderAccess::Names;
        EXPECT_EQ(refusal(*tried), QString());
    }
}

TEST_F(DataLocationTest, AFolderThatCannotServeIsRefusedByName)
{
    const auto refusal = [](const DataLocationInputs &in) {
        const Result<DataLocation> location = locateDataFolder(in);
        return location ? QString() : location.error().message.text;
    };
    DataLocationInputs in = inputs();
    in.environmentDir = path(u"missing"_s);
    EXPECT_EQ(refusal(in), u"No existe la carpeta de datos "_s + path(u"missing"_s) + u'.');

    writeBytes(path(u"file"_s), "x");
    in.environmentDir = path(u"file"_s);
    EXPECT_EQ(refusal(in), u"La carpeta de datos "_s + path(u"file"_s) +
                               u" no es una carpeta, sino un archivo."_s);

    in = inputs();
    in.userFolder = path(u"file/Zafrano"_s);
    EXPECT_TRUE(refusal(in).startsWith(u"No se puede crear la carpeta de datos "_s +
                                       path(u"file/Zafrano"_s) + u'.'));
    // Only naming the per-user folder does not make it.
    in = inputs();
    in.access = FolderAccess::Names;
    EXPECT_EQ(refusal(in), QString());
    // Nothing was made anywhere else.
    EXPECT_FALSE(QFileInfo::exists(path(u"home"_s)));
}

TEST_F(DataLocationTest, ShippedFilesComeFromTheInstallUnlessTheFolderHasItsOwn)
{
    const QString share = path(u"usr/share/zafrano"_s);
    const QString data = path(u"data"_s);
    QDir().mkpath(data);
    copyTables(share);
    writeBytes(share + u"/Zafrano.mdb"_s, "shipped database");
    writeBytes(share + u"/Zafrano.net"_s, "shipped layout");
    const DataFolder folder(data, share);

    // The start-up finds the installed tables and gives the folder its own database.
    ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}));
    EXPECT_EQ(folder.tablesPath(), share + u"/tablas.bin"_s);
    EXPECT_EQ(readBytes(data + u"/Zafrano.mdb"_s), QByteArray("shipped database"));
    EXPECT_TRUE(QFileInfo(data + u"/Zafrano.mdb"_s).isWritable());
    EXPECT_FALSE(QFileInfo::exists(data + u"/tablas.bin"_s));

    // The folder's own copies win, and the user's database is never overwritten.
    writeBytes(data + u"/Zafrano.mdb"_s, "the user's reports");
    writeBytes(data + u"/Zafrano.net"_s, "own layout");
    ASSERT_TRUE(openDataFolder(folder, [](const ProgramMessage &) {}));
    EXPECT_EQ(readBytes(data + u"/Zafrano.mdb"_s), QByteArray("the user's reports"));
    EXPECT_EQ(folder.shippedFilePath(u"Zafrano.net"_s), data + u"/Zafrano.net"_s);

    // Without the installed tables the start-up stops with its message.
    QFile::remove(share + u"/tablas.bin"_s);
    EXPECT_FALSE(openDataFolder(folder, [](const ProgramMessage &) {}));
}

} // namespace
