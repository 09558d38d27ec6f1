// The fixture's program folder: a temporary folder with the office's files, and the job
// manager started on it.
#include "job_manager_fixture.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/hooks.h"
#include "frame.h"
#include "state.h"

namespace jobs::testing {
namespace {

namespace fs = std::filesystem;

// An 8 x 8 blue JPEG.
constexpr unsigned char JPEG_BYTES[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x10, 0x0b, 0x0c, 0x0e, 0x0c, 0x0a, 0x10,
    0x0e, 0x0d, 0x0e, 0x12, 0x11, 0x10, 0x13, 0x18, 0x28, 0x1a, 0x18, 0x16, 0x16, 0x18, 0x31, 0x23,
    0x25, 0x1d, 0x28, 0x3a, 0x33, 0x3d, 0x3c, 0x39, 0x33, 0x38, 0x37, 0x40, 0x48, 0x5c, 0x4e, 0x40,
    0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6d, 0x51, 0x57, 0x5f, 0x62, 0x67, 0x68, 0x67, 0x3e, 0x4d,
    0x71, 0x79, 0x70, 0x64, 0x78, 0x5c, 0x65, 0x67, 0x63, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x11, 0x12,
    0x12, 0x18, 0x15, 0x18, 0x2f, 0x1a, 0x1a, 0x2f, 0x63, 0x42, 0x38, 0x42, 0x63, 0x63, 0x63, 0x63,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x08, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4,
    0x00, 0x14, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x05, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01,
    0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x98, 0x02, 0xa2, 0x9f, 0xff, 0xd9,
};

void put_le(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

std::string jpeg_picture() {
    return std::string(std::begin(JPEG_BYTES), std::end(JPEG_BYTES));
}

std::string tool_bar_bitmap() {
    constexpr int width = 240, height = 23, row_bytes = width * 3;  // 720: a multiple of 4
    constexpr int pixel_bytes = row_bytes * height;
    std::string bmp = "BM";
    put_le(bmp, 54 + pixel_bytes, 4);
    put_le(bmp, 0, 4);
    put_le(bmp, 54, 4);
    put_le(bmp, 40, 4);
    put_le(bmp, width, 4);
    put_le(bmp, height, 4);
    put_le(bmp, 1, 2);
    put_le(bmp, 24, 2);
    put_le(bmp, 0, 4);
    put_le(bmp, pixel_bytes, 4);
    put_le(bmp, 2835, 4);
    put_le(bmp, 2835, 4);
    put_le(bmp, 0, 4);
    put_le(bmp, 0, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool frame = x % 24 == 0 || y == 0 || y == height - 1;
            unsigned char grey = frame ? 0x80 : 0xC0;
            bmp.append(3, static_cast<char>(grey));
        }
    return bmp;
}

std::map<std::string, std::string> office_files(const std::string& program_folder) {
    const std::string pound = "\xA3";
    return {
        {"data/KezDatabaseINI.ini",
         crlf_lines({"space:20", "carrage:0", "messagefile:" + program_folder + "help_question.txt",
                     "messageinput:" + program_folder + "help_answer.txt", "discountat:500"})},
        {"data/KezPriceList.dat",
         crlf_lines({"Solar panel 80W\tmonocrystalline\t" + pound + "249.99",
                     "Inverter 1000W\tpure sine\t" + pound + "120",
                     "Battery 100Ah\t" + pound + "89.50 ", "Mounting kit\t" + pound + "45",
                     "Survey visit"})},
        {"data/CostPriceList.dat",
         crlf_lines({"Solar panel 80W\t" + pound + "150", "Inverter 1000W\t" + pound + "80",
                     "Fixing bolts\t" + pound + "0.25"})},
        {"data/ImageFileNames.dat", crlf_lines({"panel", "inverter"})},
        {"data/panel.jpg", jpeg_picture()},
        {"data/inverter.jpg", jpeg_picture()},
        {"data/ProcessList.dat", crlf_lines({"Site survey", "Order parts", "Fit array",
                                             "Connect inverter", "Commission system"})},
        {"data/JobTypeList.dat",
         crlf_lines({"Stand alone with batteries", "Grid connected", "Solar water heating"})},
        {"printdata/htmltop.txt", crlf_lines({"<html><head><title>Invoice</title></head><body>"})},
        {"printdata/htmlbottom.txt", crlf_lines({"</body></html>"})},
        {"StartPic.jpg", jpeg_picture()},
        {"toolbar.bmp", tool_bar_bitmap()},
    };
}

void JobManagerTest::SetUp() {
    char name[] = "/tmp/kez-jobs-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder = std::string(name) + "/";
    write_office_files(folder);
    common::layer_hooks().program_folder = folder;
    common::layer_hooks().manual_timers = true;
    prepare_data();
    if (start_job_manager) {
        jobs::start_up();
        started = true;
    }
}

void JobManagerTest::TearDown() {
    if (started) jobs::clean_up();
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
}

void write_office_files(const std::string& program_folder) {
    for (const auto& [relative, bytes] : office_files(program_folder)) {
        fs::path path = program_folder + relative;
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
}

void JobManagerTest::write_file(const std::string& relative, const std::string& bytes) const {
    fs::path path = path_of(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string JobManagerTest::read_file(const std::string& relative) const {
    std::ifstream in(path_of(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool JobManagerTest::file_exists(const std::string& relative) const {
    return fs::exists(path_of(relative));
}

void JobManagerTest::remove_file(const std::string& relative) const {
    std::error_code ignored;
    fs::remove(path_of(relative), ignored);
}

void JobManagerTest::tick() {
    driver.fire_timer(jobs::main_frame, 1);
}

void JobManagerTest::tool(int command) {
    driver.choose_tool(jobs::main_frame, jobs::ID_TOOL_BAR, command);
}

void JobManagerTest::answer(int button) {
    driver.answer_dialog([this, button](common::Window& question) {
        asked.push_back(common::get_control_text(question, 1));
        driver.click(question, button);
    });
}

bool set_immutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

}  // namespace jobs::testing
