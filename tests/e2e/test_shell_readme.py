""""更新历史" in the main menu and "关于我们" in the tray menu both open
Readme.txt from the program's folder with the system's text viewer."""
import ksv_e2e
from ksv_e2e import check


def viewer(s):
    return next((w for w in s.windows() if w.visible and w.title.startswith("Readme.txt")), None)


def scenario(s):
    # A fresh prefix knows the text viewer but does not map ".txt" to it.
    s.wine("reg", "add", r"HKCR\.txt", "/ve", "/d", "txtfile", "/f")
    s.launch()
    main = s.wait_window("万象快拍宗师V1.6", "TKSVForm")
    for command in (ksv_e2e.IDM_US, ksv_e2e.IDM_ABOUT):
        s.send_command(main, command)
        window = s.wait_until(lambda: viewer(s), what="Readme.txt to open")
        s.screenshot("readme-%d" % command)
        s.close_window(window)
        s.wait_until(lambda: viewer(s) is None, what="the viewer to close")
    check(s.program_running(), "the program ended")


ksv_e2e.run(scenario, launch=False)
