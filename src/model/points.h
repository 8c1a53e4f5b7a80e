// The plain points and rectangles that the game, its drawing and its platforms share.
#pragma once

#include <cstdint>

struct Point32 {
    int32_t x;
    int32_t y;
    friend bool operator==(const Point32&, const Point32&) = default;
};

// Right and bottom edges are exclusive.
struct Rect32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    friend bool operator==(const Rect32&, const Rect32&) = default;
};
