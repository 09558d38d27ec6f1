// Loaded images, addressed by the handles programs keep.
#pragma once

#include <QImage>

namespace common {

// Null when the handle is not alive.
const QImage* find_image(int handle);
// Grey shades of a bitmap mapped to the desktop's 3-D colours (shadow, face, light).
QImage map_3d_colours(const QImage& image);
// Reads an image file; paths may use '\\' as separator.
QImage read_image_file(const std::string& path);

}  // namespace common
