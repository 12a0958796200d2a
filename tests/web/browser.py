"""Headless Chromium driven over the DevTools protocol, for the page's tests and its benchmark,
with the Python standard library alone: the protocol runs over the pipe Chromium offers on its
file descriptors 3 and 4 (--remote-debugging-pipe), messages ending in a zero byte.

The page is served from 127.0.0.1, and Chromium sends every request it makes through that
same server as its proxy, loopback included: so the server sees every request the page makes,
to any host, and answers only its own files."""
import base64
import http.server
import json
import os
import shutil
import subprocess
import threading
import threading
import time
import urllib.parse

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars", "--force-device-scale-factor=1", "--window-size=1200,1000"]


# Collects the page's long tasks (more than 50 ms on its main thread).
LONG_TASKS = """window.longTasks = [];
new PerformanceObserver((list) => {
  for (const entry of list.getEntries()) window.longTasks.push(Math.round(entry.duration));
}).observe({type: "longtask"});"""


def find_chromium():
    return shutil.which("chromium") or shutil.which("chromium-browser")


class Server:
    """Serves `root` on 127.0.0.1 and is the browser's proxy; `requests` lists every request
    line it got, in order."""

    def __init__(self, root):
        self.requests = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                # A request the page made names it as its referrer or origin.
                sender = self.headers.get("Referer") or self.headers.get("Origin") or ""
                server.requests.append(" ".join((self.command, self.path, sender)).strip())
                target = urllib.parse.urlsplit(self.path)
                own = target.netloc in ("", "127.0.0.1:%d" % server.port)
                path = os.path.join(root, target.path.lstrip("/") or "index.html")
                if not own or not os.path.isfile(path):
                    self.send_error(404)
                    return
                with open(path, "rb") as file:
                    body = file.read()
                types = {".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                         ".wasm": "application/wasm"}
                self.send_response(200)
                self.send_header("Content-Type", types.get(os.path.splitext(path)[1],
                                                          "application/octet-stream"))
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            do_POST = do_HEAD = do_PUT = do_CONNECT = do_OPTIONS = do_GET

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path=""):
        return "http://127.0.0.1:%d/%s" % (self.port, path)

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """One Chromium with a fresh profile and one page, whose DevTools session `call` talks to."""

    def __init__(self, chromium, work, proxy_port):
        to_browser = os.pipe()
        from_browser = os.pipe()
        # The pipe's ends as the browser's descriptors 3 and 4, by the shell that starts it.
        command = ["bash", "-c", 'exec 3<&%d 4>&%d; exec "$@"' % (to_browser[0], from_browser[1]),
                   "chromium", chromium, *FLAGS, "--remote-debugging-pipe",
                   "--user-data-dir=" + os.path.join(work, "profile"),
                   "--proxy-server=http://127.0.0.1:%d" % proxy_port,
                   "--proxy-bypass-list=<-loopback>", "about:blank"]
        self.log = open(os.path.join(work, "chromium.log"), "wb")
        self.process = subprocess.Popen(command, pass_fds=(to_browser[0], from_browser[1]),
                                        stdout=self.log, stderr=self.log)
        os.close(to_browser[0])
        os.close(from_browser[1])
        self.output = os.fdopen(to_browser[1], "wb")
        self.input = os.fdopen(from_browser[0], "rb")
        self.pending = b""
        self.page_requests = []
        self.next_id = 0
        self.session = None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]

    def send(self, method, params, session):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.output.write(json.dumps(message).encode() + b"\0")
        self.output.flush()
        return self.next_id

    def receive(self):
        while b"\0" not in self.pending:
            chunk = os.read(self.input.fileno(), 1 << 20)
            if not chunk:
                raise RuntimeError("Chromium closed its DevTools pipe")
            self.pending += chunk
        message, self.pending = self.pending.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, browser=False, **params):
        """The result of one command, to the page unless `browser`; events are kept."""
        wanted = self.send(method, params, None if browser else self.session)
        while True:
            message = self.receive()
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.event(message)

    def watch_network(self):
        """From now on, page_requests gets the URL of every request the page or one of its
        workers makes; a worker waits until its requests are watched too."""
        self.call("Network.enable")
        self.call("Target.setAutoAttach", autoAttach=True, waitForDebuggerOnStart=True, flatten=True)

    def event(self, message):
        method = message.get("method")
        if method == "Network.requestWillBeSent":
            self.page_requests.append(message["params"]["request"]["url"])
        elif method == "Target.attachedToTarget":
            session = message["params"]["sessionId"]
            self.send("Network.enable", {}, session)
            self.send("Runtime.runIfWaitingForDebugger", {}, session)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (awaited when it is a promise)."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=60):
        """Waits until `expression` is truthy in the page and returns its value."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.05)
        raise RuntimeError("timed out waiting for " + expression)

    def choose_file(self, selector, path):
        root = self.call("DOM.getDocument")["root"]["nodeId"]
        node = self.call("DOM.querySelector", nodeId=root, selector=selector)["nodeId"]
        self.call("DOM.setFileInputFiles", files=[os.path.abspath(path)], nodeId=node)

    def drop_files(self, selector, paths):
        """Drops files on the element, as a user drags them from a file manager: the page gets
        them with handles that read each file as it is at the time."""
        self.evaluate("document.querySelector(%r).scrollIntoView({block: 'center'})" % selector)
        x, y = self.evaluate("(() => { const box = document.querySelector(%r).getBoundingClientRect();"
                             " return [box.left + box.width / 2, box.top + box.height / 2]; })()" % selector)
        data = {"items": [], "files": [os.path.abspath(path) for path in paths], "dragOperationsMask": 1}
        for kind in ("dragEnter", "dragOver", "drop"):
            self.call("Input.dispatchDragEvent", type=kind, x=x, y=y, data=data)

    def watch_long_tasks(self):
        """From the next page loaded on, window.longTasks lists the length in milliseconds of
        every task that kept the page busy for more than 50 ms."""
        self.call("Page.addScriptToEvaluateOnNewDocument", source=LONG_TASKS)

    def renderers(self):
        """The process ids of this browser's renderers, where the page and its workers run."""
        processes = self.call("SystemInfo.getProcessInfo", browser=True)["processInfo"]
        return [process["id"] for process in processes if process["type"] == "renderer"]

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def close(self):
        try:
            self.call("Browser.close", browser=True)
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


class MemoryPeak:
    """The most the resident memory of some processes grew above what it was when made, in MiB,
    from the kernel's high-water mark where it may be reset, else by sampling."""

    def __init__(self, pids):
        self.pids = pids
        self.before = {pid: self.field(pid, "VmRSS") for pid in pids}
        try:
            for pid in pids:
                with open("/proc/%d/clear_refs" % pid, "w") as file:
                    file.write("5")
            self.marks = True
        except OSError:
            self.marks = False
        self.most = dict(self.before)
        self.running = True
        self.thread = threading.Thread(target=self.sample)
        self.thread.start()

    @staticmethod
    def field(pid, name):
        with open("/proc/%d/status" % pid) as file:
            for line in file:
                if line.startswith(name + ":"):
                    return int(line.split()[1]) // 1024
        return 0

    def sample(self):
        while self.running:
            for pid in self.pids:
                self.most[pid] = max(self.most[pid], self.field(pid, "VmRSS"))
            time.sleep(0.01)

    def stop(self):
        self.running = False
        self.thread.join()
        if self.marks:
            for pid in self.pids:
                self.most[pid] = max(self.most[pid], self.field(pid, "VmHWM"))
        return max(self.most[pid] - self.before[pid] for pid in self.pids)
