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
    return wait_until(f"{word!r} in a window", read, timeout=10)


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
    game.click(*game.board_cell_centre(0, 0))
    wait_until("an item in cell (0, 0)", lambda: game.cell_has_item(0, 0))
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
    game.click(*game.board_cell_centre(1, 1))
    wait_until("the tap to place an item where the player sees the board", lambda: game.cell_has_item(1, 1))


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
    game = desktop.start()  # the title screen's own test reads its French title line
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


def squares_of_one_colour(picture, zoom):
    """Every zoom x zoom square of the picture is of one colour."""
    for y in range(0, picture.height, zoom):
        for x in range(0, picture.width, zoom):
            colour = picture.pixel(x, y)
            if any(picture.pixel(x + i, y + j) != colour for i in range(zoom) for j in range(zoom)):
                return False
    return True


def stored_values(desktop):
    with open(os.path.join(desktop.config, "Kestory", "Mirovane.reg")) as store:
        return [line.split("=")[0] for line in store if line.startswith('"')]


def the_zoom_fits_the_screen_crisply_and_is_remembered(desktop):
    game = desktop.start()
    check(f"a 1080-pixel screen opens at zoom 2, not {game.geometry()}", game.geometry()[2] == 480)
    end_title(game)
    check("every game pixel is a 2 x 2 square of one colour", squares_of_one_colour(game.client(), 2))
    game.click(*game.board_cell_centre(1, 1))
    wait_until("an item in the cell under the pointer", lambda: game.cell_has_item(1, 1))

    game.focus()
    game.key("ctrl+minus")
    wait_until("Ctrl+- to make the window zoom 1", lambda: game.geometry()[2] == 240)
    game.key("ctrl+plus")
    wait_until("Ctrl++ to make the window zoom 2", lambda: game.geometry()[2] == 480)
    game.key("ctrl+plus")
    wait_until("Ctrl++ to make the window zoom 3", lambda: game.geometry()[2] == 720)
    choose(game, SHOW_SOLUTION)
    game.wait_for_box()
    game.key("Return")  # solution anyway: the game is counted and the store written
    game.wait_for_no_box()
    game.focus()
    game.key("ctrl+q")
    check("the game ends", game.exit_status() == 0)

    values = stored_values(desktop)
    check(f"the settings store keeps its nineteen values, not {values}", len(values) == 19)
    game = desktop.start()
    check(f"the zoom is remembered, not {game.geometry()}", game.geometry()[2] == 720)


def the_keyboard_places_items_shows_rays_and_picks_slots(desktop):
    game = desktop.start()
    game.focus()
    game.key("space")  # a key tap ends the title screen
    wait_until("the game screen", game.shows_board, timeout=2)
    game.key("Right", "Right", "Right", "Down", "space")
    wait_until("an item in cell (2, 1)", lambda: game.cell_has_item(2, 1))

    board = game.game_screen()
    game.key("Up", "Up", "Return")
    left, top = game.board_cell_centre(0, 0)
    wait_until("the ray of the port above column 2", lambda: game.game_screen().region(
        (left - 10, top - 10, left + 90, top + 90)) != board.region((left - 10, top - 10, left + 90, top + 90)))

    slot = lambda s: game.game_screen().pixel(2, 5 + (13 - 4) * 10 + 20 * s + 10)  # a slot's left edge
    check("the first slot is selected", slot(0) == (255, 255, 255) and slot(1) != (255, 255, 255))
    game.key("2")
    wait_until("the digit 2 to select the second slot", lambda: slot(1) == (255, 255, 255))


def a_killed_game_comes_back_and_undo_takes_back_a_new_game(desktop):
    game = desktop.start()
    end_title(game)
    for cell in ((0, 0), (1, 1)):
        game.click(*game.board_cell_centre(*cell))
        wait_until(f"an item in cell {cell}", lambda: game.cell_has_item(*cell))
    game.focus()
    game.key("ctrl+z")
    wait_until("Undo to take the second item back", lambda: not game.cell_has_item(1, 1))
    game.key("ctrl+shift+z")
    wait_until("Redo to put it again", lambda: game.cell_has_item(1, 1))
    board = (40, 30, 240, 240)  # the board and its numbers, below the clock
    played = game.game_screen().region(board)

    game.process.kill()  # SIGKILL: nothing is saved at the end
    game.process.wait()
    game = desktop.start()
    check("a new start shows the title screen first", not game.shows_board())
    end_title(game)
    check("the same board and numbers after a kill", game.game_screen().region(board) == played)
    clock = (150, 0, 240, 15)
    first = game.client().region(clock)
    wait_until("the kept game's clock to run on", lambda: game.client().region(clock) != first, timeout=2)

    game.focus()
    game.key("ctrl+n")
    game.wait_for_box()
    game.key("Return")  # OK: abort the game
    game.wait_for_no_box()
    wait_until("a new game", lambda: not game.cell_has_item(0, 0))
    game.focus()
    game.key("ctrl+z")
    wait_until("Undo to bring the abandoned game back", lambda: game.game_screen().region(board) == played)


def a_sure_cell_is_shown_and_placed(desktop):
    # Puzzles with one answer, chosen at an earlier run: every item of the puzzle is sure.
    os.makedirs(os.path.join(desktop.config, "Kestory"), exist_ok=True)
    with open(os.path.join(desktop.config, "Kestory", "Mirovane.conf"), "w") as preferences:
        preferences.write("[Help]\noneAnswer=true\n")
    game = desktop.start()
    end_title(game)
    popup = game.open_menu()
    game.key("Right", "Right", "Down", "Return")  # Help opens on its first item; the second: Show a sure cell
    wait_until("the menu to close", lambda: popup not in game.windows())

    def sure_cell():
        """The board cell inside the cyan outline drawn over the window, or None."""
        picture, zoom = game.client(), game.zoom()
        found = [(x, y) for y in range(0, picture.height, zoom) for x in range(0, picture.width, zoom)
                 if picture.pixel(x, y) == (0, 255, 255)]
        if not found:
            return None
        x, y = min(found)
        left, top = game.board_cell_centre(0, 0)
        return ((x // zoom + 1) - (left - 10)) // 20, ((y // zoom + 1) - (top - 10)) // 20

    cell = wait_until("a sure cell outlined in cyan", sure_cell)
    check(f"the sure cell {cell} is empty", not game.cell_has_item(*cell))
    game.click(*game.board_cell_centre(*cell))
    wait_until(f"its item in cell {cell}", lambda: game.cell_has_item(*cell))
    wait_until("the outline gone after the tap", lambda: sure_cell() is None)


CASES = {case.__name__: case for case in [
    a_killed_game_comes_back_and_undo_takes_back_a_new_game, a_sure_cell_is_shown_and_placed,
    title_ends_by_itself_and_by_a_tap, a_tap_places_an_item_and_starts_the_clock, about_during_the_title,
    solution_cancelled_during_the_title, exit_asks_during_a_game, the_menu_opens_after_every_dialog,
    a_second_copy_raises_the_first, french_players_get_french_buttons,
    the_zoom_fits_the_screen_crisply_and_is_remembered, the_keyboard_places_items_shows_rays_and_picks_slots]}


def main():
    binary, name = sys.argv[1], sys.argv[2]
    screen = "1920x1080" if name.startswith("the_zoom") else "1024x768"
    try:
        with Desktop(binary, wm="--wm" in sys.argv, screen=screen) as desktop:
            CASES[name](desktop)
    except Failure as failure:
        print(f"{name}: {failure}", file=sys.stderr)
        return 1
    print(f"{name}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
