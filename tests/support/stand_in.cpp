#include "support/stand_in.h"

#include <algorithm>

#include "core/render/offscreen.h"
#include "model/model.h"
#include "model/random.h"
#include "platform/web/bitmap_file.h"
#include "platform/web/embedded_bitmaps.h"
#include "platform/web/text.h"
#include "seam/registry.h"

StandIn standIn;

namespace {

// Every character is 5 columns of a 6-pixel cell; its rows 1 to 9 show the bits of its code, so that
// two texts of the same length still draw differently.
int32_t GlyphWidth(std::u16string_view line) {
    return static_cast<int32_t>(line.size()) * 6;
}
void DrawGlyphs(std::u16string_view line, uint8_t* mask, int32_t width, int32_t height, int32_t ascent) {
    for (int32_t y = 1; y < ascent && y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const unsigned code = line[static_cast<std::size_t>(x / 6)];
            const int bit = ((y - 1) * 5 + x % 6) % 16;
            if (x % 6 < 5 && ((code >> bit) & 1) != 0) mask[y * width + x] = 255;
        }
    }
}

bool IsEmpty(const Rect32& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

Host StandInHost() {
    Host host{};
    host.tickCount = [] { return standIn.now; };
    host.setTimer = [](uint32_t id, uint32_t milliseconds) { return standIn.timers[id] = milliseconds, id; };
    host.killTimer = [](uint32_t id) { standIn.timers.erase(id); };
    host.invalidate = [](const Rect32& area) {
        if (IsEmpty(area)) return;
        Rect32& all = standIn.invalid;
        all = IsEmpty(all) ? area
                           : Rect32{std::min(all.left, area.left), std::min(all.top, area.top),
                                    std::max(all.right, area.right), std::max(all.bottom, area.bottom)};
    };
    host.updateWindow = [] {
        ++standIn.updates;
        PaintPending();
    };
    // Like a window, it repaints the whole screen that a message box covered once the box is closed.
    host.messageBox = [](std::u16string_view text, std::u16string_view caption, BoxStyle style) {
        standIn.asked.push_back({std::u16string(text), std::u16string(caption), style, GameState.gamePhase});
        InvalidateClient();
        if (standIn.answers.empty()) return Answer::Ok;
        const Answer answer = standIn.answers.front();
        standIn.answers.pop_front();
        return answer;
    };
    host.loadBitmap = [](int number) {
        static std::map<int, Bitmap> loaded;
        if (standIn.failingBitmaps.contains(number)) return Bitmap();
        if (!loaded.contains(number)) loaded[number] = BitmapFromBmp(EmbeddedBitmap(number));
        return loaded[number];
    };
    host.runDialog = [](const DialogTemplate& dialog, DialogRun& run) {
        standIn.dialogsShown.push_back(dialog.number);
        StandInDialog shown(dialog, run);
        return standIn.dialogAction ? standIn.dialogAction(shown) : shown.Close(Answer::Cancel);
    };
    host.closeWindow = [] { standIn.closed = true; };
    host.commandsChanged = [] { ++standIn.commandsChanges; };
    host.randomSeed = [] { return standIn.seed++; };
    host.readSettings = [](std::string& text) {
        if (standIn.settingsRead == SettingsRead::Present) text = standIn.settings;
        return standIn.settingsRead;
    };
    host.writeSettings = [](const std::string& text) {
        if (standIn.writeError != ERROR_SUCCESS) return standIn.writeError;
        standIn.settings = text, standIn.settingsRead = SettingsRead::Present, ++standIn.settingsWrites;
        return int32_t{ERROR_SUCCESS};
    };
    host.readGame = [](std::string& text) {
        text = standIn.kept;
        return text.empty() ? SettingsRead::Missing : SettingsRead::Present;
    };
    host.writeGame = [](const std::string& text) { return standIn.kept = text, 0; };
    host.drawText = &DrawGlyphText;
    return host;
}

}  // namespace

// ---- Dialogs ----------------------------------------------------------------------------------------

StandInDialog::StandInDialog(const DialogTemplate& dialog, DialogRun& run) : template_(dialog), run_(run) {
    int group = -1;
    for (const DialogControl& c : dialog.controls) {
        if (c.kind == ControlKind::RadioButton && (c.style & kOpensGroup) != 0) group = c.id;
        controls_[c.id] = Control{c.text, false, c.kind == ControlKind::RadioButton ? group : -1};
    }
    run.InitDialog(*this);
}

void StandInDialog::ExchangeText(bool pull, int id, std::u16string& value) {
    std::u16string& text = controls_[id].text;
    pull ? void(value = text) : void(text = value);
}

void StandInDialog::ExchangeCheck(bool pull, int id, int32_t& value) {
    bool& checked = controls_[id].checked;
    pull ? void(value = checked ? 1 : 0) : void(checked = value != 0);
}

void StandInDialog::ExchangeRadio(bool pull, int firstId, int32_t& value) {
    const std::vector<int> group = Group(firstId);
    if (pull) value = -1;
    for (int i = 0; i < static_cast<int>(group.size()); ++i) {
        bool& checked = controls_[group[static_cast<std::size_t>(i)]].checked;
        pull ? void(value = checked ? i : value) : void(checked = i == value);
    }
}

std::vector<int> StandInDialog::Group(int firstId) const {
    std::vector<int> ids;
    for (const DialogControl& c : template_.controls) {
        if (controls_.at(c.id).group == firstId) ids.push_back(c.id);
    }
    return ids;
}

// As the player's pointer: a radio button is checked alone in its group, a check box changes.
void StandInDialog::Click(int id) {
    Control& control = controls_[id];
    for (int other : control.group >= 0 ? Group(control.group) : std::vector<int>{})
        controls_[other].checked = other == id;
    if (control.group < 0) control.checked = !control.checked;
    run_.Clicked(*this, id);
}

// ---- The host and the screen -------------------------------------------------------------------------

void UseStandIn() {
    standIn = StandIn{};
    UseGlyphText(GlyphSource{12, 10, &GlyphWidth, &DrawGlyphs});
    SetHost(StandInHost());
}

void PaintPending() {
    for (int round = 0; !IsEmpty(standIn.invalid); ++round) {
        ASSERT_LT(round, 10) << "the game asks for paint after paint";
        const Rect32 area = standIn.invalid;
        standIn.invalid = Rect32{};
        PaintFrame(area);
    }
}

int CountOnScreen(const Rect32& area, Colour colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += Screen().pixel(x, y) == colour;
    }
    return count;
}

bool ScreenShows(const Bitmap& picture, const Rect32& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (picture.pixel(x, y) != Screen().pixel(x, y)) return false;
        }
    }
    return true;
}

Bitmap TextPicture(std::u16string_view text, const Rect32& rect, Colour ink, Colour band, unsigned format) {
    DeviceContext dc;
    dc.SelectBitmap(Bitmap(kGameWidth, kGameHeight));
    dc.SetTextColor(ink);
    dc.SetBkColor(band);
    dc.DrawTextW(text, rect, format);
    return dc.Image();
}

// ---- The fixture --------------------------------------------------------------------------------------

void GameTest::SetUp() {
    GameState = GameRecord{};
    UseStandIn();
    CreateOffscreenBuffer(kGameWidth, kGameHeight);  // for tests that paint without starting the game
}

void GameTest::TearDown() {
    EndGame();
    SetRandomSource(nullptr, nullptr);
    SetHost(Host{});
}

void GameTest::Start() {
    EndGame();
    standIn.timers.clear();
    StartGame();
    PaintPending();
}

void GameTest::StartPlaying() {
    Start();
    Tap(235, 5);
    ASSERT_EQ(GameState.titleStartTick, 0u);
}
