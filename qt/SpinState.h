// The position of an up-down control within its range, and what one arrow click does to it.
// A range given upside down (lower > upper) is kept as given: the up (or right) arrow then moves
// towards the numerically smaller end, as on the platform the panel was designed for.
#pragma once

namespace velmora2 {

class SpinState {
public:
    // Arrows: +1 is up (vertical pair) or right (horizontal pair), -1 is down or left.
    static constexpr int kUpArrow = 1;
    static constexpr int kDownArrow = -1;

    // Keeps the position inside the new range.
    void SetRange(int lower, int upper);
    // Positions outside the range are set to the nearer end.
    void SetPosition(int position);
    int Position() const { return position_; }
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }

    // One click: a step of one towards upper (kUpArrow) or lower, stopping at the end of the
    // range. Returns the change in position, 0 at the end of the range.
    int Step(int arrow);

private:
    int Clamp(int position) const;

    // The platform's default range runs from 100 down to 0.
    int lower_ = 100;
    int upper_ = 0;
    int position_ = 0;
};

}  // namespace velmora2
