// Test entry point for the Qt layers: an offscreen QApplication, then GoogleTest.
#include "ui/window_look.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Set before QApplication exists, so test discovery needs no display either.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The style the game draws its windows with.
    ui::useGameStyle();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
