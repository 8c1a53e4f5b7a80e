"""End-to-end cases on a real X server. Usage: cases.py GAME_BINARY CASE [--wm]

Each case is a claim about what a player sees and does; it fails with a line that says what went
wrong."""

import os
import subprocess
import sys
import time

from desktop import Desktop, Failure, wait_until

# Rows of the popup "Menu", reached with Down from the popup's first opening.
NEW_GAME, SHOW_SOLUTION, LEARN_RULES, OPTIONS, ABOUT, EXIT = range(1, 7)
TITLE_MS = 5000


def check(claim, condition):
    if not condition:
        raise Failure(claim)


def choose(game, row):
    """Opens the menu with the pointer and picks a row with the keys, as a player may."""
    popup = game.open_menu()
    game.key(*["Down"] * row, "Return")
    wait_until("the menu to close", lambda: popup not in game.windows())


def end_title(game):
    game.click(235, 5)  # an empty margin: the tap only ends the title screen
    wait_until("the game screen after a tap", game.shows_board, timeout=2)


def menu_opens_again(game):
    game.open_menu()
    game.key("Escape")
    wait_until("the menu to close", lambda: len(game.windows()) == 1)


def ocr(picture_of):
    """The words in a window, read from its screenshot enlarged twice."""
    png = subprocess.run(["/usr/bin/convert", "ppm:-", "-scale", "200%", "png:-"], input=picture_of,
                         capture_output=True, check=True).stdout
    return subprocess.run(["tesseract", "stdin", "stdout", "--psm", "11"], input=png, capture_output=True,
                          check=True, env=dict(os.environ, OMP_THREAD_LIMIT="1")).stdout.decode()


def window_text(game, window, word):
    """The words read in a window once `word` is among them (a window may still be drawing)."""
    def read():
        picture = game.screenshot(window)
        text = ocr(b"P6 %d %d 255\n" % (picture.width, picture.height) + picture.data)
        return text if word in text else None
    return wait_until(f"{word!r} in a window", read, timeout=4)


def title_ends_by_itself_and_by_a_tap(desktop):
    game = desktop.start()
    check("the first picture is the title screen", not game.shows_board())
    wait_until("the title screen to end by itself", game.shows_board, timeout=TITLE_MS / 1000 + 3)
    game.focus()
    game.key("ctrl+q")  # no move yet: no question
    check("Exit without a move ends the game at once with status 0", game.exit_status() == 0)

    game = desktop.start()
    started = time.monotonic()
    end_title(game)
    check("a tap ends the title screen before its five seconds", time.monotonic() - started < 4)


def a_tap_places_an_item_and_starts_the_clock(desktop):
    game = desktop.start()
    end_title(game)
    x, y = game.board_cell_centre(0, 0)
    game.click(x, y)
    wait_until("an item in cell (0, 0)", lambda: game.client().count((128, 0, 128), (x - 8, y - 8, x + 8, y + 8))
               < 200)
    clock = (150, 0, 240, 15)
    first = game.client().region(clock)
    wait_until("the clock to run after the first tap", lambda: game.client().region(clock) != first, timeout=2)


def modal_during_title(desktop, row, answer):
    game = desktop.start()
    started = time.monotonic()
    choose(game, row)
    game.wait_for_box()
    game.key(answer)
    game.wait_for_no_box()
    wait_until("the game screen once the box is closed", game.shows_board, timeout=1.5)
    check("the game screen came before the title's own end",
          time.monotonic() - started < TITLE_MS / 1000 - 0.5)
    menu_opens_again(game)
    x, y = game.board_cell_centre(1, 1)
    game.click(x, y)
    wait_until("the tap to place an item where the player sees the board",
               lambda: game.client().count((128, 0, 128), (x - 8, y - 8, x + 8, y + 8)) < 200)


def about_during_the_title(desktop):
    modal_during_title(desktop, ABOUT, "Return")


def solution_cancelled_during_the_title(desktop):
    modal_during_title(desktop, SHOW_SOLUTION, "Escape")


def exit_asks_during_a_game(desktop):
    game = desktop.start()
    end_title(game)
    game.click(*game.board_cell_centre(0, 0))
    game.focus()
    game.key("ctrl+q")
    game.wait_for_box()
    game.key("Escape")
    game.wait_for_no_box()
    check("Cancel keeps the game running", game.process.poll() is None)
    menu_opens_again(game)
    choose(game, EXIT)
    game.wait_for_box()
    game.key("Return")
    check("OK ends the game with status 0", game.exit_status() == 0)


def the_menu_opens_after_every_dialog(desktop):
    game = desktop.start()
    end_title(game)
    for row in (OPTIONS, LEARN_RULES, ABOUT):
        choose(game, row)
        game.wait_for_box()
        game.key("Escape")
        game.wait_for_no_box()
        menu_opens_again(game)


def a_second_copy_raises_the_first(desktop):
    first = desktop.start()
    end_title(first)
    if desktop.wm:
        desktop.xdotool("windowminimize", "--sync", first.window)
        wait_until("the window to be minimised", lambda: not first.windows())

    second = desktop.start(wait_for_window=False)
    check("the second copy leaves with status 0", second.wait(10) == 0)
    wait_until("the first copy's window to be shown and active", lambda: first.windows() and desktop.xdotool(
        "getwindowfocus" if not desktop.wm else "getactivewindow", check=False).strip() == first.window)

    first.process.kill()  # a crash leaves its lock behind
    first.process.wait()
    check("a start after a crash opens a window", desktop.start().window)


def french_players_get_french_buttons(desktop):
    desktop.write_settings(langue=1)
    game = desktop.start()
    window_text(game, game.window, "miroirs")  # the title line
    end_title(game)
    game.click(*game.board_cell_centre(0, 0))
    game.focus()
    game.key("ctrl+q")
    box = game.wait_for_box()
    check("the question's buttons read OK and Annuler", "Cancel" not in window_text(game, box, "Annuler"))
    game.key("Escape")
    game.wait_for_no_box()
    choose(game, OPTIONS)
    game.wait_for_box()
    game.key("Return")  # the abort question
    dialog = game.wait_for_box()
    window_text(game, dialog, "Annuler")  # the Options dialog's Cancel button
    game.key("Escape")


CASES = {case.__name__: case for case in [
    title_ends_by_itself_and_by_a_tap, a_tap_places_an_item_and_starts_the_clock, about_during_the_title,
    solution_cancelled_during_the_title, exit_asks_during_a_game, the_menu_opens_after_every_dialog,
    a_second_copy_raises_the_first, french_players_get_french_buttons]}


def main():
    binary, name = sys.argv[1], sys.argv[2]
    with Desktop(binary, wm="--wm" in sys.argv) as desktop:
        try:
            CASES[name](desktop)
        except Failure as failure:
            print(f"{name}: {failure}", file=sys.stderr)
            return 1
    print(f"{name}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
