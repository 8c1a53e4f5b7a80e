#include "core/ui/key_cursor.h"

#include <algorithm>

#include "model/model.h"

namespace {

constexpr int kPitch = 20;
constexpr int kSquare = 21;

// Slots still shown in the palette strip, as a palette tap counts them.
int PaletteSlots() {
    return std::max(0, GameState.itemCount - GameState.placedCount);
}

void ToBoard(KeyCursor& cursor, int column, int row) {
    cursor.place = CursorPlace::Board;
    cursor.column = column;
    cursor.row = row;
}

void ToPort(KeyCursor& cursor, int port) {
    cursor.place = CursorPlace::Port;
    cursor.port = port;
}

void MoveOnBoard(KeyCursor& cursor, CursorKey key, int n) {
    const int c = cursor.column;
    const int r = cursor.row;
    switch (key) {
        case CursorKey::Left:
            c > 0 ? ToBoard(cursor, c - 1, r) : ToPort(cursor, 4 * n - 1 - r);
            break;
        case CursorKey::Right:
            c < n - 1 ? ToBoard(cursor, c + 1, r) : ToPort(cursor, n + r);
            break;
        case CursorKey::Up:
            r > 0 ? ToBoard(cursor, c, r - 1) : ToPort(cursor, c);
            break;
        case CursorKey::Down:
            r < n - 1 ? ToBoard(cursor, c, r + 1) : ToPort(cursor, 3 * n - 1 - c);
            break;
    }
}

// Along a band the arrows step from box to box; the arrow towards the board goes back onto it, at
// the box's row or column. Left from the left band goes on to the palette strip.
void MoveOnPorts(KeyCursor& cursor, CursorKey key, int n) {
    const int band = cursor.port / n;
    const int i = cursor.port % n;
    // Each band's position along its own direction (column or row), and the port at a position.
    const int along = band == 2 || band == 3 ? n - 1 - i : i;
    const auto port = [&](int at) { return band * n + (band == 2 || band == 3 ? n - 1 - at : at); };
    const bool horizontal = band == 0 || band == 2;
    constexpr CursorKey kTowardsBoard[] = {CursorKey::Down, CursorKey::Left, CursorKey::Up, CursorKey::Right};
    const CursorKey back = kTowardsBoard[band];
    const CursorKey lower = horizontal ? CursorKey::Left : CursorKey::Up;
    const CursorKey higher = horizontal ? CursorKey::Right : CursorKey::Down;

    if (key == back) {
        const int edge = band == 0 || band == 3 ? 0 : n - 1;
        horizontal ? ToBoard(cursor, along, edge) : ToBoard(cursor, edge, along);
    } else if (key == lower && along > 0) {
        cursor.port = port(along - 1);
    } else if (key == higher && along < n - 1) {
        cursor.port = port(along + 1);
    } else if (band == 3 && key == CursorKey::Left && PaletteSlots() > 0) {
        cursor.row = along;
        cursor.place = CursorPlace::Palette;
        cursor.slot = std::clamp<int>(GameState.paletteSlot, 0, PaletteSlots() - 1);
    }
}

void MoveOnPalette(KeyCursor& cursor, CursorKey key, int n) {
    if (key == CursorKey::Up && cursor.slot > 0) cursor.slot -= 1;
    if (key == CursorKey::Down && cursor.slot < PaletteSlots() - 1) cursor.slot += 1;
    if (key == CursorKey::Right) ToPort(cursor, 4 * n - 1 - cursor.row);
}

}  // namespace

void MoveCursor(KeyCursor& cursor, CursorKey key) {
    if (!cursor.shown) {
        cursor = KeyCursor{};
        cursor.shown = true;
        return;
    }
    ClampCursor(cursor);
    const int n = GameState.gridSize;
    switch (cursor.place) {
        case CursorPlace::Board:
            MoveOnBoard(cursor, key, n);
            break;
        case CursorPlace::Port:
            MoveOnPorts(cursor, key, n);
            break;
        case CursorPlace::Palette:
            MoveOnPalette(cursor, key, n);
            break;
    }
}

void ClampCursor(KeyCursor& cursor) {
    const int n = GameState.gridSize;
    cursor.column = std::clamp(cursor.column, 0, n - 1);
    cursor.row = std::clamp(cursor.row, 0, n - 1);
    cursor.port = std::clamp(cursor.port, 0, 4 * n - 1);
    if (cursor.place == CursorPlace::Palette) {
        if (PaletteSlots() == 0) {
            ToPort(cursor, 4 * n - 1 - cursor.row);  // the strip is empty: back to the left band
        } else {
            cursor.slot = std::clamp(cursor.slot, 0, PaletteSlots() - 1);
        }
    }
}

Rect32 CursorSquare(const KeyCursor& cursor) {
    Point32 corner{};
    switch (cursor.place) {
        case CursorPlace::Board:
            corner = {GameState.boardX + kPitch * cursor.column, GameState.boardY + kPitch * cursor.row};
            break;
        case CursorPlace::Port:
            PortPosition(static_cast<int16_t>(cursor.port), corner);
            break;
        case CursorPlace::Palette:
            corner = {GameState.paletteX, GameState.paletteY + kPitch * cursor.slot};
            break;
    }
    return Rect32{corner.x, corner.y, corner.x + kSquare, corner.y + kSquare};
}

TapHit CursorHit(const KeyCursor& cursor) {
    TapHit hit;
    switch (cursor.place) {
        case CursorPlace::Board:
            hit.place = TapPlace::Board;
            hit.column = cursor.column;
            hit.row = cursor.row;
            break;
        case CursorPlace::Port:
            hit.place = TapPlace::Port;
            hit.port = static_cast<int16_t>(cursor.port);
            break;
        case CursorPlace::Palette:
            hit.place = TapPlace::Palette;
            hit.slot = cursor.slot;
            break;
    }
    return hit;
}

TapHit PaletteSlotHit(int slot) {
    if (slot < 0 || slot >= PaletteSlots()) return TapHit{};
    TapHit hit;
    hit.place = TapPlace::Palette;
    hit.slot = slot;
    return hit;
}
