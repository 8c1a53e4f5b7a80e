// The handheld's non-drawing services on Qt: the tick counter, message boxes and modal dialogs.
// Each has a seam so that tests can run the real game code with ticks, answers and dialog actions
// of their own choosing.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QDialog;
class QWidget;

// ---- Tick counter -------------------------------------------------------------------------------
// Milliseconds from a steady clock, as a 32-bit counter that wraps; take differences as unsigned.
uint32_t GetTickCount();

// Replaces the clock (tests); an empty function puts the steady clock back.
void SetTickSource(std::function<uint32_t()> source);

// The tick to keep as the start of the title screen or of a game's clock. The game reads a start tick
// of 0 as "not started", so a start that falls on tick 0 is taken one millisecond earlier.
uint32_t StartTick();

// ---- Message boxes ------------------------------------------------------------------------------
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Shows a modal message box owned by `owner` (may be null) and returns IDOK or IDCANCEL. Closing a
// message box or a modal dialog repaints the whole main window, as the handheld did for what the
// box had covered.
int MessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned style);

// What a message box was asked to show.
struct AskedMessageBox {
    QString text;
    QString caption;
    unsigned style = 0;
};

// Tests: from now on message boxes are not shown; each returns what `answer` gives for it (IDOK or
// IDCANCEL). An empty function shows real boxes again.
void SetMessageBoxAnswers(std::function<int(const AskedMessageBox&)> answer);

// ---- Modal dialogs ------------------------------------------------------------------------------
// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
int RunModal(QDialog& dialog);

// Tests: instead of entering a modal loop, RunModal shows the dialog, hands it to `act` (which clicks
// its controls and ends it with accept() or reject()), and returns its result. An empty function
// restores the real modal loop.
void SetDialogActions(std::function<void(QDialog&)> act);

// ---- The application's main window --------------------------------------------------------------
// The window that owns message boxes raised while painting; null before it exists.
QWidget* AppMainWindow();
void SetAppMainWindow(QWidget* window);

// ---- Language of the platform's own texts -------------------------------------------------------
// Puts Qt's French strings (buttons OK/Annuler and the like) in place, or back to English.
void UsePlatformLanguage(bool french);
