#!/usr/bin/env python3
"""Takes the screenshot of the main window the AppStream metadata shows: the
browser tests' demo shop opened in the desktop program on a virtual display.

    xvfb-run -a -s "-screen 0 1280x800x24" packaging/screenshots/take-screenshot.py BUILD_DIR

Needs xdotool and ImageMagick's import; writes main-window.png beside itself.
"""
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tests", "browser"))
import demo_shop  # noqa: E402


def window(name, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.3)
    raise RuntimeError(f"no window '{name}' appeared")


def main():
    build = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        shop = demo_shop.build_demo_shop(os.path.join(build, "src", "cli", "quaystall-cli"), SOURCE, folder)
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
        program = subprocess.Popen([os.path.join(build, "src", "desktop", "quaystall"), "--program-dir",
                                    shop.program], env=env, cwd=folder)
        try:
            main_window = window("Quaystall DB")
            subprocess.run(["xdotool", "windowsize", main_window, "1000", "680"], check=True)
            window("Open a Shop...")
            subprocess.run(["xdotool", "key", "Return"], check=True)
            time.sleep(2)
            # The first category, with its details and products.
            subprocess.run(["xdotool", "key", "Down"], check=True)
            time.sleep(1)
            subprocess.run(["import", "-window", main_window, os.path.join(HERE, "main-window.png")], check=True)
        finally:
            program.terminate()
            program.wait(30)


if __name__ == "__main__":
    main()
