#!/usr/bin/env python3
"""Times the upload of a shop with many pictures to an SSH server on this
computer's loopback address, through quaystall-cli as a merchant's script
runs it.

    bench/upload/run-benchmark.py --cli build/release/src/cli/quaystall-cli [--pictures N] [--size KB]

Makes a program folder with a new shop and N pictures of
the given size, starts sshd with throwaway keys of its own on a free port
(the shop's folders go to a folder of the run's own), and prints, for the
first upload, a second one with nothing changed and a third after one of
the shop's settings changed, the files sent and the wall time.
"""
import argparse
import os
import pwd
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_sshd(folder):
    for name in ("host_key", "user_key"):
        subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", os.path.join(folder, name)], check=True)
    shutil.copy(os.path.join(folder, "user_key.pub"), os.path.join(folder, "authorized_keys"))
    port = free_port()
    config = os.path.join(folder, "sshd_config")
    with open(config, "w") as out:
        out.write(f"ListenAddress 127.0.0.1\nPort {port}\nHostKey {folder}/host_key\n"
                  f"AuthorizedKeysFile {folder}/authorized_keys\nStrictModes no\nUsePAM no\n"
                  "PermitRootLogin prohibit-password\nSubsystem sftp internal-sftp\n"
                  f"PidFile {folder}/sshd.pid\n")
    os.makedirs("/run/sshd", exist_ok=True)
    server = subprocess.Popen(["/usr/sbin/sshd", "-D", "-e", "-f", config], stderr=subprocess.DEVNULL)
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return server, port
        except OSError:
            time.sleep(0.05)
    server.kill()
    sys.exit("sshd did not start")


def set_values(settings, **values):
    """Sets name=value lines of the shop's settings file, replacing those of the names."""
    with open(settings, newline="") as file:
        lines = [line for line in file.read().split("\r\n") if line and line.split("=")[0].lower() not in values]
    with open(settings, "w", newline="") as out:
        out.write("".join(f"{line}\r\n" for line in lines + [f"{k}={v}" for k, v in values.items()]))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--pictures", type=int, default=5000)
    parser.add_argument("--size", type=int, default=20, help="KB a picture")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)

    work = tempfile.mkdtemp(prefix="qs-upload-bench-")
    program = os.path.join(work, "program")
    shutil.copytree(os.path.join(ROOT, "share", "program"), program)

    def run(*arguments):
        done = subprocess.run([cli, *arguments], cwd=program, capture_output=True, text=True,
                              env=dict(os.environ, QUAYSTALL_UPLOAD_PASSWORD=""))
        if done.returncode != 0:
            sys.exit(f"{' '.join(arguments)}: {done.stderr}")
        return done.stdout

    server = None
    try:
        run("new-shop", "Bench")
        settings = os.path.join(program, "Apache", "cgi-bin", "qstldb", "Bench-cgi", "qstl2.cfg")
        set_values(settings, sales_email="s@bench.test", tech_email="t@bench.test")
        images = os.path.join(program, "Apache", "htdocs", "images", "Bench-images")
        os.makedirs(images, exist_ok=True)
        picture = os.urandom(args.size * 1024)
        for i in range(args.pictures):
            with open(os.path.join(images, f"picture{i:05}.jpg"), "wb") as out:
                out.write(picture[i % 97:] + picture[:i % 97])
        server, port = start_sshd(work)
        run("upload-settings", "Bench", "--host", "127.0.0.1", "--port", str(port),
            "--user", pwd.getpwuid(os.getuid()).pw_name, "--key", os.path.join(work, "user_key"),
            "--cgi-dir", os.path.join(work, "host", "cgi-bin", "qstldb"),
            "--images-dir", os.path.join(work, "host", "images"))

        def timed(label, *extra):
            start = time.perf_counter()
            out = run("upload", "Bench", *extra)
            elapsed = time.perf_counter() - start
            sent = re.search(r"^files sent: (\d+)$", out, re.M).group(1)
            print(f"{label:<34} files sent {sent:>6}   {elapsed:7.1f} s")

        print(f"{args.pictures} pictures of {args.size} KB")
        timed("first upload", "--accept-new-host-key")
        timed("second upload, nothing changed")
        set_values(settings, currency="eur")
        timed("after one setting changed")
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
