"""The tool buttons switch the property pages: the shape page with its pen
and brush styles, the magnifier page with its settings, the scaling page
whose buttons zoom the view."""
import ksv_e2e
from ksv_e2e import check


def visible_texts(s, editor):
    return {c.title for c in s.children(editor) if c.visible and c.title}


def scenario(s):
    _, editor = s.capture_main_window()
    tools = [c for c in s.children(editor) if c.cls == "Button" and c.visible and c.width == 28 and c.height == 28]
    check(len(tools) == 13, "tool buttons: %d" % len(tools))
    # Panel order: line, rectangle, rounded rectangle, oval / text, spray, magnifier, straw /
    # hand, scaling, free transform, translation / blur.
    tools.sort(key=lambda c: (c.top, c.left))
    s.click(tools[1].left + 14, tools[1].top + 14)
    s.wait_until(lambda: "边框粗细" in visible_texts(s, editor), what="the shape page")
    s.screenshot("shape-page")
    s.click(tools[6].left + 14, tools[6].top + 14)
    s.wait_until(lambda: {"放大率", "形状", "方形", "圆形", "边框", "光标"} <= visible_texts(s, editor),
                 what="the magnifier page")
    s.screenshot("magnifier-page")
    s.click(tools[9].left + 14, tools[9].top + 14)
    s.wait_until(lambda: "实际大小" in visible_texts(s, editor), what="the scaling page")
    kids = s.children(editor)
    status = next(c for c in kids if c.cls == "msctls_statusbar32")
    view = next(c for c in kids if c.cls == "TKsvScrollBox")
    # Centred, the picture leaves the box's top-left corner empty.
    s.move(view.left + 2, view.top + 2)
    check(s.status_text(status, 2) == "坐标：xy", "readout before zooming %r" % s.status_text(status, 2))
    enlarge = next(c for c in kids if c.visible and c.cls == "Button" and c.title == "放大")
    s.click(enlarge.left + 20, enlarge.top + 10)
    # Enlarged past the box, the picture starts at its top-left corner.
    s.move(view.left + 2, view.top + 2)
    s.move(view.left + 3, view.top + 3)
    s.wait_until(lambda: s.status_text(status, 2).startswith("坐标 x："), what="the picture under the corner")
    s.screenshot("scaling-page-enlarged")

ksv_e2e.run(scenario)
