"""A full-screen capture opens the editor: every toolbar caption, the tool
panel and the status bar are there; the view menu hides and shows the
status bar; Ctrl+C typed into the text tool's box copies the picture;
Ctrl+S opens the save dialog, which saves under the typed name with the
configured format's extension; the close box hides the editor and the
next Ctrl+B captures again."""
import os

import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN, EDITOR_STATUS_BAR


def editor_children(s, editor):
    return {c.cls: c for c in s.children(editor)}


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)
    s.key("ctrl+b")
    editor = s.wait_editor()
    # A whole-screen capture fills the screen's work area.
    check(editor.width >= 746 and editor.height >= 536, "editor too small: %r" % editor)
    kids = editor_children(s, editor)
    check("ToolbarWindow32" in kids, "no toolbar: %r" % list(kids))
    check("msctls_statusbar32" in kids, "no status bar: %r" % list(kids))
    status = kids["msctls_statusbar32"]
    size_text = s.wait_until(lambda: s.status_text(status, 0) if "*" in s.status_text(status, 0) else None,
                             what="the size readout")
    check(size_text == "1280*800", "size readout %r" % size_text)
    s.screenshot("editor-full-screen")

    # The mouse over the picture fills the colour and position readouts.
    view = kids["TKsvScrollBox"]
    s.move(view.left + 30, view.top + 30)
    s.wait_until(lambda: s.status_text(status, 2).startswith("坐标 x："), what="the position readout")
    check(s.status_text(status, 1).startswith("R："), "colour readout %r" % s.status_text(status, 1))

    s.send_command(editor, EDITOR_STATUS_BAR)
    s.wait_until(lambda: not editor_children(s, editor)["msctls_statusbar32"].visible, what="status bar hidden")
    s.send_command(editor, EDITOR_STATUS_BAR)
    s.wait_until(lambda: editor_children(s, editor)["msctls_statusbar32"].visible, what="status bar shown")

    # The menu shortcut takes Ctrl+C before the focused text box does.
    edit = next(c for c in s.children(editor) if c.cls == "Edit" and c.visible)
    s.click(edit.left + 10, edit.top + 8)
    s.key("ctrl+c")
    box = s.wait_until(lambda: next((w for w in s.windows() if w.visible and w.cls == "#32770"), None),
                       what="the clipboard message")
    texts = [c.title for c in s.children(box)]
    check("已成功复制到剪贴板！" in texts, "message box says %r" % texts)
    s.key("Return")
    s.wait_until(lambda: not any(w.visible and w.cls == "#32770" for w in s.windows()), what="the box to close")

    # Save as: the dialog opens on "jietu"; the typed name gets ".jpg".
    s.key("ctrl+s")
    dialog = s.wait_window("图像另存为")
    s.screenshot("save-as-dialog")
    personal = s.reg_query(r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders",
                           "Personal")
    target = personal + "\\e2e-save-as"
    name_box = s.wait_until(
        lambda: next((c for c in s.children(dialog) if c.cls == "Edit" and c.title == "jietu" and c.visible), None),
        what="the file name box with jietu")
    s.click(name_box.left + 20, name_box.top + 8)
    s.key("ctrl+a")
    s.type_text(target)
    s.wait_until(lambda: any(c.cls == "Edit" and c.title == target for c in s.children(dialog)),
                 what="the typed name")
    s.key("Return")
    s.wait_no_window("图像另存为")
    saved = s.wait_file(os.path.join(s.unix_path(personal), "e2e-save-as.jpg"))
    os.remove(saved)
    check(not any(w.visible and w.cls == "#32770" for w in s.windows()), "save as showed a message")
    check(dialog is not None, "no dialog")

    s.close_window(editor)
    s.wait_no_window("图像编辑")
    # Closing re-armed the capture: Ctrl+B opens the editor again.
    s.key("ctrl+b")
    s.wait_editor()
    s.screenshot("editor-again")


ksv_e2e.run(scenario)
