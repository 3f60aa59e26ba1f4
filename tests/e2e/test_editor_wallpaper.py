"""Ctrl+Alt+W in the editor makes the picture the desktop wallpaper: the
BMP under the Windows folder's Web\\Wallpaper named after the template,
and the three values under HKCU "Control Panel\\Desktop"."""
import os

import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def scenario(s):
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)
    s.key("ctrl+b")
    s.wait_editor()
    s.key("ctrl+alt+w")
    folder = s.unix_path(r"C:\windows\Web\Wallpaper")
    path = s.wait_file(os.path.join(folder, "截图.bmp"))
    check(open(path, "rb").read(2) == b"BM", "not a BMP file")
    s.wait_reg(DESKTOP_KEY, "WallpaperStyle", "2")
    check(s.reg_query(DESKTOP_KEY, "TileWallpaper") == "0", "TileWallpaper")
    wallpaper = s.reg_query(DESKTOP_KEY, "Wallpaper") or ""
    check(wallpaper.lower().startswith(r"c:\windows\web\wallpaper") and wallpaper.endswith(".bmp"),
          "Wallpaper value %r" % wallpaper)
    check(not any(w.visible and w.cls == "#32770" for w in s.windows()), "a message box appeared")
    s.screenshot("wallpaper-set")


ksv_e2e.run(scenario)
