"""The road of one capture with the designed settings: full-screen mode,
Ctrl+B, "完成" in the editor; the picture lands in the documents folder as
截图1.jpg, a JPEG of the whole screen at quality 80, and the editor says
so."""
import os
import struct

import ksv_e2e
from ksv_e2e import check, IDM_FULLSCREEN


# libjpeg's luminance table (natural order) and its quality scaling.
STD_LUMINANCE = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]


def luminance_table(quality):
    scale = 5000 // quality if quality < 50 else 200 - quality * 2
    return [min(255, max(1, (v * scale + 50) // 100)) for v in STD_LUMINANCE]


def jpeg_facts(path):
    """(width, height, luminance table in natural order) of a baseline JPEG."""
    data = open(path, "rb").read()
    check(data[:2] == b"\xff\xd8", "not a JPEG")
    pos, size, table = 2, None, None
    while pos < len(data) - 4:
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        body = data[pos + 4:pos + 2 + length]
        if marker == 0xDB:
            i = 0
            while i < len(body):
                pq, tq = body[i] >> 4, body[i] & 15
                values = list(body[i + 1:i + 65])
                if tq == 0 and pq == 0:
                    table = [0] * 64
                    for k, v in enumerate(values):
                        table[ZIGZAG[k]] = v
                i += 65
        if marker == 0xC0:
            h, w = struct.unpack(">HH", body[1:5])
            size = (w, h)
        if marker == 0xDA:
            break
        pos += 2 + length
    return size, table


def scenario(s):
    expected = os.path.join(s.documents, "截图1.jpg")
    main = s.wait_visible("TKSVForm", "the main window")
    s.send_command(main, IDM_FULLSCREEN)
    s.key("ctrl+b")
    editor = s.wait_editor()
    toolbar = s.wait_until(lambda: next((c for c in s.children(editor) if c.cls == "ToolbarWindow32"), None),
                           what="the editor's toolbar")
    s.screenshot("editor")
    # "完成" is the first button, 55 pixels wide.
    s.click(toolbar.left + 27, toolbar.top + 30)
    path = s.wait_file(expected)
    box = s.wait_until(lambda: next((w for w in s.windows() if w.visible and w.cls == "#32770"), None),
                       what="the message box")
    texts = [c.title for c in s.children(box)]
    check("已经保存到指定目录下！" in texts, "message box says %r" % texts)
    s.screenshot("saved")
    size, table = jpeg_facts(path)
    check(size == (1280, 800), "picture size %r" % (size,))
    check(table == luminance_table(80), "not quality 80: %r" % table)
    s.key("Return")
    s.wait_until(lambda: not any(w.visible and w.cls == "#32770" for w in s.windows()), what="the box to close")
    check(s.find_window("图像编辑", "TSaveForm") is not None, "the editor closed after saving")
    os.remove(path)


ksv_e2e.run(scenario)
