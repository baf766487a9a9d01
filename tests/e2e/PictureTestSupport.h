// Running the engine on the stepped bench into an off-screen client area, and reading the picture.
#pragma once

#include <QImage>
#include <cmath>
#include <filesystem>
#include <string>

#include "display/DrawingConventions.h"
#include "qt/QtClientArea.h"
#include "tests/support/EngineTestSupport.h"

namespace velmora2::testing {

// A sine of the given frequency and amplitude (ADC counts) on both inputs.
inline SimBench::InputSignal SineOnBothInputs(double hz, double amplitude, int sampleRate) {
    return [=](int64_t frame, double& left, double& right) {
        left = right =
            amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(frame) / sampleRate);
    };
}

// The picture field as the window shows it (the client area from (20, 20)).
inline QImage PictureField(const QtClientArea& area) {
    return area.Snapshot().copy(kPictureLeft, kPictureTop, kSurfaceWidth, kSurfaceHeight);
}

// Saves the picture for a person to look at; returns the path.
inline std::string SavePicture(const QImage& picture, const std::string& name) {
    std::filesystem::create_directories(VELMORA2_PICTURE_DIR);
    const std::string path = std::string(VELMORA2_PICTURE_DIR) + "/" + name + ".png";
    picture.save(QString::fromStdString(path));
    return path;
}

inline bool IsColour(const QImage& image, int x, int y, Rgb colour) {
    return image.pixel(x, y) == qRgb(colour.r, colour.g, colour.b);
}

// Pixels of the colour inside rows [top, bottom) of the image.
inline int CountColour(const QImage& image, Rgb colour, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) count += IsColour(image, x, y, colour) ? 1 : 0;
    return count;
}

}  // namespace velmora2::testing
