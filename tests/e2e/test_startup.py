"""The first start writes the default settings, shows the main window with
its Chinese caption (the stored version appended), mode buttons, pages and
status text, and the tray icon; the quit item of the main menu ends it."""
import ksv_e2e
from ksv_e2e import check

TITLE = "万象快拍宗师V1.6"


def scenario(s):
    main = s.wait_window(TITLE, "TKSVForm")
    check(main.visible, "main window not visible")
    # First run: the whole default table is in the registry.
    expected = {
        (ksv_e2e.KSV_KEY, "Ver"): "V1.6",
        (ksv_e2e.KSV_KEY + r"\Settings\Conventional", "Sound"): "1",
        (ksv_e2e.KSV_KEY + r"\Settings\Conventional", "Width"): "600",
        (ksv_e2e.KSV_KEY + r"\Settings\Conventional", "Height"): "400",
        (ksv_e2e.KSV_KEY + r"\Settings\Conventional", "Delay"): "0x0",
        (ksv_e2e.KSV_KEY + r"\Settings\Save", "Temp"): "截图",
        (ksv_e2e.KSV_KEY + r"\Settings\Save", "Type"): "1",
        (ksv_e2e.KSV_KEY + r"\Settings\Save", "Comp"): "80",
        (ksv_e2e.KSV_KEY + r"\Settings\High", "Quit"): "0x0",
    }
    for (key, value), data in expected.items():
        got = s.reg_query(key, value)
        check(got == data, "%s\\%s is %r, not %r" % (key, value, got, data))
    install = s.reg_query(ksv_e2e.KSV_KEY, "Install_Dir")
    check(install and install.endswith("\\"), "Install_Dir %r" % install)
    check(s.reg_query(ksv_e2e.RUN_KEY, "KSV") is None, "autostart written on first run")

    children = s.children(main)
    captions = {c.title for c in children if c.cls == "Button"}
    for caption in ("活动窗口", "整个屏幕", "选定区域", "固定区域", "选定控件", "摄像头", "捕捉",
                    "捕捉完成时自动播放声音", "确定", "浏览", "bmp", "jpg", "最小化到托盘", "退出主程序"):
        check(caption in captions, "no button %r" % caption)
    status = [c for c in children if c.cls == "msctls_statusbar32"]
    check(status, "no status bar")
    text = s.status_text(status[0], 0)
    check(text == "欢迎使用。截图快捷键：Ctrl+B", "status text %r" % text)
    check(s.status_text(status[0], 1).startswith("万象快拍宗师"), "second status panel")
    check(s.tray_icon_count(main) == 1, "no tray icon")
    s.screenshot("main-window")
    s.send_command(main, ksv_e2e.IDM_QUIT)
    s.wait_exit()


ksv_e2e.run(scenario)
