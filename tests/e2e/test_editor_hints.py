"""Resting the mouse on a toolbar button, a tool button or a colour swatch
shows its hint."""
import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN


def shown_hint(s):
    for w in s.windows():
        if w.cls == "tooltips_class32" and w.visible and w.title:
            return w.title
    return None


def hint_at(s, x, y, expected):
    s.move(x, y)
    s.move(x + 1, y)
    s.wait_until(lambda: shown_hint(s) == expected, what="the hint %r (showing %r)" % (expected, shown_hint(s)))


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)
    s.key("ctrl+b")
    editor = s.wait_editor()
    kids = s.children(editor)
    toolbar = next(c for c in kids if c.cls == "ToolbarWindow32")
    hint_at(s, toolbar.left + 27, toolbar.top + 30, "保存图像到指定目录")
    s.screenshot("toolbar-hint")
    line = next(c for c in kids if c.cls == "Button" and c.visible and c.width == 28 and c.height == 28)
    hint_at(s, line.left + 14, line.top + 14, "直线工具")
    colours = next(c for c in kids if c.cls == "TKsvEditorPanel" and c.visible and c.height == 62)
    hint_at(s, colours.left + 20, colours.top + 12, "前景色")
    hint_at(s, colours.left + 60, colours.top + 50, "背景色")


ksv_e2e.run(scenario)
