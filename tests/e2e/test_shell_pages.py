"""A user changes a setting on each option page, stores it with the page's
"确定", restarts the program and finds every change again; with the close
action "退出主程序" stored, the window's close button ends the program."""
import ksv_e2e
from ksv_e2e import check

TITLE = "万象快拍宗师V1.6"
CONVENTIONAL = ksv_e2e.KSV_KEY + r"\Settings\Conventional"
SAVE = ksv_e2e.KSV_KEY + r"\Settings\Save"
HIGH = ksv_e2e.KSV_KEY + r"\Settings\High"


def centre(c):
    return (c.left + c.right) // 2, (c.top + c.bottom) // 2


def click_box(s, c):
    """Clicks a check box or radio button on its box, left of the text."""
    s.click(c.left + 7, (c.top + c.bottom) // 2)


def show_page(s, main, index):
    tabs = [c for c in s.children(main) if c.cls == "SysTabControl32"][0]
    # The headers sit side by side at the top left of the page control.
    s.click(tabs.left + 28 + 54 * index, tabs.top + 12)


def control(s, main, caption, cls="Button"):
    c = s.child(main, caption, cls)
    check(c is not None, "no control %r" % caption)
    return c


def visible_control(s, main, caption):
    def find():
        c = s.child(main, caption)
        return c if c and c.visible else None
    return s.wait_until(find, 10, "%r to show" % caption)


def ok_buttons(s, main):
    return [c for c in s.children(main) if c.title == "确定" and c.visible]


def scenario(s):
    main = s.wait_window(TITLE, "TKSVForm")

    # 常规: sound off, width 320.
    s.screenshot("page-general")
    sound = control(s, main, "捕捉完成时自动播放声音")
    click_box(s, sound)
    s.wait_until(lambda: not s.checked(sound), 10, "the sound box to clear")
    width = [c for c in s.children(main) if c.cls == "Edit" and s.probe("text", str(c.hwnd))[1].strip() == "600"][0]
    s.click(*centre(width))
    s.key("End", "shift+Home")
    s.type_text("320")
    s.wait_until(lambda: s.probe("text", str(width.hwnd))[1].strip() == "320", 10, "the width 320")
    s.click(*centre(ok_buttons(s, main)[0]))
    s.wait_reg(CONVENTIONAL, "Sound", "0")
    check(s.reg_query(CONVENTIONAL, "Width") == "320", "width not stored")

    # 存储: name by time, gif.
    show_page(s, main, 1)
    by_time = visible_control(s, main, "根据时间自动命名，如2008-10-01_10:10:10")
    s.screenshot("page-save")
    click_box(s, by_time)
    click_box(s, control(s, main, "gif"))
    s.wait_until(lambda: s.checked(by_time), 10, "naming by time")
    s.click(*centre(ok_buttons(s, main)[0]))
    s.wait_reg(SAVE, "Time", "1")
    check(s.reg_query(SAVE, "Type") == "2", "format not stored")
    check(s.reg_query(SAVE, "Temp") == "截图", "template changed")

    # 高级: autostart, quit on close.
    show_page(s, main, 2)
    autostart = visible_control(s, main, "系统启动时，自动运行万象快拍宗师")
    s.screenshot("page-high")
    check(not control(s, main, "万象快拍宗师启动时，自动最小化到托盘").visible, "StartToTray shown")
    click_box(s, autostart)
    click_box(s, control(s, main, "退出主程序"))
    s.wait_until(lambda: s.checked(autostart), 10, "autostart ticked")
    s.click(*centre(ok_buttons(s, main)[0]))
    s.wait_reg(HIGH, "Quit", "0x1")
    run = s.reg_query(ksv_e2e.RUN_KEY, "KSV")
    check(run is not None and run.startswith('"') and run.endswith('KSV.exe" s'), "Run value %r" % run)

    # Restart: everything is back.
    s.send_command(main, ksv_e2e.IDM_QUIT)
    s.wait_exit()
    s.launch()
    main = s.wait_window(TITLE, "TKSVForm")
    check(not s.checked(control(s, main, "捕捉完成时自动播放声音")), "sound ticked again")
    check(s.checked(control(s, main, "根据时间自动命名，如2008-10-01_10:10:10")), "naming by time lost")
    check(s.checked(control(s, main, "gif")), "gif lost")
    check(s.checked(control(s, main, "退出主程序")), "close action lost")
    check(s.checked(control(s, main, "系统启动时，自动运行万象快拍宗师")), "autostart lost")
    check(any(c.cls == "Edit" and s.probe("text", str(c.hwnd))[1].strip() == "320" for c in s.children(main)),
          "width lost")

    # The close button now quits.
    s.close_window(main)
    s.wait_exit()


ksv_e2e.run(scenario)
