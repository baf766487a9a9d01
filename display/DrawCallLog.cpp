#include "display/DrawCallLog.h"

namespace velmora2 {

void DrawCallLog::SetPen(Rgb color, PenStyle style) {
    calls_.push_back({DrawCall::Kind::Pen, color, style, {}, {}});
}

void DrawCallLog::MoveTo(int x, int y) {
    calls_.push_back({DrawCall::Kind::MoveTo, {}, PenStyle::Solid, {{x, y}}, {}});
}

void DrawCallLog::LineTo(int x, int y) {
    calls_.push_back({DrawCall::Kind::LineTo, {}, PenStyle::Solid, {{x, y}}, {}});
}

void DrawCallLog::FillPolygon(std::span<const Point> points, Rgb fill) {
    calls_.push_back({DrawCall::Kind::Polygon,
                      fill,
                      PenStyle::Solid,
                      std::vector<Point>(points.begin(), points.end()),
                      {}});
}

void DrawCallLog::FillRect(int left, int top, int right, int bottom, Rgb fill) {
    // A fill of the whole surface paints over everything before it: a new picture starts.
    if (left <= 0 && top <= 0 && right >= width_ && bottom >= height_) calls_.clear();
    calls_.push_back(
        {DrawCall::Kind::Rect, fill, PenStyle::Solid, {{left, top}, {right, bottom}}, {}});
}

void DrawCallLog::DrawText(int x, int y, std::string_view text, Rgb color) {
    calls_.push_back({DrawCall::Kind::Text, color, PenStyle::Solid, {{x, y}}, std::string(text)});
}

std::vector<std::string> DrawCallLog::Texts() const {
    std::vector<std::string> texts;
    for (const DrawCall& call : calls_)
        if (call.kind == DrawCall::Kind::Text) texts.push_back(call.text);
    return texts;
}

std::unique_ptr<Surface> DrawCallLogTarget::CreateSurface(int width, int height, Rgb background) {
    return std::make_unique<DrawCallLog>(width, height, background);
}

void DrawCallLogTarget::CopyToWindow(const Surface& source, int x, int y) {
    Copy copy{x, y, source.Width(), source.Height(), {}};
    if (const auto* recording = dynamic_cast<const DrawCallLog*>(&source))
        copy.calls = recording->Calls();
    std::lock_guard lock(mutex_);
    ++copyCount_;
    copies_.push_back(std::move(copy));
    if (copies_.size() > kKeptCopies) copies_.erase(copies_.begin());
}

std::vector<DrawCallLogTarget::Copy> DrawCallLogTarget::Copies() const {
    std::lock_guard lock(mutex_);
    return copies_;
}

size_t DrawCallLogTarget::CopyCount() const {
    std::lock_guard lock(mutex_);
    return copyCount_;
}

}  // namespace velmora2
