"""Active-window mode: the capture button on the main window captures the
main window itself, the foreground window at that moment."""
import ksv_e2e
from ksv_e2e import check

IDM_ACTIVEWINDOW = 1010


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


def scenario(s):
    main = wait_visible(s, "TKSVForm", "the main window")
    s.send_command(main, IDM_ACTIVEWINDOW)
    buttons = [c for c in s.children(main) if c.title == "捕捉" and c.visible]
    check(buttons, "no capture button on the main window")
    button = buttons[0]
    s.click((button.left + button.right) // 2, (button.top + button.bottom) // 2)
    editor = wait_visible(s, "TSaveForm", "the editor")
    main = visible_of_class(s, "TKSVForm")
    check(main is not None, "the main window left the screen")
    expected = "%d*%d" % (main.width, main.height)
    s.wait_until(lambda: picture_size(s, editor) == expected, None,
                 "a picture of the main window, %s (shows %r)" % (expected, picture_size(s, editor)))
    s.screenshot("editor")
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")


ksv_e2e.run(scenario)
