// The desktop platform's services behind the game's host (seam/host.h): the tick counter,
// message boxes and modal dialogs on Qt. Each has a seam so that tests can run the real game code with
// ticks, answers and dialog actions of their own choosing.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "seam/host.h"

class QDialog;
class QWidget;

// ---- Tick counter -------------------------------------------------------------------------------
// Milliseconds from a steady clock, as a 32-bit counter that wraps; take differences as unsigned.
uint32_t QtTickCount();

// Replaces the clock (tests); an empty function puts the steady clock back.
void SetTickSource(std::function<uint32_t()> source);

// ---- Message boxes ------------------------------------------------------------------------------
// Shows a modal message box owned by `owner` (may be null) and returns Answer::Ok or Answer::Cancel. Closing
// a message box or a modal dialog repaints the whole main window, as the handheld did for what the box had
// covered.
Answer QtMessageBox(QWidget* owner, const QString& text, const QString& caption, BoxStyle style);

// What a message box was asked to show.
struct AskedMessageBox {
    QString text;
    QString caption;
    BoxStyle style = BoxStyle::Ok;
};

// Tests: from now on message boxes are not shown; each returns what `answer` gives for it (Answer::Ok or
// Answer::Cancel). An empty function shows real boxes again.
void SetMessageBoxAnswers(std::function<Answer(const AskedMessageBox&)> answer);

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
