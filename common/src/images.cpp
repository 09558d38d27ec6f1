// Images loaded from files (or the program's own resources), kept by handle until deleted.
#include "images.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPalette>
#include <map>

#include "common/window.h"
#include "encoding.h"
#include "native_window.h"

namespace common {
namespace {

struct Images {
    std::map<int, QImage> by_handle;
    int next = 1;
};

Images& images() {
    static Images all;
    return all;
}

QString native_path(const std::string& path) {
    QString qt = to_qt(path);
    qt.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return qt;
}

QImage read_source(const std::string& source) {
    if (source.find('.') != std::string::npos) return read_image_file(source);
    // A name without an extension is an image built into the program.
    return QImage(QStringLiteral(":/") + to_qt(source));
}

}  // namespace

QImage read_image_file(const std::string& path) {
    // The name's extension first, and only it: left to guess, the reader loads and asks every
    // image plugin there is, even for a bitmap it reads itself, which costs a program's
    // start-up more than reading its pictures does.
    const QString file = native_path(path);
    QImageReader reader(file, QFileInfo(file).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (!image.isNull()) return image;
    // A picture whose name lies about its kind ("photo.jpg" holding a GIF) still loads.
    QImageReader by_content(file);
    by_content.setDecideFormatFromContent(true);
    return by_content.read();
}

QImage map_3d_colours(const QImage& source) {
    ensure_layer();
    QPalette palette;
    const std::pair<QRgb, QColor> mapping[] = {
        {qRgb(128, 128, 128), palette.color(QPalette::Dark)},
        {qRgb(192, 192, 192), palette.color(QPalette::Button)},
        {qRgb(223, 223, 223), palette.color(QPalette::Light)},
    };
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            for (const auto& [grey, colour] : mapping) {
                if ((line[x] & 0xFFFFFF) == (grey & 0xFFFFFF)) {
                    line[x] = colour.rgb();
                    break;
                }
            }
        }
    }
    return image;
}

const QImage* find_image(int handle) {
    auto found = images().by_handle.find(handle);
    return found == images().by_handle.end() ? nullptr : &found->second;
}

int load_image(const std::string& source, int type) {
    ensure_layer();
    QImage image = read_source(source);
    if (image.isNull()) return 0;
    if (type & IMAGE_MAP_3D_COLOURS) image = map_3d_colours(image);
    int handle = images().next++;
    images().by_handle[handle] = std::move(image);
    return handle;
}

void delete_image(int image, int type) {
    (void)type;
    images().by_handle.erase(image);
}

int image_count() {
    return static_cast<int>(images().by_handle.size());
}

}  // namespace common
