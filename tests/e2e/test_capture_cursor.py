"""The cursor switch: with "包含鼠标" ticked the mouse cursor is drawn into
the picture at the mouse position; with it cleared the picture shows only
what lies under the mouse."""
import os
import subprocess

import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN, IDM_INCLUDECURSOR, EDITOR_SAVE

MOUSE = (640, 400)


def capture_and_store(s, name):
    """A full-screen capture stored by the editor; returns the spread of
    each colour channel in the 24 x 24 pixels right of and below the mouse."""
    s.move(*MOUSE)
    s.key("ctrl+b")
    editor = s.wait_visible("TSaveForm", "the editor")
    s.send_command(editor, EDITOR_SAVE)
    saved = s.wait_file(os.path.join(s.documents, name))
    box = s.wait_visible("#32770", "the saved message")
    s.close_window(box)
    s.wait_hidden("#32770", "the saved message to close")
    out = subprocess.run(["convert", saved, "-crop", "24x24+%d+%d" % MOUSE, "+repage", "-format",
                          "%[fx:255*(maxima.r-minima.r)] %[fx:255*(maxima.g-minima.g)] "
                          "%[fx:255*(maxima.b-minima.b)]", "info:"],
                         stdout=subprocess.PIPE, check=True).stdout.decode().split()
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")
    s.wait_visible("TKSVForm", "the main window to come back")
    return [float(v) for v in out]


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)

    with_cursor = capture_and_store(s, "截图1.jpg")
    check(max(with_cursor) > 100, "no cursor at the mouse position: spreads %r" % with_cursor)

    s.send_command(main, IDM_INCLUDECURSOR)
    without_cursor = capture_and_store(s, "截图2.jpg")
    check(max(without_cursor) < 16, "a cursor although the switch is off: spreads %r" % without_cursor)


ksv_e2e.run(scenario)
