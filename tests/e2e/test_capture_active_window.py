"""Active-window mode: the capture button on the main window captures the
main window itself, the foreground window at that moment."""
import ksv_e2e
from ksv_e2e import check, IDM_ACTIVEWINDOW


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_ACTIVEWINDOW)
    buttons = [c for c in s.children(main) if c.title == "捕捉" and c.visible]
    check(buttons, "no capture button on the main window")
    button = buttons[0]
    s.click((button.left + button.right) // 2, (button.top + button.bottom) // 2)
    editor = s.wait_visible("TSaveForm", "the editor")
    main = s.visible_window("TKSVForm")
    check(main is not None, "the main window left the screen")
    expected = "%d*%d" % (main.width, main.height)
    s.wait_until(lambda: s.editor_picture_size(editor) == expected, None,
                 "a picture of the main window, %s (shows %r)" % (expected, s.editor_picture_size(editor)))
    s.screenshot("editor")
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")


ksv_e2e.run(scenario)
