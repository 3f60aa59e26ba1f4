"""Started with "s" the program shows no window and lives in the tray:
Ctrl+B still captures, a click on the tray icon opens the main window, and
"退出" of the tray menu ends the program."""
import ksv_e2e
from ksv_e2e import check


def scenario(s):
    # The camera window is the last one made at start-up.
    s.wait_until(lambda: s.find_window_by_class("TVideoForm"), what="start-up to finish")
    main = s.find_window_any_state("TKSVForm")
    check(main is not None and not main.visible, "main window shown: %r" % main)
    check(s.tray_icon_count(main) == 1, "no tray icon")
    s.screenshot("in-tray")

    # The hotkey is armed although no window is shown: a region capture
    # freezes the screen in the overlay.
    s.key("ctrl+b")
    s.wait_until(lambda: s.find_window_by_class("TDisPlayForm", visible=True), what="the capture overlay")
    s.screenshot("overlay")
    s.key("Escape")

    s.tray_click(main)
    s.wait_until(lambda: s.find_window_any_state("TKSVForm").visible, what="the main window to open")
    s.screenshot("opened-from-tray")

    # "退出" of the tray menu.
    s.send_command(main, ksv_e2e.IDM_CLOSE)
    s.wait_exit()


ksv_e2e.run(scenario, args=["s"])
