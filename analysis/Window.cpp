#include "analysis/Window.h"

#include <cmath>

namespace velmora2 {

namespace {

// Not pi to full precision: the window shapes are defined with this value.
constexpr double kWindowPi = 3.1415926;

// w[i] of an n-point window (n >= 2).
double WindowCoefficient(WindowKind kind, int i, int n) {
    switch (kind) {
        case WindowKind::Han:
            return 0.5 * (1 - std::cos(2 * kWindowPi * i / (n - 1)));
        case WindowKind::Ham:
            return 0.54 - 0.46 * std::cos(2 * kWindowPi * i / (n - 1));
        case WindowKind::Black:
            return 0.42 - 0.5 * std::cos(2 * kWindowPi * i / (n - 1)) +
                   0.08 * std::cos(4 * kWindowPi * i / (n - 1));
        case WindowKind::BlackH:
            return 0.35875 - 0.48829 * std::cos(2 * kWindowPi * (i + 0.5) / n) +
                   0.14128 * std::cos(4 * kWindowPi * (i + 0.5) / n) -
                   0.01168 * std::cos(6 * kWindowPi * (i + 0.5) / n);
        case WindowKind::Bart:
            // For even n the integer centre splits the points like the real centre (n-1)/2.
            return i <= (n - 1) / 2 ? 2.0 * i / (n - 1) : 2 - 2.0 * i / (n - 1);
        case WindowKind::Rect:
            break;
    }
    return 1;
}

}  // namespace

WindowKind WindowKindFromName(std::string_view name) {
    if (name == "han") return WindowKind::Han;
    if (name == "ham") return WindowKind::Ham;
    if (name == "black") return WindowKind::Black;
    if (name == "black-h") return WindowKind::BlackH;
    if (name == "bart") return WindowKind::Bart;
    return WindowKind::Rect;
}

WindowFunction::WindowFunction(int n) : n_(n), coefficients_(n) {}

void WindowFunction::Prepare(const std::string& name) {
    const WindowKind kind = WindowKindFromName(name);
    if (kind == WindowKind::Rect || (filled_ && kind == filledKind_)) return;
    for (int i = 0; i < n_; ++i) coefficients_[i] = WindowCoefficient(kind, i, n_);
    filledKind_ = kind;
    filled_ = true;
}

const double* WindowFunction::Coefficients(const std::string& name) {
    // x * 1.0 is x exactly, so the rectangular window needs no table.
    if (WindowKindFromName(name) == WindowKind::Rect) return nullptr;
    Prepare(name);
    return coefficients_.data();
}

}  // namespace velmora2
