"""The real program on the compositor: its window maps as a native xdg-shell
toplevel whose app id is the name of the desktop file and the AppStream id,
with the window's caption and client size; closed by the compositor, the
program ends with status 0.

    app_id_test.py PROGRAM RESOURCES_DIR     (run inside wayland_session.sh)
"""
import json
import pathlib
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

CAPTION = "Tintora1.1"
CLIENT_SIZE = (349, 257)


def tree_windows():
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree"], check=True,
                                     capture_output=True, text=True).stdout)
    stack = [tree]
    while stack:
        node = stack.pop()
        if node.get("pid"):
            yield node
        stack += node.get("nodes", []) + node.get("floating_nodes", [])


def main():
    program, resources = sys.argv[1], pathlib.Path(sys.argv[2])
    desktop_ids = [path.name.removesuffix(".desktop") for path in resources.glob("*.desktop")]
    metainfo_id = ElementTree.parse(next(resources.glob("*.metainfo.xml"))).getroot().findtext("id")
    if desktop_ids != [metainfo_id]:
        sys.exit(f"FAILED: desktop files {desktop_ids} do not match the AppStream id {metainfo_id}")

    app = subprocess.Popen([program])
    try:
        window = None
        deadline = time.monotonic() + 20
        while window is None and time.monotonic() < deadline and app.poll() is None:
            window = next((node for node in tree_windows() if node["pid"] == app.pid), None)
            time.sleep(0.1)
        if window is None:
            sys.exit("FAILED: the program's window did not map on the compositor")
        print(json.dumps({key: window.get(key) for key in
                          ("app_id", "shell", "name", "window_rect", "type", "focused")}))
        errors = []
        if window.get("app_id") != metainfo_id:
            errors.append(f"app id {window.get('app_id')!r}, not {metainfo_id!r}")
        if window.get("shell") != "xdg_shell":
            errors.append(f"shell {window.get('shell')!r}: not a native Wayland window")
        if window.get("name") != CAPTION:
            errors.append(f"caption {window.get('name')!r}")
        rect = window["window_rect"]
        if (rect["width"], rect["height"]) != CLIENT_SIZE:
            errors.append(f"client size {rect['width']}x{rect['height']}")
        if errors:
            sys.exit("FAILED: " + "; ".join(errors))

        # The compositor asks the window to close, as its close button or a
        # keyboard shortcut does.
        subprocess.run(["swaymsg", f"[pid={app.pid}] kill"], check=True, capture_output=True)
        status = app.wait(timeout=20)
        if status != 0:
            sys.exit(f"FAILED: the program ended with status {status} when its window closed")
    finally:
        if app.poll() is None:
            app.kill()
            app.wait()


if __name__ == "__main__":
    main()
