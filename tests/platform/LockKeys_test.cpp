#include "platform/LockKeys.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

// Runs on the display it is given (an X server, Xvfb included) and on the
// offscreen platform when there is none.
TEST(LockKeys, ForcesBothTogglesOnARealDisplayAndReportsFalseElsewhere)
{
    bool num = false;
    bool caps = false;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        EXPECT_FALSE(LockKeys::lit_verrouillages(&num, &caps));
        EXPECT_FALSE(num || caps);
        EXPECT_FALSE(LockKeys::fixe_verrouillages(true, true));
        return;
    }
    ASSERT_TRUE(LockKeys::lit_verrouillages(&num, &caps));
    const bool numStart = num;
    const bool capsStart = caps;
    for (const auto &[wantNum, wantCaps] : {std::pair{true, true}, {false, true}, {true, false}, {false, false}}) {
        SCOPED_TRACE(std::to_string(wantNum) + "/" + std::to_string(wantCaps));
        EXPECT_TRUE(LockKeys::fixe_verrouillages(wantNum, wantCaps));
        ASSERT_TRUE(LockKeys::lit_verrouillages(&num, &caps));
        EXPECT_EQ(num, wantNum);
        EXPECT_EQ(caps, wantCaps);
        // Asking again for the state it is in changes nothing.
        EXPECT_TRUE(LockKeys::fixe_verrouillages(wantNum, wantCaps));
    }
    EXPECT_TRUE(LockKeys::fixe_verrouillages(numStart, capsStart));
    // The toggles went through XTest, loaded at the first one (it is not linked in).
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_TRUE(maps.readAll().contains("libXtst.so"));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
