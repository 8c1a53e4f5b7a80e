"""The game's web page in headless Chromium. Usage: page.py DIST CASE

Serves DIST on a local port, loads the page and plays as a player does: the title screen, the board, an
item and the clock, a ray, the Options dialog, the end of a game, Learn rules, French, and the
settings kept across a reload, installing and playing without a network. CASE `desktop` uses a mouse on a 1024 x 768 window, `phone` touch on a
360 x 640 phone screen of two device pixels a point. Fails with a line that says what went wrong."""

import functools
import http.server
import sys
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

PURPLE = 0x800080  # the board's cells
BOARD_X, BOARD_Y = 80, 95  # the 5 x 5 board of the first start
OK, CANCEL = 1, 2


class Failure(Exception):
    pass


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def check(claim, condition):
    if not condition:
        raise Failure(claim)


def wait_until(what, condition, timeout=5.0):
    end = time.monotonic() + timeout
    while True:
        found = condition()
        if found:
            return found
        if time.monotonic() > end:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


class Page:
    def __init__(self, driver, touch):
        self.driver = driver
        self.touch = touch

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def pixels(self, left, top, right, bottom):
        return self.js("return window.mirovane.pixels(...arguments)", left, top, right, bottom)

    def shows_board(self):
        return self.pixels(0, 0, 240, 268).count(PURPLE) > 3000

    def cell_has_item(self, column, row):
        x, y = BOARD_X + 20 * column + 10, BOARD_Y + 20 * row + 10
        return self.pixels(x - 8, y - 8, x + 8, y + 8).count(PURPLE) < 200

    def tap(self, x, y, times=1):
        """Taps at game point (x, y), a mouse click or a finger at the point's centre in the page; two
        times make a double tap (a double click)."""
        px, py = self.js("return window.mirovane.pagePoint(arguments[0], arguments[1])", x, y)
        send = self.driver.execute_cdp_cmd
        for count in range(1, times + 1):
            if self.touch:
                send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": px, "y": py}]})
                send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
            else:
                for kind in ("mousePressed", "mouseReleased"):
                    send("Input.dispatchMouseEvent",
                         {"type": kind, "x": px, "y": py, "button": "left", "clickCount": count})

    def keys(self, *names):
        """Presses keys as a keyboard does, by their DOM names ("ArrowRight", " ", "Enter", "2")."""
        codes = {"ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40, " ": 32, "Enter": 13}
        for name in names:
            code = codes.get(name, ord(name[0]))
            event = {"key": name, "windowsVirtualKeyCode": code, "nativeVirtualKeyCode": code}
            if len(name) == 1:
                event["text"] = name
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyDown", **event})
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", **event})
            self.idle()

    def idle(self):
        wait_until("the game to finish what it does", lambda: not self.js("return window.mirovane.busy()"))

    def choose(self, position):
        """Opens "Menu" and picks the item at `position` (0: New Game .. 5: Exit)."""
        self.driver.find_element(By.ID, "menu-button").click()
        self.driver.find_elements(By.CSS_SELECTOR, "#menu li")[position].click()

    def menu_labels(self):
        return [item.get_attribute("textContent") for item in self.driver.find_elements(By.CSS_SELECTOR, "#menu li")]

    def dialog(self):
        return wait_until("a dialog", lambda: self.driver.find_elements(By.CSS_SELECTOR, "dialog[open]"))[-1]

    def answer(self, button):
        self.dialog().find_element(By.CSS_SELECTOR, f".buttons button[data-id='{button}']").click()

    def no_dialog(self):
        wait_until("the dialog to close", lambda: not self.driver.find_elements(By.CSS_SELECTOR, "dialog[open]"))
        self.idle()

    def stored(self):
        return self.js("return localStorage.getItem('Mirovane.reg')")


def play(page, case):
    driver = page.driver
    presented = wait_until("the first frames", lambda: page.js("return window.mirovane.presented.length >= 2"
                                                                " && window.mirovane.presented"))
    check("the first picture is the title screen", not page.shows_board())
    check("the title screen runs its 60 ms timer", 1 in page.js("return window.mirovane.timers()"))
    check("every item of Menu has its label", all(page.menu_labels()))
    zoom = page.js("return window.mirovane.zoom()")
    print(f"{case}: zoom {zoom}, first title frame {presented[1]:.0f} ms after navigation")

    page.tap(235, 5)  # an empty margin: the tap only ends the title screen
    wait_until("the board after a tap", page.shows_board, timeout=2)
    check("a tap on the margin places nothing", not page.cell_has_item(0, 0))

    # A double tap is two taps: the first places an item and starts the clock, the second takes it back.
    clock = (150, 0, 240, 15)
    first = page.pixels(*clock)
    page.tap(BOARD_X + 50, BOARD_Y + 50, times=2)
    wait_until("the clock to run after the first tap", lambda: page.pixels(*clock) != first, timeout=3)
    check("the double tap's second tap took the item back", not page.cell_has_item(2, 2))

    page.tap(BOARD_X + 20, BOARD_Y + 20)  # the first pixel of cell (1, 1)
    wait_until("an item in cell (1, 1)", lambda: page.cell_has_item(1, 1))
    check("the tap on cell (1, 1)'s first pixel left cell (0, 0) alone", not page.cell_has_item(0, 0))
    page.tap(BOARD_X + 19, BOARD_Y + 39)  # the last pixel of cell (0, 1)
    wait_until("an item in cell (0, 1)", lambda: page.cell_has_item(0, 1))

    board = (BOARD_X - 25, BOARD_Y - 25, BOARD_X + 125, BOARD_Y + 125)
    before = page.pixels(*board)
    page.tap(BOARD_X + 50, BOARD_Y - 12)  # the label box above column 2
    wait_until("the ray of the port above column 2", lambda: page.pixels(*board) != before)
    paint = page.js("return window.mirovane.frameMs(500)")
    print(f"{case}: drawing a whole frame of the 5 x 5 game in play with a ray: {paint:.3f} ms")

    # Keyboard play: the first arrow shows the cursor on cell (0, 0), drawn over the game's picture;
    # two more lead to cell (0, 2), where Space places an item; a pointer tap hides the cursor again.
    page.keys("ArrowRight")
    check("the first arrow shows the key cursor", page.js("return window.mirovane.outline('ffa000')"))
    check("the cursor is drawn over the picture, not into the game's screen",
          0xFFA000 not in page.pixels(0, 0, 240, 268))
    page.keys("ArrowDown", "ArrowDown", " ")
    wait_until("an item in cell (0, 2) placed by the keyboard", lambda: page.cell_has_item(0, 2))
    page.tap(235, 5)
    wait_until("the cursor hidden by a tap", lambda: not page.js("return window.mirovane.outline('ffa000')"))

    # Exit while the clock runs asks first; Cancel keeps the game as it was.
    page.choose(5)
    question = page.dialog().text
    check(f"Exit asks before it aborts the game: {question!r}", "Abort?" in question)
    page.answer(CANCEL)
    page.no_dialog()
    check("Cancel keeps the game in play", page.cell_has_item(0, 2) and not page.driver.find_elements(
        By.CSS_SELECTOR, "#screen button"))

    # A reload (a closed tab, a phone dropping the page) keeps the game: after the title, the same
    # board, numbers and ray. Ctrl+Z takes the last item back; the bar's Redo puts it again.
    played = page.pixels(*board)
    driver.refresh()
    wait_until("the page again", lambda: page.js("return !!window.mirovane && window.mirovane.presented.length >= 2"))
    page.tap(235, 5)
    wait_until("the board after the title", page.shows_board, timeout=2)
    check("the same game after a reload", page.pixels(*board) == played)
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyDown", "key": "z", "code": "KeyZ",
                                                      "modifiers": 2, "windowsVirtualKeyCode": 90})
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", "key": "z", "code": "KeyZ",
                                                      "modifiers": 2, "windowsVirtualKeyCode": 90})
    wait_until("Ctrl+Z to take the keyboard's item back", lambda: not page.cell_has_item(0, 2))
    driver.find_element(By.CSS_SELECTOR, "#bar button.command[data-command='42002']").click()
    wait_until("Redo to put it again", lambda: page.cell_has_item(0, 2))

    check("loading and playing wrote no settings yet", page.stored() is None)
    page.choose(1)  # Show solution, with items left to place
    check("the solution asks first", "Solution" in page.dialog().text)
    page.answer(OK)
    page.no_dialog()
    stored = wait_until("the finished game in the settings", page.stored)
    check("the settings are the registry export text", stored.startswith("REGEDIT4"))
    check(f"nineteen values are stored, not {stored.count('=')}", stored.count('"=') == 19)
    check("the game was counted", '"totalplay"=dword:00000001' in stored)

    page.choose(3)  # Options
    check("the Options dialog opens with its reset button",
          page.dialog().find_elements(By.CSS_SELECTOR, "button.control"))
    page.answer(CANCEL)
    page.no_dialog()

    page.choose(2)  # Learn rules: the rules dialog, then the demonstration board
    rules = page.dialog()
    check("the rules dialog has its text", len(rules.find_element(By.TAG_NAME, "textarea").get_attribute("value")) > 100)
    page.answer(OK)
    page.no_dialog()
    wait_until("the 8 x 8 demonstration board", lambda: page.pixels(0, 0, 240, 268).count(PURPLE) > 8000)
    paint = page.js("return window.mirovane.frameMs(500)")
    print(f"{case}: drawing a whole frame of the 8 x 8 demonstration with its rays: {paint:.3f} ms")

    # French, chosen in Options and kept in the settings across a reload, with other content kept.
    driver.execute_script("localStorage.setItem('Mirovane.reg', localStorage.getItem('Mirovane.reg') +"
                          " '\\n[HKEY_CURRENT_USER\\\\Software\\\\Other]\\n\"kept\"=dword:00000007\\n')")
    page.choose(3)
    options = page.dialog()
    french = [label for label in options.find_elements(By.CSS_SELECTOR, "label.control")
              if "Fran" in label.text]
    check("the Options dialog offers French", french)
    french[0].click()
    page.answer(OK)
    page.no_dialog()
    check("the choice of French is saved", '"langue"=dword:00000001' in (page.stored() or ""))
    driver.refresh()
    wait_until("the page again", lambda: page.js("return !!window.mirovane && window.mirovane.presented.length > 0"))
    wait_until("French labels after a reload", lambda: "Nouvelle partie" in page.menu_labels())
    check("every item of the French menu has its label", all(page.menu_labels()))
    check("content the game does not own is kept", "Software\\Other]" in page.stored())
    page.choose(3)
    options = page.dialog().text
    check(f"the Options dialog speaks French: {options!r}", "Annuler" in options and "Joueur 1" in options)
    page.answer(CANCEL)
    page.no_dialog()
    page.choose(4)  # About
    check("the About box names the game", "Mirovane" in page.dialog().text)
    page.answer(OK)
    page.no_dialog()

    # Puzzles with one answer, an option the page keeps: every item of the next deal is sure. Show a
    # sure cell outlines one over the picture; a tap there places the selected item.
    driver.find_element(By.CSS_SELECTOR, "#bar button.command[data-command='43003']").click()
    page.idle()
    check("the option is kept", page.js("return localStorage.getItem('Mirovane.option.43003')") == "1")
    page.choose(0)  # New Game
    page.no_dialog()
    driver.find_element(By.CSS_SELECTOR, "#bar button.command[data-command='43002']").click()
    x, y = wait_until("a sure cell outlined in cyan", lambda: page.js("return window.mirovane.outlinedPoint('00ffff')"))
    column, row = (x - BOARD_X) // 20, (y - BOARD_Y) // 20
    check(f"the sure cell ({column}, {row}) is empty", not page.cell_has_item(column, row))
    page.tap(x + 10, y + 10)
    wait_until("the sure item placed", lambda: page.cell_has_item(column, row))
    check("the outline is gone after the tap", not page.js("return window.mirovane.outline('00ffff')"))


def installs_and_plays_offline(page, server):
    """The browser can install the page as an app, and once its worker holds the files, the page
    starts again without the server."""
    errors = page.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    check(f"the page can be installed: {errors}", errors == [])
    wait_until("the service worker to control the page",
               lambda: page.js("return !!navigator.serviceWorker.controller"), timeout=10)
    server.shutdown()
    server.server_close()
    page.driver.refresh()
    wait_until("the title screen without a network",
               lambda: page.js("return !!window.mirovane && window.mirovane.presented.length >= 2"))
    page.choose(5)  # Exit: the kept game is in play again, so the question comes first
    page.answer(OK)
    wait_until("the closed page", lambda: page.driver.find_elements(By.CSS_SELECTOR, "#screen button"))


def main():
    dist, case = sys.argv[1], sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=dist))
    threading.Thread(target=server.serve_forever, daemon=True).start()

    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
        options.add_argument(argument)
    if case == "phone":
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": 360, "height": 640, "pixelRatio": 2.0, "touch": True}})
    else:
        options.add_argument("--window-size=1024,768")
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get(f"http://127.0.0.1:{server.server_port}/index.html")
        page = Page(driver, touch=case == "phone")
        play(page, case)
        installs_and_plays_offline(page, server)
    except Failure as failure:
        print(f"{case}: {failure}", file=sys.stderr)
        driver.save_screenshot(f"web-{case}-failure.png")
        return 1
    finally:
        driver.quit()
    print(f"{case}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
