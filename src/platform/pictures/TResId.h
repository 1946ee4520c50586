#pragma once

/** The integer id of a resource of the program module (a bitmap, dialog or cursor). */
class TResId {
public:
    constexpr TResId() = default;
    constexpr TResId(int id) : Id(id) {}
    constexpr operator int() const { return Id; }
    constexpr bool operator==(const TResId&) const = default;

private:
    int Id = 0;
};
