#!/usr/bin/env python3
"""The include check on planted trees: each upward include is caught, each allowed one passes."""
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(__file__), "..", "check_includes.py")

CASES = [
    # (file, its include, expected to be refused)
    ("imagelib/codecs/bmp/bmp.cpp", "app/core/view/zoom.h", True),
    ("acquire/acquired_photo.h", "app/shell/main_window.h", True),
    ("common/settings.cpp", "imagelib/dib.h", True),
    ("album/album.cpp", "output/print/print_page.h", True),
    ("app/shell/main_window.cpp", "app/editing/image_window.h", True),
    ("app/album/album_page.cpp", "app/output/print_pages.h", True),
    ("app/sharing/mail_command.cpp", "app/acquire/acquisition.h", True),  # rooms on one floor
    ("app/core/zoom.cpp", "app/widgets/qt_text.h", True),
    ("app/lost/thing.cpp", "app/core/zoom.h", True),  # a room nobody placed
    ("app/testing/test_driver.cpp", "app/start/shell_application.h", True),  # a room, not a test
    ("app/recovery/recovery_service.cpp", "app/testing/test_driver.h", True),
    ("newfolder/thing.cpp", "common/settings.h", True),  # a folder nobody placed
    ("edit/layers.cpp", "effects/parallel.h", False),  # one floor
    ("app/output/print_pages.cpp", "app/album/album_page.h", False),
    ("app/start/shell_application.cpp", "app/sharing/sharing_feature.h", False),
    ("app/testing/test_driver.cpp", "app/recovery/recovery_service.h", False),
    ("app/start/shell_application_test_commands.cpp", "app/testing/test_input.h", False),
    ("common/testing/file_failures.h", "imagelib/dib.h", False),  # test helpers
    ("tools/lumivista-tool/main.cpp", "app/core/zoom.h", False),
    ("imagelib/tests/bmp_test.cpp", "app/core/zoom.h", False),  # tests include what they test
    ("bench/edit_bench.cpp", "app/shell/main_window.h", False),
    ("imagelib/dib.cpp", "QtCore/QString", False),  # not ours
]


def run(root):
    return subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)


def main():
    failures = 0
    for path, include, refused in CASES:
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, os.path.dirname(path)))
            with open(os.path.join(root, path), "w") as source:
                source.write(f'// planted\n#include "{include}"\n')
            result = run(root)
            if (result.returncode != 0) != refused or (refused and f"{path}:2: includes {include}" not in result.stdout):
                print(f"FAIL {path} -> {include}: exit {result.returncode}, output {result.stdout!r}")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
