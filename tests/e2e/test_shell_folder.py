""""浏览" on the page "存储" opens the folder dialog with its prompt;
cancelling it leaves the save folder as it was."""
import ksv_e2e
from ksv_e2e import check

TITLE = "万象快拍宗师V1.6"


def centre(c):
    return (c.left + c.right) // 2, (c.top + c.bottom) // 2


def scenario(s):
    main = s.wait_window(TITLE, "TKSVForm")
    tabs = [c for c in s.children(main) if c.cls == "SysTabControl32"][0]
    s.click(tabs.left + 28 + 54, tabs.top + 12)
    browse = s.wait_until(lambda: (lambda c: c if c and c.visible else None)(s.child(main, "浏览", "Button")), 10,
                          "the page 存储")
    folder_edit = [c for c in s.children(main) if c.cls == "Edit" and c.visible][1]
    before = s.probe("text", str(folder_edit.hwnd))[1].strip()
    check(before.lower().endswith("documents"), "save folder %r" % before)

    s.click(*centre(browse))
    dialog = s.wait_until(lambda: s.find_window_by_class("#32770", visible=True), what="the folder dialog")
    texts = [c.title for c in s.children(dialog)]
    check("请选择文件夹。" in texts, "no prompt in %r" % texts)
    s.screenshot("folder-dialog")
    s.key("Escape")
    s.wait_until(lambda: s.find_window_by_class("#32770", visible=True) is None, what="the dialog to close")
    after = s.probe("text", str(folder_edit.hwnd))[1].strip()
    check(after == before, "save folder changed to %r" % after)


ksv_e2e.run(scenario)
