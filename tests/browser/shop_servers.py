"""The two web servers a shop runs under, started on a free loopback port.

    with Lighttpd(cgi_root, images_root) as server:
        urllib.request.urlopen(server.url("/cgi-bin/qstldb/Demo-cgi/Catalogue.pl"))

Both serve the scripts of cgi_root under /cgi-bin/qstldb/ and the pictures of
images_root under /images/, and refuse every other file of cgi_root (the shop's
settings and data folder). Each server is stopped by its process id.

Apache prepares the folders it is given the way a merchant's upload leaves
them on a host (see Apache.prepare_folders): give it a copy of the shop.
"""
import grp
import os
import pwd
import socket
import stat
import subprocess
import tempfile
import time
import urllib.error
import urllib.request

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREVIEW_CONF = os.path.join(ROOT, "share", "program", "lighttpd", "preview.conf")
APACHE_BINARY = "/usr/sbin/apache2"
APACHE_MODULES = "/usr/lib/apache2/modules"
APACHE_USER = "www-data"
START_SECONDS = 15


def free_port():
    """A TCP port on 127.0.0.1 that nothing listens on right now."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class ServerDidNotStart(RuntimeError):
    pass


class _WebServer:
    """A server process started in the foreground, with its stderr kept in a
    file of its own folder for the message when it does not come up."""

    name = "web server"

    def __init__(self, cgi_root, images_root):
        self.cgi_root = os.path.abspath(cgi_root)
        self.images_root = os.path.abspath(images_root)
        self.port = free_port()
        self._folder = tempfile.TemporaryDirectory(prefix=f"quaystall-{self.name}-")
        self.folder = self._folder.name
        self._stderr_path = os.path.join(self.folder, "stderr.log")
        self._process = None

    def url(self, path):
        return f"http://127.0.0.1:{self.port}/{path.lstrip('/')}"

    def start(self):
        # A session of its own: Apache ends its whole process group when it stops.
        with open(self._stderr_path, "wb") as stderr:
            self._process = subprocess.Popen(self._command(), env=self._environment(), cwd=self.folder,
                                             stdin=subprocess.DEVNULL, stdout=stderr, stderr=stderr,
                                             start_new_session=True)
        try:
            self._wait_until_answering()
        except BaseException:
            self.stop()
            raise
        return self

    def stop(self):
        if self._process is not None and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._process = None
        self._folder.cleanup()

    def log(self):
        """What the server wrote to its error output so far."""
        with open(self._stderr_path, "rb") as stderr:
            return stderr.read().decode("utf-8", "replace")

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def _environment(self):
        return dict(os.environ)

    def _wait_until_answering(self):
        deadline = time.monotonic() + START_SECONDS
        while True:
            if self._process.poll() is not None:
                raise ServerDidNotStart(f"{self.name} ended with status {self._process.returncode}:\n{self.log()}")
            try:
                urllib.request.urlopen(self.url("/"), timeout=2).close()
                return
            except urllib.error.HTTPError:
                return  # any answer means it is listening
            except OSError:
                pass
            if time.monotonic() > deadline:
                raise ServerDidNotStart(
                    f"{self.name} did not answer on port {self.port} within {START_SECONDS} s:\n{self.log()}")
            time.sleep(0.1)


class Lighttpd(_WebServer):
    """The preview server the program itself starts, with its own settings
    file, but for one setting: the scripts are not told that they run in the
    preview, so their mail goes out as on a host (to the test's mail
    catcher) instead of into the data folder's outbox."""

    name = "lighttpd"

    def _command(self):
        conf_path = os.path.join(self.folder, "lighttpd.conf")
        with open(conf_path, "w", encoding="utf-8") as conf:
            conf.write(f'include "{PREVIEW_CONF}"\nsetenv.add-environment := ()\n')
        return ["lighttpd", "-D", "-f", conf_path]

    def _environment(self):
        environment = super()._environment()
        environment.update(QUAYSTALL_PREVIEW_PORT=str(self.port), QUAYSTALL_CGI_ROOT=self.cgi_root,
                           QUAYSTALL_IMAGES_ROOT=self.images_root)
        return environment


class Apache(_WebServer):
    """Debian's Apache with a settings file of its own: the scripts run
    through their interpreter line, as on a merchant's host."""

    name = "apache"

    def start(self):
        self.prepare_folders()
        with open(os.path.join(self.folder, "apache2.conf"), "w", encoding="utf-8") as conf:
            conf.write(self.configuration())
        return super().start()

    def _command(self):
        return [APACHE_BINARY, "-d", self.folder, "-f", os.path.join(self.folder, "apache2.conf"), "-DFOREGROUND"]

    def configuration(self):
        modules = ["mpm_prefork", "authz_core", "alias", "cgi", "mime"]
        loads = "".join(f"LoadModule {m}_module {APACHE_MODULES}/mod_{m}.so\n" for m in modules)
        # An empty document root the server's user can reach: the shop lives under the two aliases.
        documents = os.path.join(self.folder, "htdocs")
        os.makedirs(documents, mode=0o755, exist_ok=True)
        os.chmod(self.folder, 0o711)
        return self.head(loads, documents) + self.shop_folders()

    def head(self, loads, documents):
        user = f"User {APACHE_USER}\nGroup {APACHE_USER}\n" if os.geteuid() == 0 else ""
        return f"""{loads}
ServerRoot "{self.folder}"
ServerName 127.0.0.1
Listen 127.0.0.1:{self.port}
PidFile "{self.folder}/apache2.pid"
DefaultRuntimeDir "{self.folder}"
ErrorLog "{self.folder}/error.log"
LogLevel warn
{user}StartServers 2
MinSpareServers 1
MaxSpareServers 4
TypesConfig /etc/mime.types
DocumentRoot "{documents}"

<Directory />
    Options None
    AllowOverride None
    Require all denied
</Directory>
<Directory "{documents}">
    Require all granted
</Directory>
"""

    def shop_folders(self):
        return f"""
# Only the scripts of the shop folders run; their settings and data
# folders are no business of the browser.
ScriptAlias /cgi-bin/qstldb/ "{self.cgi_root}/"
<Directory "{self.cgi_root}">
    Require all denied
    <FilesMatch "\\.pl$">
        Require all granted
    </FilesMatch>
</Directory>

Alias /images/ "{self.images_root}/"
<Directory "{self.images_root}">
    Require all granted
</Directory>
"""

    def log(self):
        error_log = os.path.join(self.folder, "error.log")
        text = super().log()
        if os.path.exists(error_log):
            with open(error_log, "rb") as log:
                text += log.read().decode("utf-8", "replace")
        return text

    def prepare_folders(self):
        """Leaves the folders as an upload to a host does: the scripts
        runnable (Apache starts them through their interpreter line),
        everything readable by the server's user, the shops' data folders
        writable by it and every folder above traversable."""
        owner = (pwd.getpwnam(APACHE_USER).pw_uid, grp.getgrnam(APACHE_USER).gr_gid) if os.geteuid() == 0 else None
        for root in (self.cgi_root, self.images_root):
            _open_parents(root)
            for folder, _, names in os.walk(root):
                in_data = root == self.cgi_root and "data" in os.path.relpath(folder, root).split(os.sep)
                _allow(folder, 0o755, owner if in_data else None)
                for name in names:
                    path = os.path.join(folder, name)
                    if root == self.cgi_root and name.endswith(".pl"):
                        _allow(path, 0o755, None)
                    else:
                        _allow(path, 0o644, owner if in_data else None)



class HandlerApache(Apache):
    """Apache as many shared hosts set it up: CGI switched on by handler in
    the folder, .htaccess files read, no ScriptAlias. Every file of the CGI
    folder that is not a script is served as it stands, unless the shop's
    own .htaccess files refuse it."""

    name = "apache (CGI by handler)"

    def shop_folders(self):
        return f"""
Alias /cgi-bin/qstldb/ "{self.cgi_root}/"
<Directory "{self.cgi_root}">
    Options +ExecCGI
    AddHandler cgi-script .pl
    AllowOverride All
    Require all granted
</Directory>

Alias /images/ "{self.images_root}/"
<Directory "{self.images_root}">
    Require all granted
</Directory>
"""

def _allow(path, mode, owner):
    os.chmod(path, stat.S_IMODE(os.lstat(path).st_mode) | mode)
    if owner is not None:
        os.chown(path, *owner)


def _open_parents(path):
    folder = os.path.dirname(path)
    while True:
        mode = os.stat(folder).st_mode
        if not mode & stat.S_IXOTH:
            os.chmod(folder, stat.S_IMODE(mode) | stat.S_IXOTH)
        parent = os.path.dirname(folder)
        if parent == folder:
            return
        folder = parent
