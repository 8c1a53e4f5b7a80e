// Dialog templates as data, and the game's side of a running dialog. A platform builds its own dialog
// from a template: the controls at their places (in dialog units: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its height), each carrying
// its id, with OK and Cancel below the template's area (ids AnswerId(Answer::Ok), AnswerId(Answer::Cancel)).
// While the dialog runs the game exchanges values with the controls by id, as the handheld's data
// exchange did: the platform implements DialogControls, the game DialogRun.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// How the player closed a message box or a dialog; in a dialog also the ids of its OK and Cancel
// buttons (AnswerId).
enum class Answer { Ok = 1, Cancel = 2 };
constexpr int AnswerId(Answer answer) {
    return static_cast<int>(answer);
}

enum class ControlKind { RadioButton, CheckBox, PushButton, GroupBox, CentredLabel, LineEdit, MultiLineEdit };

// Edit styles.
inline constexpr unsigned kBordered = 1;
inline constexpr unsigned kCentred = 2;
inline constexpr unsigned kRightAligned = 4;
inline constexpr unsigned kVerticalScroll = 8;
// Radio buttons: this one starts a new group; the others join the group of the last one before them.
inline constexpr unsigned kOpensGroup = 16;

struct DialogControl {
    ControlKind kind;
    int id;  // -1: a control the game never addresses
    int x;
    int y;
    int width;
    int height;
    std::u16string text;
    unsigned style = 0;
};

struct DialogTemplate {
    int number;
    std::u16string caption;
    int width;  // the template's area in units
    int height;
    std::span<const DialogControl> controls;
};

// What the game can do with the controls of a running dialog (a platform's implementation). `pull` moves a
// control's state into the value, otherwise the value goes into the control:
// - text: an edit's text, lines broken by "\r\n";
// - check: a check box, 0 or 1 read, any nonzero value checks it;
// - radio: a group given by its first button, the position of the checked button in template order,
//   -1 when none is; a position outside the group checks none.
class DialogControls {
  public:
    virtual void ExchangeText(bool pull, int id, std::u16string& value) = 0;
    virtual void ExchangeCheck(bool pull, int id, int32_t& value) = 0;
    virtual void ExchangeRadio(bool pull, int firstId, int32_t& value) = 0;
    // A button's label or an edit's text.
    virtual void SetText(int id, std::u16string_view text) = 0;

  protected:
    ~DialogControls() = default;
};

// The game's side of a running dialog: the first showing, a click on a button of the template, and OK
// before the dialog closes. Cancel closes it without a word to the game.
class DialogRun {
  public:
    virtual void InitDialog(DialogControls& controls) = 0;
    virtual void Clicked(DialogControls& controls, int id) = 0;
    virtual void Accepted(DialogControls& controls) = 0;

  protected:
    ~DialogRun() = default;
};
