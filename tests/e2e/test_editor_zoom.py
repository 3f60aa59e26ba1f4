"""An active-window capture is smaller than the editor's view: it opens
centred in the minimum-size editor; the zoom buttons enlarge and shrink
the view, and the zoomed view still reads the picture's own pixels."""
import ksv_e2e
from ksv_e2e import check, EDITOR_ENLARGE, EDITOR_NARROW, EDITOR_ACTUAL_SIZE


def scenario(s):
    main, editor = s.capture_main_window()
    check((editor.width, editor.height) == (746, 536), "editor %r" % editor)
    kids = s.children(editor)
    status = next(c for c in kids if c.cls == "msctls_statusbar32")
    size = s.wait_until(lambda: s.status_text(status, 0) if "*" in s.status_text(status, 0) else None,
                        what="the size readout")
    check(size == "%d*%d" % (main.width, main.height), "picture %s, main window %r" % (size, main))
    s.screenshot("centred")
    s.send_command(editor, EDITOR_ENLARGE)
    s.send_command(editor, EDITOR_ENLARGE)
    s.screenshot("enlarged-twice")
    view = next(c for c in kids if c.cls == "TKsvScrollBox")
    # The view's top-left pixel is the picture's, whatever the zoom.
    s.move(view.left + 1, view.top + 1)
    s.wait_until(lambda: s.status_text(status, 2) == "坐标 x：0 y：0", what="the position readout at 0,0")
    for _ in range(4):
        s.send_command(editor, EDITOR_NARROW)
    s.screenshot("narrowed")
    s.send_command(editor, EDITOR_ACTUAL_SIZE)
    s.screenshot("actual-size")


ksv_e2e.run(scenario)
