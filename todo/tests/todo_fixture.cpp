#include "todo_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "alarm_answers.h"
#include "common/hooks.h"
#include "startup.h"
#include "state.h"

namespace todo::testing {

namespace fs = std::filesystem;

namespace {

std::string make_temporary_folder() {
    std::string pattern = (fs::temp_directory_path() / "todo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/";
}

}  // namespace

TodoFixture::TodoFixture()
    : program_folder(make_temporary_folder()),
      current_folder(make_temporary_folder()),
      previous_folder_(fs::current_path().string()) {
    common::layer_hooks().program_folder = program_folder;
    common::layer_hooks().manual_timers = true;
    fs::current_path(current_folder);
    fresh_state();
    exit_hook = [this] { ++exits; };
    // Tuesday 10 March 2026, 09:30.
    driver.set_clock(2026, 3, 10, 9, 30, 0);
}

TodoFixture::~TodoFixture() {
    for (common::Window* window : {&weights_dialog, &alarm_dialog, &main_dialog}) {
        if (window->is_open()) common::close_dialog(*window, 0);
    }
    exit_hook = nullptr;
    common::layer_hooks().program_folder.clear();
    std::error_code ignored;
    fs::current_path(previous_folder_, ignored);
    fs::remove_all(program_folder, ignored);
    fs::remove_all(current_folder, ignored);
}

void TodoFixture::start() {
    start_cycle();
}

void TodoFixture::start_on(const std::vector<Entry>& list) {
    write_file(in_program_folder("todo.dat"), database_bytes(list, int(list.size())));
    start();
    driver.check(main_dialog, ID_SHOW_OUTPUT_CHECK, false);
}

// The cycle count keeps rising, so memories kept per cycle never take a new run for an old one
// when several tests share one process.
void TodoFixture::fresh_state() {
    const int cycle = state.cycle;
    state = TodoState{};
    state.cycle = cycle;
    forget_alarm_answers();
}

bool TodoFixture::end_and_maybe_reload() {
    end_cycle();
    if (!state.reload) return false;
    start_cycle();
    return true;
}

void TodoFixture::start_again() {
    for (common::Window* window : {&weights_dialog, &alarm_dialog}) {
        if (window->is_open()) common::close_dialog(*window, 0);
    }
    end_cycle();
    fresh_state();
    start_cycle();
}

std::string TodoFixture::in_program_folder(const std::string& name) const {
    return program_folder + name;
}

std::string TodoFixture::in_current_folder(const std::string& name) const {
    return current_folder + name;
}

void TodoFixture::write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TodoFixture::read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TodoFixture::exists(const std::string& path) {
    return fs::exists(path);
}

// Laid out from the record table field by field, independently of the program's codec.
std::string TodoFixture::database_bytes(const std::vector<Entry>& entries, int count) {
    auto put_int = [](std::string& record, std::size_t at, long value) {
        for (int i = 0; i < 4; ++i) record[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    auto put_text = [](std::string& record, std::size_t at, const std::string& text) {
        record.replace(at, text.size(), text);
        record[at + text.size()] = '\0';
    };
    std::string header(1036, '\0');
    put_int(header, 264, count);
    std::string bytes = header;
    for (const Entry& entry : entries) {
        std::string record(1036, '\0');
        put_text(record, 0, entry.time);
        put_int(record, 256, std::atol(entry.status.c_str()));
        put_int(record, 260, std::atol(entry.priority.c_str()));
        put_text(record, 268, entry.date);
        put_text(record, 523, entry.created);
        put_text(record, 778, entry.text);
        bytes += record;
    }
    return bytes;
}

std::string TodoFixture::settings_for(const std::string& database) {
    return "\r\n\r\n 0\r\n 0\r\n" + database + "\r\n 0  0 ToDo: \r\nno\r\nno\r\n\r\nno\r\n\r\n";
}

common::Window& TodoFixture::dialog() {
    return main_dialog;
}

std::vector<std::string> TodoFixture::column(int id) {
    std::vector<std::string> rows;
    const int count = common::list_count(main_dialog, id);
    for (int row = 0; row < count; ++row) rows.push_back(common::list_get(main_dialog, id, row));
    return rows;
}

std::vector<Entry> TodoFixture::entries() {
    std::vector<Entry> rows;
    const int count = common::list_count(main_dialog, ID_TEXT_COLUMN);
    for (int row = 0; row < count; ++row) {
        auto cell = [&](int id) { return common::list_get(main_dialog, id, row); };
        rows.push_back({cell(ID_TEXT_COLUMN), cell(ID_PRIORITY_COLUMN), cell(ID_CREATED_COLUMN),
                        cell(ID_DATE_COLUMN), cell(ID_TIME_COLUMN), cell(ID_STATUS_COLUMN)});
    }
    return rows;
}

std::string TodoFixture::text(int id) {
    return common::get_control_text(main_dialog, id);
}

void TodoFixture::click(int id) {
    driver.click(main_dialog, id);
}

void TodoFixture::choose_tool(int command_id) {
    driver.choose_tool(main_dialog, ID_TOOL_BAR, command_id);
}

void TodoFixture::type(int id, const std::string& text) {
    driver.type(main_dialog, id, text);
}

void TodoFixture::select_row(int column_id, int row) {
    driver.select_row(main_dialog, column_id, row);
}

std::vector<std::string> TodoFixture::shown(const std::string& caption) const {
    std::vector<std::string> texts;
    for (const auto& message : driver.messages()) {
        if (message.caption == caption) texts.push_back(message.text);
    }
    return texts;
}

void TodoFixture::tick() {
    driver.fire_timer(main_dialog, REMINDER_TIMER);
}

}  // namespace todo::testing
