// The panel icon and the desktop around a window: the real icon objects the layer makes (on a
// stand-in panel, since the offscreen desktop has none), what its click and menu deliver, and
// windows brought to the front and hidden.
#include "common/panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "common/panel_hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "native_window.h"
#include "panel_icon.h"

using namespace common;

namespace {

struct Delivered {
    int event_class;
    int control_id;
    int notify_code;
    bool operator==(const Delivered&) const = default;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        open_window(window, 0, 0, 200, 100, 0, nullptr, "Reminders", [this](Window&) {
            const Event& e = event();
            if (e.event_class == EV_CONTROL || e.event_class == EV_PANEL_CLICK) {
                events.push_back({e.event_class, e.control_id, e.notify_code});
            }
            return 0;
        });
    }
    void TearDown() override { close_window(window); }

    bool show_icon(const std::string& tooltip) {
        return show_panel_icon(window, 0, tooltip, {{80, "Show"}, {40, "Refresh"}, {3, "Done"}});
    }

    // Activation reaches a window through the window system's own events, a pass or two later.
    void settle() {
        for (int pass = 0; pass < 3; ++pass) driver.process_events();
    }

    common::testing::Driver driver;
    Window window;
    std::vector<Delivered> events;
};

TEST_F(PanelTest, IconCarriesTooltipAndMenuAndGivesItsClicksToTheHandler) {
    ASSERT_TRUE(panel_available());
    ASSERT_TRUE(show_icon("No Reminder today."));
    QSystemTrayIcon* icon = panel_icon_of(window);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->icon().isNull());  // a window without an icon still shows something
    EXPECT_EQ(driver.panel_tooltip(window), "No Reminder today.");
    EXPECT_EQ(driver.panel_menu(window), (std::vector<std::string>{"Show", "Refresh", "Done"}));

    set_panel_tooltip(window, "<< REMINDER ALARM >> Ring Bob  ");
    EXPECT_EQ(driver.panel_tooltip(window), "<< REMINDER ALARM >> Ring Bob  ");

    driver.click_panel_icon(window);
    driver.choose_panel_item(window, "Refresh");
    driver.choose_panel_item(window, "Done");
    emit icon->activated(QSystemTrayIcon::Context);  // the menu's own business
    EXPECT_EQ(events, (std::vector<Delivered>{{EV_PANEL_CLICK, 0, 0},
                                              {EV_CONTROL, 40, NOTIFY_CLICKED},
                                              {EV_CONTROL, 3, NOTIFY_CLICKED}}));
}

TEST_F(PanelTest, OneIconPerWindowAndItGoesWithTheWindow) {
    ASSERT_TRUE(show_icon("first"));
    QPointer<QSystemTrayIcon> first = panel_icon_of(window);
    ASSERT_TRUE(show_icon("second"));
    driver.process_events();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(driver.panel_tooltip(window), "second");

    remove_panel_icon(window);
    EXPECT_FALSE(driver.has_panel_icon(window));
    set_panel_tooltip(window, "nobody to tell");  // no icon: nothing happens

    ASSERT_TRUE(show_icon("third"));
    QPointer<QSystemTrayIcon> third = panel_icon_of(window);
    close_window(window);
    EXPECT_TRUE(third.isNull());
    EXPECT_FALSE(driver.has_panel_icon(window));
    // A window opened again in the same record starts without the old icon.
    open_window(window, 0, 0, 200, 100, 0, nullptr, "Reminders", [](Window&) { return 0; });
    EXPECT_FALSE(driver.has_panel_icon(window));
}

TEST_F(PanelTest, WithoutAPanelNothingIsMade) {
    driver.set_panel_present(false);
    EXPECT_FALSE(panel_available());  // the offscreen desktop has none
    EXPECT_FALSE(show_icon("No Reminder today."));
    EXPECT_FALSE(driver.has_panel_icon(window));
    driver.click_panel_icon(window);
    EXPECT_TRUE(events.empty());
}

// While a modal box holds the program back its tool bar takes no command, and neither does the
// panel menu; a click on the icon brings the box forward instead of putting the window away.
TEST_F(PanelTest, MenuAndClickWaitForAModalBox) {
    ASSERT_TRUE(show_icon("tip"));
    QMessageBox box(QMessageBox::Information, "Pause...", "halted");
    bool box_shown_after_click = false;
    QTimer::singleShot(0, [&] {
        driver.choose_panel_item(window, "Done");
        box.showMinimized();
        driver.click_panel_icon(window);
        box_shown_after_click = box.isVisible() && !box.isMinimized();
        box.done(QMessageBox::Ok);
    });
    box.exec();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(box_shown_after_click);
    driver.choose_panel_item(window, "Done");
    driver.click_panel_icon(window);
    EXPECT_EQ(events,
              (std::vector<Delivered>{{EV_CONTROL, 3, NOTIFY_CLICKED}, {EV_PANEL_CLICK, 0, 0}}));
}

TEST_F(PanelTest, WindowComesToTheFrontAndHides) {
    bring_to_front(window);
    settle();
    EXPECT_TRUE(is_visible(window));
    EXPECT_TRUE(is_in_front(window));

    hide_window(window);
    settle();
    EXPECT_FALSE(is_visible(window));
    EXPECT_FALSE(is_in_front(window));
    EXPECT_TRUE(window.is_open());  // hidden, not closed

    // The offscreen desktop never activates a window shown again after hiding, so only
    // showing is seen here.
    bring_to_front(window);
    settle();
    EXPECT_TRUE(is_visible(window));

    // Another window in front: this one is shown but not in front.
    Window other;
    open_window(other, 50, 50, 100, 100, 0, nullptr, "Other", [](Window&) { return 0; });
    bring_to_front(other);
    settle();
    EXPECT_TRUE(is_in_front(other));
    EXPECT_FALSE(is_in_front(window));
    // Minimised is not in front, and coming to the front restores it.
    other.native->widget->showMinimized();
    settle();
    EXPECT_FALSE(is_in_front(other));
    bring_to_front(other);
    settle();
    EXPECT_FALSE(other.native->widget->isMinimized());
    close_window(other);
    Window closed;
    EXPECT_FALSE(is_in_front(closed));
    bring_to_front(closed);  // a closed window: nothing to do
    hide_window(closed);
}

TEST_F(PanelTest, NotificationsAreRecordedByTheDriver) {
    notify_desktop("Reminder", "Ring Bob");
    notify_desktop("Reminder", "Missed while away: Pay VAT");
    ASSERT_EQ(driver.notifications().size(), 2u);
    EXPECT_EQ(driver.notifications()[0].title, "Reminder");
    EXPECT_EQ(driver.notifications()[0].text, "Ring Bob");
    EXPECT_EQ(driver.notifications()[1].text, "Missed while away: Pay VAT");
    driver.clear_records();
    EXPECT_TRUE(driver.notifications().empty());
}

// Answers chosen in a notification reach its window with the tag it was shown with; none that it
// did not offer, none behind a modal box, none once its window has closed.
TEST_F(PanelTest, NotificationAnswersReachTheirWindowWithTheirTag) {
    std::vector<long> tags;
    window.handler = [this, &tags](Window&) {
        const Event& e = event();
        if (e.event_class == EV_CONTROL) {
            events.push_back({e.event_class, e.control_id, e.notify_code});
            tags.push_back(long(e.first_param));
        }
        return 0;
    };
    notify_desktop(window, "Reminder", "Ring Bob", {{81, "Done"}, {82, "Snooze 10 minutes"}}, 7);
    notify_desktop(window, "Reminder", "Pay VAT", {{81, "Done"}, {82, "Snooze 10 minutes"}}, 8);
    ASSERT_EQ(driver.notifications().size(), 2u);
    EXPECT_EQ(driver.notifications()[0].answers,
              (std::vector<std::string>{"Done", "Snooze 10 minutes"}));
    driver.answer_notification(1, "Snooze 10 minutes");
    driver.answer_notification(0, "Done");
    driver.answer_notification(0, "Refresh");  // not one of its answers
    EXPECT_EQ(events, (std::vector<Delivered>{{EV_CONTROL, 82, NOTIFY_CLICKED},
                                              {EV_CONTROL, 81, NOTIFY_CLICKED}}));
    EXPECT_EQ(tags, (std::vector<long>{8, 7}));

    QMessageBox box(QMessageBox::Information, "Pause...", "halted");
    QTimer::singleShot(0, [&] {
        driver.answer_notification(0, "Done");
        box.done(QMessageBox::Ok);
    });
    box.exec();
    EXPECT_EQ(events.size(), 2u) << "not given behind a modal box";
    close_window(window);
    driver.answer_notification(1, "Done");
    EXPECT_EQ(events.size(), 2u) << "nor to a window that has closed";
}

TEST_F(PanelTest, MenuLinesAreGreyedAndAttentionIsAskedOnlyOutOfSight) {
    ASSERT_TRUE(show_icon("tip"));
    enable_panel_item(window, 3, false);
    EXPECT_FALSE(driver.panel_item_enabled(window, "Done"));
    EXPECT_TRUE(driver.panel_item_enabled(window, "Refresh"));
    driver.choose_panel_item(window, "Done");
    EXPECT_TRUE(events.empty());
    enable_panel_item(window, 3, true);
    driver.choose_panel_item(window, "Done");
    EXPECT_EQ(events, (std::vector<Delivered>{{EV_CONTROL, 3, NOTIFY_CLICKED}}));

    bring_to_front(window);
    settle();
    ASSERT_TRUE(is_in_front(window));
    ask_for_attention(window);
    EXPECT_EQ(driver.attention_asked(window), 0);
    hide_window(window);
    settle();
    ask_for_attention(window);
    EXPECT_EQ(driver.attention_asked(window), 1);
}

TEST(PanelDriver, TakesThePanelHooksAndGivesThemBack) {
    {
        common::testing::Driver driver;
        EXPECT_TRUE(panel_hooks().panel_stand_in);
        EXPECT_TRUE(static_cast<bool>(panel_hooks().notification));
        EXPECT_TRUE(static_cast<bool>(panel_hooks().attention));
    }
    EXPECT_FALSE(panel_hooks().panel_stand_in);
    EXPECT_FALSE(static_cast<bool>(panel_hooks().notification));
    EXPECT_FALSE(static_cast<bool>(panel_hooks().attention));
}

}  // namespace
