"""Full-screen mode: Ctrl+B puts a picture of the whole screen in the
editor; choosing it after the fixed-region mode leaves no click wait."""
import ksv_e2e
from ksv_e2e import check

IDM_FULLSCREEN = 1011
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


def scenario(s):
    main = wait_visible(s, "TKSVForm", "the main window")
    s.send_command(main, IDM_FIXREGION)
    s.send_command(main, IDM_FULLSCREEN)
    expected = "%d*%d" % (ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H)
    for attempt in range(2):
        s.key("ctrl+b")
        editor = wait_visible(s, "TSaveForm", "the editor (capture %d)" % (attempt + 1))
        s.wait_until(lambda: picture_size(s, editor) == expected, None,
                     "a %s picture (shows %r)" % (expected, picture_size(s, editor)))
        check(visible_of_class(s, "TSelectAreaForm") is None, "a fixed-region frame showed up")
        check(visible_of_class(s, "TDisPlayForm") is None, "the region overlay showed up")
        s.screenshot("editor-%d" % (attempt + 1))
        s.close_window(editor)
        wait_hidden(s, "TSaveForm", "the editor to close")
        wait_visible(s, "TKSVForm", "the main window to come back")


ksv_e2e.run(scenario)
