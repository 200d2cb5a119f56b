#!/usr/bin/env python3
"""Installs the build into a temporary DESTDIR and checks what it holds: the
list of files, each kind of file by its own validator, the installed
programs' versions, the program folder made from the installed master copy,
and the bash completion.

    check-install-tree.py BUILD_DIR SOURCE_DIR
"""
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

APP_ID = "org.quaystall.QuaystallDB"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what, file=sys.stderr)


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def expected_files(source):
    files = {
        "usr/bin/quaystall",
        "usr/bin/quaystall-cli",
        f"usr/share/applications/{APP_ID}.desktop",
        f"usr/share/metainfo/{APP_ID}.metainfo.xml",
        f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
        "usr/share/man/man1/quaystall.1.gz",
        "usr/share/man/man1/quaystall-cli.1.gz",
        "usr/share/bash-completion/completions/quaystall-cli",
        "usr/share/doc/quaystall/copyright",
        "usr/share/doc/quaystall/changelog.gz",
    }
    files |= {f"usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES}
    master = os.path.join(source, "share", "program")
    for folder, _, names in os.walk(master):
        for name in names:
            relative = os.path.relpath(os.path.join(folder, name), master)
            files.add("usr/share/quaystall/program/" + relative)
    return files


def installed_files(root):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is a PNG")
    return struct.unpack(">II", header[16:24])


def check_files(root, version):
    share = os.path.join(root, "usr", "share")
    validators = [
        ("desktop entry", ["desktop-file-validate", f"{share}/applications/{APP_ID}.desktop"]),
        # The screenshot's address is the project's web site, which this
        # machine cannot reach: the rest is validated.
        ("AppStream metadata", ["appstreamcli", "validate", "--no-net", f"{share}/metainfo/{APP_ID}.metainfo.xml"]),
        ("bash completion syntax", ["bash", "-n", f"{share}/bash-completion/completions/quaystall-cli"]),
    ]
    for what, command in validators:
        done = run(command)
        check(done.returncode == 0, f"{what}: {done.stdout}{done.stderr}")

    entry = open(f"{share}/applications/{APP_ID}.desktop", encoding="utf-8").read().splitlines()
    for line in ("Name=Quaystall DB", "Exec=quaystall", f"Icon={APP_ID}", "Categories=Office;"):
        check(line in entry, f"the desktop entry has {line}")
    metainfo = ElementTree.parse(f"{share}/metainfo/{APP_ID}.metainfo.xml").getroot()
    check(metainfo.find("releases/release").get("version") == version, "the metainfo's release is the version")

    for size in ICON_SIZES:
        path = f"{share}/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"
        check(png_size(path) == (size, size), f"{path} is {size}x{size}")
    svg = ElementTree.parse(f"{share}/icons/hicolor/scalable/apps/{APP_ID}.svg").getroot()
    check(svg.tag == "{http://www.w3.org/2000/svg}svg", "the scalable icon is an SVG")

    for page in ("quaystall", "quaystall-cli"):
        path = f"{share}/man/man1/{page}.1.gz"
        text = gzip.open(path, "rt", encoding="utf-8").read()
        check(f'"Quaystall DB {version}"' in text.splitlines()[0], f"{page}(1) names version {version}")
        rendered = run(["man", "--warnings", "-l", path], env=dict(os.environ, MANWIDTH="80"))
        check(rendered.returncode == 0 and rendered.stderr == "", f"{page}(1) renders cleanly: {rendered.stderr}")
    changelog = gzip.open(f"{share}/doc/quaystall/changelog.gz", "rt", encoding="utf-8").readline()
    check(changelog.startswith(f"quaystall ({version})"), "the changelog's newest entry is the version")

    # The shop's CGI scripts are programs; everything else is data.
    for folder, _, names in os.walk(f"{share}/quaystall/program"):
        for name in names:
            mode = os.stat(os.path.join(folder, name)).st_mode & 0o777
            wanted = 0o755 if name.endswith(".pl") else 0o644
            check(mode == wanted, f"{os.path.join(folder, name)} has mode {oct(wanted)}, not {oct(mode)}")


def check_programs(root, version, scratch):
    bin_dir = os.path.join(root, "usr", "bin")
    env = dict(os.environ, HOME=os.path.join(scratch, "home"), QT_QPA_PLATFORM="offscreen")
    env.pop("XDG_DATA_HOME", None)
    os.makedirs(env["HOME"])
    for program in ("quaystall", "quaystall-cli"):
        done = run([os.path.join(bin_dir, program), "--version"], env=env)
        check(done.stdout == f"Quaystall DB v{version}\n", f"{program} --version: {done.stdout}{done.stderr}")

    # A first start outside a program folder makes the user's own from the
    # master copy installed beside the programs.
    done = run([os.path.join(bin_dir, "quaystall-cli"), "new-shop", "Demo"], env=env, cwd=env["HOME"])
    check(done.returncode == 0, f"quaystall-cli new-shop in a home folder: {done.stderr}")
    own = os.path.join(env["HOME"], ".local", "share", "quaystall")
    check(os.path.isdir(os.path.join(own, "shops", "Demo")), "the user's own program folder holds the new shop")
    check(open(os.path.join(own, "program-version.txt")).read() == version + "\n", "the folder's version mark")

    # The desktop program makes the folder --program-dir names before its window shows.
    chosen = os.path.join(scratch, "chosen")
    window = subprocess.Popen([os.path.join(bin_dir, "quaystall"), "--program-dir", chosen], env=env,
                              cwd=env["HOME"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 60
    while not os.path.exists(os.path.join(chosen, "location.cfg")) and time.monotonic() < deadline:
        time.sleep(0.2)
    window.terminate()
    window.wait(30)
    check(os.path.isfile(os.path.join(chosen, "Apache", "cgi-bin", "qstldb", "AllCGIFiles.txt")),
          "quaystall --program-dir made the program folder")
    return own


def complete(root, words, cwd, env):
    """What the completion offers for the last word."""
    script = f"""
source /usr/share/bash-completion/bash_completion
source {root}/usr/share/bash-completion/completions/quaystall-cli
COMP_WORDS=("$@")
COMP_CWORD=$(($# - 1))
COMP_LINE="$*"
COMP_POINT=${{#COMP_LINE}}
_quaystall_cli
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    done = run(["bash", "-c", script, "complete", *words], cwd=cwd, env=env)
    return set(filter(None, done.stdout.splitlines()))


def check_completion(root, own, scratch):
    env = dict(os.environ, PATH=os.path.join(root, "usr", "bin") + os.pathsep + os.environ["PATH"],
               HOME=os.path.join(scratch, "home"))
    env.pop("XDG_DATA_HOME", None)
    work = os.path.join(scratch, "work")
    shutil.copytree(own, work)
    for shop in ("Books", "Toys"):
        os.makedirs(os.path.join(work, "shops", shop))
    commands = {"shops", "new-shop", "delete-shop", "check", "resave", "export", "search", "import",
                "upload-settings", "upload", "fetch-orders"}
    cases = [
        ("the commands", ["quaystall-cli", ""], work, commands),
        ("a command begun", ["quaystall-cli", "ex"], work, {"export"}),
        ("the program's options", ["quaystall-cli", "--"], work, {"--help", "--version", "--program-dir"}),
        ("the working folder's shops", ["quaystall-cli", "export", ""], work, {"Books", "Demo", "Toys"}),
        ("a shop begun", ["quaystall-cli", "delete-shop", "T"], work, {"Toys"}),
        ("the user's own folder's shops", ["quaystall-cli", "check", ""], scratch, {"Demo"}),
        ("--program-dir's shops", ["quaystall-cli", "--program-dir", work, "search", "B"], scratch, {"Books"}),
        ("a command's options", ["quaystall-cli", "import", "Toys", "stock.csv", "--s"], work, {"--skip-rows"}),
        ("the answers of --empty", ["quaystall-cli", "import", "Toys", "--empty", ""], work,
         {"blank", "ignore", "previous"}),
        ("no shops for a new shop's name", ["quaystall-cli", "new-shop", ""], work, set()),
        ("no shops after the shop", ["quaystall-cli", "search", "Toys", ""], work, set()),
    ]
    for what, words, cwd, expected in cases:
        offered = complete(root, words, cwd, env)
        check(offered == expected, f"completion, {what}: {sorted(offered)} instead of {sorted(expected)}")


def main():
    build, source = sys.argv[1], sys.argv[2]
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
        version = next(line.split("=", 1)[1].strip() for line in cache if line.startswith("CMAKE_PROJECT_VERSION:"))
    scratch = tempfile.mkdtemp(prefix="quaystall-install-")
    try:
        root = os.path.join(scratch, "root")
        done = run(["cmake", "--install", build, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=root))
        if done.returncode != 0:
            print(done.stdout + done.stderr, file=sys.stderr)
            return 1
        found, expected = installed_files(root), expected_files(source)
        check(found == expected, f"the installed files: missing {sorted(expected - found)}, "
                                 f"unexpected {sorted(found - expected)}")
        check_files(root, version)
        own = check_programs(root, version, scratch)
        check_completion(root, own, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{len(failures)} failed" if failures else "the install tree is complete")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
