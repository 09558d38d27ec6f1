// Controls through the real widgets: texts, checks, lists and the events a user's actions send.
#include <gtest/gtest.h>

#include "common/testing/driver.h"
#include "common/window.h"

using namespace common;

namespace {

struct Seen {
    int event_class;
    int control_id;
    int notify_code;
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            open_window(
                window, 10, 10, 400, 300, 0, nullptr, "Test",
                [this](Window&) {
                    seen.push_back({event().event_class, event().control_id, event().notify_code});
                    return 0;
                }),
            1);
    }
    std::vector<Seen> control_events() const {
        std::vector<Seen> out;
        for (const Seen& s : seen) {
            if (s.event_class == EV_CONTROL) out.push_back(s);
        }
        return out;
    }
    common::testing::Driver driver;
    Window window;
    std::vector<Seen> seen;
};

TEST_F(Controls, ButtonClickReportsClickedAndCheckBoxToggles) {
    add_control(window, KIND_BUTTON, "Go", 5, 5, 60, 20, 0, 1);
    add_control(window, KIND_CHECK_BOX, "Box", 5, 30, 60, 20, 0x50000003, 2);
    driver.click(window, 1);
    driver.check(window, 2, true);
    driver.check(window, 2, true);  // already checked: no second click
    auto events = control_events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].control_id, 1);
    EXPECT_EQ(events[0].notify_code, NOTIFY_CLICKED);
    EXPECT_EQ(events[1].control_id, 2);
    EXPECT_EQ(get_check(window, 2), 1);
    set_check(window, 2, 0);
    EXPECT_EQ(get_check(window, 2), 0);
    EXPECT_EQ(control_events().size(), 2u);  // the program's own change sends nothing
}

}  // namespace
