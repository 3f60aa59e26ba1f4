"""Fixed-region mode: Ctrl+B shows the blue frame round a 600 x 400 area
centred on the mouse; it follows the mouse, and a click takes the area.
Esc gives the wait up."""
import ksv_e2e
from ksv_e2e import check, IDM_FIXREGION


def frame_at(s, left, top):
    f = s.visible_window("TSelectAreaForm")
    return f if f and (f.left, f.top, f.width, f.height) == (left, top, 610, 410) else None


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FIXREGION)
    s.move(640, 400)
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame round the mouse")
    s.screenshot("frame")
    s.move(500, 300)
    s.wait_until(lambda: frame_at(s, 200, 100), None, "the frame to follow the mouse")
    s.xdotool("click", "1")
    editor = s.wait_visible("TSaveForm", "the editor")
    s.wait_until(lambda: s.editor_picture_size(editor) == "600*400", None,
                 "a 600*400 picture (shows %r)" % s.editor_picture_size(editor))
    check(s.visible_window("TSelectAreaForm") is None, "the frame stayed")
    s.screenshot("editor")
    s.close_window(editor)
    s.wait_hidden("TSaveForm", "the editor to close")
    s.wait_visible("TKSVForm", "the main window to come back")

    # Esc gives the wait up; the next Ctrl+B starts a new one.
    s.move(640, 400)
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame again")
    s.key("Escape")
    s.wait_hidden("TSelectAreaForm", "Esc to end the wait")
    s.wait_visible("TKSVForm", "the main window after Esc")
    check(s.visible_window("TSaveForm") is None, "Esc opened the editor")
    s.key("ctrl+b")
    s.wait_until(lambda: frame_at(s, 340, 200), None, "the frame after Esc")
    s.xdotool("click", "1")
    editor = s.wait_visible("TSaveForm", "the editor after Esc")
    s.wait_until(lambda: s.editor_picture_size(editor) == "600*400", None, "a 600*400 picture after Esc")


ksv_e2e.run(scenario)
