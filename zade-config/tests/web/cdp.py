"""A headless Chromium driven over the DevTools protocol, on the pipe that
--remote-debugging-pipe gives (fd 3 to the browser, fd 4 from it; each
message JSON ended by a NUL), so that no port is opened and no browser is
downloaded."""

import base64
import fcntl
import json
import os
import select
import subprocess
import tempfile
import time


class ProtocolError(Exception):
    pass


class Browser:
    def __init__(self, chromium=os.environ.get("CHROMIUM", "/usr/bin/chromium"), args=(), env=None):
        self.profile = tempfile.TemporaryDirectory(prefix="page-test-profile-")
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def pipes_at_3_and_4():
            # Through fds above both, so that neither overwrites the other.
            reading = fcntl.fcntl(to_browser_read, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_browser_write, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        command = [chromium, "--headless=new", "--remote-debugging-pipe", "--no-first-run",
                   "--no-default-browser-check", "--disable-gpu", "--no-sandbox",
                   "--disable-dev-shm-usage", f"--user-data-dir={self.profile.name}",
                   *args, "about:blank"]
        self.process = subprocess.Popen(command, preexec_fn=pipes_at_3_and_4, pass_fds=(3, 4),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        env=env, close_fds=True)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.next_id = 0
        self.buffer = b""
        self.events = []

    def close(self):
        try:
            self.send("Browser.close", timeout=10)
        except (ProtocolError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        self.profile.cleanup()

    def _read_message(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise ProtocolError("no message from the browser in time")
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if ready:
                chunk = os.read(self.from_browser, 1 << 20)
                if not chunk:
                    raise ProtocolError("the browser ended")
                self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=None, timeout=30):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            reply = self._read_message(deadline)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise ProtocolError(f"{method}: {reply['error'].get('message')}")
                return reply.get("result", {})
            self.events.append(reply)

    def new_page(self):
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True})
        return Page(self, session["sessionId"])


class Page:
    def __init__(self, browser, session):
        self.browser = browser
        self.session = session
        self.send("Page.enable")
        self.send("Runtime.enable")

    def send(self, method, params=None, timeout=30):
        return self.browser.send(method, params, self.session, timeout)

    def before_each_load(self, source):
        """A script that runs in every document before the page's own."""
        self.send("Page.addScriptToEvaluateOnNewDocument", {"source": source})

    def open(self, url):
        self.send("Page.navigate", {"url": url})
        self.wait_for("document.readyState === 'complete'")

    def evaluate(self, expression, timeout=30):
        """The expression's value; a promise is awaited."""
        result = self.send("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                                "returnByValue": True}, timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise ProtocolError(details.get("exception", {}).get("description") or details["text"])
        return result["result"].get("value")

    def wait_for(self, expression, timeout=30):
        """The expression's value once it is truthy; fails after timeout seconds."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise ProtocolError(f"still false after {timeout} s: {expression}")
            time.sleep(0.05)

    def key(self, key, code=None, text=None, shift=False):
        """A key pressed and released, as the keyboard gives it."""
        codes = {"Tab": 9, "Enter": 13, " ": 32, "ArrowDown": 40, "ArrowUp": 38, "Escape": 27}
        params = {"key": key, "code": code or key, "windowsVirtualKeyCode": codes.get(key, 0),
                  "modifiers": 8 if shift else 0}
        if text is not None:
            params["text"] = text
        self.send("Input.dispatchKeyEvent", {"type": "keyDown", **params})
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", **params})

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))
