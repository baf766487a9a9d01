// Reads what a draw-call log was asked to draw: line segments with their pens, polylines,
// texts with their places and colours, filled polygons.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/DrawCallLog.h"

namespace velmora2::testing {

struct Segment {
    Point from;
    Point to;
    Rgb color;
    PenStyle style;
    friend bool operator==(const Segment&, const Segment&) = default;
};

struct PlacedText {
    std::string text;
    Point at;
    Rgb color;
};

// Every LineTo as a segment from the current position, with the pen selected at the time.
inline std::vector<Segment> Segments(const std::vector<DrawCall>& calls) {
    std::vector<Segment> segments;
    Point current;
    Rgb color{};
    PenStyle style = PenStyle::Solid;
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::Kind::Pen) {
            color = call.color;
            style = call.style;
        } else if (call.kind == DrawCall::Kind::MoveTo) {
            current = call.points[0];
        } else if (call.kind == DrawCall::Kind::LineTo) {
            segments.push_back({current, call.points[0], color, style});
            current = call.points[0];
        }
    }
    return segments;
}

inline std::vector<Segment> SegmentsWithPen(const std::vector<DrawCall>& calls, Rgb color,
                                            PenStyle style) {
    std::vector<Segment> chosen;
    for (const Segment& s : Segments(calls))
        if (s.color == color && s.style == style) chosen.push_back(s);
    return chosen;
}

// Vertex runs drawn with the given pen: each MoveTo starts a run, each LineTo extends it.
inline std::vector<std::vector<Point>> Polylines(const std::vector<DrawCall>& calls, Rgb color,
                                                 PenStyle style) {
    std::vector<std::vector<Point>> runs;
    bool penMatches = false;
    for (const DrawCall& call : calls) {
        if (call.kind == DrawCall::Kind::Pen) {
            penMatches = call.color == color && call.style == style;
            if (!runs.empty() && !runs.back().empty()) runs.push_back({});
        } else if (call.kind == DrawCall::Kind::MoveTo && penMatches) {
            runs.push_back({call.points[0]});
        } else if (call.kind == DrawCall::Kind::LineTo && penMatches && !runs.empty()) {
            runs.back().push_back(call.points[0]);
        }
    }
    std::erase_if(runs, [](const std::vector<Point>& run) { return run.size() < 2; });
    return runs;
}

inline std::vector<PlacedText> Texts(const std::vector<DrawCall>& calls) {
    std::vector<PlacedText> texts;
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Kind::Text)
            texts.push_back({call.text, call.points[0], call.color});
    return texts;
}

inline std::vector<PlacedText> TextsStartingWith(const std::vector<DrawCall>& calls,
                                                 std::string_view prefix) {
    std::vector<PlacedText> chosen;
    for (const PlacedText& t : Texts(calls))
        if (t.text.starts_with(prefix)) chosen.push_back(t);
    return chosen;
}

inline std::optional<PlacedText> FindText(const std::vector<DrawCall>& calls,
                                          std::string_view text) {
    for (const PlacedText& t : Texts(calls))
        if (t.text == text) return t;
    return std::nullopt;
}

inline std::vector<std::vector<Point>> Polygons(const std::vector<DrawCall>& calls, Rgb fill) {
    std::vector<std::vector<Point>> polygons;
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Kind::Polygon && call.color == fill)
            polygons.push_back(call.points);
    return polygons;
}

}  // namespace velmora2::testing
