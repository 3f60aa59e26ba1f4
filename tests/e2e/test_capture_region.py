"""Region mode: Ctrl+B freezes the screen under the overlay, a drag with the
mouse gives a picture of the dragged size in the editor, and Esc on the
overlay returns to armed so the next Ctrl+B captures again."""
import os
import subprocess

import ksv_e2e
from ksv_e2e import check

EDITOR_SAVE = 2004  # the editor's "完成"

def visible_of_class(s, cls):
    for w in s.windows():
        if w.cls == cls and w.visible:
            return w
    return None


def wait_visible(s, cls, what):
    return s.wait_until(lambda: visible_of_class(s, cls), None, what)


def wait_hidden(s, cls, what):
    s.wait_until(lambda: visible_of_class(s, cls) is None, None, what)


def picture_size(s, editor):
    bars = [c for c in s.children(editor) if c.cls == "msctls_statusbar32"]
    check(bars, "the editor has no status bar")
    return s.status_text(bars[0], 0)


def check_stored_picture(s, saved):
    box = wait_visible(s, "#32770", "the saved message")
    s.close_window(box)
    wait_hidden(s, "#32770", "the saved message to close")
    dims = subprocess.run(["identify", "-format", "%w %h", saved], stdout=subprocess.PIPE, check=True).stdout
    check(dims.decode().split() == ["200", "150"], "stored picture is %r" % dims)
    spread = subprocess.run(["convert", saved, "-format",
                             "%[fx:255*(maxima.r-minima.r)] %[fx:255*(maxima.g-minima.g)] %[fx:255*(maxima.b-minima.b)]",
                             "info:"], stdout=subprocess.PIPE, check=True).stdout.decode().split()
    check(all(float(v) < 16 for v in spread), "the stored picture is not plain desktop: channel spreads %r" % spread)


def scenario(s):
    wait_visible(s, "TKSVForm", "the main window")
    for folder in (s.documents, s.env["HOME"]):
        stale = os.path.join(folder, "截图1.jpg")
        if os.path.exists(stale):
            os.remove(stale)

    # Ctrl+B, then a drag from the lower right to the upper left.
    s.key("ctrl+b")
    overlay = wait_visible(s, "TDisPlayForm", "the region overlay")
    check((overlay.left, overlay.top, overlay.right, overlay.bottom) == (0, 0, ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H),
          "the overlay does not cover the screen: %r" % overlay)
    check(visible_of_class(s, "TKSVForm") is None, "the main window stayed on the screen")
    s.screenshot("overlay")
    s.move(300, 200)
    s.xdotool("mousedown", "1")
    for x, y in ((250, 160), (180, 110), (100, 50)):
        s.move(x, y)
    s.screenshot("band")
    s.xdotool("mouseup", "1")
    editor = wait_visible(s, "TSaveForm", "the editor")
    size = s.wait_until(lambda: picture_size(s, editor) == "200*150" and "200*150", None,
                        "the editor to show a 200*150 picture (shows %r)" % picture_size(s, editor))
    check(size == "200*150", "picture size %r" % size)
    s.screenshot("editor")

    # The stored picture is the frozen desktop alone: no band, no readout.
    s.send_command(editor, EDITOR_SAVE)
    # In the save folder, which is the user's documents folder as Wine
    # reports it.
    places = [os.path.join(folder, "截图1.jpg") for folder in (s.documents, s.env["HOME"])]
    saved = s.wait_until(lambda: next((p for p in places if os.path.isfile(p) and os.path.getsize(p) > 0), None),
                         None, "the stored picture in %r" % places)
    try:
        check_stored_picture(s, saved)
    finally:
        # The prefix is shared by all scenarios: leave no picture behind.
        os.remove(saved)

    # Closing the editor hides the overlay and brings the main window back.
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")
    wait_hidden(s, "TDisPlayForm", "the overlay to close")
    wait_visible(s, "TKSVForm", "the main window to come back")

    # Esc leaves the overlay without a picture and the cycle is armed again.
    s.key("ctrl+b")
    wait_visible(s, "TDisPlayForm", "the overlay again")
    s.key("Escape")
    wait_hidden(s, "TDisPlayForm", "Esc to close the overlay")
    check(visible_of_class(s, "TSaveForm") is None, "Esc opened the editor")
    wait_visible(s, "TKSVForm", "the main window to come back")
    s.key("ctrl+b")
    wait_visible(s, "TDisPlayForm", "the overlay after Esc")
    s.drag(400, 300, 700, 500)
    editor = wait_visible(s, "TSaveForm", "the editor after Esc")
    s.wait_until(lambda: picture_size(s, editor) == "300*200", None, "a 300*200 picture")
    s.screenshot("second-capture")


ksv_e2e.run(scenario)
