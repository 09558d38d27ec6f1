// Timers: recorded periods, restarts, stops, the window's end, and real ticks through the run
// loop that never pile up.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"

using namespace common;

namespace {

TEST(Timers, PeriodsRestartStopAndEndWithTheWindow) {
    common::testing::Driver driver;
    Window window;
    std::vector<long> ticks;
    open_window(window, 0, 0, 100, 100, 0, nullptr, "", [&](Window&) {
        if (event().event_class == EV_TIMER) ticks.push_back(event().first_param);
        return 0;
    });
    start_timer(window, 500, 1);
    EXPECT_EQ(timer_period(window, 1), 500);
    start_timer(window, 1000, 1);  // the same id: a new period, not a second timer
    EXPECT_EQ(timer_period(window, 1), 1000);
    start_timer(window, 3000, 2);
    driver.fire_timer(window, 1);
    driver.fire_timer(window, 2);
    EXPECT_EQ(ticks, (std::vector<long>{1, 2}));
    stop_timer(window, 1);
    EXPECT_EQ(timer_period(window, 1), 0);
    driver.fire_timer(window, 1);  // stopped: nothing
    EXPECT_EQ(ticks.size(), 2u);
    close_window(window);
    EXPECT_EQ(timer_period(window, 2), 0);
    start_timer(window, 100, 3);
    EXPECT_EQ(timer_period(window, 3), 0);
    driver.fire_timer(window, 2);
    EXPECT_EQ(ticks.size(), 2u);
    open_window(window, 0, 0, 100, 100, 0, nullptr, "", window.handler);
    EXPECT_EQ(timer_period(window, 2), 0);  // a reopened window starts without timers
}

TEST(Timers, RealTicksArriveThroughTheRunLoopAndLatePeriodsComeOnce) {
    Window window;
    int ticks = 0;
    open_window(window, 0, 0, 100, 100, 0, nullptr, "", [&](Window& w) {
        if (event().event_class != EV_TIMER) return 0;
        ++ticks;
        // The first tick takes as long as ten periods.
        if (ticks == 1) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        (void)w;
        return 0;
    });
    start_timer(window, 10, 1);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ticks == 0 && std::chrono::steady_clock::now() < deadline) wait_events(0);
    ASSERT_GE(ticks, 1);
    wait_events(1);
    wait_events(1);
    EXPECT_LE(ticks, 2);  // the ten missed periods arrive as one
    stop_timer(window, 1);
    int stopped_at = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    wait_events(1);
    EXPECT_EQ(ticks, stopped_at);
    start_timer(window, 10, 1);
    close_window(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    wait_events(1);
    EXPECT_EQ(ticks, stopped_at);  // the window's timers ended with it
}

TEST(Timers, AManualTimerNeverFiresByItself) {
    common::testing::Driver driver;
    EXPECT_TRUE(layer_hooks().manual_timers);
    Window window;
    int ticks = 0;
    open_window(window, 0, 0, 100, 100, 0, nullptr, "", [&](Window&) {
        ticks += event().event_class == EV_TIMER;
        return 0;
    });
    start_timer(window, 1, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    driver.process_events();
    EXPECT_EQ(ticks, 0);
    driver.fire_timer(window, 1);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
