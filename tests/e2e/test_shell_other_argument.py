"""Any argument other than "s" (here "S": the comparison is case-sensitive)
also keeps the window hidden; the tray icon opens it, and with the default
close action the close button only hides it again while the tray icon
stays."""
import ksv_e2e
from ksv_e2e import check


def scenario(s):
    s.wait_until(lambda: s.find_window_by_class("TVideoForm"), what="start-up to finish")
    main = s.find_window_any_state("TKSVForm")
    check(main is not None and not main.visible, "main window shown: %r" % main)
    check(s.tray_icon_count(main) == 1, "no tray icon")

    s.tray_click(main, ksv_e2e.WM_LBUTTONDBLCLK)
    s.wait_until(lambda: s.find_window_any_state("TKSVForm").visible, what="the main window to open")

    s.close_window(main)
    s.wait_until(lambda: not s.find_window_any_state("TKSVForm").visible, what="the main window to hide")
    check(s.program_running(), "the program ended on close")
    check(s.tray_icon_count(main) == 1, "tray icon gone")

    s.send_command(main, ksv_e2e.IDM_QUIT)
    s.wait_exit()
    check(s.proc.poll() is not None or not s.program_running(), "still running")


ksv_e2e.run(scenario, args=["S"])
