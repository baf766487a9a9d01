#include "tools/measure/PictureTarget.h"

#include "display/DrawingConventions.h"
#include "qt/QImageSurface.h"

namespace velmora2 {

namespace {

bool IsPictureField(const Surface& surface) {
    return surface.Width() == kSurfaceWidth && surface.Height() == kSurfaceHeight;
}

}  // namespace

PictureSurface::PictureSurface(int width, int height, Rgb background, bool withPixels)
    : width_(width), height_(height) {
    if (withPixels) pixels_ = std::make_unique<QImageSurface>(width, height, background);
}

void PictureSurface::SetPen(Rgb color, PenStyle style) {
    if (pixels_) pixels_->SetPen(color, style);
}

void PictureSurface::MoveTo(int x, int y) {
    if (pixels_) pixels_->MoveTo(x, y);
}

void PictureSurface::LineTo(int x, int y) {
    if (pixels_) pixels_->LineTo(x, y);
}

void PictureSurface::FillPolygon(std::span<const Point> points, Rgb fill) {
    if (pixels_) pixels_->FillPolygon(points, fill);
}

void PictureSurface::FillRect(int left, int top, int right, int bottom, Rgb fill) {
    if (pixels_) pixels_->FillRect(left, top, right, bottom, fill);
}

void PictureSurface::DrawText(int x, int y, std::string_view text, Rgb color) {
    if (pixels_) pixels_->DrawText(x, y, text, color);
}

QImage PictureSurface::Pixels() const {
    if (!pixels_) return {};
    return static_cast<const QImageSurface&>(*pixels_).Image().copy();
}

std::unique_ptr<Surface> PictureTarget::CreateSurface(int width, int height, Rgb background) {
    auto surface = std::make_unique<PictureSurface>(width, height, background, withPixels_);
    if (IsPictureField(*surface)) {
        const std::lock_guard lock(shownMutex_);
        picture_ = surface.get();
    }
    return surface;
}

void PictureTarget::CopyToWindow(const Surface& source, int, int) {
    // Every surface here is one of ours; the one of the picture field's size is the picture.
    if (!IsPictureField(source)) return;
    const std::lock_guard lock(shownMutex_);
    if (!shownWanted_) return;
    shownWanted_ = false;
    shown_ = static_cast<const PictureSurface&>(source).Pixels();
}

const PictureSurface* PictureTarget::Picture() const {
    const std::lock_guard lock(shownMutex_);
    return picture_;
}

void PictureTarget::RequestShownPicture() {
    const std::lock_guard lock(shownMutex_);
    shownWanted_ = true;
    shown_.reset();
}

std::optional<QImage> PictureTarget::ShownPicture() const {
    const std::lock_guard lock(shownMutex_);
    return shown_;
}

}  // namespace velmora2
