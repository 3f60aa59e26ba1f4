"""The default mode: Ctrl+B freezes the screen, a drag from the lower right
to the upper left hands a 200 x 150 region to the editor, which opens
modally at its minimum size; closing it hides the overlay too and the next
Ctrl+B captures again."""
import ksv_e2e
from ksv_e2e import check


def overlay_visible(s):
    return any(w.cls == "TDisPlayForm" and w.visible for w in s.windows())


def scenario(s):
    s.wait_visible("TKSVForm", "the main window")
    s.key("ctrl+b")
    s.wait_until(lambda: overlay_visible(s), what="the overlay")
    s.drag(300, 200, 100, 50)
    editor = s.wait_editor()
    check((editor.width, editor.height) == (746, 536), "editor %r" % editor)
    status = next(c for c in s.children(editor) if c.cls == "msctls_statusbar32")
    size = s.wait_until(lambda: s.status_text(status, 0) if "*" in s.status_text(status, 0) else None,
                        what="the size readout")
    check(size == "200*150", "picture %s" % size)
    s.screenshot("region-in-editor")
    # While the editor runs modally the overlay stays behind it.
    check(overlay_visible(s), "overlay gone while the editor is open")
    s.close_window(editor)
    s.wait_no_window("图像编辑")
    s.wait_until(lambda: not overlay_visible(s), what="the overlay to hide")
    s.key("ctrl+b")
    s.wait_until(lambda: overlay_visible(s), what="the overlay again")
    s.key("Escape")
    s.wait_until(lambda: not overlay_visible(s), what="the overlay to go on Esc")


ksv_e2e.run(scenario)
