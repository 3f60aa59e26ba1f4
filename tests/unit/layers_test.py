#!/usr/bin/env python3
"""scripts/check-layers on small crafted source trees: each include that
breaks the layer order is reported, and what the order allows is not."""

import importlib.machinery
import importlib.util
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "check-layers")


def load_checker():
    loader = importlib.machinery.SourceFileLoader("check_layers", SCRIPT)
    loader_spec = importlib.util.spec_from_loader("check_layers", loader)
    module = importlib.util.module_from_spec(loader_spec)
    loader.exec_module(module)
    return module


checker = load_checker()


class LayerCheckTest(unittest.TestCase):
    def faults_of(self, files):
        """The faults of a tree holding `files` (path below src/ -> text)."""
        with tempfile.TemporaryDirectory() as src:
            for path, text in files.items():
                full = os.path.join(src, path)
                os.makedirs(os.path.dirname(full), exist_ok=True)
                with open(full, "w", encoding="utf-8") as f:
                    f.write(text)
            return checker.check_tree(src)

    def test_includes_the_order_allows_pass(self):
        allowed = {
            "core/raster.h": "#include <vector>\n",
            "ui/window.h": "#include <windows.h>\n#include \"core/raster.h\"\n",
            "output/bmp.cpp": "#include \"core/raster.h\"\n#include <io.h>\n",
            "output/win/texts.cpp": "#include <windows.h>\n#include \"ui/window.h\"\n",
            "editor/view.h": "#include \"core/geometry.h\"\n#include \"output/bmp.h\"\n",
            "editor/win/form.cpp": "#include \"output/win/texts.h\"\n#include \"../../../resources/r.h\"\n",
            "capture/win/hook/dll.cpp": "#include <windows.h>\n",
            "app/win/main.cpp": "#include \"editor/win/form.h\"\n#include \"capture/win/hook/dll.h\"\n",
            "app/settings.cpp": "#include \"capture/capture_mode.h\"\n",
        }
        self.assertEqual(self.faults_of(allowed), [])

    def test_each_break_of_the_order_is_reported(self):
        # (file, its text, a word one of its faults must name)
        cases = [
            ("core/raster.cpp", '#include "ui/window.h"\n', "higher"),
            ("ui/forms.h", '#include "app/settings.h"\n', "higher"),
            ("ui/forms.h", '#include "capture/capture_mode.h"\n', "higher"),
            ("output/gif.cpp", '#include "editor/view.h"\n', "higher"),
            ("output/gif.cpp", '#include "imaging/ops.h"\n', "sibling"),
            ("capture/capture_geometry.h", '#include "editor/geometry.h"\n', "sibling"),
            ("editor/win/save.cpp", '#include "capture/win/hook/ksvmain.h"\n', "sibling"),
            ("editor/win/save.cpp", '#include "app/win/registry_win.h"\n', "higher"),
            ("video/win/video.cpp", '#include "app/forms.h"\n', "higher"),
            ("editor/zoom.cpp", "#include <windows.h>\n", "<windows.h>"),
            ("editor/zoom.cpp", "#include <CommCtrl.h>\n", "<CommCtrl.h>"),
            ("editor/zoom.cpp", '#include "output/win/texts.h"\n', "Win32 header"),
            ("editor/zoom.cpp", '#include "ui/gdi.h"\n', "Win32 header"),
            ("capture/cycle.h", '#include "capture/win/screen.h"\n', "Win32 header"),
            ("gadgets/x.cpp", "\n", "no known layer"),
            ("app/x.cpp", '#include "widgets/x.h"\n', "no known layer"),
        ]
        for path, text, word in cases:
            with self.subTest(path=path, text=text):
                faults = self.faults_of({path: text})
                self.assertTrue(faults, "no fault reported")
                self.assertTrue(any(word in fault for fault in faults), faults)
                for fault in faults:
                    self.assertTrue(fault.startswith(path), fault)

    def test_the_line_of_the_fault_is_named(self):
        faults = self.faults_of({"capture/a.cpp": '#include "capture/a.h"\n\n  #  include "app/b.h"\n'})
        self.assertEqual(len(faults), 1, faults)
        self.assertTrue(faults[0].startswith("capture/a.cpp:3:"), faults[0])

    def test_the_script_fails_on_a_fault_and_passes_without(self):
        with tempfile.TemporaryDirectory() as src:
            os.makedirs(os.path.join(src, "core"))
            good = os.path.join(src, "core", "a.h")
            with open(good, "w", encoding="utf-8") as f:
                f.write("#include <string>\n")
            self.assertEqual(checker.main(["check-layers", src]), 0)
            with open(os.path.join(src, "core", "b.h"), "w", encoding="utf-8") as f:
                f.write('#include "app/x.h"\n')
            self.assertEqual(checker.main(["check-layers", src]), 1)


if __name__ == "__main__":
    sys.exit(unittest.main())
