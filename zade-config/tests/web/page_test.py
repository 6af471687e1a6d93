"""The page in a headless Chromium, its ports an in-page fake of
navigator.serial (fake_serial.js) whose far end is the simulated adapter on
a pty (serial_bridge.py):
    page_test.py CASE
CASE is one of CASES below. The environment gives ADAPTER_SIM and PAGE_DIR;
with PAGE_SCREENSHOTS, each case saves the page's states there."""

import functools
import http.server
import json
import os
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402
from serial_bridge import SerialBridge  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
PAGE = "file://" + os.path.join(os.environ["PAGE_DIR"], "index.html")
ADAPTER = {"name": "com12", "vendor": 0x0403, "product": 0x6001, "modemLines": True}
# A port without modem lines, whose setSignals fails.
SECOND = {"name": "com13", "vendor": 0x067B, "product": 0x2303, "modemLines": False}
REQUEST_100 = [0x81, 0x00, 0x00, 0x09, 0x8A]
DONE_100 = "Port 1: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"

failures = 0


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def expect(what, expected, actual):
    global failures
    if expected == actual:
        print(f"ok: {what}")
    else:
        print(f"FAIL: {what}: expected {expected!r}, got {actual!r}")
        failures += 1


class Session:
    """The simulators, the bridge to them, a browser and the page in it."""

    def __init__(self, sims=None, ports=(ADAPTER,), chooser="cancel", browser_args=(), fake=True,
                 real_serial=False):
        self.tmp = tempfile.TemporaryDirectory(prefix="page-test-")
        self.sims = []
        links = {}
        for name, options in (sims or {"com12": []}).items():
            links[name] = self.start_sim(name, options)
        self.bridge = SerialBridge(links)
        self.server = None
        url = PAGE
        if real_serial:
            url = self.serve_for_real_serial(links["com12"])
        self.browser = Browser(args=browser_args)
        self.page = self.browser.new_page()
        if fake:
            config = {"bridge": self.bridge.url, "ports": list(ports), "chooser": chooser}
            self.page.before_each_load(f"window.fakeSerialConfig = {json.dumps(config)};")
            with open(os.path.join(HERE, "fake_serial.js")) as script:
                self.page.before_each_load(script.read())
            # The fake's WebSocket is the test's, not the page's: the page's
            # own policy lets it reach nothing.
            self.page.send("Page.setBypassCSP", {"enabled": True})
        self.page.open(url)
        self.page.wait_for("document.title !== '' && document.getElementById('caption').textContent")

    def start_sim(self, name, options):
        link = os.path.join(self.tmp.name, name)
        log = link + ".received"
        sim = subprocess.Popen([os.environ["ADAPTER_SIM"], link, "--log", log, *options],
                               stdout=subprocess.DEVNULL)
        self.sims.append((sim, log))
        for _ in range(200):
            if os.path.exists(link):
                return link
            time.sleep(0.05)
        raise RuntimeError(f"the simulated adapter did not come up on {link}")

    def serve_for_real_serial(self, link):
        """The page over http://127.0.0.1, its origin allowed every port by
        policy; the simulator's pty at /dev/ttyS0 (real-serial.sh's mount
        namespace)."""
        subprocess.run(["mount", "--bind", os.path.realpath(link), "/dev/ttyS0"], check=True)
        handler = functools.partial(QuietHandler, directory=os.environ["PAGE_DIR"])
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        origin = f"http://127.0.0.1:{self.server.server_address[1]}"
        policy = os.path.join(os.environ["REAL_SERIAL_POLICIES"], "serial-test.json")
        with open(policy, "w") as file:
            json.dump({"SerialAllowAllPortsForUrls": [origin]}, file)
        return origin + "/index.html"

    def received(self, index=0):
        with open(self.sims[index][1]) as log:
            return log.read().split()

    def close(self):
        self.browser.close()
        self.bridge.close()
        if self.server:
            self.server.shutdown()
        for sim, _ in self.sims:
            sim.kill()
            sim.wait()
        self.tmp.cleanup()

    # What the page shows and does.
    def js(self, expression):
        return self.page.evaluate(expression)

    def text(self, id):
        return self.js(f"document.getElementById('{id}').textContent")

    def entries(self):
        return self.js("Array.from(document.getElementById('port').options, (o) => o.text)")

    def chosen_port(self):
        return self.js("document.getElementById('port').selectedIndex")

    def enabled(self, id):
        return self.js(f"!document.getElementById('{id}').disabled")

    def click(self, id):
        self.js(f"document.getElementById('{id}').click()")

    def outcome(self):
        return self.js("document.getElementById('result').dataset.outcome || null")

    def result(self, timeout=30):
        """The result's lines and outcome once the run has ended."""
        self.page.wait_for("document.getElementById('result').dataset.outcome", timeout)
        return self.text("result").split("\n"), self.outcome()

    def write(self, mode):
        self.click(mode)
        self.click("write")
        return self.result()

    def log(self, kind):
        return self.js(f"fakeSerialLog.filter((entry) => '{kind}' in entry).map((e) => e['{kind}'])")

    def screenshot(self, name):
        folder = os.environ.get("PAGE_SCREENSHOTS")
        if folder:
            self.page.screenshot(os.path.join(folder, f"{name}.png"))


def one_port(s):
    expect("the only port, preselected", (["Port 1 - USB 0403:6001"], 0), (s.entries(), s.chosen_port()))
    expect("no mode chosen: Write is off", False, s.enabled("write"))
    expect("no mode preselected", [False] * 3,
           s.js("['mode-500', 'mode-100', 'mode-off'].map((id) => document.getElementById(id).checked)"))
    s.screenshot("page-one-port")
    s.click("mode-100")
    expect("a port and a mode: Write is on", True, s.enabled("write"))
    expect("100 kbit/s: the mode reported", ([DONE_100], "done"), s.write("mode-100"))
    expect("the request on the line", [f"{b:02X}" for b in REQUEST_100], s.received())
    expect("the port's line settings",
           [{"baudRate": 115200, "dataBits": 8, "stopBits": 1, "parity": "none", "flowControl": "none"}],
           s.log("open"))
    expect("the modem lines off", [{"dataTerminalReady": False, "requestToSend": False}], s.log("setSignals"))
    expect("the port closed after the run", ["com12"], s.log("close"))
    expect("the success mark", "done", s.js("document.getElementById('mark').className"))
    s.screenshot("page-done")
    expect("a second run on the same port", (["Port 1: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )"],
                                              "done"), s.write("mode-500"))


def stale_bytes(s):
    # They reach the page a moment after its first read: the drain must wait
    # for them, or they would be taken for the echo.
    expect("bytes waiting at open are drained", ([DONE_100], "done"), s.write("mode-100"))


def not_opened(s):
    expect("a port that cannot be opened", (["Error: Port 1 in use or does not exist."], "failed"),
           s.write("mode-100"))
    expect("nothing opened, nothing to close", ([], []), (s.log("open"), s.log("close")))


def other_mode(s):
    expect("another mode reported", ([
        "Port 1: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )",
        "Asked for CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"], "failed"), s.write("mode-100"))
    expect("the failure mark", "failed", s.js("document.getElementById('mark').className"))
    s.screenshot("page-other-mode")


def silent(s):
    s.click("mode-100")
    s.click("write")
    expect("during the run: what is written where", ("Writing 100 kbit/s (K-CAN) to Port 1...", None),
           (s.text("result"), s.outcome()))
    expect("during the run: every control off", [False] * 5,
           [s.enabled(id) for id in ("port", "choose-port", "mode-500", "mode-off", "write")])
    # The best of three, so that a busy machine does not fail it.
    answered = min(s.js("new Promise((done) => { const from = performance.now();"
                        " setTimeout(() => done(performance.now() - from), 0); })") for _ in range(3))
    expect("during the run: the page answers within 100 ms", True, answered < 100)
    s.screenshot("page-writing")
    expect("no answer", (["Error, adapter not conected!!!"], "failed"), s.result())
    expect("after the run: Write is on again", True, s.enabled("write"))
    expect("the port closed after the run", ["com12"], s.log("close"))


def babble(s):
    expect("a babbling line: no echo",
           (["No echo of the request: sent 81 00 00 09 8A, read 55 55 55 55 55"], "failed"),
           s.write("mode-100"))
    expect("nothing sent after the request", [f"{b:02X}" for b in REQUEST_100], s.received())


def unplugged(s):
    s.click("mode-off")
    s.click("write")
    s.page.wait_for("fakeSerialLog.some((entry) => 'write' in entry)")
    s.js("fakeSerial.unplug('com12')")
    expect("unplugged during the run", (["Error, adapter not conected!!!"], "failed"), s.result())
    expect("the list read again after the run", [], s.entries())
    expect("no port: Write is off", False, s.enabled("write"))


def chooser(s):
    expect("no port the page may use", [], s.entries())
    s.click("choose-port")
    s.page.wait_for("fakeSerialLog.some((entry) => 'requestPort' in entry)")
    time.sleep(0.3)
    expect("the chooser cancelled: nothing changes, nothing said", ([], "", None),
           (s.entries(), s.text("result"), s.outcome()))
    s.js("fakeSerialConfig.chooser = 'com12'")
    s.click("choose-port")
    s.page.wait_for("document.getElementById('port').options.length === 1")
    expect("the chosen port, listed and selected", (["Port 1 - USB 0403:6001"], 0),
           (s.entries(), s.chosen_port()))
    expect("then written", ([DONE_100], "done"), s.write("mode-100"))


def two_ports(s):
    expect("two ports, none preselected", (["Port 1 - USB 0403:6001", "Port 2 - USB 067b:2303"], -1),
           (s.entries(), s.chosen_port()))
    s.click("mode-100")
    expect("a mode but no port: Write is off", False, s.enabled("write"))
    s.js("const list = document.getElementById('port'); list.selectedIndex = 1;"
         " list.dispatchEvent(new Event('change'))")
    expect("the second port written", (["Port 2: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"], "done"),
           s.write("mode-100"))
    expect("its request on its line, none on the other", ([], [f"{b:02X}" for b in REQUEST_100]),
           (s.received(0), s.received(1)))
    expect("a port without modem lines: the run went on", [], s.log("setSignals"))
    s.js("fakeSerial.plug({name: 'com14'})")
    s.page.wait_for("document.getElementById('port').options.length === 3")
    expect("a port that comes is listed; the chosen one stays", ("Port 3", 1), (s.entries()[2], s.chosen_port()))


def keyboard(s):
    focus = "document.activeElement.id"
    order = []
    for _ in range(3):
        s.page.key("Tab")
        order.append(s.js(focus))
    expect("Tab: the reading order", ["port", "choose-port", "mode-500"], order)
    s.page.key("ArrowDown")
    expect("an arrow key chooses the next mode", ("mode-100", True),
           (s.js(focus), s.js("document.getElementById('mode-100').checked")))
    s.page.key("Tab")
    expect("Tab: Write", "write", s.js(focus))
    s.page.key("Enter", text="\r")
    expect("Enter on Write writes", ([DONE_100], "done"), s.result())
    expect("after the run: the focus on Write, visible", ("write", True),
           (s.js(focus), s.js("document.activeElement.matches(':focus-visible')")))
    s.page.key("Tab", shift=True)
    s.page.key("ArrowUp")
    s.page.key("Tab")
    s.page.key(" ", "Space", " ")
    expect("Shift+Tab, an arrow key, Tab and Space: the other mode written",
           (["Port 1: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )"], "done"), s.result())


def no_web_serial(s):
    expect("without Web Serial: what to use instead",
           (True, False, "This browser cannot reach serial ports. Use Chrome or Edge (version 89 or later), "
                         "or zade-config-gui.exe on Windows."),
           (s.js("document.getElementById('controls').hidden"),
            s.js("document.getElementById('unsupported').hidden"), s.text("unsupported")))
    s.screenshot("page-no-web-serial")


LANGUAGES = {
    "de": {"texts": ["ORX D-CAN USB-Interface: CAN-Bus-Modus", "Anschluss:", "Anschluss wählen…",
                     "CAN-Bus-Modus", "500 kbit/s (D-CAN, PT-CAN)", "100 kbit/s (K-CAN)", "CAN aus",
                     "Schreiben", "Ergebnis:"],
           "entry": "Anschluss 1 - USB 0403:6001",
           "writing": "100 kbit/s (K-CAN) wird auf Anschluss 1 geschrieben...",
           "done": "Anschluss 1: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)"},
    "fr": {"texts": ["Interface USB ORX D-CAN : mode du bus CAN", "Port :", "Choisir le port…",
                     "Mode du bus CAN", "500 kbit/s (D-CAN, PT-CAN)", "100 kbit/s (K-CAN)", "CAN désactivé",
                     "Écrire", "Résultat :"],
           "entry": "Port 1 - USB 0403:6001",
           "writing": "Écriture de 100 kbit/s (K-CAN) sur Port 1...",
           "done": "Port 1 : mode du bus CAN 9 : 100 kbit/s (K-CAN)"},
}
TEXT_IDS = ["caption", "port-label", "choose-port", "mode-group", "mode-500-text", "mode-100-text",
            "mode-off-text", "write", "result-label"]


def plain(text):
    """French may set a no-break space before a colon, and a typographic apostrophe."""
    return text.replace("\u00a0", " ").replace("\u2019", "'")


def in_language(code):
    def case(s):
        language = LANGUAGES[code]
        expect(f"{code}: the page's language", code, s.js("document.documentElement.lang"))
        expect(f"{code}: every text", language["texts"], [plain(s.text(id)) for id in TEXT_IDS])
        expect(f"{code}: the title", language["texts"][0], plain(s.js("document.title")))
        expect(f"{code}: the port's entry", [language["entry"]], s.entries())
        s.click("mode-100")
        s.click("write")
        expect(f"{code}: during the run", language["writing"], plain(s.text("result")))
        lines, outcome = s.result()
        expect(f"{code}: the mode reported", ([language["done"]], "done"), ([plain(x) for x in lines], outcome))
        s.screenshot(f"page-{code}")
    return case


def unsupported_in_language(code, expected):
    def case(s):
        expect(f"{code}: without Web Serial", expected, plain(s.text("unsupported")))
    return case


def real_serial(s):
    s.page.wait_for("document.getElementById('port').options.length > 0")
    expect("the browser's own port, preselected (it tells no USB identity of a tty)", (["Port 1"], 0),
           (s.entries(), s.chosen_port()))
    expect("100 kbit/s through the browser's serial code", ([DONE_100], "done"), s.write("mode-100"))
    expect("the request on the line", [f"{b:02X}" for b in REQUEST_100], s.received())
    expect("another run once the port is closed", (["Port 1: CAN BUS mode =  0    ( CAN OFF )"], "done"),
           s.write("mode-off"))


# name: (the case, what its session is)
CASES = {
    "one-port": (one_port, {}),
    "stale-bytes": (stale_bytes, {"sims": {"com12": ["--stale", "64"]}}),
    "not-opened": (not_opened, {"ports": [{"name": "nothing-behind-it"}]}),
    "other-mode": (other_mode, {"sims": {"com12": ["--reply-byte3", "FE"]}}),
    "silent": (silent, {"sims": {"com12": ["--silent"]}}),
    "babble": (babble, {"sims": {"com12": ["--babble"]}}),
    "unplugged": (unplugged, {"sims": {"com12": ["--silent"]}}),
    "chooser": (chooser, {"ports": [{**ADAPTER, "granted": False}]}),
    "two-ports": (two_ports, {"sims": {"com12": [], "com13": []}, "ports": [ADAPTER, SECOND]}),
    "keyboard": (keyboard, {}),
    "no-web-serial": (no_web_serial, {"fake": False, "browser_args": ["--disable-blink-features=Serial"]}),
    "real-serial": (real_serial, {"fake": False, "real_serial": True}),
    "german": (in_language("de"), {"browser_args": ["--accept-lang=de"]}),
    "french": (in_language("fr"), {"browser_args": ["--accept-lang=fr"]}),
    "german-no-web-serial": (unsupported_in_language(
        "de", "Dieser Browser kann keine seriellen Anschlüsse erreichen. Nehmen Sie Chrome oder Edge "
              "(ab Version 89) oder unter Windows zade-config-gui.exe."),
        {"fake": False, "browser_args": ["--accept-lang=de", "--disable-blink-features=Serial"]}),
    "french-no-web-serial": (unsupported_in_language(
        "fr", "Ce navigateur ne peut pas accéder aux ports série. Utilisez Chrome ou Edge (version 89 "
              "ou ultérieure), ou zade-config-gui.exe sous Windows."),
        {"fake": False, "browser_args": ["--accept-lang=fr-CA", "--disable-blink-features=Serial"]}),
}


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in CASES:
        print(f"usage: page_test.py {{{'|'.join(CASES)}}}", file=sys.stderr)
        return 2
    case, setup = CASES[sys.argv[1]]
    session = Session(**setup)
    try:
        case(session)
    finally:
        session.close()
    print(f"{sys.argv[1]}: {'passed' if failures == 0 else f'{failures} failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
