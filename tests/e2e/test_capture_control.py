"""Control mode: Ctrl+B starts the wait, the frame rings the window or
control under the mouse, and a click takes exactly that control."""
import ksv_e2e
from ksv_e2e import check

IDM_AXTIVEOBJECT = 1014


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
    s.send_command(main, IDM_AXTIVEOBJECT)
    # The taskbar's start button: a control that stays on the screen while
    # the main window hides for the capture.
    tray = wait_visible(s, "Shell_TrayWnd", "the taskbar")
    controls = [c for c in s.children(tray) if c.visible and c.width > 0 and c.height > 0]
    check(controls, "the taskbar has no controls")
    target = min(controls, key=lambda c: (c.left, c.top))
    x, y = (target.left + target.right) // 2, (target.top + target.bottom) // 2
    s.move(x, y)
    s.key("ctrl+b")

    def ringed():
        f = visible_of_class(s, "TSelectAreaForm")
        return f if f and (f.left, f.top, f.right, f.bottom) == (
            target.left - 5, target.top - 5, target.right + 5, target.bottom + 5) else None

    s.wait_until(ringed, None, "the frame round %r" % target)
    s.screenshot("frame")
    s.xdotool("click", "1")
    editor = wait_visible(s, "TSaveForm", "the editor")
    expected = "%d*%d" % (target.width, target.height)
    s.wait_until(lambda: picture_size(s, editor) == expected, None,
                 "a %s picture (shows %r)" % (expected, picture_size(s, editor)))
    check(visible_of_class(s, "TSelectAreaForm") is None, "the frame stayed")
    s.screenshot("editor")
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")
    wait_visible(s, "TKSVForm", "the main window to come back")


ksv_e2e.run(scenario)
