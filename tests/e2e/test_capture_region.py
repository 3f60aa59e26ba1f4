"""Region mode: Ctrl+B freezes the screen under the overlay, a drag with the
mouse gives a picture of the dragged size in the editor, and Esc on the
overlay returns to armed so the next Ctrl+B captures again."""
import os
import subprocess

import ksv_e2e
from ksv_e2e import check, EDITOR_SAVE


def check_stored_picture(s, saved):
    box = s.wait_visible("#32770", "the saved message")
    s.close_window(box)
    s.wait_hidden("#32770", "the saved message to close")
    dims = subprocess.run(["identify", "-format", "%w %h", saved], stdout=subprocess.PIPE, check=True).stdout
    check(dims.decode().split() == ["200", "150"], "stored picture is %r" % dims)
    spread = subprocess.run(["convert", saved, "-format",
                             "%[fx:255*(maxima.r-minima.r)] %[fx:255*(maxima.g-minima.g)] %[fx:255*(maxima.b-minima.b)]",
                             "info:"], stdout=subprocess.PIPE, check=True).stdout.decode().split()
    check(all(float(v) < 16 for v in spread), "the stored picture is not plain desktop: channel spreads %r" % spread)


def scenario(s):
    s.wait_visible("TKSVForm", "the main window")
    # Ctrl+B, then a drag from the lower right to the upper left.
    s.key("ctrl+b")
    overlay = s.wait_visible("TDisPlayForm", "the region overlay")
    check((overlay.left, overlay.top, overlay.right, overlay.bottom) == (0, 0, ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H),
          "the overlay does not cover the screen: %r" % overlay)
    check(s.visible_window("TKSVForm") is None, "the main window stayed on the screen")
    s.screenshot("overlay")
    s.move(300, 200)
    s.xdotool("mousedown", "1")
    for x, y in ((250, 160), (180, 110), (100, 50)):
        s.move(x, y)
    s.screenshot("band")
    s.xdotool("mouseup", "1")
    editor = s.wait_visible("TSaveForm", "the editor")
    size = s.wait_until(lambda: s.editor_picture_size(editor) == "200*150" and "200*150", None,
                        "the editor to show a 200*150 picture (shows %r)" % s.editor_picture_size(editor))
    check(size == "200*150", "picture size %r" % size)
    s.screenshot("editor")

    # The stored picture is the frozen desktop alone: no band, no readout.
    s.send_command(editor, EDITOR_SAVE)
    saved = s.wait_file(os.path.join(s.documents, "截图1.jpg"))
    check_stored_picture(s, saved)

    # Closing the editor hides the overlay and brings the main window back.
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")
    s.wait_hidden("TDisPlayForm", "the overlay to close")
    s.wait_visible("TKSVForm", "the main window to come back")

    # Esc leaves the overlay without a picture and the cycle is armed again.
    s.key("ctrl+b")
    s.wait_visible("TDisPlayForm", "the overlay again")
    s.key("Escape")
    s.wait_hidden("TDisPlayForm", "Esc to close the overlay")
    check(s.visible_window("TSaveForm") is None, "Esc opened the editor")
    s.wait_visible("TKSVForm", "the main window to come back")
    s.key("ctrl+b")
    s.wait_visible("TDisPlayForm", "the overlay after Esc")
    s.drag(400, 300, 700, 500)
    editor = s.wait_visible("TSaveForm", "the editor after Esc")
    s.wait_until(lambda: s.editor_picture_size(editor) == "300*200", None, "a 300*200 picture")
    s.screenshot("second-capture")


ksv_e2e.run(scenario)
