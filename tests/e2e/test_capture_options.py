"""The capture options of the page "常规": with "自动隐藏主窗口" cleared the
main window stays on the screen through a capture; with the delay ticked
the capture still arrives, after the delay, and the program stays usable."""
import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN

HIDE_MAIN = "捕捉图像时，自动隐藏主窗口"
DELAY = "捕捉图像前的延迟时间(秒)："


def click_control(s, main, title):
    found = [c for c in s.children(main) if c.title == title and c.visible]
    check(found, "no control %r on the main window" % title)
    c = found[0]
    s.click(c.left + 8, (c.top + c.bottom) // 2)


def capture_full_screen(s, label):
    s.key("ctrl+b")
    editor = s.wait_visible("TSaveForm", "the editor (%s)" % label)
    expected = "%d*%d" % (ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H)
    s.wait_until(lambda: s.editor_picture_size(editor) == expected, None, "a whole-screen picture (%s)" % label)
    return editor


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)

    click_control(s, main, HIDE_MAIN)
    editor = capture_full_screen(s, "main window kept")
    check(s.visible_window("TKSVForm") is not None, "the main window was hidden although the option is cleared")
    s.screenshot("kept")
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")

    click_control(s, main, DELAY)
    editor = capture_full_screen(s, "after the delay")
    s.screenshot("delayed")
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")
    # Armed again: the next press captures too.
    editor = capture_full_screen(s, "second delayed capture")
    s.close_window(editor)


ksv_e2e.run(scenario)
