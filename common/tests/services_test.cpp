// Message boxes, file requesters, program starts, sounds and the program folder: through the
// driver's hooks, and the real Qt boxes answered by a timer so nothing waits for a person.
#include "common/services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "dialogs_internal.h"
#include "fonts.h"

using namespace common;

namespace {

// Runs `action` on the modal widget the layer is about to show, from inside its own loop.
template <typename Widget>
void when_shown(std::function<void(Widget*)> action) {
    QTimer::singleShot(0, [action] {
        auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
        ASSERT_NE(widget, nullptr);
        action(widget);
    });
}

TEST(MessageBox, FlagsZeroMeanExclamationAndOneOk) {
    std::unique_ptr<QMessageBox> box = build_message_box(nullptr, "Saved", "Message...", 0);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->text(), "Saved");
    EXPECT_EQ(box->windowTitle(), "Message...");
    // A box before any window, as at start, is in the dialog font too.
    EXPECT_EQ(box->font().family(), dialog_font().family());
    box = build_message_box(nullptr, "Sure?", "ask", MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box = build_message_box(nullptr, "", "", MB_ABORTRETRYIGNORE | MB_ICONSTOP);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(),
              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
    box = build_message_box(nullptr, "", "", MB_RETRYCANCEL | MB_ICONINFORMATION);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(message_box_code(QMessageBox::Ok), IDOK);
    EXPECT_EQ(message_box_code(QMessageBox::Cancel), IDCANCEL);
    EXPECT_EQ(message_box_code(QMessageBox::Abort), IDABORT);
    EXPECT_EQ(message_box_code(QMessageBox::Retry), IDRETRY);
    EXPECT_EQ(message_box_code(QMessageBox::Ignore), IDIGNORE);
    EXPECT_EQ(message_box_code(QMessageBox::Yes), IDYES);
    EXPECT_EQ(message_box_code(QMessageBox::No), IDNO);
}

TEST(MessageBox, PlacedOverItsOwnerInsideTheWorkArea) {
    QRect area(0, 0, 800, 600);
    EXPECT_EQ(message_box_place(QSize(200, 100), QRect(100, 100, 400, 300), area),
              QPoint(200, 200));
    EXPECT_EQ(message_box_place(QSize(200, 100), area, area), QPoint(300, 250));
    // An owner hanging off the left and top: the box comes back to the edge.
    EXPECT_EQ(message_box_place(QSize(200, 100), QRect(-500, -400, 100, 100), area), QPoint(0, 0));
    // And off the right and bottom: pulled back inside.
    EXPECT_EQ(message_box_place(QSize(200, 100), QRect(750, 580, 100, 100), area),
              QPoint(600, 500));
    // Bigger than the area: the left and top edges win.
    EXPECT_EQ(message_box_place(QSize(900, 700), area, area), QPoint(0, 0));
}

TEST(MessageBox, TheRealBoxReturnsThePressedButtonsCode) {
    when_shown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Question");
        QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(area.contains(box->frameGeometry().topLeft()));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(message_box(nullptr, "Delete the entry?", "Question", MB_YESNO), IDNO);
    when_shown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(message_box(nullptr, "Done", "Message", 0), IDOK);
}

TEST(MessageBox, TheDriverAnswersAndRecords) {
    common::testing::Driver driver;
    Window owner;
    open_window(owner, 0, 0, 100, 100, 0, nullptr, "", nullptr);
    driver.answer_message_box(IDNO);
    EXPECT_EQ(message_box(&owner, "Save first?", "ask", MB_YESNO), IDNO);
    // Unanswered boxes take their first button.
    EXPECT_EQ(message_box(nullptr, "Saved", "Message...", 0), IDOK);
    EXPECT_EQ(message_box(nullptr, "q", "c", MB_YESNO), IDYES);
    EXPECT_EQ(message_box(nullptr, "q", "c", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(message_box(nullptr, "q", "c", MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(message_box(nullptr, "q", "c", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(message_box(nullptr, "q", "c", MB_OKCANCEL), IDOK);
    ASSERT_EQ(driver.messages().size(), 7u);
    EXPECT_EQ(driver.messages()[0].text, "Save first?");
    EXPECT_EQ(driver.messages()[0].caption, "ask");
    EXPECT_EQ(driver.messages()[0].flags, MB_YESNO);
    EXPECT_TRUE(driver.messages()[0].had_owner);
    EXPECT_FALSE(driver.messages()[1].had_owner);
}

TEST(FileRequester, FiltersBecomeQtFilters) {
    EXPECT_EQ(translate_filter("Dat Files (*.dat)|*.dat||"), "Dat Files (*.dat)");
    EXPECT_EQ(translate_filter("Customer|*.kez|All files (*.*)|*.*|"),
              "Customer (*.kez);;All files (*.*)");
    EXPECT_EQ(translate_filter("Pictures|*.jpg;*.gif|"), "Pictures (*.jpg *.gif)");
    EXPECT_EQ(translate_filter("Sounds (*.wav;*.mp3)|*.wav;*.mp3"), "Sounds (*.wav *.mp3)");
    EXPECT_EQ(translate_filter(""), "");
    EXPECT_EQ(translate_filter("lonely"), "");  // a description without a pattern
}

TEST(FileRequester, CancelledGivesTheEmptyTextAndAnswersComeInOrder) {
    common::testing::Driver driver;
    driver.answer_file_requester("/data/one.job");
    driver.answer_file_requester("");
    EXPECT_EQ(file_requester("Open job", nullptr, 1, "Job|*.job|", "job", 0, "data\\"),
              "/data/one.job");
    EXPECT_EQ(file_requester("Save job", nullptr, 0, "Job|*.job|", "job", 0, ""), "");
    EXPECT_EQ(file_requester("Unanswered", nullptr, 1, "", "", 0, ""), "");
    ASSERT_EQ(driver.requesters().size(), 3u);
    EXPECT_EQ(driver.requesters()[0].title, "Open job");
    EXPECT_EQ(driver.requesters()[0].open, 1);
    EXPECT_EQ(driver.requesters()[0].filter, "Job|*.job|");
    EXPECT_EQ(driver.requesters()[0].default_extension, "job");
    EXPECT_EQ(driver.requesters()[0].initial_folder, "data\\");
    EXPECT_EQ(driver.requesters()[1].open, 0);
}

TEST(FileRequester, TheRealRequesterCancelsToEmptyAndAddsTheDefaultExtension) {
    when_shown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Job (*.job)"});
        dialog->reject();
    });
    EXPECT_EQ(file_requester("Open", nullptr, 1, "Job|*.job|", "job", 0, "/tmp"), "");
    when_shown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile("/tmp/layer_requester_test_new");
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    EXPECT_EQ(file_requester("Save", nullptr, 0, "Job|*.job|", "job", 0, "/tmp"),
              "/tmp/layer_requester_test_new.job");
}

// A name typed into the requester and Open pressed: a warning the requester raises is dismissed,
// and a requester that then stays up is cancelled, so a refusal never hangs the test.
void open_typed_name(const QString& path) {
    when_shown<QFileDialog>([path](QFileDialog* dialog) {
        QTimer::singleShot(50, [] {
            if (auto* warning = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warning->reject();
            }
        });
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // as the Open button does
        if (dialog->isVisible()) dialog->reject();
    });
}

// Win32 open requesters insist on an existing file only when told to (OFN_FILEMUSTEXIST): the
// to-do program relies on naming a database that is still to be made.
TEST(FileRequester, TheOpenRequesterTakesANewNameUnlessTheFileMustExist) {
    const QString fresh = QStringLiteral("/tmp/layer_requester_test_not_there.dat");
    QFile::remove(fresh);
    open_typed_name(fresh);
    EXPECT_EQ(file_requester("Open", nullptr, 1, "Dat Files (*.dat)|*.dat||", "", 0, "/tmp"),
              fresh.toStdString());
    open_typed_name(fresh);
    EXPECT_EQ(file_requester("Open", nullptr, 1, "Dat Files (*.dat)|*.dat||", "", 0x1000, "/tmp"),
              "");
    EXPECT_FALSE(QFile::exists(fresh)) << "choosing a name makes no file";
}

TEST(Services, ProgramsAndSoundsAreRecordedAndTheFolderEndsWithASeparator) {
    std::string real = program_folder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    {
        common::testing::Driver driver;
        start_program("notepad.exe", "ToDoLog.txt");
        play_sound("alarm.wav");
        stop_sound();
        ASSERT_EQ(driver.started_programs().size(), 1u);
        EXPECT_EQ(driver.started_programs()[0].file, "notepad.exe");
        EXPECT_EQ(driver.started_programs()[0].parameters, "ToDoLog.txt");
        ASSERT_EQ(driver.sounds().size(), 2u);
        EXPECT_EQ(driver.sounds()[0].path, "alarm.wav");
        EXPECT_TRUE(driver.sounds()[0].play);
        EXPECT_FALSE(driver.sounds()[1].play);
        layer_hooks().program_folder = "/tmp/office/";
        EXPECT_EQ(program_folder(), "/tmp/office/");
        layer_hooks().program_folder.clear();
    }
    // Without the driver a missing sound plays nothing and says nothing.
    play_sound("/nonexistent/alarm.wav");
    stop_sound();
    EXPECT_EQ(program_folder(), real);
}

}  // namespace

namespace {

bool multimedia_loaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("libQt6Multimedia") != std::string::npos) return true;
    }
    return false;
}

// A short silent WAV file: 8 kHz, 8 bits, mono, a tenth of a second.
void write_silence(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const std::uint32_t samples = 800;
    out << "RIFF";
    u32(36 + samples);
    out << "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    out << "data";
    u32(samples);
    out << std::string(samples, '\x80');
}

// The multimedia libraries load with the first sound, never with the program: they cost more
// start-up time and memory than everything else a program loads.
TEST(Services, TheSoundPlayerLoadsWithTheFirstSoundOnly) {
    if (!std::ifstream("/proc/self/maps")) GTEST_SKIP() << "no /proc to look into";
    if (multimedia_loaded()) GTEST_SKIP() << "an earlier test in this process played a sound";
    Window window;
    open_window(window, 0, 0, 100, 100, 0, nullptr, "sound", nullptr);
    stop_sound();  // nothing is playing yet: loads nothing
    play_sound("/nonexistent/alarm.wav");
    EXPECT_FALSE(multimedia_loaded());
    // The build puts the player module beside this test program, as beside the programs.
    std::string sound = std::filesystem::temp_directory_path() / "layer_sound_test.wav";
    write_silence(sound);
    play_sound(sound);
    EXPECT_TRUE(multimedia_loaded());
    stop_sound();
    std::filesystem::remove(sound);
    close_window(window);
}

}  // namespace
