// The game's bitmaps by number, in the sizes and depths it draws them with: what every platform's
// loader must hand out, and what a stand-in platform makes blank ones of.
#pragma once

struct BitmapSize {
    int number, width, height;
    bool twoColour;
};

inline constexpr BitmapSize kBitmapSizes[] = {
    {120, 86, 10, true},  {121, 65, 26, true},   {122, 60, 34, false}, {123, 156, 36, true},
    {124, 194, 18, true}, {127, 70, 70, false},  {128, 80, 15, false}, {130, 161, 41, false},
    {131, 19, 19, true},  {132, 240, 100, false}};
