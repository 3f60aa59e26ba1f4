"""Menu shortcuts win over the focused control (Alt+R typed into the delay
edit chooses "固定区域"), the camera button swaps the main window for the
camera window and back, and "退出" clicked in the tray menu ends the
program."""
import ksv_e2e
from ksv_e2e import check

TITLE = "万象快拍宗师V1.6"


def centre(c):
    return (c.left + c.right) // 2, (c.top + c.bottom) // 2


def scenario(s):
    main = s.wait_window(TITLE, "TKSVForm")
    fixed = s.child(main, "固定区域", "Button")
    region = s.child(main, "选定区域", "Button")
    check(s.checked(region) and not s.checked(fixed), "region is not the mode at start")
    check(not s.enabled(fixed), "the fixed-region button is not greyed on this system")

    # Focus in the delay edit; Alt+R still goes to the menu.
    delay = [c for c in s.children(main) if c.cls == "Edit"][0]
    s.click(*centre(delay))
    s.key("alt+r")
    s.wait_until(lambda: s.checked(fixed), 10, "Alt+R to choose the fixed region")
    check(not s.checked(region), "two modes down")
    check(s.probe("text", str(delay.hwnd))[1].strip() == "1", "the key reached the edit")
    s.key("alt+s")
    s.wait_until(lambda: s.checked(region), 10, "Alt+S to choose the region again")

    # The camera button.
    s.click(*centre(s.child(main, "摄像头", "Button")))
    video = s.wait_until(lambda: s.find_window_by_class("TVideoForm", visible=True), what="the camera window")
    check(not s.find_window_any_state("TKSVForm").visible, "main window still shown beside the camera")
    s.screenshot("camera")
    s.close_window(video)
    s.wait_until(lambda: s.find_window_any_state("TKSVForm").visible, what="the main window to come back")

    # Right button on the tray icon, then "退出".
    s.click(ksv_e2e.SCREEN_W - 12, ksv_e2e.SCREEN_H - 10, button=3)
    menu = s.wait_until(lambda: s.find_window_by_class("#32768", visible=True), 10, "the tray menu")
    s.screenshot("tray-menu")
    s.click(menu.left + 40, menu.bottom - 12)
    s.wait_exit()


ksv_e2e.run(scenario)
