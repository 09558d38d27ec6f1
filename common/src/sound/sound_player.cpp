// The sound player, built as a module of its own that the layer loads on the first sound: Qt
// Multimedia and the audio libraries under it cost more to load than the rest of a program's
// start-up, and most runs never play a sound.
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace {

struct Player {
    QMediaPlayer player;
    QAudioOutput output;
    Player() { player.setAudioOutput(&output); }
};

Player& sound_player() {
    static Player* player = new Player();  // lives as long as the program
    return *player;
}

}  // namespace

// The path is an absolute local path of an existing file, in UTF-16.
extern "C" Q_DECL_EXPORT void kez_play_sound(const char16_t* path, int length) {
    Player& sound = sound_player();
    sound.player.stop();
    sound.player.setSource(QUrl::fromLocalFile(QString::fromUtf16(path, length)));
    sound.player.play();
}

extern "C" Q_DECL_EXPORT void kez_stop_sound() {
    sound_player().player.stop();
}
