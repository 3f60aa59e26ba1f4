"""Full-screen mode: Ctrl+B puts a picture of the whole screen in the
editor; choosing it after the fixed-region mode leaves no click wait."""
import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN, IDM_FIXREGION


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FIXREGION)
    s.send_command(main, IDM_FULLSCREEN)
    expected = "%d*%d" % (ksv_e2e.SCREEN_W, ksv_e2e.SCREEN_H)
    for attempt in range(2):
        s.key("ctrl+b")
        editor = s.wait_visible("TSaveForm", "the editor (capture %d)" % (attempt + 1))
        s.wait_until(lambda: s.editor_picture_size(editor) == expected, None,
                     "a %s picture (shows %r)" % (expected, s.editor_picture_size(editor)))
        check(s.visible_window("TSelectAreaForm") is None, "a fixed-region frame showed up")
        check(s.visible_window("TDisPlayForm") is None, "the region overlay showed up")
        s.screenshot("editor-%d" % (attempt + 1))
        s.close_window(editor)
        s.wait_hidden("TSaveForm", "the editor to close")
        s.wait_visible("TKSVForm", "the main window to come back")


ksv_e2e.run(scenario)
