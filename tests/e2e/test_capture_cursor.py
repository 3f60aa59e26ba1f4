"""The cursor switch: with "包含鼠标" ticked the mouse cursor is drawn into
the picture at the mouse position; with it cleared the picture shows only
what lies under the mouse."""
import os
import subprocess

import ksv_e2e
from ksv_e2e import check

IDM_FULLSCREEN = 1011
IDM_INCLUDECURSOR = 1015
EDITOR_SAVE = 2004  # the editor's "完成"
MOUSE = (640, 400)


def visible_of_class(s, cls):
    for w in s.windows():
        if w.cls == cls and w.visible:
            return w
    return None


def wait_visible(s, cls, what):
    return s.wait_until(lambda: visible_of_class(s, cls), None, what)


def wait_hidden(s, cls, what):
    s.wait_until(lambda: visible_of_class(s, cls) is None, None, what)


def stored_places(s, name):
    return [os.path.join(folder, name) for folder in (s.documents, s.env["HOME"])]


def capture_and_store(s, name):
    """A full-screen capture stored by the editor; returns the spread of
    each colour channel in the 24 x 24 pixels right of and below the mouse."""
    s.move(*MOUSE)
    s.key("ctrl+b")
    editor = wait_visible(s, "TSaveForm", "the editor")
    s.send_command(editor, EDITOR_SAVE)
    places = stored_places(s, name)
    saved = s.wait_until(lambda: next((p for p in places if os.path.isfile(p) and os.path.getsize(p) > 0), None),
                         None, "the stored picture %s" % name)
    try:
        box = wait_visible(s, "#32770", "the saved message")
        s.close_window(box)
        wait_hidden(s, "#32770", "the saved message to close")
        out = subprocess.run(["convert", saved, "-crop", "24x24+%d+%d" % MOUSE, "+repage", "-format",
                              "%[fx:255*(maxima.r-minima.r)] %[fx:255*(maxima.g-minima.g)] "
                              "%[fx:255*(maxima.b-minima.b)]", "info:"],
                             stdout=subprocess.PIPE, check=True).stdout.decode().split()
    finally:
        os.remove(saved)
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")
    wait_visible(s, "TKSVForm", "the main window to come back")
    return [float(v) for v in out]


def scenario(s):
    main = wait_visible(s, "TKSVForm", "the main window")
    for name in ("截图1.jpg", "截图2.jpg"):
        for p in stored_places(s, name):
            if os.path.exists(p):
                os.remove(p)
    s.send_command(main, IDM_FULLSCREEN)

    with_cursor = capture_and_store(s, "截图1.jpg")
    check(max(with_cursor) > 100, "no cursor at the mouse position: spreads %r" % with_cursor)

    s.send_command(main, IDM_INCLUDECURSOR)
    without_cursor = capture_and_store(s, "截图2.jpg")
    check(max(without_cursor) < 16, "a cursor although the switch is off: spreads %r" % without_cursor)


ksv_e2e.run(scenario)
