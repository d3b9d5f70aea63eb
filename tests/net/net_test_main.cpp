// SPDX-License-Identifier: GPL-3.0-or-later
// The network tests need an event loop for the requests and the fixture server.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
