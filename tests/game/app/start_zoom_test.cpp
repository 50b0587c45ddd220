// The windows' zoom at start: asked for, remembered within the desktop's room, or fitting.
#include <gtest/gtest.h>

#include "game/app/program.h"

namespace {

using game::startZoom;
using platform::Size;

TEST(StartZoom, WithoutAChoiceTheMainWindowTakesAtMost85PercentOfTheDesktopsHeight) {
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{3840, 2160}), 3) << "1584 of 2160";
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{3840, 2100}), 3);
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{2560, 1400}), 2) << "1056 of 1400";
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{1920, 1040}), 1);
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{1024, 768}), 1);
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{800, 500}), 1) << "never below 1";
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{1400, 5000}), 1) << "the width counts too";
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{7680, 4320}), 4) << "never above 4";
    EXPECT_EQ(startZoom(std::nullopt, 0, Size{}), 1) << "an unknown desktop";
}

TEST(StartZoom, ARememberedZoomCountsAsFarAsTheDesktopHasRoomAndTheCommandLineOverridesBoth) {
    EXPECT_EQ(startZoom(std::nullopt, 2, Size{3840, 2160}), 2) << "smaller than fitting: kept";
    EXPECT_EQ(startZoom(std::nullopt, 4, Size{3840, 2160}), 4) << "above 85 %, but it fits";
    EXPECT_EQ(startZoom(std::nullopt, 4, Size{1920, 1080}), 2) << "a smaller screen than last time";
    EXPECT_EQ(startZoom(std::nullopt, 3, Size{}), 3);
    EXPECT_EQ(startZoom(std::nullopt, 9, Size{3840, 2160}), 3) << "not a zoom: as if none";
    EXPECT_EQ(startZoom(4, 2, Size{1024, 768}), 4) << "asked for: exactly that";
    EXPECT_EQ(startZoom(1, 3, Size{3840, 2160}), 1);
}

}  // namespace
