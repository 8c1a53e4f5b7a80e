"""Drives the built game on a real X server: its own Xvfb, real pointer and key events (XTEST through
xdotool), pixels read from screenshots of the real window.

One Desktop per case: a fresh X display (optionally with a window manager), fresh settings and runtime
folders. Game points are the client area's own coordinates (0..239, 0..267 at zoom 1)."""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

PURPLE = (128, 0, 128)  # the colour of the board's cells
CLIENT_W, CLIENT_H = 240, 268


class Failure(Exception):
    pass


def die_with_the_driver():
    """Run in each child: it is killed when the driver dies, even by a test runner's SIGKILL."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def run(command, env, **options):
    """A short command, bounded in time: a hung X client fails the case instead of stalling it."""
    try:
        return subprocess.run(command, env=env, capture_output=True, timeout=10, **options)
    except subprocess.TimeoutExpired:
        raise Failure(f"{command[0]} did not answer")


def wait_until(what, test, timeout=8.0):
    """Polls `test` until it returns something true and returns that; fails naming `what`."""
    end = time.monotonic() + timeout
    while True:
        value = test()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


class Picture:
    """An 8-bit RGB screenshot."""

    def __init__(self, ppm):
        parts = ppm.split(maxsplit=4)
        if parts[0] != b"P6" or parts[3] != b"255":
            raise Failure("unexpected screenshot format")
        self.width, self.height, self.data = int(parts[1]), int(parts[2]), parts[4]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def count(self, colour, box=None):
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        return sum(self.pixel(x, y) == colour for y in range(top, bottom) for x in range(left, right))

    def region(self, box):
        left, top, right, bottom = box
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


class Game:
    """One running copy of the game and its main window."""

    def __init__(self, desktop, process):
        self.desktop, self.process = desktop, process
        self.window = wait_until("the game's window", lambda: self._main_window())

    def _main_window(self):
        if self.process.poll() is not None:
            raise Failure(f"the game ended early with status {self.process.returncode}")
        windows = self.windows()
        return windows[0] if windows else None

    def windows(self):
        """The game's visible top-level windows (main window, then menus and boxes), as ids."""
        out = self.desktop.xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), check=False)
        return out.split()

    def geometry(self, window=None):
        """(x, y, width, height) of a window on the screen (xdotool's position is off under a window
        manager that reparents, by the frame's offset)."""
        out = run(["xwininfo", "-id", window or self.window], self.desktop.env, text=True, check=True).stdout
        values = dict(line.strip().split(": ", 1) for line in out.splitlines() if ": " in line)
        return tuple(int(values[name]) for name in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def zoom(self):
        """The zoom of a window sized for it: the client area is its full width."""
        return self.geometry()[2] // CLIENT_W

    def client_origin(self):
        """The client area's top-left corner on the screen: it fills the bottom of the window."""
        x, y, width, height = self.geometry()
        zoom = width // CLIENT_W
        return x + (width - CLIENT_W * zoom) // 2, y + height - CLIENT_H * zoom

    def screenshot(self, window=None):
        ppm = run(["/usr/bin/import", "-window", window or self.window, "-depth", "8", "ppm:-"], self.desktop.env,
                  check=True).stdout
        return Picture(ppm)

    def client(self):
        """A screenshot of the client area alone, at the window's zoom."""
        picture = self.screenshot()
        _, _, width, height = self.geometry()
        zoom = width // CLIENT_W
        left, top = (width - CLIENT_W * zoom) // 2, height - CLIENT_H * zoom
        rows = [picture.data[3 * ((top + y) * picture.width + left):3 * ((top + y) * picture.width + left
                + CLIENT_W * zoom)] for y in range(CLIENT_H * zoom)]
        return Picture(b"P6 %d %d 255\n" % (CLIENT_W * zoom, CLIENT_H * zoom) + b"".join(rows))

    def game_screen(self):
        """The client area read back at game pixels: one device pixel of each zoomed square."""
        picture, zoom = self.client(), self.zoom()
        rows = [b"".join(picture.data[3 * ((y * zoom) * picture.width + x * zoom):][:3] for x in range(CLIENT_W))
                for y in range(CLIENT_H)]
        return Picture(b"P6 %d %d 255\n" % (CLIENT_W, CLIENT_H) + b"".join(rows))

    def cell_has_item(self, column, row):
        """Cell (column, row) shows something other than its purple: an item."""
        x, y = self.board_cell_centre(column, row)
        return self.game_screen().count(PURPLE, (x - 8, y - 8, x + 8, y + 8)) < 200

    def shows_board(self):
        """The game screen shows (not the title screen): hundreds of purple cell pixels."""
        return self.game_screen().count(PURPLE) > 3000

    def click(self, x, y):
        """A real pointer tap at game point (x, y) of the client area."""
        zoom = self.zoom()
        left, top = self.client_origin()
        self.desktop.xdotool("mousemove", str(left + x * zoom), str(top + y * zoom), "click", "1")

    def click_screen(self, x, y):
        self.desktop.xdotool("mousemove", str(x), str(y), "click", "1")

    def key(self, *keys):
        """Keys as a keyboard types them, to the window that has the focus."""
        self.desktop.xdotool("key", "--delay", "50", *keys)

    def focus(self):
        self.desktop.xdotool("windowactivate" if self.desktop.wm else "windowfocus", "--sync", self.window,
                             check=False)

    def open_menu(self):
        """Clicks the "Menu" title and waits for its popup; returns the popup's window id."""
        before = set(self.windows())
        x, y, _, _ = self.geometry()
        self.click_screen(x + 20, y + 10)
        return wait_until("the menu's popup", lambda: [w for w in self.windows() if w not in before])[0]

    def wait_for_box(self, count=2):
        """Waits for a message box or dialog over the main window; returns its id."""
        return wait_until("a box over the window",
                          lambda: len(self.windows()) >= count and self.windows()[-1])

    def wait_for_no_box(self):
        wait_until("the box to close", lambda: len(self.windows()) == 1)

    def board_cell_centre(self, column, row):
        """The centre of a cell of the board, which is centred on a 160-pixel square at (50, 65)."""
        margin = (8 - self.desktop.grid_size) * 10
        return 50 + margin + 20 * column + 10, 65 + margin + 20 * row + 10

    def exit_status(self, timeout=8.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the game did not end")


class Desktop:
    """Its own X server, and optionally a window manager, for one case."""

    def __init__(self, game_binary, wm=False, screen="1024x768"):
        self.binary, self.wm = game_binary, wm
        self.folder = tempfile.mkdtemp(prefix="mirovane-e2e-")
        self.config = os.path.join(self.folder, "config")
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(self.config)
        os.makedirs(runtime, mode=0o700)
        # -noreset: by default the server resets whenever its last client leaves (a probe, a game that
        # ended), and a client connecting meanwhile is refused.
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp", "-noreset", "-screen", "0",
                                      screen + "x24"], pass_fds=[write], stderr=subprocess.DEVNULL,
                                     preexec_fn=die_with_the_driver)
        os.close(write)
        with os.fdopen(read) as displays:
            display = displays.readline().strip()
        if not display:
            raise Failure("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + display, XDG_CONFIG_HOME=self.config, XDG_STATE_HOME=self.config,
                        XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
        self.env.pop("QT_SCALE_FACTOR", None)
        wait_until("the X server to take connections", lambda: self.run_quietly("xprop", "-root"))
        self.grid_size = 5  # the game's default
        self.games = []
        self.helpers = []
        if wm:
            self.helpers.append(subprocess.Popen(["openbox"], env=self.env, stderr=subprocess.DEVNULL,
                                                 preexec_fn=die_with_the_driver))
            wait_until("the window manager", lambda: "_NET_SUPPORTING_WM_CHECK" in self.run_quietly("xprop", "-root"))

    def run_quietly(self, *command):
        """What a command printed, or "" when it failed."""
        result = run(command, self.env, text=True)
        return result.stdout if result.returncode == 0 else ""

    def xdotool(self, *args, check=True):
        result = run(["xdotool", *args], self.env, text=True)
        if check and result.returncode != 0:
            raise Failure(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
        return result.stdout

    def start(self, *args, wait_for_window=True, env=None):
        process = subprocess.Popen([self.binary, *args], env=dict(self.env, **(env or {})),
                                   preexec_fn=die_with_the_driver)
        if not wait_for_window:
            self.games.append(process)
            return process
        game = Game(self, process)
        self.games.append(process)
        return game

    def write_settings(self, **values):
        """A settings file holding `values` (dword values by name)."""
        folder = os.path.join(self.config, "Kestory")
        os.makedirs(folder, exist_ok=True)
        lines = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]", '"version"=dword:0000001a']
        self.grid_size = values.get("damier", self.grid_size)
        lines += [f'"{name}"=dword:{value:08x}' for name, value in values.items()]
        with open(os.path.join(folder, "Mirovane.reg"), "w") as file:
            file.write("\n".join(lines) + "\n")

    def close(self):
        for process in self.games + self.helpers + [self.xvfb]:
            if process.poll() is None:
                process.terminate()  # lets the X server remove its lock and socket
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.close()
