"""The capture options of the page "常规": with "自动隐藏主窗口" cleared the
main window stays on the screen through a capture; with the delay ticked
the capture still arrives, after the delay, and the program stays usable."""
import ksv_e2e
from ksv_e2e import check

IDM_FULLSCREEN = 1011
HIDE_MAIN = "捕捉图像时，自动隐藏主窗口"
DELAY = "捕捉图像前的延迟时间(秒)："


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


def click_control(s, main, title):
    found = [c for c in s.children(main) if c.title == title and c.visible]
    check(found, "no control %r on the main window" % title)
    c = found[0]
    s.click(c.left + 8, (c.top + c.bottom) // 2)


def capture_full_screen(s, label):
    s.key("ctrl+b")
    editor = wait_visible(s, "TSaveForm", "the editor (%s)" % label)
    expected = "%d*%d" % (ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H)
    s.wait_until(lambda: picture_size(s, editor) == expected, None, "a whole-screen picture (%s)" % label)
    return editor


def scenario(s):
    main = wait_visible(s, "TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)

    click_control(s, main, HIDE_MAIN)
    editor = capture_full_screen(s, "main window kept")
    check(visible_of_class(s, "TKSVForm") is not None, "the main window was hidden although the option is cleared")
    s.screenshot("kept")
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")

    click_control(s, main, DELAY)
    editor = capture_full_screen(s, "after the delay")
    s.screenshot("delayed")
    s.close_window(editor)
    wait_hidden(s, "TSaveForm", "the editor to close")
    # Armed again: the next press captures too.
    editor = capture_full_screen(s, "second delayed capture")
    s.close_window(editor)


ksv_e2e.run(scenario)
