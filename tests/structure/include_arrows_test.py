#!/usr/bin/env python3
"""The include-direction check on small made-up trees: which includes pass and which fail, under a
made-up layering and under the one the build wrote.

Usage: include_arrows_test.py PATH/TO/check-include-arrows.py PATH/TO/include-links.json
"""

import importlib.util
import json
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "scripts/check-include-arrows.py")
BUILD_TABLE = Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build/include-links.json")
module_location = importlib.util.spec_from_file_location("check_include_arrows", CHECKER)
arrows = importlib.util.module_from_spec(module_location)
module_location.loader.exec_module(arrows)

# A layering shaped like the real one, for the made-up trees below.
LINKS = {
    "analysis": [],
    "platform": [],
    "audio": ["platform"],
    "audio/sim": ["audio"],
    "audio/portaudio": ["audio"],
    "engine": ["analysis", "audio"],
    "display": [],
    "settings": ["engine"],
    "dialogs": ["audio", "display", "settings"],
    "panel": ["engine", "dialogs", "platform"],
    "qt": ["display", "dialogs"],
    "app": ["engine", "settings", "dialogs", "panel", "display", "audio/sim", "audio/portaudio",
            "qt"],
    "tools": ["engine", "settings", "platform", "qt"],
    "bench": ["analysis", "engine", "qt", "audio/sim"],
    "fuzz": ["engine", "settings"],
}

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
                problems, count = arrows.check(root, LINKS)
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
            problems, _ = arrows.check(root, LINKS)
            self.assertEqual(len(problems), 2, problems)
            self.assertIn("engine/Worker.cpp:1: \"engine/Gone.h\" is not a file", problems[0])
            self.assertIn("newfolder/Thing.cpp: folder has no target", problems[1])

    def test_a_folder_this_build_leaves_out_is_not_checked(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            make_tree(root, {"qt/View.h": "#pragma once\n",
                             "fuzz/WavFuzz.cpp": '#include "qt/View.h"\n'})
            problems, _ = arrows.check(root, LINKS)
            self.assertTrue(problems and problems[0].startswith("fuzz/WavFuzz.cpp:1: "), problems)
            self.assertEqual(arrows.check(root, LINKS, ["fuzz"]), ([], 0))

    def test_exit_status_and_summary(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            table = root / "links.json"
            table.write_text(json.dumps({"links": LINKS, "unbuilt": []}))
            make_tree(root, {"analysis/Fft.h": "#pragma once\n",
                             "engine/Worker.cpp": '#include "analysis/Fft.h"\n'})
            self.assertEqual(arrows.main(["check", str(table), tmp]), 0)
            make_tree(root, {"analysis/Fft.cpp": '#include "engine/Worker.h"\n',
                             "engine/Worker.h": "#pragma once\n"})
            self.assertEqual(arrows.main(["check", str(table), tmp]), 1)
            self.assertEqual(arrows.main(["check", str(table), str(root / "missing")]), 2)
            self.assertEqual(arrows.main(["check", str(root / "none.json"), tmp]), 2)


class BuildLayeringTest(unittest.TestCase):
    """The layering the build wrote refuses includes planted against it."""

    @classmethod
    def setUpClass(cls):
        cls.links, cls.unbuilt = arrows.read_link_table(BUILD_TABLE)

    # (planted file, its include, passes)
    PLANTED = [
        ("display/Planted.cpp", "records/RuntimeState.h", True),
        ("display/Planted.cpp", "analysis/SweepTable.h", True),
        ("audio/file/Planted.cpp", "wav/WavReader.h", True),
        ("tools/measure/Planted.cpp", "measurement/SteppedSweep.h", True),
        ("display/Planted.cpp", "engine/CDSCapture.h", False),
        ("audio/file/Planted.cpp", "engine/CDSCapture.h", False),
        ("audio/sim/Planted.cpp", "engine/CDSCapture.h", False),
        ("settings/Planted.cpp", "panel/ModePanel.h", False),
        ("measurement/Planted.cpp", "panel/ModePanel.h", False),
        ("tools/measure/Planted.cpp", "app/CTarvikDlg.h", False),
        ("records/Planted.h", "engine/CDSCapture.h", False),
    ]

    def test_planted_includes(self):
        for planted, name, passes in self.PLANTED:
            with self.subTest(planted=planted, name=name), tempfile.TemporaryDirectory() as tmp:
                root = Path(tmp)
                make_tree(root, {name: "#pragma once\n", planted: f'#include "{name}"\n'})
                problems, _ = arrows.check(root, self.links, self.unbuilt)
                self.assertEqual(problems == [], passes, problems)

    def test_every_linked_folder_has_its_own_entry(self):
        for folder, linked in self.links.items():
            for other in linked:
                self.assertIn(other, self.links, f"{folder} links {other}")


if __name__ == "__main__":
    unittest.main()
