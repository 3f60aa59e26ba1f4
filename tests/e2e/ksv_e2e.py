"""End-to-end harness: runs the real KSV.exe under Wine on a virtual
display and drives it like a user would.

A scenario is a file tests/e2e/test_<name>.py (picked up by CMake):

    import ksv_e2e

    def scenario(s):
        main = s.wait_window("万象快拍宗师")
        s.key("ctrl+b")
        ...

    ksv_e2e.run(scenario)

run() starts Xvfb, makes sure the Wine prefix exists, resets the program's
registry key, starts the program (arguments via run(..., args=[...])),
calls the scenario, and always shuts everything down; a screenshot is
saved when the scenario fails. Every wait polls a condition with a timeout
instead of sleeping a fixed time.
"""
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback

SOURCE_DIR = os.environ.get("KSV_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BIN_DIR = os.environ.get("KSV_BIN_DIR", os.path.join(SOURCE_DIR, "build", "win64", "bin"))
OUT_DIR = os.environ.get("KSV_E2E_OUT", os.path.join(SOURCE_DIR, "build", "win64", "e2e"))
# One prefix for all scenarios of a run, apart from the unit tests' one.
WINE_ROOT = os.environ.get("KSV_E2E_WINE_ROOT", os.path.join(os.path.dirname(BIN_DIR), "wine-e2e"))
DESKTOP = "ksv"
SCREEN_W, SCREEN_H = 1280, 800
DEFAULT_TIMEOUT = float(os.environ.get("KSV_E2E_TIMEOUT", "30"))

KSV_KEY = r"HKLM\Software\KSV"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
SHELL_FOLDERS_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"

# Command and control identifiers of every window (IDM_FULLSCREEN,
# EDITOR_SAVE, ...), written by tests/e2e/make_ids.py at configure time
# from the resource headers and the editor's command table.
sys.path.insert(0, os.environ.get("KSV_E2E_IDS", OUT_DIR))
from ksv_ids import *  # noqa: E402,F401,F403

# The main window's tray icon: its identifier and notification message.
TRAY_ID = 1
TRAY_MESSAGE = 0x8001  # WM_APP + 1
WM_LBUTTONUP = 0x0202
WM_LBUTTONDBLCLK = 0x0203


class ScenarioError(AssertionError):
    pass


class Window:
    def __init__(self, line):
        parts = line.split("\t")
        self.hwnd = int(parts[0])
        self.cls = parts[1]
        self.title = parts[2]
        self.visible = parts[3] == "1"
        self.left, self.top, self.right, self.bottom = (int(v) for v in parts[4].split(","))

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    def __repr__(self):
        return "Window(%d, %r, %r, %s, %dx%d at %d,%d)" % (
            self.hwnd, self.cls, self.title, "visible" if self.visible else "hidden",
            self.width, self.height, self.left, self.top)


def _wine_env():
    """The environment of scripts/wine-env for the e2e prefix."""
    cmd = ["bash", "-c", 'export KSV_WINE_ROOT="$1"; source "$2/scripts/wine-env" && ksv_wine_prefix_ready && env -0',
           "_", WINE_ROOT, SOURCE_DIR]
    out = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    env = {}
    for item in out.split(b"\0"):
        if b"=" in item:
            k, v = item.split(b"=", 1)
            env[k.decode()] = v.decode()
    return env


class Session:
    def __init__(self, name):
        self.name = name
        self.out_dir = os.path.join(OUT_DIR, name)
        shutil.rmtree(self.out_dir, ignore_errors=True)
        os.makedirs(self.out_dir, exist_ok=True)
        self.xvfb = None
        self.proc = None
        self.env = None
        self.display = None
        self.shots = 0
        self._documents = None

    # --- set-up and tear-down -------------------------------------------
    def start_display(self):
        for n in range(150, 250):
            if not os.path.exists("/tmp/.X%d-lock" % n) and not os.path.exists("/tmp/.X11-unix/X%d" % n):
                self.display = ":%d" % n
                break
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "%dx%dx24" % (SCREEN_W, SCREEN_H),
                                      "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = _wine_env()
        self.env["DISPLAY"] = self.display
        self.wait_until(lambda: subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL).returncode == 0, 20, "the X display")

    def wine(self, *args, check=False, timeout=60):
        return subprocess.run([self.env["KSV_WINE"], *args], env=self.env, cwd=BIN_DIR, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, timeout=timeout, check=check)

    def reset_registry(self):
        self.wine("reg", "delete", KSV_KEY, "/f")
        self.wine("reg", "delete", RUN_KEY, "/v", "KSV", "/f")

    def launch(self, args=()):
        self.proc = subprocess.Popen([self.env["KSV_WINE"], "explorer", "/desktop=%s,%dx%d" % (DESKTOP, SCREEN_W, SCREEN_H),
                                      "KSV.exe", *args], env=self.env, cwd=BIN_DIR, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, start_new_session=True)

    def program_running(self):
        try:
            out = self.probe("windows")[1]
        except subprocess.TimeoutExpired:
            return False
        return any(line.split("\t")[1:2] == ["TKSVForm"] for line in out.splitlines())

    def launch_and_wait(self, args=()):
        """Starts the program and waits until its main window exists (shown
        or not). A Wine session that comes up broken now and then (no
        desktop, nothing running) is ended and started once more."""
        for attempt in (1, 2):
            self.launch(args)
            try:
                self.wait_until(self.program_running, 30, "the program to start")
                return
            except ScenarioError:
                if attempt == 2:
                    raise
                print("the program did not come up; starting the Wine session again")
                self._kill_program()
                self._stop_wineserver()

    def _kill_program(self):
        if self.proc and self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def _stop_wineserver(self):
        """Ends every process of the prefix, the desktop included, and waits
        for the server to be gone so the next session starts a fresh one."""
        for flag in ("-k", "-w"):
            try:
                subprocess.run([self.env["KSV_WINESERVER"], flag], env=self.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=30)
            except subprocess.TimeoutExpired:
                pass

    def shutdown(self):
        try:
            if self.proc and self.proc.poll() is None:
                main = self.find_window_any_state("TKSVForm")
                if main:
                    # The main menu's quit command ends the program whatever
                    # the close action is set to.
                    self.probe("command", str(main.hwnd), str(IDM_QUIT))
                try:
                    self.proc.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass
        finally:
            self._kill_program()
            if self.env:
                self._stop_wineserver()
            if self.xvfb:
                self.xvfb.terminate()
                try:
                    self.xvfb.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    self.xvfb.kill()

    # --- waiting --------------------------------------------------------
    def wait_until(self, condition, timeout=None, what="condition", interval=0.1):
        timeout = DEFAULT_TIMEOUT if timeout is None else timeout
        deadline = time.monotonic() + timeout
        while True:
            result = condition()
            if result:
                return result
            if time.monotonic() > deadline:
                raise ScenarioError("timed out after %.0f s waiting for %s" % (timeout, what))
            time.sleep(interval)

    # --- windows (seen from inside the Wine desktop) --------------------
    def probe(self, *args):
        r = self.wine("ksv-probe.exe", "--desktop", DESKTOP, *args)
        return r.returncode, r.stdout.decode("utf-8", "replace").replace("\r\n", "\n")

    def windows(self):
        rc, out = self.probe("windows")
        return [Window(line) for line in out.splitlines() if line.count("\t") >= 4]

    def find_window(self, title, cls=None):
        for w in self.windows():
            if w.visible and w.title == title and (cls is None or w.cls == cls):
                return w
        return None

    def find_window_any_state(self, cls):
        for w in self.windows():
            if w.cls == cls:
                return w
        return None

    def wait_window(self, title, cls=None, timeout=None):
        return self.wait_until(lambda: self.find_window(title, cls), timeout, "a window titled %r" % title)

    def wait_no_window(self, title, timeout=None):
        self.wait_until(lambda: self.find_window(title) is None, timeout, "window %r to go" % title)

    def children(self, window):
        rc, out = self.probe("children", str(window.hwnd))
        return [Window(line) for line in out.splitlines() if line.count("\t") >= 4]

    def status_text(self, status_bar, part):
        rc, out = self.probe("statustext", str(status_bar.hwnd), str(part))
        return out.rstrip("\n")

    def send_command(self, window, command_id):
        self.probe("command", str(window.hwnd), str(command_id))

    def post(self, window, message, wparam=0, lparam=0):
        self.probe("post", str(window.hwnd), str(message), str(wparam), str(lparam))

    def tray_icon_count(self, window, icon_id=TRAY_ID):
        """1 when the window's tray icon is in the notification area, else 0."""
        rc, out = self.probe("trayicon", str(window.hwnd), str(icon_id))
        return 1 if out.strip() == "1" else 0

    def tray_click(self, window, mouse_message=WM_LBUTTONUP):
        """What the notification area sends when the user clicks the icon."""
        self.post(window, TRAY_MESSAGE, TRAY_ID, mouse_message)

    def checked(self, control):
        rc, out = self.probe("checked", str(control.hwnd))
        return out.strip() == "1"

    def enabled(self, control):
        rc, out = self.probe("enabled", str(control.hwnd))
        return out.strip() == "1"

    def child(self, window, caption, cls=None):
        """The first child window with this caption (and class)."""
        for c in self.children(window):
            if c.title == caption and (cls is None or c.cls == cls):
                return c
        return None

    def find_window_by_class(self, cls, visible=None):
        for w in self.windows():
            if w.cls == cls and (visible is None or w.visible == visible):
                return w
        return None

    def visible_window(self, cls):
        """The visible top-level window of this class, or None."""
        return self.find_window_by_class(cls, visible=True)

    def wait_visible(self, cls, what=None, timeout=None):
        return self.wait_until(lambda: self.visible_window(cls), timeout, what or "a visible %s" % cls)

    def wait_hidden(self, cls, what=None, timeout=None):
        self.wait_until(lambda: self.visible_window(cls) is None, timeout, what or "%s to hide" % cls)

    def foreground(self):
        rc, out = self.probe("foreground")
        lines = [line for line in out.splitlines() if line.count("\t") >= 4]
        return Window(lines[0]) if lines else None

    def wait_foreground(self, cls, what=None, timeout=None):
        """Waits until a window of this class is visible and is the one
        that takes the keyboard: keys typed earlier may reach another one."""
        def check():
            w = self.foreground()
            return w if w is not None and w.cls == cls and w.visible else None
        return self.wait_until(check, timeout, what or "%s in the foreground" % cls)

    def wait_editor(self, timeout=None):
        """The editor, shown and ready for keys."""
        editor = self.wait_foreground("TSaveForm", "the editor in the foreground", timeout)
        self.focus_x_window(editor.title)
        return editor

    def capture_main_window(self):
        """An active-window capture of the main window, a picture smaller
        than the editor's view; returns (main window, editor)."""
        main = self.wait_visible("TKSVForm", "the main window")
        self.send_command(main, IDM_ACTIVEWINDOW)
        # A click on the status bar makes the main window the foreground
        # window, which the capture takes (a click on the caption could
        # start a move).
        self.click(main.left + 100, main.bottom - 12)
        self.wait_foreground("TKSVForm")
        self.key("ctrl+b")
        return main, self.wait_editor()

    def focus_x_window(self, title):
        """Gives the X keyboard focus to the X window Wine made for a
        top-level window. Inside the virtual desktop every top-level window
        has an X window of its own; when one hides, the X focus can stay on
        the desktop for a while and keys typed then get lost, although the
        Win32 side already has the new window in the foreground."""
        def found():
            r = subprocess.run(["xdotool", "search", "--name", "^%s$" % title], env=self.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            ids = r.stdout.decode().split()
            return ids[0] if ids else None
        wid = self.wait_until(found, None, "the X window of %r" % title)
        self.xdotool("windowfocus", "--sync", wid)

    def editor_picture_size(self, editor):
        """The editor's first status panel: the displayed size, "w*h"."""
        bars = [c for c in self.children(editor) if c.cls == "msctls_statusbar32"]
        if not bars:
            raise ScenarioError("the editor has no status bar")
        return self.status_text(bars[0], 0)

    def close_window(self, window):
        self.probe("close", str(window.hwnd))

    def wait_exit(self, timeout=None):
        self.wait_until(lambda: self.proc.poll() is not None or not self.program_running(), timeout,
                        "the program to end")

    # --- keyboard and mouse (X side) ------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, stdout=subprocess.DEVNULL)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def move(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", str(button))

    def drag(self, x1, y1, x2, y2, steps=10, button=1):
        self.move(x1, y1)
        self.xdotool("mousedown", str(button))
        for i in range(1, steps + 1):
            self.move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
            time.sleep(0.02)  # motion events, not a wait for a result
        self.xdotool("mouseup", str(button))

    # --- registry and files ---------------------------------------------
    def reg_query(self, key, value):
        """The data of a registry value as text, or None when missing."""
        r = self.wine("reg", "query", key, "/v", value)
        if r.returncode != 0:
            return None
        # reg.exe writes in the console's code page (936 in this prefix).
        try:
            out = r.stdout.decode("utf-8")
        except UnicodeDecodeError:
            out = r.stdout.decode("gbk", "replace")
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == value.lower() and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def wait_reg(self, key, value, expected=None, timeout=None):
        def check():
            v = self.reg_query(key, value)
            return v is not None and (expected is None or v == expected)
        self.wait_until(check, timeout, "registry value %s\\%s" % (key, value))
        return self.reg_query(key, value)

    def unix_path(self, windows_path):
        r = self.wine("winepath", "-u", windows_path)
        return r.stdout.decode("utf-8", "replace").strip()

    @property
    def documents(self):
        """The Unix folder behind the user's documents folder ("Personal"),
        where the program saves by default."""
        if self._documents is None:
            personal = self.reg_query(SHELL_FOLDERS_KEY, "Personal")
            if not personal:
                # Not written yet: Wine's own default, not remembered.
                return os.path.join(self.env["HOME"], "Documents")
            self._documents = self.unix_path(personal)
        return self._documents

    def clear_pictures(self):
        """Removes pictures an earlier scenario saved into the shared
        prefix, so automatic names start afresh."""
        folders = [self.documents, self.unix_path(r"C:\windows\Web\Wallpaper")]
        for folder in folders:
            if not folder or not os.path.isdir(folder):
                continue
            for name in os.listdir(folder):
                if os.path.splitext(name)[1].lower() in (".bmp", ".jpg", ".gif", ".tif"):
                    os.remove(os.path.join(folder, name))

    def wait_file(self, path, timeout=None):
        def check():
            return os.path.isfile(path) and os.path.getsize(path) > 0
        self.wait_until(check, timeout, "file %s" % path)
        return path

    # --- looking ---------------------------------------------------------
    def screenshot(self, label="shot"):
        self.shots += 1
        path = os.path.join(self.out_dir, "%02d-%s.png" % (self.shots, label))
        subprocess.run(["import", "-window", "root", path], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path


def run(scenario, args=(), launch=True):
    """Runs one scenario with a fresh program; exits the process with 0 on
    success and 1 on failure."""
    name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    s = Session(name)
    ok = False
    try:
        s.start_display()
        s.reset_registry()
        s.clear_pictures()
        if launch:
            s.launch_and_wait(args)
        scenario(s)
        ok = True
    except Exception:  # noqa: BLE001 - report anything the scenario raised
        traceback.print_exc()
        try:
            print("screenshot:", s.screenshot("failure"))
            print("windows:", *s.windows(), sep="\n  ")
        except Exception:  # noqa: BLE001
            pass
    finally:
        s.shutdown()
    print("%s: %s" % (name, "passed" if ok else "FAILED"))
    record_attempt(name, ok)
    sys.exit(0 if ok else 1)


def record_attempt(name, ok):
    """Appends the outcome to the run's attempt log (KSV_E2E_ATTEMPTS), so
    that the summary can name every scenario that passed only when run
    again."""
    log = os.environ.get("KSV_E2E_ATTEMPTS")
    if not log:
        return
    with open(log, "a", encoding="utf-8") as f:
        f.write("%s %s\n" % (name, "passed" if ok else "failed"))


def check(condition, message):
    if not condition:
        raise ScenarioError(message)
