"""The program starts with its main window, shows its Chinese caption and
status text, and ends when the window is closed."""
import ksv_e2e
from ksv_e2e import check


def scenario(s):
    main = s.wait_window("万象快拍宗师", "TKSVForm")
    check(main.visible, "main window not visible")
    status = [c for c in s.children(main) if c.cls == "msctls_statusbar32"]
    check(status, "no status bar")
    text = s.status_text(status[0], 0)
    check(text == "欢迎使用。截图快捷键：Ctrl+B", "status text %r" % text)
    s.screenshot("main-window")
    s.close_window(main)
    s.wait_exit()


ksv_e2e.run(scenario)
