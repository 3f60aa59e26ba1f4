"""Fixed-region mode: Ctrl+B shows the blue frame round a 600 x 400 area
centred on the mouse; it follows the mouse, and a click takes the area.
Esc gives the wait up."""
import ksv_e2e
from ksv_e2e import check

IDM_FIXREGION = 1013


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


def frame_at(s, left, top):
    f = visible_of_class(s, "TSelectAreaForm")
    return f if f and (f.left, f.top, f.width, f.height) == (left, top, 610, 410) else None


def scenario(s):
    main = wait_visible(s, "TKSVForm", "the main window")
    s.send_command(main, IDM_FIXREGION)
    s.move(640, 400)
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame round the mouse")
    s.screenshot("frame")
    s.move(500, 300)
    s.wait_until(lambda: frame_at(s, 200, 100), None, "the frame to follow the mouse")
    s.xdotool("click", "1")
    editor = wait_visible(s, "TSaveForm", "the editor")
    s.wait_until(lambda: picture_size(s, editor) == "600*400", None,
                 "a 600*400 picture (shows %r)" % picture_size(s, editor))
    check(visible_of_class(s, "TSelectAreaForm") is None, "the frame stayed")
    s.screenshot("editor")
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")
    wait_visible(s, "TKSVForm", "the main window to come back")

    # Esc gives the wait up; the next Ctrl+B starts a new one.
    s.move(640, 400)
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame again")
    s.key("Escape")
    wait_hidden(s, "TSelectAreaForm", "Esc to end the wait")
    wait_visible(s, "TKSVForm", "the main window after Esc")
    check(visible_of_class(s, "TSaveForm") is None, "Esc opened the editor")
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame after Esc")
    s.xdotool("click", "1")
    editor = wait_visible(s, "TSaveForm", "the editor after Esc")
    s.wait_until(lambda: picture_size(s, editor) == "600*400", None, "a 600*400 picture after Esc")


ksv_e2e.run(scenario)
