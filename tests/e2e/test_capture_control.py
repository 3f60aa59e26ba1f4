"""Control mode: Ctrl+B starts the wait, the frame rings the window or
control under the mouse, and a click takes exactly that control."""
import ksv_e2e
from ksv_e2e import check, IDM_AXTIVEOBJECT


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_AXTIVEOBJECT)
    # The taskbar's start button: a control that stays on the screen while
    # the main window hides for the capture.
    tray = s.wait_visible("Shell_TrayWnd", "the taskbar")
    controls = [c for c in s.children(tray) if c.visible and c.width > 0 and c.height > 0]
    check(controls, "the taskbar has no controls")
    target = min(controls, key=lambda c: (c.left, c.top))
    x, y = (target.left + target.right) // 2, (target.top + target.bottom) // 2
    s.move(x, y)
    s.key("ctrl+b")

    def ringed():
        f = s.visible_window("TSelectAreaForm")
        return f if f and (f.left, f.top, f.right, f.bottom) == (
            target.left - 5, target.top - 5, target.right + 5, target.bottom + 5) else None

    s.wait_until(ringed, None, "the frame round %r" % target)
    s.screenshot("frame")
    s.xdotool("click", "1")
    editor = s.wait_visible("TSaveForm", "the editor")
    expected = "%d*%d" % (target.width, target.height)
    s.wait_until(lambda: s.editor_picture_size(editor) == expected, None,
                 "a %s picture (shows %r)" % (expected, s.editor_picture_size(editor)))
    check(s.visible_window("TSelectAreaForm") is None, "the frame stayed")
    s.screenshot("editor")
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")
    s.wait_visible("TKSVForm", "the main window to come back")


ksv_e2e.run(scenario)
