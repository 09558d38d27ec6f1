// Entry point of every test program: the layer runs headlessly on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/window.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    common::init_layer(argc, argv);
    return RUN_ALL_TESTS();
}
