#!/usr/bin/env python3
"""The include-direction check on small made-up trees: which includes pass and which fail.

Usage: include_arrows_test.py PATH/TO/check-include-arrows.py
"""

import importlib.util
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "scripts/check-include-arrows.py")
module_location = importlib.util.spec_from_file_location("check_include_arrows", CHECKER)
arrows = importlib.util.module_from_spec(module_location)
module_location.loader.exec_module(arrows)

# (including file, include line's name, file the name refers to, passes)
CASES = [
    ("engine/Worker.cpp", "analysis/Fft.h", "analysis/Fft.h", True),
    ("engine/Worker.cpp", "platform/Event.h", "platform/Event.h", True),  # through audio/
    ("dialogs/Options.cpp", "engine/Capture.h", "engine/Capture.h", True),  # through settings/
    ("app/Window.cpp", "qt/View.h", "qt/View.h", True),
    ("app/Window.cpp", "audio/portaudio/Streams.h", "audio/portaudio/Streams.h", True),
    ("tools/measure/Run.cpp", "qt/Surface.h", "qt/Surface.h", True),
    ("bench/soak/Soak.cpp", "audio/sim/Bench.h", "audio/sim/Bench.h", True),
    ("tests/engine/WorkerTest.cpp", "tests/support/Fake.h", "tests/support/Fake.h", True),
    ("tests/qt/ViewTest.cpp", "app/Window.h", "app/Window.h", True),
    ("audio/sim/Bench.cpp", "Bench.h", "audio/sim/Bench.h", True),  # beside the includer
    ("engine/Worker.cpp", "audio/portaudio/Streams.h", "audio/portaudio/Streams.h", False),
    ("engine/Worker.cpp", "audio/sim/Bench.h", "audio/sim/Bench.h", False),
    ("analysis/Fft.cpp", "engine/Capture.h", "engine/Capture.h", False),
    ("display/Scope.cpp", "qt/View.h", "qt/View.h", False),
    ("platform/Event.cpp", "audio/Sound.h", "audio/Sound.h", False),
    ("settings/File.cpp", "dialogs/Options.h", "dialogs/Options.h", False),
    ("panel/Scale.cpp", "app/Window.h", "app/Window.h", False),
    ("engine/Worker.cpp", "tests/support/Fake.h", "tests/support/Fake.h", False),
    ("audio/Queue.cpp", "sim/Bench.h", "audio/sim/Bench.h", False),  # beside, one folder down
    ("app/Window.cpp", "tools/measure/Run.h", "tools/measure/Run.h", False),
    ("fuzz/WavFuzz.cpp", "qt/View.h", "qt/View.h", False),
]


def make_tree(root, files):
    for relative, text in files.items():
        path = root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


class IncludeArrowsTest(unittest.TestCase):
    def test_cases(self):
        for includer, name, target, passes in CASES:
            with self.subTest(includer=includer, name=name), tempfile.TemporaryDirectory() as tmp:
                root = Path(tmp)
                make_tree(root, {target: "#pragma once\n",
                                 includer: f'#include <vector>\n\n#include "{name}"\n'})
                problems, count = arrows.check(root)
                self.assertEqual(count, 1)
                if passes:
                    self.assertEqual(problems, [])
                else:
                    self.assertEqual(len(problems), 1)
                    self.assertTrue(problems[0].startswith(f"{includer}:3: "), problems[0])
                    self.assertIn(f'may not include "{name}"', problems[0])

    def test_a_folder_outside_the_table_and_a_missing_file_are_reported(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            make_tree(root, {"newfolder/Thing.cpp": "int x;\n",
                             "engine/Worker.cpp": '#include "engine/Gone.h"\n',
                             "build-asan/engine/Generated.cpp": '#include "qt/View.h"\n'})
            problems, _ = arrows.check(root)
            self.assertEqual(len(problems), 2, problems)
            self.assertIn("engine/Worker.cpp:1: \"engine/Gone.h\" is not a file", problems[0])
            self.assertIn("newfolder/Thing.cpp: folder has no place", problems[1])

    def test_exit_status_and_summary(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            make_tree(root, {"analysis/Fft.h": "#pragma once\n",
                             "engine/Worker.cpp": '#include "analysis/Fft.h"\n'})
            self.assertEqual(arrows.main(["check", tmp]), 0)
            make_tree(root, {"analysis/Fft.cpp": '#include "engine/Worker.h"\n',
                             "engine/Worker.h": "#pragma once\n"})
            self.assertEqual(arrows.main(["check", tmp]), 1)
            self.assertEqual(arrows.main(["check", str(root / "missing")]), 2)

    def test_every_linked_folder_has_its_own_entry(self):
        for folder, linked in arrows.LINKS.items():
            for other in linked:
                self.assertIn(other, arrows.LINKS, f"{folder} links {other}")


if __name__ == "__main__":
    unittest.main()
