// The analysis windows: the six window shapes by their settings names, and the coefficient table
// of one record length, kept between frames until the window name changes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora2 {

enum class WindowKind { Rect, Han, Ham, Black, BlackH, Bart };

// Exact, case-sensitive match of "han", "ham", "black", "black-h", "bart"; anything else
// (including "Han" and "rect") is the rectangular window.
WindowKind WindowKindFromName(std::string_view name);

// The window of records of one length n. The coefficients are computed once per window
// name instead of once per frame; the worker thread is the only caller.
class WindowFunction {
public:
    // Allocates the table for n points; throws std::bad_alloc like any allocation.
    explicit WindowFunction(int n);

    // Computes the coefficients of the named window now unless they are the ones kept, so the
    // first record with them does not pay for it.
    void Prepare(const std::string& name);

    // The named window's coefficients w[0] ... w[n - 1], computed now unless kept; null for the
    // rectangular window, whose coefficients are all 1. Valid until the next call.
    const double* Coefficients(const std::string& name);

private:
    int n_;
    WindowKind filledKind_ = WindowKind::Rect;
    bool filled_ = false;
    std::vector<double> coefficients_;
};

}  // namespace velmora2
